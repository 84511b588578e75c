// The browser edition, walked through as a user would in one session of
// headless Chromium, side by side with the desktop program under X given the
// same console input and keys: the dialog, the picture after 120 frames and
// after each rescaling key, a new dialog by 'j' and by 'm' (with keys pressed
// while it waits, and a stray word in its input), a held key, Esc, and a
// reload. Then the classroom's ways in, each against the desktop's picture
// after 120 frames: a phone with the key buttons, a case by link in the page
// as one file opened from the disk (and its WebGL context lost and restored),
// a link with markup, English, a browser without WebGL and a very long line.
// Last the labs' pages beside the desktop vibsim-random and vibsim-modes.
//
// node page_test.mjs <build/web folder> <desktop vibsim program> [<desktop vibsim-random>] [<desktop vibsim-modes>]
// Exit status 0: passed; 1: failed; 77: skipped (no page built, no npm
// modules, or no X display).
import { existsSync } from 'node:fs';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';

const [pageFolder, desktopProgram, desktopRandom, desktopModes] = process.argv.slice(2).map((p) => p && resolve(p));
const here = dirname(fileURLToPath(import.meta.url));
function skip(why) {
  console.log(`SKIPPED: ${why}`);
  process.exit(77);
}
if (!pageFolder || !desktopProgram) {
  console.error('usage: node page_test.mjs <build/web folder> <desktop vibsim program> [<desktop vibsim-random>] [<desktop vibsim-modes>]');
  process.exit(2);
}
if (!existsSync(join(pageFolder, 'vibsim.html'))) skip(`no page in ${pageFolder} (scripts/web --build-only builds it)`);
if (!existsSync(join(here, 'node_modules', 'puppeteer-core'))) skip(`no npm modules (npm ci in ${here})`);
if (!process.env.DISPLAY) skip('DISPLAY is unset: the desktop program needs an X server (scripts/test gives one)');

const { Desktop, Page, countColour, differingPixels, launchBrowser, openInFrame, pixel, savePng, serve, size, sleep, massRow,
  waitForFramePanel, windowTitle } = await import('./harness.mjs');

const constantsPrompt = '\nマスm[kg]，ダンパーλ[N/(m/s)]，ばね定数K[N/m]キー入力 m λ K =';
const initialConditionsPrompt = '\n初期条件キー入力　y0 v0 = ';
const endOfKeyHelp = '\nESCキーで：終了\n';
const allowedDifference = 0.005 * size * size;
// The labels' colour: the lit raster colour, 0.04 grey.
const labelColour = [10, 10, 10];

let failures = 0;
function check(condition, what) {
  console.log(`${condition ? 'ok  ' : 'FAIL'} ${what}`);
  if (!condition) ++failures;
}

const server = await serve(pageFolder);
const { browser, close } = await launchBrowser();
const desktop = new Desktop(desktopProgram);
let web;
let shot = 0;

// The page's picture against the desktop's after the same input: the same
// picture, in the same frame, with the same labels. Both pictures are kept as
// files when they differ.
async function compare(what, desktopBefore) {
  const [d, w] = [await desktop.picture(desktopBefore), await web.picture()];
  await judge(what, d, w);
  return { desktop: d, page: w };
}

async function judge(what, d, w) {
  const differing = differingPixels(d, w);
  // One frame more or less moves the mass by a pixel or more.
  const sameMass = Math.abs(massRow(d) - massRow(w)) <= 0.5;
  // Curves that cross the labels may cover a few of their pixels differently.
  const labels = [countColour(d, labelColour), countColour(w, labelColour)];
  const sameLabels = labels[0] > 0 && Math.abs(labels[0] - labels[1]) <= 0.02 * labels[0];
  check(differing <= allowedDifference, `${what}: ${differing} of ${size * size} pixels differ from the desktop's`);
  check(sameMass, `${what}: the mass is where the desktop draws it, in the same frame`);
  check(sameLabels, `${what}: ${labels[1]} pixels of the labels' dark grey, ${labels[0]} on the desktop`);
  if (differing > allowedDifference || !sameMass || !sameLabels) {
    ++shot;
    await savePng(d, `page_test.${shot}.desktop.png`);
    await savePng(w, `page_test.${shot}.page.png`);
  }
}

