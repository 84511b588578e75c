// The identification lab's page, walked in the page test's browser session
// beside the desktop vibsim-identify: a record chosen in the file input is
// read in the page and its result download holds the desktop's
// --result-csv numbers for the same file; the key buttons move the part
// analysed; an exercise by link shows the same record's worked
// identification as the desktop does, and its link; a record that cannot
// be read says why in the console; markup in a link runs nothing; the page
// raises no error.
import { execFile } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { promisify } from 'node:util';
import { Page, sleep } from './harness.mjs';

const exec = promisify(execFile);

async function download(page, folder, selector) {
  const name = await page.$eval(selector, (a) => a.download);
  const file = join(folder, name);
  rmSync(file, { force: true });
  await page.click(selector);
  for (const deadline = Date.now() + 20000; Date.now() < deadline; await sleep(100)) {
    if (existsSync(file) && !existsSync(`${file}.crdownload`)) return readFileSync(file, 'utf8');
  }
  throw new Error(`no download of ${name}`);
}

// The numbers of a result table, line by line; '' stays ''.
function table(text) {
  return text.trim().split('\n').map((line) => line.split(','));
}

function sameNumbers(a, b) {
  if (a.length !== b.length) return false;
  return a.every((row, i) => row.length === b[i].length && row.every((cell, j) => {
    const [x, y] = [Number(cell), Number(b[i][j])];
    if (cell === b[i][j]) return true;
    return Number.isFinite(x) && Number.isFinite(y) && Math.abs(x - y) <= 1e-9 * Math.max(Math.abs(x), Math.abs(y));
  }));
}

// The console's line that starts with `head`.
function lineOf(text, head) {
  return text.split('\n').find((line) => line.startsWith(head));
}

export async function checkIdentifyPage(browser, url, desktopIdentify, check) {
  const folder = mkdtempSync(join(tmpdir(), 'vibsim-identify-'));
  const pages = [];
  try {
    const { stdout: made } = await exec(desktopIdentify, ['--lang', 'en', '--make-exercise', '--mass', '1',
      '--damping', '0.3', '--stiffness', '9', '--noise', '0.01', '--seed', '5']);
    const code = made.match(/--exercise (\S+)/)[1];
    const record = join(folder, 'decay.csv');
    await exec(desktopIdentify, ['--exercise', code, '--record-csv', record]);
    const desktopResult = join(folder, 'desktop-result.csv');
    await exec(desktopIdentify, [record, '--mass', '2', '--result-csv', desktopResult]);

    const web = await Page.open(browser, `${url}identify.html?lang=en&mass=2`);
    pages.push(web);
    const { page } = web;
    const cdp = await page.createCDPSession();
    await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });
    await web.waitForPanel('Esc key: quit\n');
    const input = await page.$('input#record-file');
    await input.uploadFile(record);
    await web.waitForPanel('Least-squares fit:');
    await page.waitForFunction(() => document.querySelector('a#result-csv').href.startsWith('blob:'));
    const result = await download(page, folder, 'a#result-csv');
    check(sameNumbers(table(result), table(readFileSync(desktopResult, 'utf8'))),
      `identify page: the result CSV holds the desktop's --result-csv numbers:\n${result}`);
    const fitted = table(readFileSync(desktopResult, 'utf8')).find((row) => row[0] === 'fit');
    const described = await page.$eval('#picture-description', (e) => e.textContent);
    check(described.includes(`Fit: ω0 = ${Number(fitted[1]).toFixed(5)} rad/s, ζ = ${Number(fitted[2]).toFixed(5)}`),
      `identify page: the picture's description gives the fit: ${described}`);

    const before = await web.panel();
    await page.click('button[data-key="]"]');
    await web.waitForPanel('Part analysed: t = 0.24 to');
    check((await web.panel()).length > before.length, 'identify page: ] moves the start of the part analysed');

    // A file that is no record: the console says why, the record stays.
    const words = join(folder, 'words.csv');
    writeFileSync(words, 'time,value\nzero,one\n');
    await input.uploadFile(words);
    await web.waitForPanel('words.csv: line 2, column "time" is not a number (zero)');

    // The exercise by link: the desktop's worked identification of the same
    // record, shown on w; its link.
    const exercise = await Page.open(browser, `${url}identify.html?lang=en&exercise=${code}`);
    pages.push(exercise);
    await exercise.waitForPanel('Esc key: quit\n');
    check(!(await exercise.panel()).includes('Least-squares fit:'), 'identify page: the exercise hides its answer');
    check(await exercise.page.$eval('a#exercise-link', (a) => a.getAttribute('href')) ===
      `identify.html?exercise=${code}`, 'identify page: the exercise link');
    await exercise.page.click('button[data-key="w"]');
    await exercise.waitForPanel('Least-squares fit:');
    const { stdout: worked } = await exec(desktopIdentify, ['--lang', 'en', '--exercise', code, '--answer', '3,0.05'])
      .catch((e) => e);
    const line = lineOf(worked, 'Least-squares fit:');
    check(line !== undefined && lineOf(await exercise.panel(), 'Least-squares fit:') === line,
      `identify page: the exercise's record is the desktop's: ${line}`);

    // Markup in the link runs nothing.
    const markup = await Page.open(browser,
      `${url}identify.html?lang=en&exercise=%3Cimg%20src%3Dx%20onerror%3D%22window.ran%3D1%22%3E&mass=%3Cb%3E`);
    pages.push(markup);
    await markup.waitForPanel('Esc key: quit\n');
    check(await markup.page.evaluate(() => window.ran === undefined && document.querySelector('img') === null),
      'identify page: markup in a link runs nothing');
    check(await markup.page.$('a#exercise-link') === null, 'identify page: no exercise link for a code refused');
    for (const p of pages) {
      check(p.errors.length === 0, `identify page: no error${p.errors.length ? `: ${p.errors.join('; ')}` : ''}`);
    }
  } finally {
    for (const p of pages) await p.page.close().catch(() => {});
    rmSync(folder, { recursive: true, force: true });
  }
}
