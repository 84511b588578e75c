// The time of one frame of the page in headless Chromium: after the dialog
// (m = 1, lambda = 0.5, K = 4, y0 = 1, v0 = 0) the key 's' is given `frames`
// times in a row, as held keys give it, and the time until the canvas has
// drawn them all is divided by their number. Also the time from navigation to
// the first prompt in the panel, as the page measures it. Figures, not tests.
//
// node frame_time.mjs <build/web folder> [frames]
import { resolve } from 'node:path';
import { Page, launchBrowser, serve } from './harness.mjs';

const [folder, framesArg] = process.argv.slice(2);
const frames = Number(framesArg ?? 500);
if (!folder || !Number.isInteger(frames) || frames < 1) {
  console.error('usage: node frame_time.mjs <build/web folder> [frames]');
  process.exit(2);
}

const server = await serve(resolve(folder));
const { browser, close } = await launchBrowser();
try {
  const prompts = [];
  for (let run = 0; run < 5; ++run) {
    const fresh = await browser.newPage();
    await fresh.evaluateOnNewDocument(() => {
      new MutationObserver((_, observer) => {
        const panel = document.getElementById('console');
        if (panel === null || !panel.textContent.includes('K =')) return;
        window.firstPrompt = performance.now();
        observer.disconnect();
      }).observe(document, { childList: true, subtree: true });
    });
    await fresh.goto(server.url);
    await fresh.waitForFunction(() => window.firstPrompt !== undefined);
    prompts.push(await fresh.evaluate(() => window.firstPrompt));
    await fresh.close();
  }
  prompts.sort((a, b) => a - b);
  console.log(`navigation to first prompt, median of ${prompts.length} loads: ${prompts[2].toFixed(0)} ms ` +
    `(loads ${prompts.map((t) => t.toFixed(0)).join(', ')})`);

  const page = await Page.open(browser, server.url);
  await page.answerDialog('1 0.5 4', '1 0');
  const runs = [];
  for (let run = 0; run < 5; ++run) {
    runs.push(await page.page.evaluate((n) => {
      const canvas = document.getElementById('screen');
      const gl = canvas.getContext('webgl');
      const pixel = new Uint8Array(4);
      const key = () => new KeyboardEvent('keydown', { key: 's', bubbles: true });
      const start = performance.now();
      for (let i = 0; i < n; ++i) canvas.dispatchEvent(key());
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
