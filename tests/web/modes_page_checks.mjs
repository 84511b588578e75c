// The modes lab's page, walked in the page test's browser session beside the
// desktop vibsim-modes: a link runs its case without a dialog, and its three
// downloads are the desktop's --csv and --response-csv byte for byte and
// its --motion-csv to the last bits of the platforms' cosines
// for the same options, also after a key moves the force to another mass,
// and after one sweep its picture is the desktop's --png;
// the buttons excite a mode (the picture and the link of the case follow)
// and Esc ends the lab; a link value that the program's rules refuse is
// named in one console line, in the page's language, and the lab runs
// without it; play=1 runs a chain given by link; the three pages link to
// each other; in a frame that forbids downloads both files are offered as
// text, withdrawn when the case changes; the page raises no error.
import { execFile } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { promisify } from 'node:util';
import { Page, differingPixels, openInFrame, sleep } from './harness.mjs';

const exec = promisify(execFile);
const width = 1024;  // the lab's window, 1024 x 768

// The desktop program's file for `options`.
async function desktopFile(program, folder, options, output) {
  const file = join(folder, `desktop${output}.csv`);
  await exec(program, [...options, output, file]);
  return readFileSync(file);
}

// How far two CSV files of numbers differ: 0 for the same header and lines,
// otherwise the largest difference of a field relative to its column's
// largest magnitude (Infinity when their shapes differ). The forced motion
// takes cos(omega t) from each platform's own library, whose last bits may
// differ, and a trajectory carries such a bit on.
function csvDifference(a, b) {
  const rows = (bytes) => bytes.toString().trimEnd().split('\n').map((line) => line.split(','));
  const [x, y] = [rows(a), rows(b)];
  if (x.length !== y.length || x[0].join() !== y[0].join()) return Infinity;
  const peaks = x[0].map((_, j) => Math.max(...x.slice(1).map((row) => Math.abs(Number(row[j]))), 1e-300));
  let largest = 0;
  for (let i = 1; i < x.length; ++i) {
    if (x[i].length !== y[i].length) return Infinity;
    for (let j = 0; j < x[i].length; ++j) {
      largest = Math.max(largest, Math.abs(Number(x[i][j]) - Number(y[i][j])) / peaks[j]);
    }
  }
  return Number.isNaN(largest) ? Infinity : largest;
}

// The file that a click on the link `selector` downloads, as the browser
// saves it into `folder`.
async function download(page, folder, selector) {
  const name = await page.$eval(selector, (a) => a.download);
  const file = join(folder, name);
  rmSync(file, { force: true });
  await page.click(selector);
  for (const deadline = Date.now() + 20000; Date.now() < deadline; await sleep(100)) {
    if (existsSync(file) && !existsSync(`${file}.crdownload`)) return readFileSync(file);
  }
  throw new Error(`no download of ${name}`);
}

// The canvas as shown (PNG bytes), once two looks in a row agree.
async function picture(page) {
  const canvas = await page.$('#screen');
  let last = null;
  for (const deadline = Date.now() + 20000; Date.now() < deadline;) {
    await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
    const now = await canvas.screenshot({ type: 'png' });
    if (last !== null && last.equals(now)) return now;
    last = now;
  }
  throw new Error('the modes page never showed a settled picture');
}

// The canvas's own pixels (1024 x 768, unlike a screenshot of the canvas
// scaled to the page) as RGB rows from the top, after `presses` presses of
// s: read in the animation frame that draws them, just after the program
// has drawn (its redraw asked for the frame first).
async function canvasPixels(page, presses) {
  const rgba = Buffer.from(await page.evaluate((count) => {
    const canvas = document.getElementById('screen');
    for (let i = 0; i < count; ++i) canvas.dispatchEvent(new KeyboardEvent('keydown', { key: 's', bubbles: true }));
    return new Promise((resolve) => requestAnimationFrame(() => {
      const gl = canvas.getContext('webgl');
      const bytes = new Uint8Array(gl.drawingBufferWidth * gl.drawingBufferHeight * 4);
      gl.readPixels(0, 0, gl.drawingBufferWidth, gl.drawingBufferHeight, gl.RGBA, gl.UNSIGNED_BYTE, bytes);
      let text = '';
      for (let i = 0; i < bytes.length; i += 0x8000) text += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
      resolve(btoa(text));
    }));
  }, presses), 'base64');
  const rows = rgba.length / (width * 4);
  const rgb = Buffer.alloc(width * rows * 3);
  for (let y = 0; y < rows; ++y) {
    for (let x = 0; x < width; ++x) {
      const from = ((rows - 1 - y) * width + x) * 4;
      rgba.copy(rgb, (y * width + x) * 3, from, from + 3);
    }
  }
  return rgb;
}

