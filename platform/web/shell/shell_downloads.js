// The page's downloads: links in the key bar to files that the page makes
// from the program's own texts (a lab's CSV), each a blob once the page has
// offered its text. A learning platform shows pages in a sandboxed frame,
// and one without allow-downloads lets a click on a download link do
// nothing, without a word: so in a frame a click on a link also shows the
// file's text in a box beside the console, to copy, and from then on the
// box holds the link's file, or hides while the page has none.
//
// vibsimShellDownloads(layout, text) -> { add(wanted) -> download }
// wanted: { id: the link's id (its box is `<id>-text`), label: the link's
//   text, inFrame: the words over the box (optional; text.downloadInFrame
//   of the label otherwise), asked(): called when the link is about to be
//   used (pressed, focused or clicked), for the page to make the file of
//   the case shown if it has not yet (optional) }
// download: { offer(content, name): the file's text and name, '' for no
//   file; stale(): the file offered no longer holds for the case shown, so
//   its box hides until the next offer; shown(): whether its box is shown }
function vibsimShellDownloads(layout, text) {
  'use strict';
  var inFrame = window.self !== window.top;

  function add(wanted) {
    var link = vibsimElement('a', {id: wanted.id, text: wanted.label, 'aria-disabled': 'true'}, layout.toolbar);
    var content = '';  // the file's text, '' for none
    var holds = true;  // the file offered holds for the case shown
    var box = null;    // { label, area } once a click in a frame has asked for it

    function showBox() {
      var shown = holds ? content : '';
      box.area.value = shown;
      box.label.hidden = shown === '';
    }
    function offer(fileText, name) {
      if (link.href.startsWith('blob:')) URL.revokeObjectURL(link.href);
      content = fileText;
      holds = true;
      if (fileText === '') {
        link.removeAttribute('href');
        link.setAttribute('aria-disabled', 'true');
      } else {
        link.href = URL.createObjectURL(new Blob([fileText], {type: 'text/csv'}));
        link.download = name;
        link.removeAttribute('aria-disabled');
      }
      if (box !== null) showBox();
    }
    function openBox() {
      var label = vibsimElement('label', {id: wanted.id + '-text', class: 'download-text',
        text: wanted.inFrame || text.downloadInFrame(wanted.label)}, layout.side);
      var area = vibsimElement('textarea', {readonly: '', rows: 6}, label);
      box = {label: label, area: area};
    }
    var asked = function() { if (wanted.asked) wanted.asked(); };
    link.addEventListener('click', function(event) {
      asked();
      if (!link.hasAttribute('href')) {
        event.preventDefault();
        return;
      }
      if (!inFrame) return;
      if (box === null) openBox();
      showBox();
    });
    ['pointerdown', 'focus'].forEach(function(type) { link.addEventListener(type, asked); });

    return {
      offer: offer,
      stale: function() {
        holds = false;
        if (box !== null) showBox();
      },
      shown: function() { return box !== null && !box.label.hidden; },
    };
  }
  return {add: add};
}