// The panel holds the program's output with each entered line echoed where
// it was typed; without the echoes it is what the desktop wrote.
const entered = [];
async function enterBoth(line) {
  entered.push(`${line}\n`);
  desktop.type(line);
  await web.enter(line);
}
function withoutEchoes(panel) {
  let text = panel;
  let from = 0;
  for (const echo of entered) {
    const at = text.indexOf(echo, from);
    if (at < 0) return null;
    text = text.slice(0, at) + text.slice(at + echo.length);
    from = at;
  }
  return text;
}

// The classroom's ways in. `after120` is the desktop's picture after the
// dialog m = 1, lambda = 0.5, K = 4, y0 = 1, v0 = 0 and 120 frames.
async function classroom(after120) {
  const caseQuery = '?mass=1&damping=0.5&stiffness=4&y0=1&v0=0';
  const pages = [];
  const open = async (url, options) => {
    const page = await Page.open(browser, url, options);
    pages.push(page);
    return page;
  };

  // A phone held upright: nothing lies beyond its width; 120 taps of the s
  // button give the desktop's picture; the j button asks for the initial
  // conditions only, with the console input focused.
  const phoneView = { width: 390, height: 844, deviceScaleFactor: 1, isMobile: true, hasTouch: true };
  const phone = await open(server.url, { viewport: phoneView });
  await phone.waitForPanel(constantsPrompt);
  const widths = await phone.page.evaluate(() => {
    const right = (selector) => Math.max(...[...document.querySelectorAll(selector)].map((e) => e.getBoundingClientRect().right));
    return { page: document.documentElement.scrollWidth, parts: right('#screen, #keys button, #console-input, #console-enter') };
  });
  check(widths.page <= 390 && widths.parts <= 390,
    `at 390 x 844 the page is ${widths.page} px wide, its canvas, buttons and input end by ${widths.parts} px`);
  await phone.answerDialog('1 0.5 4', '1 0');
  await phone.tap('s', 120);
  // Turned sideways on a large screen, the canvas shows at its own size.
  await phone.page.setViewport({ ...phoneView, width: 1400, height: 840 });
  await judge('120 taps of the s button on a phone', after120, await phone.picture());
  let mark = (await phone.panel()).length;
  await phone.tap('j');
  await phone.waitForPanel(initialConditionsPrompt, mark);
  check(!(await phone.panel()).includes(constantsPrompt, mark), 'the j button asks for the initial conditions only');
  check(await phone.page.evaluate(() => document.activeElement.id) === 'console-input', 'the console input takes focus when asked');
  await phone.enter('0.5 0');
  await phone.waitForPanel(endOfKeyHelp, mark);

  // The page as one file, opened from the disk, given its case by link: the
  // numbers answer the dialog as typed lines, and 120 frames give the
  // desktop's picture, again after the WebGL context is lost and restored.
  // The served page opened from the disk cannot fetch its .wasm: it says so
  // and points to the one file, raising no error of its own.
  const served = await Page.open(browser, `file://${pageFolder}/index.html`);
  const pointed = await served.page.waitForFunction(() => {
    const message = document.getElementById('no-webgl');
    return !message.hidden && message.querySelector('a[href^="vibsim.html"]') !== null;
  }, { timeout: 15000 }).then(() => true, () => false);
  check(pointed, 'index.html opened from the disk points to vibsim.html');
  check(served.errors.length === 0, `index.html from the disk raises no error${served.errors.length ? `: ${served.errors}` : ''}`);
  await served.page.close();
  const onDisk = await open(`file://${pageFolder}/vibsim.html${caseQuery}`);
  await onDisk.waitForPanel(endOfKeyHelp);
  const typed = await onDisk.panel();
  check(typed.includes('K =1 0.5 4\n') && typed.includes('y0 v0 = 1 0\n'), "the link's numbers are answered as typed lines");
  await onDisk.press('s', 120);
  const shown = await onDisk.picture();
  await judge('vibsim.html from the disk, its case by link, after 120 frames', after120, shown);
  await onDisk.page.evaluate(() => new Promise((resolve) => {
    const canvas = document.getElementById('screen');
    const loss = canvas.getContext('webgl').getExtension('WEBGL_lose_context');
    canvas.addEventListener('webglcontextlost', () => setTimeout(() => loss.restoreContext(), 50), { once: true });
    canvas.addEventListener('webglcontextrestored', () => setTimeout(resolve, 0), { once: true });
    loss.loseContext();
  }));
  check(differingPixels(shown, await onDisk.picture()) === 0, 'a restored WebGL context shows the same picture again');

  // Markup in a link value is a value that is not a number, nothing more.
  const markup = await open(`${server.url}?mass=%3Cimg%20src%3Dx%20onerror%3D%22window.linkRan%3D1%22%3E` +
    '&damping=0.5&stiffness=4&y0=1&v0=0');
  await markup.waitForPanel(constantsPrompt);
  await sleep(200);
  check(await markup.page.evaluate(() => window.linkRan === undefined && document.querySelector('img') === null) &&
    !(await markup.panel()).includes('<img') && !(await markup.panel()).includes('K =1'),
    'markup in a link value runs nothing, shows nothing and answers nothing');
  check((await markup.panel()).startsWith('[リンクのパラメータ mass '), 'one line names the parameter not used');

  // English: no Japanese anywhere on the page, the same numbers; the link of
  // the case gives its doubles back exactly.
  // A + in a link reads as a blank, which is trimmed.
  const english = await open(`${server.url}?lang=en&mass=+1&damping=0.5&stiffness=4.000000000000001&y0=1e-7&v0=-0`);
  await english.waitForPanel('ESC key: end\n');
  const text = await english.page.evaluate(() => document.body.innerText + document.title);
  check(!/[\u3000-\u30ff\u3400-\u9fff\uff00-\uffef]/.test(text) &&
    await english.page.evaluate(() => document.documentElement.lang) === 'en', 'lang=en shows no Japanese');
  check((await english.panel()).includes('m λ K =1 0.5 4.000000000000001\n'), 'mass=+1 answers as 1');
  check((await english.panel()).includes('ω0= 2.0000[rad/s], damping ratio ζ= 0.1250  underdamped\n' +
    'Damped natural frequency Ω= 1.9843'), 'lang=en shows the same numbers');
  await english.page.click('#link');
  const link = new URL(await english.page.$eval('#link-text', (e) => e.value));
  check(link.search === '?mass=1&damping=0.5&stiffness=4.000000000000001&y0=1e-7&v0=-0&lang=en',
    `the link of the case reads back as the same doubles: ${link.search}`);
  // The keys work from the link box, where Link leaves the focus.
  const time = () => english.page.$eval('#picture-description', (e) => e.textContent.match(/t = (\S+) s/)[1]);
  check(await english.page.evaluate(() => document.activeElement.id) === 'link-text', 'Link focuses the link box');
  const before = await time();
  await english.page.keyboard.press('s');
  const advanced = await english.page.waitForFunction((t) =>
    !document.getElementById('picture-description').textContent.includes(`t = ${t} s`), { timeout: 5000 }, before)
    .then(() => true, () => false);
  check(advanced, `s from the link box advances the picture (t = ${before} s, then ${await time()} s)`);

  // A line of 100 000 characters that are not a number is echoed shortened
  // and answered at once by the next prompt.
  mark = (await english.panel()).length;
  await english.press('m');
  await english.waitForPanel('m λ K =', mark);
  const answered = await english.page.evaluate((prompt) => new Promise((resolve) => {
    const panel = document.getElementById('console');
    const input = document.getElementById('console-input');
    const from = panel.textContent.length;
    setTimeout(() => resolve(NaN), 20000);
    new MutationObserver((_, observer) => {
      if (panel.textContent.indexOf(prompt, from) < 0) return;
      observer.disconnect();
      resolve(performance.now() - start);
    }).observe(panel, { childList: true });
    input.value = 'x'.repeat(100000);
    const start = performance.now();
    document.getElementById('console-enter').click();
  }), 'y0 v0 = ');
  console.log(`     a line of 100 000 characters answered in ${answered.toFixed(1)} ms`);
  check(!Number.isNaN(answered), 'a line of 100 000 characters is answered');
  check((await english.panel()).includes('… (100 000 characters)\n', mark), 'the long line is echoed shortened');
  await english.enter('1 0');
  await english.waitForPanel('ESC key: end\n', mark);

  // Learning platforms' frames. Without allow-forms the input's Enter key
  // and the Enter button still answer the dialog.
  const noForms = await openInFrame(browser, `${server.url}?lang=en`, 'allow-scripts allow-same-origin');
  await waitForFramePanel(noForms.frame, 'm λ K =');
  await noForms.frame.type('#console-input', '1 0.5 4');
  await (await noForms.frame.$('#console-input')).press('Enter');
  await waitForFramePanel(noForms.frame, 'y0 v0 = ');
  await noForms.frame.type('#console-input', '1 0');
  await noForms.frame.click('#console-enter');
  check(await waitForFramePanel(noForms.frame, 'ESC key: end\n').then(() => true, () => false),
    'in a frame without allow-forms, Enter and the Enter button answer the dialog');
  await noForms.parent.close();
  // Without allow-same-origin the .wasm cannot be fetched: the page says so
  // and points to the one file, with the link's case, which runs there.
  const noOrigin = await openInFrame(browser, `${server.url}?lang=en&mass=1&damping=0.5&stiffness=4&y0=1&v0=0`,
    'allow-scripts');
  const oneFile = await noOrigin.frame.waitForFunction(() => {
    const message = document.getElementById('no-webgl');
    return !message.hidden && message.textContent.includes('frame') && message.querySelector('a')?.getAttribute('href');
  }, { timeout: 15000 }).then((h) => h.jsonValue(), () => null);
  check(oneFile === 'vibsim.html?lang=en&mass=1&damping=0.5&stiffness=4&y0=1&v0=0',
    `in a frame without allow-same-origin the page points to the one file: ${oneFile}`);
  if (oneFile) {
    await noOrigin.frame.click('#no-webgl a');
    check(await waitForFramePanel(noOrigin.frame, 'ESC key: end\n').then(() => true, () => false),
      'the one file runs the case in that frame');
  }
  await noOrigin.parent.close();
  // Without scripts, a text says what the page needs.
  const noScripts = await openInFrame(browser, server.url, '');
  const noScriptText = await noScripts.frame.$eval('body', (b) => b.innerText).catch(() => '');
  check(noScriptText.includes('This page needs JavaScript'), 'in a frame without scripts the page says it needs them');
  await noScripts.parent.close();

  // After a typed dialog the keys go to the picture, not the input; a line
  // entered while nothing is asked stays in the input, with a note, and is
  // not taken by the next dialog. The picture has a name and a text
  // alternative that follows the case; the focus shows.
  const afterDialog = await open(`${server.url}?lang=en`);
  await afterDialog.answerDialog('1 0.5 4', '1 0', 'ESC key: end\n');
  check(await afterDialog.page.evaluate(() => document.activeElement.id) === 'screen', 'after the dialog the picture has the focus');
  await afterDialog.page.keyboard.press('s');
  await afterDialog.page.keyboard.press('s');
  check(await afterDialog.page.$eval('#console-input', (e) => e.value) === '', 'keys after the dialog type nothing');
  const outline = (selector) => afterDialog.page.$eval(selector, (e) => { e.focus(); return getComputedStyle(e).outlineStyle; });
  check(await outline('#screen') !== 'none' && await outline('#console-input') !== 'none',
    'the focused picture and console input show their focus');
  mark = (await afterDialog.panel()).length;
  await afterDialog.enter('2 0.5 4');
  await afterDialog.waitForPanel('[Nothing is being asked now', mark);
  check(await afterDialog.page.$eval('#console-input', (e) => e.value) === '2 0.5 4', 'a line entered while nothing is asked stays in the input');
  await afterDialog.page.click('button[data-key="m"]');
  await afterDialog.waitForPanel('m λ K =', mark);
  await sleep(200);
  check(!(await afterDialog.panel()).includes('2 0.5 4\n', mark), 'the next dialog does not take that line');
  await afterDialog.page.keyboard.press('Enter');
  await afterDialog.waitForPanel('y0 v0 = ', mark);
  await afterDialog.enter('0.5 0');
  await afterDialog.waitForPanel('ω0= 1.4142', mark);
  await afterDialog.press('s');
  await afterDialog.page.waitForFunction(() => document.getElementById('picture-description').textContent.includes('t = 0.04 s'),
    { timeout: 5000 }).catch(() => {});
  const snapshot = await afterDialog.page.accessibility.snapshot({ root: await afterDialog.page.$('#screen') });
  check(['img', 'image'].includes(snapshot?.role) && snapshot.name.startsWith('Damped free vibration'), `the picture's name: ${snapshot?.name}`);
  check(snapshot?.description === 'm = 2 kg, λ = 0.5 N/(m/s), K = 4 N/m, y0 = 0.5 m, v0 = 0 m/s. Natural frequency ' +
    'ω0 = 1.4142 rad/s, damping ratio ζ = 0.0884, underdamped. Time t = 0.04 s', `the picture's description: ${snapshot?.description}`);
  const heights = await afterDialog.page.$$eval('#keys a, #keys button', (all) => all.map((e) => e.getBoundingClientRect().height));
  check(Math.min(...heights) >= 40, `the key bar's links and buttons are at least 40 px tall (${Math.min(...heights)})`);

  // Without WebGL: a message in the canvas's place, the dialog runs, and
  // the m button starts a new one.
  const plain = await open(server.url, { withoutWebgl: true });
  await plain.waitForPanel(constantsPrompt);
  // WebGL is looked for just after the first prompt shows, so the message
  // may come a moment after it.
  const told = await plain.page.waitForFunction(() => {
    const message = document.getElementById('no-webgl');
    return !message.hidden && message.textContent.includes('WebGL') && document.getElementById('screen').hidden;
  }, { timeout: 10000 }).then(() => true, () => false);
  check(told, 'without WebGL a message stands in the canvas\'s place');
  await plain.answerDialog('1 0.5 4', '1 0');
  await plain.page.click('button[data-key="s"]');
  mark = (await plain.panel()).length;
  await plain.page.click('button[data-key="m"]');
  await plain.waitForPanel(constantsPrompt, mark);
  await plain.enter('2 0.5 4');
  await plain.enter('1 0');
  await plain.waitForPanel('ω0= 1.4142', mark);

  const errors = pages.flatMap((page) => page.errors);
  check(errors.length === 0, `no error on the classroom's pages${errors.length ? `: ${errors.join('; ')}` : ''}`);
}

