// The random-vibration lab's page, walked in the page test's browser session:
// the link run seed=1&records=64 (in English) offers the CSV that the desktop's
// --seed 1 --records 64 --csv writes, to 1e-9 of the spectrum's peak; the
// canvas shows the spectrum; the s, r and Esc buttons work, and holding s
// runs the lab; the page raises no error.
import { execFile } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { promisify } from 'node:util';
import { Page } from './harness.mjs';

const exec = promisify(execFile);

function parseCsv(text) {
  const lines = text.trimEnd().split('\n');
  return { header: lines[0], rows: lines.slice(1).map((line) => line.split(',')) };
}

// The canvas as shown, as counts of the spectrum's red stems and blue curve.
async function spectrumColours(page) {
  await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
  const png = await (await page.$('#screen')).screenshot({ type: 'png' });
  const raw = await new Promise((resolve, reject) => {
    const child = execFile('/usr/bin/convert', ['png:-', '-depth', '8', 'rgb:-'], { encoding: 'buffer', maxBuffer: 64 << 20 },
      (error, stdout) => (error ? reject(error) : resolve(stdout)));
    child.stdin.end(png);
  });
  let red = 0;
  let blue = 0;
  for (let i = 0; i < raw.length; i += 3) {
    if (raw[i] >= 180 && raw[i + 1] < 60 && raw[i + 2] < 60) ++red;
    if (raw[i + 2] >= 180 && raw[i] < 60 && raw[i + 1] < 120) ++blue;
  }
  return { red, blue, raw };
}

async function pageCsv(page) {
  return page.evaluate(async () => {
    const link = document.querySelector('a#csv');
    return link.href.startsWith('blob:') ? (await fetch(link.href)).text() : '';
  });
}

export async function checkRandomPage(browser, url, desktopRandom, check) {
  const web = await Page.open(browser, `${url}random.html?seed=1&records=64&lang=en`);
  const { page } = web;
  // The dialog, in English; empty lines keep the desktop's defaults.
  await web.waitForPanel('m λ K =');
  check(await page.$eval('html', (e) => e.lang) === 'en', 'lab page: lang=en gives an English page');
  await web.enter('');
  await web.waitForPanel('y0 v0 = ');
  await web.enter('');
  await web.waitForPanel('σ = ');
  const started = Date.now();
  await web.enter('');
  await page.waitForFunction(() => document.querySelector('a#csv').href.startsWith('blob:'), { timeout: 60000 });
  console.log(`lab page: 64 records and the first picture in ${Date.now() - started} ms`);
  check(await page.$eval('a#csv', (a) => a.download) === 'vibsim-random-64.csv', 'lab page: the CSV link is vibsim-random-64.csv');

  const folder = mkdtempSync(join(tmpdir(), 'vibsim-random-'));
  try {
    const file = join(folder, 'desktop.csv');
    const desktopStart = Date.now();
    await exec(desktopRandom, ['--seed', '1', '--records', '64', '--csv', file]);
    console.log(`lab page: the desktop's --seed 1 --records 64 --csv in ${Date.now() - desktopStart} ms`);
    const desktop = parseCsv(readFileSync(file, 'utf8'));
    const shown = parseCsv(await pageCsv(page));
    const peak = Math.max(...desktop.rows.map((r) => Number(r[1])));
    let largest = 0;
    let sameShape = shown.header === desktop.header && shown.rows.length === desktop.rows.length;
    desktop.rows.forEach((row, k) => {
      row.forEach((field, j) => {
        const other = shown.rows[k]?.[j];
        if ((field === '') !== (other === '') || other === undefined) sameShape = false;
        else if (field !== '') largest = Math.max(largest, Math.abs(Number(field) - Number(other)));
      });
    });
    console.log(`lab page: largest difference from the desktop's CSV ${largest} (peak ${peak})`);
    check(sameShape, "lab page: the CSV has the desktop's header, lines and empty fields");
    check(peak > 0 && largest <= 1e-9 * peak, `lab page: the CSV is the desktop's to ${largest / peak} of the peak`);
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }

  const drawn = await spectrumColours(page);
  check(drawn.red > 100 && drawn.blue > 100, `lab page: the canvas shows the spectrum (${drawn.red} red, ${drawn.blue} blue pixels)`);

  // s advances the picture; r empties the average; holding s runs the lab
  // until a record is full again.
  await page.click('button[data-key="s"]');
  const advanced = await spectrumColours(page);
  check(!advanced.raw.equals(drawn.raw), 'lab page: the s button advances the picture');
  await page.click('button[data-key="r"]');
  const amplitudes = async () => parseCsv(await pageCsv(page)).rows.map((r) => Number(r[1]));
  check((await amplitudes()).every((a) => a === 0), 'lab page: the r button restarts the average');
  const button = await page.$('button[data-key="s"]');
  const box = await button.boundingBox();
  await page.mouse.move(box.x + box.width / 2, box.y + box.height / 2);
  await page.mouse.down();
  let filled = false;
  for (const deadline = Date.now() + 30000; !filled && Date.now() < deadline;) {
    await new Promise((r) => setTimeout(r, 200));
    filled = (await amplitudes()).some((a) => a > 0);
  }
  await page.mouse.up();
  check(filled, 'lab page: holding s runs the lab to a full record');
  await page.click('button[data-key="Escape"]');
  await web.waitForPanel('Esc');
  check(await page.$eval('#console-input', (e) => e.disabled), 'lab page: the Esc button ends the lab');
  check(await page.$eval('a#other-page', (a) => a.getAttribute('href')) === 'index.html?lang=en' &&
    await page.$eval('a#modes-page', (a) => a.getAttribute('href')) === 'modes.html?lang=en',
    "lab page: links to the simulator's and the modes lab's pages");
  check(web.errors.length === 0, `lab page: no error${web.errors.length ? `: ${web.errors.join('; ')}` : ''}`);
  await page.close();
}
