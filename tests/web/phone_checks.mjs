// Every lab's page on a phone held upright (390 x 844), each page of the
// edition but the simulator's, as the shell lists them: once its first
// dialog is answered with empty lines (the defaults) and its window shows,
// the picture's 13-pixel labels show at least 10 CSS px tall (the canvas's
// shown width against its pixels), the picture lies within the first
// screen, nothing lies beyond the screen's width, the key grid takes at
// most a third of the screen with every key in it or behind its "more"
// button, the other pages' links behind it too, and its texts are at least
// 10 px. A tap shows the picture whole, and a tap on the whole picture
// enlarges it again.
import { readFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { Page, sleep } from './harness.mjs';

const here = dirname(fileURLToPath(import.meta.url));
const phoneView = { width: 390, height: 844, deviceScaleFactor: 1, isMobile: true, hasTouch: true };
const smallLabel = 13;  // the labs' small labels, in pixels of the canvas

function labPages() {
  const list = new Function(`${readFileSync(join(here, '../../platform/web/shell/shell_pages.js'), 'utf8')}\n` +
    'return vibsimShellPageList;')();
  return list.filter((entry) => entry.page !== 'index.html').map((entry) => entry.page);
}

// Answers the page's dialog with empty lines until the lab's window shows
// (the program has sized the canvas to it) and nothing is asked.
async function startWithDefaults(web) {
  for (const deadline = Date.now() + 60000; Date.now() < deadline; await sleep(100)) {
    const state = await web.page.evaluate(() => ({
      shown: document.getElementById('screen').width !== 800,
      asked: document.activeElement?.id === 'console-input',
    }));
    if (state.shown && !state.asked) return true;
    if (state.asked) await web.page.keyboard.press('Enter');
  }
  return false;
}

async function measure(page) {
  return page.evaluate(() => {
    const canvas = document.getElementById('screen');
    const shown = canvas.getBoundingClientRect();
    const frame = document.getElementById('picture').getBoundingClientRect();
    const keys = document.getElementById('keys');
    const visible = [...keys.children].filter((e) => e.getBoundingClientRect().height > 0);
    const sizes = visible.concat([document.getElementById('picture-hint')])
      .map((e) => parseFloat(getComputedStyle(e).fontSize));
    return {
      scale: shown.width / canvas.width, pixels: [canvas.width, canvas.height], frameTop: frame.top,
      frameBottom: frame.bottom, pageWidth: document.documentElement.scrollWidth,
      frameRight: frame.right, keysHeight: keys.getBoundingClientRect().height,
      keysRight: Math.max(...visible.map((e) => e.getBoundingClientRect().right)),
      smallestText: Math.min(...sizes),
      hidden: [...keys.querySelectorAll('[data-key]')].filter((e) => e.getBoundingClientRect().height === 0).length,
      more: document.getElementById('more').getBoundingClientRect().height > 0,
    };
  });
}

export async function checkPhonePages(browser, url, check) {
  for (const name of labPages()) {
    const web = await Page.open(browser, `${url}${name}?lang=en`, { viewport: phoneView });
    try {
      check(await startWithDefaults(web), `${name} on a phone: the dialog's defaults show the lab's window`);
      await web.page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
      const m = await measure(web.page);
      const label = smallLabel * m.scale;
      check(m.pixels[0] > m.pixels[1] && label >= 10,
        `${name} on a phone: the ${m.pixels.join(' x ')} picture at ${m.scale.toFixed(3)} CSS px a pixel, its small labels ${label.toFixed(1)} px tall`);
      check(m.frameTop >= 0 && m.frameBottom <= phoneView.height,
        `${name} on a phone: the picture lies from ${m.frameTop} to ${m.frameBottom} px, within the first screen`);
      check(m.pageWidth <= 390 && m.frameRight <= 390 && m.keysRight <= 390,
        `${name} on a phone: the page is ${m.pageWidth} px wide, the picture's frame ends at ${m.frameRight}, the keys at ${m.keysRight}`);
      check(m.keysHeight <= phoneView.height / 3 && m.smallestText >= 10,
        `${name} on a phone: the key grid is ${m.keysHeight} px tall, its smallest text ${m.smallestText} px`);
      // The folded links and keys show behind "more".
      await web.page.tap('#more');
      const unfolded = await measure(web.page);
      const linksShown = await web.page.$$eval('#keys a[id$="-page"]', (links) =>
        links.length > 0 && links.every((a) => a.getBoundingClientRect().height > 0));
      check(m.more && unfolded.hidden === 0 && linksShown,
        `${name} on a phone: ${m.hidden} keys and the other pages' links fold behind "more", which shows them`);
      // A tap shows the picture whole; a tap on it enlarges it again.
      await web.page.tap('#screen');
      const whole = await measure(web.page);
      await web.page.tap('#screen');
      const again = await measure(web.page);
      check(whole.scale * whole.pixels[0] <= 390 && Math.abs(again.scale - m.scale) < 1e-9,
        `${name} on a phone: a tap shows the picture whole (${whole.scale.toFixed(3)}), the next enlarges it (${again.scale.toFixed(3)})`);
      check(web.errors.length === 0, `${name} on a phone: no error${web.errors.length ? `: ${web.errors.join('; ')}` : ''}`);
    } finally {
      await web.page.close();
    }
  }
}
