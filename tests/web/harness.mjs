// What the page test drives and looks at: the page served from build/web in
// headless Chromium, and the desktop vibsim under the X server of $DISPLAY,
// each with a picture of its 800 x 800 drawing as raw RGB bytes.
import { execFile, spawn } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, existsSync } from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { extname, join, normalize } from 'node:path';
import puppeteer from 'puppeteer-core';

export const size = 800;
export const windowTitle = '１DOF自由振動　m:ばねマス，j:初期条件　変更';

// Time limits for things that must happen; they only bound how long a broken
// program is waited for.
const appearLimit = 60000;
const settleLimit = 20000;

export const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

function run(file, args, input) {
  return new Promise((resolve, reject) => {
    const child = execFile(file, args, { encoding: 'buffer', maxBuffer: 64 << 20, timeout: appearLimit },
      (error, stdout, stderr) => {
        if (error) reject(new Error(`${file} ${args.join(' ')}: ${error.message} ${stderr}`));
        else resolve(stdout);
      });
    if (input !== undefined) child.stdin.end(input);
  });
}

// An image file's bytes (any format ImageMagick reads) as size x size RGB.
async function rgb(format, bytes) {
  const raw = await run('/usr/bin/convert', [`${format}:-`, '-depth', '8', 'rgb:-'], bytes);
  if (raw.length !== size * size * 3) throw new Error(`picture of ${raw.length} bytes, not ${size} x ${size}`);
  return raw;
}

export function differingPixels(a, b) {
  let count = 0;
  for (let i = 0; i < a.length; i += 3) {
    if (a[i] !== b[i] || a[i + 1] !== b[i + 1] || a[i + 2] !== b[i + 2]) ++count;
  }
  return count;
}

export function pixel(picture, x, y) {
  const i = (y * size + x) * 3;
  return [picture[i], picture[i + 1], picture[i + 2]];
}

// Pixels of exactly the colour (r, g, b).
export function countColour(picture, [r, g, b]) {
  let count = 0;
  for (let i = 0; i < picture.length; i += 3) {
    if (picture[i] === r && picture[i + 1] === g && picture[i + 2] === b) ++count;
  }
  return count;
}

// The mean row of the pure red pixels in the columns of the mass (x = 0.495):
// where the mass is drawn, its disc outweighing the string through it.
export function massRow(picture) {
  let sum = 0;
  let count = 0;
  for (let y = 0; y < size; ++y) {
    for (let x = 590; x <= 606; ++x) {
      const [r, g, b] = pixel(picture, x, y);
      if (r === 255 && g === 0 && b === 0) {
        sum += y;
        ++count;
      }
    }
  }
  return count === 0 ? NaN : sum / count;
}

export async function savePng(picture, path) {
  await run('/usr/bin/convert', ['-size', `${size}x${size}`, '-depth', '8', 'rgb:-', path], picture);
}

// build/web served on a free local port, as any static web server would.
const types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.css': 'text/css' };
export async function serve(folder) {
  const server = createServer((request, response) => {
    const path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname));
    const file = join(folder, path.endsWith('/') ? `${path}index.html` : path);
    if (!file.startsWith(folder) || !existsSync(file) || !types[extname(file)]) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, { 'Content-Type': types[extname(file)] }).end(readFileSync(file));
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return { url: `http://127.0.0.1:${server.address().port}/`, close: () => server.close() };
}

// Debian's Chromium, headless, with WebGL on the SwiftShader software
// renderer, a fresh profile and nothing that reaches the network.
export async function launchBrowser() {
  const profile = mkdtempSync(join(tmpdir(), 'vibsim-chromium-'));
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    defaultViewport: { width: 1400, height: 840, deviceScaleFactor: 1 },
    args: ['--headless=new', '--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
      '--disable-background-networking', '--disable-component-update', '--disable-sync', '--no-first-run',
      '--lang=ja'],
  });
  return { browser, close: async () => { await browser.close(); rmSync(profile, { recursive: true, force: true }); } };
}

// The page of the program: its console panel, its console input and its canvas.
export class Page {
  constructor(page) {
    this.page = page;
    this.errors = [];
    page.on('pageerror', (error) => this.errors.push(error.message));
  }

  // Opens the page at `url`, in a viewport of its own when given one, and
  // as in a browser without WebGL when asked: there the canvas gives no
  // WebGL context, as under Chromium's --disable-3d-apis.
  static async open(browser, url, { viewport = null, withoutWebgl = false } = {}) {
    const page = new Page(await browser.newPage());
    if (viewport) await page.page.setViewport(viewport);
    if (withoutWebgl) {
      await page.page.evaluateOnNewDocument(() => {
        const getContext = HTMLCanvasElement.prototype.getContext;
        HTMLCanvasElement.prototype.getContext = function(type, ...rest) {
          return /webgl/i.test(type) ? null : getContext.call(this, type, ...rest);
        };
      });
    }
    await page.page.goto(url);
    return page;
  }

  panel() { return this.page.$eval('#console', (e) => e.textContent); }
  title() { return this.page.title(); }

  // Waits until the panel holds `text` after character `from`.
  async waitForPanel(text, from = 0) {
    await this.page.waitForFunction((t, f) => document.getElementById('console').textContent.indexOf(t, f) >= 0,
      { timeout: settleLimit }, text, from);
  }

