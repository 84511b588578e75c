// The random-vibration lab's page, walked in the page test's browser session:
// the link run seed=1&records=64 (in English) offers the CSV that the desktop's
// --seed 1 --records 64 --csv writes, to 1e-9 of the spectrum's peak, and its
// Link gives the same run again; the canvas shows the spectrum; the s, r and
// Esc buttons work, and holding s runs the lab; the page raises no error.
// Then the link's faults: options outside the program's rules, a value the
// program refuses, a long run (which leaves the page live and stops at Esc),
// and a frame that forbids downloads.
import { execFile } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { promisify } from 'node:util';
import { Page, openInFrame, waitForFramePanel } from './harness.mjs';

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

// The largest difference of the page's CSV from the desktop's, or -1 when
// their header, lines or empty fields differ; and the spectrum's peak.
function compareCsv(desktop, shown) {
  const peak = Math.max(...desktop.rows.map((r) => Number(r[1])));
  let largest = shown.header === desktop.header && shown.rows.length === desktop.rows.length ? 0 : -1;
  desktop.rows.forEach((row, k) => {
    row.forEach((field, j) => {
      const other = shown.rows[k]?.[j];
      if ((field === '') !== (other === '') || other === undefined) largest = -1;
      else if (field !== '' && largest >= 0) largest = Math.max(largest, Math.abs(Number(field) - Number(other)));
    });
  });
  return { largest, peak };
}

async function desktopCsv(desktopRandom, args) {
  const folder = mkdtempSync(join(tmpdir(), 'vibsim-random-'));
  try {
    await exec(desktopRandom, [...args, '--csv', join(folder, 'desktop.csv')]);
    return parseCsv(readFileSync(join(folder, 'desktop.csv'), 'utf8'));
  } finally {
    rmSync(folder, { recursive: true, force: true });
  }
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

  // Link gives the same run again: the dialog's values, seed and records.
  await page.click('#link');
  const link = await page.$eval('#link-text', (e) => e.value);
  check(new URL(link).search === '?mass=1&damping=0.2&stiffness=4&y0=0&v0=0&force=1&seed=1&records=64&lang=en',
    `lab page: Link keeps seed and records: ${new URL(link).search}`);
  const again = await Page.open(browser, link);
  await again.page.waitForFunction(() => document.querySelector('a#csv').href.startsWith('blob:'), { timeout: 60000 });
  check(await pageCsv(again.page) === await pageCsv(page), 'lab page: the link gives the same spectrum');
  await again.page.close();

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
  check(await page.$eval('a#simulator-page', (a) => a.getAttribute('href')) === 'index.html?lang=en' &&
    await page.$eval('a#modes-page', (a) => a.getAttribute('href')) === 'modes.html?lang=en',
    "lab page: links to the simulator's and the modes lab's pages");
  check(web.errors.length === 0, `lab page: no error${web.errors.length ? `: ${web.errors.join('; ')}` : ''}`);
  await page.close();
  await checkLinkFaults(browser, url, desktopRandom, check);
}

const answers = 'mass=1&damping=0.2&stiffness=4&y0=0&v0=0&force=1';

