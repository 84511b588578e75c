// The README's picture of the page: the dialog answered with m = 1,
// lambda = 0.5, K = 4, y0 = 1, v0 = 0, then `presses` presses of 's'.
//
// node screenshot.mjs <build/web folder> <png file> [presses]
import { resolve } from 'node:path';
import { Page, launchBrowser, serve } from './harness.mjs';

const [folder, output, pressArg] = process.argv.slice(2);
const presses = Number(pressArg ?? 120);
if (!folder || !output || !Number.isInteger(presses) || presses < 0) {
  console.error('usage: node screenshot.mjs <build/web folder> <png file> [presses]');
  process.exit(2);
}

const server = await serve(resolve(folder));
const { browser, close } = await launchBrowser();
try {
  const page = await Page.open(browser, server.url);
  await page.answerDialog('1 0.5 4', '1 0');
  if (presses > 0) await page.press('s', presses);
  await page.picture();
  // Without the focus ring that the picture shows while it takes the keys.
  await page.page.evaluate(() => document.activeElement.blur());
  // Just the page: the canvas and the key bar and console beside it, with
  // their margins.
  await page.page.screenshot({ path: resolve(output), clip: { x: 0, y: 0, width: 1400, height: 816 } });
} finally {
  await close();
  server.close();
}
