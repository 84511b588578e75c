// The page shell's link reader (platform/web/shell/shell_link.js) run under node: what a
// link gives a page, and the notes on what it does not use, for the kinds
// of parameter the pages have and the chain-of-masses lab will have: lists,
// alternatives of which one is taken, and options checked by the page's
// rules, at their bounds.
//
// node link_checks.mjs <page shell folder>
import { readFileSync } from 'node:fs';
import { join } from 'node:path';

const web = process.argv[2];
const { vibsimReadLink, vibsimCaseLink, vibsimLinkLanguage, vibsimShellTexts } = new Function(
  `${readFileSync(join(web, 'shell_texts.js'), 'utf8')}\n${readFileSync(join(web, 'shell_link.js'), 'utf8')}\n` +
  'return { vibsimReadLink, vibsimCaseLink, vibsimLinkLanguage, vibsimShellTexts };')();

let failures = 0;
function same(actual, expected, what) {
  const ok = JSON.stringify(actual) === JSON.stringify(expected);
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}${ok ? '' : `: ${JSON.stringify(actual)}, not ${JSON.stringify(expected)}`}`);
  if (!ok) ++failures;
}

const text = vibsimShellTexts('en', { en: { 'rule.records': 'it is not a whole number from 1 to 100000',
  'rule.seed': 'it is not a whole number from 0 to 4294967295' } });
const read = (query, linkConfig) => vibsimReadLink(new URLSearchParams(query), linkConfig, text);
const note = (name, why) => `[The link's parameter ${name} was not used: ${why}]\n`;

// The lab's link: answers all or none, seed and records as options.
const lab = {
  answers: [['mass', 'damping', 'stiffness'], ['y0', 'v0'], ['force']],
  options: [
    { name: 'seed', whole: true, least: 0, most: 4294967295, rule: 'rule.seed' },
    { name: 'records', whole: true, least: 1, most: 100000, rule: 'rule.records', option: null },
  ],
};
let link = read('mass=+1&damping=%200.2&stiffness=4&y0=1e-3&v0=-0&force=2&seed=4294967295&records=100000', lab);
same(link.answers.map((a) => a.line), ['1 0.2 4', '1e-3 -0', '2'], 'blank-padded values answer, trimmed');
same(link.notes, [], 'values at the rules\' bounds leave no note');
same(link.arguments, ['--seed', '4294967295'], 'an option for the page alone is not an argument');
same(link.taken.records, '100000', 'the page\'s own option is taken');
for (const [query, name, why] of [
  ['records=0', 'records', 'it is not a whole number from 1 to 100000'],
  ['records=100001', 'records', 'it is not a whole number from 1 to 100000'],
  ['records=9999999999', 'records', 'it is not a whole number from 1 to 100000'],
  ['records=2.5', 'records', 'it is not a whole number from 1 to 100000'],
  ['seed=4294967296', 'seed', 'it is not a whole number from 0 to 4294967295'],
  ['seed=-1', 'seed', 'it is not a whole number from 0 to 4294967295'],
  ['seed=x1', 'seed', 'it is not a number'],
  ['seed=nan', 'seed', 'it is not a finite number'],
]) {
  link = read(query, lab);
  same([link.notes, link.arguments, link.taken], [[note(name, why)], [], {}], `${query} is not used, with one note`);
}
for (const value of ['inf', '-Infinity', 'NaN']) {
  link = read(`mass=1&damping=0.2&stiffness=4&y0=${value}&v0=0&force=1`, lab);
  same([link.notes, link.answers], [[note('y0', 'it is not a finite number')], []], `y0=${value} answers nothing`);
}
same(read('mass=1', lab).notes, [note('mass', 'damping is missing')], 'answers are all or none');

// The chain lab's kinds: a list, and alternatives of which the first in the
// link that keeps its rules is taken.
const chain = {
  lists: ['masses'],
  options: [
    { name: 'masses', above: 0, rule: 'rule.records' },
    { name: 'mode', whole: true, least: 1, most: 8, rule: 'rule.records' },
    { name: 'pluck', whole: true, least: 1, most: 8, rule: 'rule.records' },
    { name: 'strike', whole: true, least: 1, most: 8, rule: 'rule.records' },
  ],
  alternatives: [['mode', 'pluck', 'strike']],
};
link = read('masses=1,%202,1&strike=2&mode=1', chain);
same(link.arguments, ['--masses', '1,2,1', '--strike', '2'], 'a list, and the first alternative in the link');
same(link.notes, ['[The link\'s parameter mode was not used: it is one or the other with strike]\n'], 'the other alternative is named');
link = read('pluck=9&mode=3', chain);
same(link.arguments, ['--mode', '3'], 'an alternative that breaks its rule gives way to the next');
same(read('masses=1,,2', chain).notes, [note('masses', 'it is not a number')], 'an empty list item is not a number');
same(read('masses=1,0', chain).notes, [note('masses', 'it is not a whole number from 1 to 100000')], 'each list item keeps the rule');

// The link written back reads back as the same doubles and options.
const language = vibsimLinkLanguage(new URLSearchParams('lang=en'));
const href = vibsimCaseLink('http://x/random.html?mass=5', lab,
  { mass: 1, damping: 0.1 + 0.2, stiffness: 4, y0: -0, v0: 1e-7, force: 1 }, { seed: '7', records: '64' }, language);
same(href, 'http://x/random.html?mass=1&damping=0.30000000000000004&stiffness=4&y0=-0&v0=1e-7&force=1&seed=7&records=64&lang=en',
  'the written link');
const back = read(new URL(href).search, lab);
same([back.answers.map((a) => a.line), back.arguments, back.taken.records],
  [['1 0.30000000000000004 4', '-0 1e-7', '1'], ['--seed', '7'], '64'], 'the written link reads back');

console.log(failures === 0 ? 'PASSED' : `${failures} check(s) failed`);
process.exit(failures === 0 ? 0 : 1);