async function checkLinkFaults(browser, url, desktopRandom, check) {
  // Options outside the program's rules are named and not used, and a value
  // the program refuses leaves the dialog to ask, with the rest of the
  // link's answers dropped. No CSV is offered before a record is in.
  const bad = await Page.open(browser, `${url}random.html?lang=en&mass=0&damping=0.2&stiffness=4&y0=0.5&v0=0.25&force=2` +
    '&seed=4294967296&records=0');
  await bad.waitForPanel('out of range');
  await bad.waitForPanel('m λ K =', (await bad.panel()).indexOf('out of range'));
  let panel = await bad.panel();
  check(panel.startsWith("[The link's parameter seed was not used: it is not a whole number from 0 to 4294967295]\n" +
    "[The link's parameter records was not used: it is not a whole number from 1 to 100000]\n"),
    'lab page: a seed and records outside the rules are named');
  check(panel.includes("[The program refused the link's mass, damping, stiffness, so y0, v0, force were not used either]\n") &&
    !panel.includes('0.5 0.25\n'), 'lab page: a refused link value leaves the dialog to ask');
  await bad.enter('');
  await bad.waitForPanel('y0 v0 = ', panel.length);
  await bad.enter('');
  await bad.enter('');
  await bad.waitForPanel('Esc key: quit\n');
  check(!(await bad.panel()).includes('usage'), 'lab page: the program gets no option it refuses');
  check(await bad.page.$eval('a#csv', (a) => !a.hasAttribute('href')), 'lab page: no CSV before a record');
  await bad.page.click('button[data-key="s"]');
  await bad.page.click('button[data-key="Escape"]');
  await bad.waitForPanel('[Esc:');
  check(bad.errors.length === 0, `lab page with a bad link: no error${bad.errors.length ? `: ${bad.errors.join('; ')}` : ''}`);
  await bad.page.close();

  // Non-finite values are refused by the page.
  const infinite = await Page.open(browser, `${url}random.html?lang=en&mass=1&damping=0.2&stiffness=4&y0=inf&v0=0&force=1`);
  await infinite.waitForPanel('m λ K =');
  check((await infinite.panel()).startsWith("[The link's parameter y0 was not used: it is not a finite number]\n"),
    'lab page: y0=inf is refused');
  await infinite.page.close();

  // 400 records by link: run in slices, with progress, to the desktop's
  // numbers. A probe in the page times the gaps between its timer's ticks.
  const long = await Page.open(browser, 'about:blank');
  await long.page.evaluateOnNewDocument(() => {
    window.largestGap = 0;
    window.progressSeen = '';
    let last = performance.now();
    // Gaps while the records run, from the first progress shown.
    setInterval(() => {
      const now = performance.now();
      const progress = document.getElementById('progress');
      const running = progress && !progress.hidden;
      if (running && window.progressSeen !== '') window.largestGap = Math.max(window.largestGap, now - last);
      if (running) window.progressSeen = progress.textContent;
      last = now;
    }, 5);
  });
  const started = Date.now();
  await long.page.goto(`${url}random.html?lang=en&${answers}&seed=3&records=400`);
  await long.page.waitForFunction(() => document.querySelector('a#csv').href.startsWith('blob:'), { timeout: 120000 });
  const probe = await long.page.evaluate(() => ({ gap: window.largestGap, progress: window.progressSeen }));
  console.log(`lab page: 400 records in ${Date.now() - started} ms, the largest gap between timer ticks during the run ${probe.gap.toFixed(1)} ms`);
  check(/^record \d+ of 400$/.test(probe.progress), `lab page: the run shows its progress (${probe.progress})`);
  const { largest, peak } = compareCsv(await desktopCsv(desktopRandom, ['--seed', '3', '--records', '400']),
    parseCsv(await pageCsv(long.page)));
  check(largest >= 0 && largest <= 1e-9 * peak, `lab page: 400 records in slices give the desktop's CSV (${largest})`);
  check(await long.page.$eval('a#csv', (a) => a.download) === 'vibsim-random-400.csv', 'lab page: the CSV is named for its records');
  await long.page.close();

  // Esc in the middle of a long run ends it.
  const stopped = await Page.open(browser, `${url}random.html?lang=en&${answers}&records=2000`);
  await stopped.page.waitForFunction(() => !document.getElementById('progress').hidden, { timeout: 60000 });
  await stopped.press('Escape');
  await stopped.waitForPanel('[Esc:');
  check(await stopped.page.$eval('#progress', (e) => e.hidden), 'lab page: Esc ends a long run');
  await stopped.page.close();

  // In a frame that forbids downloads the CSV is offered as text to copy.
  const framed = await openInFrame(browser, `${url}random.html?lang=en&${answers}&records=1`, 'allow-scripts allow-same-origin');
  await framed.frame.waitForFunction(() => document.querySelector('a#csv')?.href.startsWith('blob:'), { timeout: 60000 });
  await framed.frame.click('a#csv');
  const copied = await framed.frame.$eval('#csv-text textarea', (e) => e.value).catch(() => '');
  const file = await framed.frame.evaluate(async () => (await fetch(document.querySelector('a#csv').href)).text());
  check(copied === file && copied.startsWith(parseCsv(file).header), 'lab page: in a frame the CSV is offered as text');
  check(await framed.frame.$eval('#csv-text', (e) => e.firstChild.textContent).catch(() => '') ===
    'If no download starts (a frame may forbid downloads), copy the CSV from here:', 'lab page: the text says what to copy');
  await framed.parent.close();
}
