// The pages of the browser edition, one entry each, and the links between
// them: every page links every other in its key bar, in the language the
// link gave. A page names itself in its configuration (`page`). Opened from
// the disk, the simulator's page is its one file, since index.html cannot
// load its program there.
var vibsimShellPageList = [
  {page: 'index.html', fromDisk: 'vibsim.html', id: 'simulator-page',
    ja: '自由振動シミュレータへ', en: 'To the free-vibration simulator'},
  {page: 'random.html', id: 'random-page', ja: 'ランダム振動の実験へ', en: 'To the random-vibration lab'},
  {page: 'modes.html', id: 'modes-page',
    ja: '質点の列の固有振動とモードの実験へ', en: 'To the chain lab: natural frequencies and modes'},
];

// The links to the pages other than `current`, appended to `parent`; the
// language is carried when the link gave one.
function vibsimShellPageLinks(current, language, carryLanguage, parent) {
  'use strict';
  vibsimShellPageList.forEach(function(entry) {
    if (entry.page === current) return;
    var page = entry.fromDisk && window.location.protocol === 'file:' ? entry.fromDisk : entry.page;
    var href = page + (carryLanguage ? '?lang=' + language : '');
    vibsimElement('a', {id: entry.id, href: href, text: entry[language]}, parent);
  });
}

// The case the program shows, by name, as its page glue hands it over
// (vibsim_web_case, made with platform/case_table.hpp). Asked only while
// the program is idle.
function vibsimCase() {
  'use strict';
  return JSON.parse(Module['ccall']('vibsim_web_case', 'string', [], []));
}
