// The time of one frame of a page in headless Chromium: the key 's' is given
// `frames` times in a row, as held keys give it, each followed by its
// picture, and the time until the canvas has drawn them all is divided by
// their number. The simulator's page
// first answers its dialog (m = 1, lambda = 0.5, K = 4, y0 = 1, v0 = 0);
// another page, named with its link (e.g. 'modes.html?masses=21'), is given
// its case by the link and measured once its keys are taken. Also the time
// from navigation to the first prompt in the panel (or to the keys being
// taken), as the page measures it. Figures, not tests.
//
// node frame_time.mjs <build/web folder> [frames] [page?link]
import { resolve } from 'node:path';
import { Page, launchBrowser, serve } from './harness.mjs';

const [folder, framesArg, pageLink] = process.argv.slice(2);
const frames = Number(framesArg ?? 500);
if (!folder || !Number.isInteger(frames) || frames < 1) {
  console.error('usage: node frame_time.mjs <build/web folder> [frames] [page?link]');
  process.exit(2);
}
// The page is ready when the simulator's first prompt shows, or when
// another page's s button is no longer held back.
const ready = pageLink === undefined ?
  () => document.getElementById('console')?.textContent.includes('K =') :
  () => document.querySelector('button[data-key="s"]')?.getAttribute('aria-disabled') === 'false';

const server = await serve(resolve(folder));
const { browser, close } = await launchBrowser();
try {
  const prompts = [];
  for (let run = 0; run < 5; ++run) {
    const fresh = await browser.newPage();
    await fresh.evaluateOnNewDocument((readyText) => {
      const isReady = eval(readyText);
      new MutationObserver((_, observer) => {
        if (!isReady()) return;
        window.firstPrompt = performance.now();
        observer.disconnect();
      }).observe(document, { childList: true, subtree: true, attributes: true });
    }, `(${ready})`);
    await fresh.goto(server.url + (pageLink ?? ''));
    await fresh.waitForFunction(() => window.firstPrompt !== undefined);
    prompts.push(await fresh.evaluate(() => window.firstPrompt));
    await fresh.close();
  }
  prompts.sort((a, b) => a - b);
  console.log(`navigation to ${pageLink === undefined ? 'first prompt' : 'keys taken'}, median of ${prompts.length} loads: ${prompts[2].toFixed(0)} ms ` +
    `(loads ${prompts.map((t) => t.toFixed(0)).join(', ')})`);

  const page = await Page.open(browser, server.url + (pageLink ?? ''));
  if (pageLink === undefined) await page.answerDialog('1 0.5 4', '1 0');
  else await page.page.waitForFunction(ready);
  const runs = [];
  for (let run = 0; run < 5; ++run) {
    runs.push(await page.page.evaluate((n) => {
      const canvas = document.getElementById('screen');
      const gl = canvas.getContext('webgl');
      const pixel = new Uint8Array(4);
      const key = () => new KeyboardEvent('keydown', { key: 's', bubbles: true });
      const start = performance.now();
      for (let i = 0; i < n; ++i) {
        canvas.dispatchEvent(key());
        // A program whose key asks GLUT for a redisplay (the labs) draws in
        // the next animation frame: drawn here as that frame would draw it.
        // (The simulator's keys draw at once.)
        if (GLUT.requestedAnimationFrame) dynCall_v(GLUT.displayFunc);
      }
      gl.readPixels(0, 0, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, pixel);  // waits for the drawing
      return (performance.now() - start) / n;
    }, frames));
  }
  runs.sort((a, b) => a - b);
  console.log(`page frame time, median of ${runs.length} runs of ${frames} frames: ${runs[2].toFixed(3)} ms ` +
    `(runs ${runs.map((r) => r.toFixed(3)).join(', ')})`);
} finally {
  await close();
  server.close();
}