  // Types a line into the console input and enters it.
  async enter(line) {
    await this.page.type('#console-input', line);
    await this.page.keyboard.press('Enter');
  }

  // Answers the start-up dialog and waits for the end of its key help.
  async answerDialog(constants, initial, endOfHelp = '終了\n') {
    await this.waitForPanel('K =');
    await this.enter(constants);
    await this.waitForPanel('v0 = ');
    await this.enter(initial);
    await this.waitForPanel(endOfHelp);
  }

  // Taps an on-screen key button `times` times, as a finger would.
  async tap(key, times = 1) {
    for (let i = 0; i < times; ++i) await this.page.tap(`button[data-key="${key}"]`);
  }

  // Presses keys with the canvas focused, as a user would.
  async press(key, times = 1) {
    await this.page.focus('#screen');
    for (let i = 0; i < times; ++i) await this.page.keyboard.press(key);
  }

  // Holds a key down on the focused canvas for `repeats` key-repeat events
  // after the first, then lets it go.
  async hold(key, repeats) {
    await this.page.focus('#screen');
    for (let i = 0; i <= repeats; ++i) await this.page.keyboard.down(key);
    await this.page.keyboard.up(key);
  }

  // The canvas as shown, once two looks in a row agree.
  async picture() {
    const canvas = await this.page.$('#screen');
    let last = null;
    for (const deadline = Date.now() + settleLimit; Date.now() < deadline;) {
      await this.page.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
      const now = await rgb('png', await canvas.screenshot({ type: 'png' }));
      if (last !== null && differingPixels(last, now) === 0) return now;
      last = now;
    }
    throw new Error('the page never showed a settled picture');
  }
}

// The desktop vibsim, started with a console of its own and its window in
// the corner of the screen. The window is placed there by GLUT's own
// -geometry option: moving it afterwards would expose it again, and every
// expose draws a frame.
export class Desktop {
  constructor(program, options = []) {
    this.output = Buffer.alloc(0);
    this.child = spawn(program, [...options, '-geometry', `${size}x${size}+0+0`], { env: { ...process.env, LC_ALL: 'C.UTF-8' }, stdio: ['pipe', 'pipe', 'inherit'] });
    this.child.stdout.on('data', (data) => { this.output = Buffer.concat([this.output, data]); });
    this.ended = new Promise((resolve) => this.child.on('exit', (code, signal) => resolve({ code, signal })));
  }

  console() { return this.output.toString('utf8'); }
  type(line) { this.child.stdin.write(`${line}\n`); }

  async waitForWindow() {
    const found = (await run('xdotool', ['search', '--sync', '--onlyvisible', '--name', 'DOF'])).toString().trim();
    this.window = found.split('\n').pop();
    // Its first frame: until it is drawn the window is one plain colour.
    for (const deadline = Date.now() + settleLimit; Date.now() < deadline; await sleep(50)) {
      const now = await rgb('xwd', await run('xwd', ['-id', this.window, '-silent']));
      if (now.some((value, i) => value !== now[i % 3])) return;
    }
    throw new Error('the desktop window never showed its first frame');
  }

  async waitForConsole(text, from = 0) {
    for (const deadline = Date.now() + settleLimit; Date.now() < deadline; await sleep(50)) {
      if (this.console().indexOf(text, from) >= 0) return;
    }
    throw new Error(`the desktop console never showed ${JSON.stringify(text)}`);
  }

  async press(key, times = 1) {
    const keys = Array(times).fill(key);
    // xdotool warns about the focus of a display with no window manager; noise.
    await run('xdotool', ['key', '--window', this.window, '--delay', '5', ...keys]).catch((e) => {
      if (key !== 'Escape') throw e;  // the window is gone before the key is released
    });
  }

  // The window as shown, once two grabs 200 ms apart agree and, when a
  // picture is given, differ from it: the keys just sent may still be on
  // their way.
  async picture(changedFrom = null) {
    let last = null;
    for (const deadline = Date.now() + settleLimit; Date.now() < deadline; await sleep(200)) {
      const now = await rgb('xwd', await run('xwd', ['-id', this.window, '-silent']));
      const changed = changedFrom === null || differingPixels(changedFrom, now) > 0;
      if (last !== null && changed && differingPixels(last, now) === 0) return now;
      last = now;
    }
    throw new Error('the desktop window never showed a settled picture');
  }

  kill() { if (this.child.exitCode === null) this.child.kill(); }
}

// The page at `url` in a sandboxed frame of a parent page on another origin
// (about:blank), as a learning platform embeds it: { parent, frame }.
export async function openInFrame(browser, url, sandbox) {
  const parent = await browser.newPage();
  await parent.setContent(`<iframe sandbox="${sandbox}" src="${url}" width="1200" height="820"></iframe>`,
    { waitUntil: 'load' });
  const frame = await (await parent.$('iframe')).contentFrame();
  return { parent, frame };
}

// The panel of the page in `frame` holds `text`.
export async function waitForFramePanel(frame, text) {
  await frame.waitForFunction((t) => (document.getElementById('console')?.textContent ?? '').includes(t),
    { timeout: settleLimit }, text);
}
