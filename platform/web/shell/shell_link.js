// The page's link, read in one place: its language, the values that answer
// the program's first dialog as typed lines, and the values that become the
// program's command-line options; and the link written back for a case.
// Values are only ever text: checked against the number pattern and the
// page's rules, shown as text and given to the program as input or
// arguments. Each value not used is named in one console line.
//
// A page describes its link (config.link):
//   answers:      [[names], ...] each list one line of the first dialog, the
//                 values joined by blanks; used when all are given, or none.
//   lists:        [names] whose values are comma-separated numbers (1,2,1).
//   options:      [{ name, option, whole, least, most, above, rule }] values
//                 given to the program as `option value` (option '--name'
//                 by default; option null keeps it for the page alone): a
//                 whole number when `whole`, at least `least`, at most `most`,
//                 more than `above`; `rule` names the page's text that says
//                 the rule broken, in the program's words.
//   alternatives: [[names], ...] options of which at most one is taken: the
//                 first in the link that keeps its rules.
//   check(kept, option, value) -> '' when the program takes `option value`
//                 after the options `kept` (words joined by '\n'), otherwise
//                 the rule broken (optional): asked once the program is
//                 loaded, before it starts, for the rules that tie options
//                 together; a value refused is named and left out.
//   current():    { name: number or [numbers] } the answers of the case shown,
//                 for the link written back; an option it names is written
//                 from it too (left out when undefined) rather than from the
//                 page's own link.

// The language: lang=en or lang=ja; Japanese otherwise, and then a lang
// that is neither is not used.
function vibsimLinkLanguage(params) {
  var lang = params.get('lang');
  var known = lang === 'en' || lang === 'ja';
  return {language: known ? lang : 'ja', given: params.has('lang'), refused: params.has('lang') && !known};
}

// What the link gives: { notes: [console lines], answers: [{ line, names }],
// arguments: [program arguments], options: [{ name, option, value }] (those
// arguments by option), taken: { name: text } (every answer and option
// used) }.
function vibsimReadLink(params, linkConfig, text) {
  'use strict';
  var decimal = /^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$/;
  var notFinite = /^[+-]?(inf|infinity|nan)$/i;
  var whole = /^[+-]?\d+$/;
  var lists = linkConfig.lists || [];
  var result = {notes: [], answers: [], arguments: [], options: [], taken: {}};

  // A value's numbers, blanks trimmed (a + in a link reads as a blank), or
  // the note on why it is not used.
  function numbers(name, rule) {
    var raw = params.get(name);
    var items = (lists.indexOf(name) >= 0 ? raw.split(',') : [raw]).map(function(item) { return item.trim(); });
    for (var i = 0; i < items.length; i++) {
      if (notFinite.test(items[i])) return {note: text.notFinite(name)};
      if (!decimal.test(items[i])) return {note: text.notANumber(name)};
      if (!rule) continue;
      var value = Number(items[i]);
      var broken = (rule.whole && !whole.test(items[i])) || (rule.least !== undefined && !(value >= rule.least)) ||
        (rule.most !== undefined && !(value <= rule.most)) || (rule.above !== undefined && !(value > rule.above));
      if (broken) return {note: text.ruleBroken(name, text[rule.rule])};
    }
    return {items: items};
  }

  // The answers: all of them, or none with one note.
  var answerNames = [].concat.apply([], linkConfig.answers || []);
  var given = answerNames.filter(function(name) { return params.has(name); });
  var missing = answerNames.filter(function(name) { return !params.has(name); });
  var checked = {};
  var refused = null;
  given.forEach(function(name) {
    checked[name] = numbers(name, null);
    if (refused === null && checked[name].note) refused = checked[name].note;
  });
  if (refused !== null) {
    result.notes.push(refused);
  } else if (given.length > 0 && missing.length > 0) {
    result.notes.push(text.missing(given[0], missing[0]));
  } else if (given.length > 0) {
    result.answers = linkConfig.answers.map(function(names) {
      return {names: names, line: names.map(function(name) { return checked[name].items.join(' '); }).join(' ')};
    });
    given.forEach(function(name) { result.taken[name] = checked[name].items.join(','); });
  }

  // The options, in the page's order; of alternatives, the first in the
  // link's order that keeps its rules.
  var order = Array.from(params.keys());
  var alternativeOf = {};
  (linkConfig.alternatives || []).forEach(function(group) {
    group.forEach(function(name) { alternativeOf[name] = group; });
  });
  var chosen = {};
  (linkConfig.options || []).forEach(function(rule) {
    if (!params.has(rule.name)) return;
    var value = numbers(rule.name, rule);
    if (value.note) {
      result.notes.push(value.note);
      return;
    }
    var group = alternativeOf[rule.name];
    if (group) {
      var taken = chosen[group[0]];
      if (taken === undefined) {
        // The first of the group in the link that keeps its rules takes it.
        taken = order.filter(function(name) { return group.indexOf(name) >= 0; }).find(function(name) {
          var other = (linkConfig.options || []).find(function(o) { return o.name === name; });
          return other && !numbers(name, other).note;
        });
        chosen[group[0]] = taken;
      }
      if (taken !== rule.name) {
        result.notes.push(text.alternativeTaken(rule.name, taken));
        return;
      }
    }
    result.taken[rule.name] = value.items.join(',');
    if (rule.option === null) return;
    var option = {name: rule.name, option: rule.option || '--' + rule.name, value: result.taken[rule.name]};
    result.options.push(option);
    result.arguments.push(option.option, option.value);
  });
  return result;
}

// The link of the case shown: the answers as the program holds them now,
// each written as JavaScript writes a double (the shortest decimal that
// reads back as the same double, -0 with its sign), then the options (as
// current() gives them, or else as taken from the page's own link), then
// its language when it gave one.
function vibsimCaseLink(href, linkConfig, current, taken, language) {
  'use strict';
  var url = new URL(href);
  var query = new URLSearchParams();
  var number = function(value) { return Object.is(value, -0) ? '-0' : String(value); };
  [].concat.apply([], linkConfig.answers || []).forEach(function(name) {
    var value = current[name];
    query.set(name, Array.isArray(value) ? value.map(number).join(',') : number(value));
  });
  (linkConfig.options || []).forEach(function(rule) {
    var value = rule.name in current ? current[rule.name] : taken[rule.name];
    if (value === undefined) return;
    query.set(rule.name, Array.isArray(value) ? value.map(number).join(',') :
      typeof value === 'number' ? number(value) : value);
  });
  if (language.given) query.set('lang', language.language);
  url.search = query.toString();
  return url.href;
}