try {
  web = await Page.open(browser, server.url);

  // The dialog. Keys pressed on the canvas before it is answered do nothing.
  await web.waitForPanel(constantsPrompt);
  const blank = await web.picture();
  await web.press('s', 3);
  check(differingPixels(blank, await web.picture()) === 0, 'keys while the first dialog waits change nothing');
  await enterBoth('1 0.5 4');
  await web.waitForPanel(initialConditionsPrompt);
  await enterBoth('1 0');
  await web.waitForPanel(endOfKeyHelp);
  const panel = await web.panel();
  check(panel.includes('固有振動数ω0= 2.0000[rad/s], 減衰比ζ= 0.1250  不足減衰'), 'the panel shows ω0, ζ and the class');
  check(panel.includes('減衰固有振動数Ω= 1.9843'), 'the panel shows Ω');
  check(panel.includes(`キー入力 m λ K =1 0.5 4\n`), 'the entered line is echoed after its prompt');
  check(await web.title() === windowTitle, 'the page title is the window title');
  await desktop.waitForWindow();
  await desktop.waitForConsole(endOfKeyHelp);
  check(withoutEchoes(panel) === desktop.console(), 'the panel shows the dialog bytes of the desktop console');

  // The first showing draws one frame, the picture after 120 frames, then
  // after each rescaling key.
  let pictures = await compare('the first showing', blank);
  await Promise.all([desktop.press('s', 120), web.press('s', 120)]);
  pictures = await compare('after 120 presses of s', pictures.desktop);
  const after120 = pictures.desktop;
  for (const key of ['t', 'T', 'y', 'Y']) {
    const before = pictures;
    await Promise.all([desktop.press(key), web.press(key)]);
    pictures = await compare(`after ${key}`, before.desktop);
    check(differingPixels(before.page, pictures.page) > 0, `${key} changes the page's picture`);
  }

  // 'j': only the initial conditions are asked; keys on the canvas wait for
  // the answer and do nothing. y0 = 0.5 then puts the mass at 0.25 (half a
  // unit per metre) after one frame: about row 300.
  let mark = (await web.panel()).length;
  let desktopMark = desktop.console().length;
  await Promise.all([desktop.press('j'), web.press('j')]);
  await web.waitForPanel(initialConditionsPrompt, mark);
  await desktop.waitForConsole(initialConditionsPrompt, desktopMark);
  check(!(await web.panel()).includes(constantsPrompt, mark), "'j' does not ask for the constants");
  const waiting = await web.picture();
  await web.press('s', 5);
  await web.press('t');
  check(differingPixels(waiting, await web.picture()) === 0, "keys while the dialog of 'j' waits change nothing");
  await enterBoth('0.5 0');
  await web.waitForPanel(endOfKeyHelp, mark);
  await Promise.all([desktop.press('s'), web.press('s')]);
  pictures = await compare("the first frame after 'j' and y0 = 0.5", pictures.desktop);
  const massRow = Math.round(size / 2 - 0.5 * 0.5 * (size / 2));
  check(pixel(pictures.page, Math.round(0.495 * size / 2 + size / 2), massRow).join() === '255,0,0',
    'the mass starts again from y0 = 0.5');

  // 'm': the constants are asked again. A stray word drops the rest of its
  // line, and the values it stood for keep their settings (λ 0.5, K 4), as on
  // the desktop.
  mark = (await web.panel()).length;
  desktopMark = desktop.console().length;
  await Promise.all([desktop.press('m'), web.press('m')]);
  await web.waitForPanel(constantsPrompt, mark);
  await desktop.waitForConsole(constantsPrompt, desktopMark);
  await web.press('s', 3);
  await enterBoth('2 half 9');
  await web.waitForPanel(initialConditionsPrompt, mark);
  await enterBoth('1 0');
  await web.waitForPanel(endOfKeyHelp, mark);
  await desktop.waitForConsole(endOfKeyHelp, desktopMark);
  check((await web.panel()).includes('固有振動数ω0= 1.4142[rad/s], 減衰比ζ= 0.0884  不足減衰', mark),
    "'m' with a stray word keeps λ and K");
  check(withoutEchoes(await web.panel()) === desktop.console(), 'the panel still shows the desktop console bytes');
  // Held down, a key repeats: ten frames, as ten presses give on the desktop.
  await Promise.all([desktop.press('s', 10), web.hold('s', 9)]);
  pictures = await compare("'s' held for ten frames after 'm'", pictures.desktop);

  // Esc ends the simulation: it says so, and no key is taken after it.
  await Promise.all([desktop.press('Escape'), web.press('Escape')]);
  check((await desktop.ended).code === 0, 'the desktop program ends with status 0 on Esc');
  await web.waitForPanel('Esc', (await web.panel()).length - 200);
  const ended = await web.picture();
  await web.press('s', 3);
  check(differingPixels(ended, await web.picture()) === 0, 'no key is taken after Esc');
  check(await web.page.$eval('#console-input', (e) => e.disabled), 'the console input is closed after Esc');

  // A reload starts afresh.
  await web.page.reload();
  await web.waitForPanel(constantsPrompt);
  check(!(await web.panel()).includes('Esc'), 'a reload starts the program afresh');
  check(web.errors.length === 0, `no error on the page${web.errors.length ? `: ${web.errors.join('; ')}` : ''}`);
  check(await web.page.$eval('a#random-page', (a) => a.getAttribute('href')) === 'random.html' &&
    await web.page.$eval('a#modes-page', (a) => a.getAttribute('href')) === 'modes.html',
    "the simulator's page links to the two labs' pages");

  await classroom(after120);

  // The random-vibration lab's page, beside the desktop vibsim-random, and
  // the modes lab's, beside the desktop vibsim-modes.
  if (desktopRandom) await (await import('./random_page_checks.mjs')).checkRandomPage(browser, server.url, desktopRandom, check);
  if (desktopModes) await (await import('./modes_page_checks.mjs')).checkModesPage(browser, server.url, desktopModes, check);
} catch (error) {
  check(false, error.stack ?? String(error));
} finally {
  desktop.kill();
  await close();
  server.close();
}
console.log(failures === 0 ? 'PASSED' : `${failures} check(s) failed`);
process.exit(failures === 0 ? 0 : 1);