async function pngPixels(file) {
  const { stdout } = await exec('/usr/bin/convert', [file, '-alpha', 'off', '-depth', '8', 'rgb:-'],
    { encoding: 'buffer', maxBuffer: 64 << 20 });
  return stdout;
}

// The console's lines that name a refused link value.
async function refusals(page) {
  return (await page.panel()).split('\n').filter((line) => line.startsWith('[The link\'s parameter'));
}

export async function checkModesPage(browser, url, desktopModes, check) {
  const folder = mkdtempSync(join(tmpdir(), 'vibsim-modes-'));
  const pages = [];
  try {
    const options = ['--masses', '3', '--mass', '1,2,1', '--stiffness', '1', '--mode', '2', '--force-at', '2',
      '--force', '0.5'];
    const web = await Page.open(browser,
      `${url}modes.html?masses=3&mass=1,2,1&stiffness=1&mode=2&force_at=2&force=0.5&lang=en`);
    pages.push(web);
    const { page } = web;
    const cdp = await page.createCDPSession();
    await cdp.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: folder });
    await web.waitForPanel('Esc key: quit\n');
    check(!(await web.panel()).includes('N = ') && (await web.panel()).includes('Mode  3  ω=    1.6180'),
      'modes page: the link runs its case without a dialog');
    await page.waitForFunction(() => document.querySelector('a#response-csv').href.startsWith('blob:'));
    const csv = await download(page, folder, 'a#csv');
    check(csv.equals(await desktopFile(desktopModes, folder, options, '--csv')),
      "modes page: the modes CSV is the desktop's --csv, byte for byte");
    const response = await download(page, folder, 'a#response-csv');
    check(response.equals(await desktopFile(desktopModes, folder, options, '--response-csv')),
      "modes page: the response CSV is the desktop's --response-csv, byte for byte");
    const motion = await download(page, folder, 'a#motion-csv');
    const motionDifference = csvDifference(motion, await desktopFile(desktopModes, folder, options, '--motion-csv'));
    check(motionDifference <= 1e-12,
      `modes page: the motion CSV is the desktop's --motion-csv, to ${motionDifference} of each column's peak`);
    // One sweep of 250 frames: the desktop's --png picture, but for a few
    // pixels along steep curves where two rasterisers round apart.
    const png = join(folder, 'desktop.png');
    await exec(desktopModes, [...options, '--png', png]);
    const [drawn, desktop] = [await canvasPixels(page, 250), await pngPixels(png)];
    const differing = drawn.length === desktop.length ? differingPixels(drawn, desktop) : Infinity;
    check(differing <= 0.005 * width * 768,
      `modes page: after 250 frames ${differing} of ${width * 768} pixels differ from the desktop's --png`);
    await page.click('button[data-key="]"]');
    const moved = await download(page, folder, 'a#response-csv');
    options[options.indexOf('--force-at') + 1] = '3';
    check(moved.equals(await desktopFile(desktopModes, folder, options, '--response-csv')),
      "modes page: after ] the response CSV is the desktop's for the force on mass 3");

    // A mode button changes the picture and the case; the link of the case
    // reads it back.
    const before = await picture(page);
    await page.click('button[data-key="3"]');
    check(!before.equals(await picture(page)), 'modes page: the mode 3 button changes the picture');
    check((await page.$eval('#picture-description', (e) => e.textContent)).includes('started in mode 3'),
      "modes page: the picture's description follows the mode");
    await page.click('#link');
    const link = new URL(await page.$eval('#link-text', (e) => e.value));
    check(link.search === '?masses=3&mass=1%2C2%2C1&damping=0&stiffness=1&mode=3&force_at=3&force=0.5' +
      '&force_frequency=1&lang=en', `modes page: the link of the case reads it back: ${link.search}`);
    check(await page.$eval('a#simulator-page', (a) => a.getAttribute('href')) === 'index.html?lang=en' &&
      await page.$eval('a#random-page', (a) => a.getAttribute('href')) === 'random.html?lang=en',
      "modes page: links to the simulator's and the random lab's pages");
    const labels = await page.$$eval('#keys button[data-key]', (buttons) => buttons.map((b) => b.textContent));
    check(labels.length === 22 && labels.every((l) => /^\S+ [a-z]/.test(l)),
      'modes page: 22 key buttons, each labelled');
    await page.click('button[data-key="Escape"]');
    await web.waitForPanel('the simulation has ended');
    check(await page.$eval('#console-input', (e) => e.disabled), 'modes page: the Esc button ends the lab');

    // Values the program's rules refuse: one line each, and the lab runs
    // without them (the dialog asks, in Japanese by default, and no file is
    // offered before the window shows a chain; the chain of 3 equal masses;
    // the first of mode and pluck).
    const tooMany = await Page.open(browser, `${url}modes.html?masses=30`);
    pages.push(tooMany);
    await tooMany.waitForPanel('N = ');
    const many = (await tooMany.panel()).split('\n').filter((line) => line.startsWith('[リンクのパラメータ'));
    check(many.length === 1 && many[0] === '[リンクのパラメータ masses は使いませんでした: 1 から 21 までの整数ではありません]',
      `modes page: masses=30 gives one line, in Japanese: ${many}`);
    const japanese = await tooMany.page.$$eval('#keys button[data-key]', (buttons) => buttons.map((b) => b.textContent));
    check(japanese.length === 22 && japanese.every((l) => /[\u3040-\u30ff\u4e00-\u9fff]/.test(l)),
      'modes page: the key buttons are labelled in Japanese');
    check(await tooMany.page.$$eval('a#csv, a#response-csv', (links) => links.every((a) => !a.hasAttribute('href'))),
      'modes page: no file is offered while the dialog asks for the first chain');
    const short = await Page.open(browser, `${url}modes.html?masses=3&mass=1,2&mode=2&lang=en`);
    pages.push(short);
    await short.waitForPanel('Esc key: quit\n');
    const list = await refusals(short);
    check(list.length === 1 && list[0].includes(' mass ') && (await short.panel()).includes('Mode  3  ω=    1.8478'),
      `modes page: mass=1,2 of 3 masses gives one line and runs the chain without it: ${list}`);

    const both = await Page.open(browser, `${url}modes.html?masses=4&mode=2&pluck=3&lang=en`);
    pages.push(both);
    await both.waitForPanel('Esc key: quit\n');
    const one = await refusals(both);
    check(one.length === 1 && one[0].includes(' pluck ') && (await both.page.$eval('#picture-description',
      (e) => e.textContent)).includes('started in mode 2'), `modes page: of mode and pluck the first is taken: ${one}`);

    // play=1 with a chain by link, which asks nothing: the lab runs at once.
    const playing = await Page.open(browser, `${url}modes.html?masses=2&play=1&lang=en`);
    pages.push(playing);
    const runs = await playing.page.waitForFunction(() =>
      /time t = [1-9]/.test(document.getElementById('picture-description').textContent), { timeout: 20000 })
      .then(() => true, () => false);
    check(runs, 'modes page: play=1 runs a chain given by link without a key');

    await checkInFrame(browser, url, check);

    const errors = pages.flatMap((p) => p.errors);
    check(errors.length === 0, `modes page: no error${errors.length ? `: ${errors.join('; ')}` : ''}`);
  } finally {
    await Promise.all(pages.map((p) => p.page.close()));
    rmSync(folder, { recursive: true, force: true });
  }
}

// In a frame that forbids downloads (a learning platform's), a click on
// either link also offers its file as text to copy, in the page's language;
// a key that changes the response's case withdraws its text, not the
// modes', and the next click offers the new file.
async function checkInFrame(browser, url, check) {
  const { parent, frame } = await openInFrame(browser,
    `${url}modes.html?masses=3&mass=1,2,1&stiffness=1&mode=2&force_at=2&lang=en`, 'allow-scripts allow-same-origin');
  try {
    await frame.waitForFunction(() => document.querySelector('a#response-csv')?.href.startsWith('blob:'),
      { timeout: 60000 });
    const offered = async (id) => {
      await frame.click(`a#${id}`);
      return frame.evaluate(async (i) => {
        const box = document.getElementById(`${i}-text`);
        return { file: await (await fetch(document.getElementById(i).href)).text(), words: box?.firstChild.textContent,
          text: box && !box.hidden ? box.querySelector('textarea').value : null };
      }, id);
    };
    const modes = await offered('csv');
    const response = await offered('response-csv');
    check(modes.text === modes.file && modes.file.length > 0 && response.text === response.file &&
      response.file.length > modes.file.length, 'modes page in a frame: both CSV files are offered as text');
    check(modes.words === 'If no download starts (a frame may forbid downloads), copy the Modes CSV from here:' &&
      response.words.includes('copy the Response CSV'), `modes page in a frame: the text says what to copy: ${modes.words}`);
    await frame.click('button[data-key="]"]');
    const withdrawn = await frame.waitForFunction(() => document.getElementById('response-csv-text').hidden,
      { timeout: 20000 }).then(() => true, () => false);
    check(withdrawn && await frame.$eval('#csv-text', (e) => !e.hidden),
      'modes page in a frame: the response text is withdrawn when the forced mass changes');
    const moved = await offered('response-csv');
    check(moved.text === moved.file && moved.file !== response.file,
      'modes page in a frame: the next click offers the new response as text');
  } finally {
    await parent.close();
  }
}
