// The page shell: everything around a program's canvas that every page of
// the browser edition shares. It lays out the canvas, a bar of key buttons
// and the console; it turns the console into the program's standard input and
// output; it reads the page's link (its case, its language, play); it shows a
// message in the canvas's place when the browser has no WebGL, and redraws
// the picture after the browser restores a lost WebGL context. A page
// configures it with one call of vibsimPageShell(config) in a script run
// before the program (--pre-js); see page.cmake for how a page is built.
//
// config:
//   texts:   { ja: {...}, en: {...} }, the page's own texts by language,
//            added to the shell's: `key.<key>` labels each key button.
//   keys:    [{ key: 's', draws: true, repeats: true }, ...] the key buttons in
//            order; `key` is the KeyboardEvent name ('s', 'Escape'); `draws`
//            keys do nothing without WebGL; a `repeats` key repeats while held.
//   play:    the key that the play button gives 25 times a second (optional);
//            playing stops when a dialog asks, at Esc, or when pressed again.
//   link:    { parameters: [...names], lines(values) -> [lines that answer
//            the first dialog], current() -> { name: number } } (optional).
//   oneFile: the name of the page's one-file form (optional), offered when
//            the program cannot be loaded from the disk.
//   arguments(language) -> the program's command-line arguments (by
//            default ['--lang', language]).
//   ready(shell): called once the page is laid out, for a page's own
//            controls (optional); shell is { texts (this language's table),
//            language, toolbar (the key bar's element), show(text) (adds
//            text to the console), params (the link's URLSearchParams),
//            started() (true once the first dialog is answered) }.
//
// The language comes from the link (lang=en or ja, Japanese by default) and
// sets <html lang>; the program gets it as --lang. The program exports
// vibsim_web_key(int) for the keys, and page.cmake links in the rest.
function vibsimPageShell(config) {
  'use strict';

  // ---------------------------------------------------------------------
  // The shell's own texts; one table per language.
  var shellTexts = {
    ja: {
      keysLabel: 'キー',
      consoleLabel: 'コンソール',
      inputLabel: 'コンソール入力',
      inputPlaceholder: '入力して Enter',
      enter: 'Enter',
      play: '▶ 再生',
      pause: '■ 停止',
      link: 'リンク',
      linkLabel: 'この場合のリンク',
      fullscreen: '全画面',
      ended: '\n\n[Esc: シミュレーションを終了しました。ページを再読み込みすると最初から始まります。]\n',
      noWebgl: 'この図を描くには WebGL が必要ですが、このブラウザでは使えません。' +
        'ブラウザの設定でハードウェア アクセラレーション（グラフィックス アクセラレーション）を有効にするか、' +
        '最新の Chrome、Firefox、Edge、Safari で開いてください。コンソールの対話と数値はそのまま使えます。',
      notANumber: function(name) { return '[リンクのパラメータ ' + name + ' は数値でないため使いませんでした]\n'; },
      missing: function(name, missing) {
        return '[リンクのパラメータ ' + name + ' は使いませんでした: ' + missing + ' がありません]\n';
      },
      unknownLanguage: function(name) { return '[リンクのパラメータ ' + name + ' は使いませんでした: ja か en です]\n'; },
      longLine: function(count) { return '…（' + count + ' 文字）'; },
      notLoaded: 'プログラムを読み込めませんでした。',
      notLoadedFromDisk: 'ディスクから開いたこのページは、プログラム（.wasm）をブラウザの制限で読み込めません。' +
        'Web サーバー経由で開くか、1 ファイル版を開いてください：',
    },
    en: {
      keysLabel: 'Keys',
      consoleLabel: 'Console',
      inputLabel: 'Console input',
      inputPlaceholder: 'Type, then Enter',
      enter: 'Enter',
      play: '▶ Play',
      pause: '■ Stop',
      link: 'Link',
      linkLabel: 'Link to this case',
      fullscreen: 'Full screen',
      ended: '\n\n[Esc: the simulation has ended. Reload the page to start again.]\n',
      noWebgl: 'The picture needs WebGL, which this browser does not offer. ' +
        'Turn on hardware (graphics) acceleration in the browser\'s settings, ' +
        'or open the page in a current Chrome, Firefox, Edge or Safari. The console dialog and its numbers still work.',
      notANumber: function(name) { return '[The link\'s parameter ' + name + ' was not used: it is not a number]\n'; },
      missing: function(name, missing) {
        return '[The link\'s parameter ' + name + ' was not used: ' + missing + ' is missing]\n';
      },
      unknownLanguage: function(name) { return '[The link\'s parameter ' + name + ' was not used: it is ja or en]\n'; },
      longLine: function(count) { return '… (' + count + ' characters)'; },
      notLoaded: 'The program could not be loaded.',
      notLoadedFromDisk: 'Opened from the disk, this page cannot load its program (.wasm): the browser forbids it. ' +
        'Open it through a web server, or open the one-file page: ',
    },
  };

  // ---------------------------------------------------------------------
  // The link: the language first, since every text depends on it.
  var params = new URLSearchParams(window.location.search);
  var unused = [];  // messages on the parameters not used
  var language = 'ja';
  var languageUnknown = false;
  if (params.has('lang')) {
    if (params.get('lang') === 'en' || params.get('lang') === 'ja') language = params.get('lang');
    else languageUnknown = true;
  }
  var text = Object.assign({}, shellTexts[language], (config.texts || {})[language]);
  document.documentElement.lang = language;
  if (languageUnknown) unused.push(text.unknownLanguage('lang'));

  // ---------------------------------------------------------------------
  // The layout, built here so that every page has the same one.
  function element(tag, attributes, parent) {
    var e = document.createElement(tag);
    for (var name in attributes) {
      if (name === 'text') e.textContent = attributes[name];
      else e.setAttribute(name, attributes[name]);
    }
    if (parent) parent.appendChild(e);
    return e;
  }
  var main = document.querySelector('main') || element('main', {}, document.body);
  var picture = element('div', {id: 'picture'}, main);
  var canvas = element('canvas', {id: 'screen', width: 800, height: 800, tabindex: 0}, picture);
  var noWebgl = element('div', {id: 'no-webgl', role: 'alert'}, picture);
  noWebgl.hidden = true;
  var side = element('div', {id: 'side'}, main);
  var toolbar = element('div', {id: 'keys', role: 'toolbar', 'aria-label': text.keysLabel}, side);
  var terminal = element('section', {id: 'terminal', 'aria-label': text.consoleLabel}, side);
  var panel = element('pre', {id: 'console', role: 'log', 'aria-live': 'polite'}, terminal);
  var form = element('form', {id: 'console-form', autocomplete: 'off'}, terminal);
  var input = element('input', {id: 'console-input', type: 'text', autocomplete: 'off', spellcheck: 'false',
    autocapitalize: 'off', enterkeyhint: 'enter', 'aria-label': text.inputLabel,
    placeholder: text.inputPlaceholder}, form);
  var enterButton = element('button', {type: 'submit', id: 'console-enter', text: text.enter}, form);
  Module['canvas'] = canvas;

  var keyButtons = [];
  (config.keys || []).forEach(function(k) {
    var b = element('button', {type: 'button', 'data-key': k.key}, toolbar);
    element('kbd', {text: k.key === 'Escape' ? 'Esc' : k.key}, b);
    b.appendChild(document.createTextNode(' ' + (text['key.' + k.key] || '')));
    keyButtons.push({button: b, key: k.key, draws: !!k.draws, repeats: !!k.repeats});
  });
  var playButton = config.play ? element('button', {type: 'button', id: 'play', 'aria-pressed': 'false',
    text: text.play}, toolbar) : null;
  var linkButton = config.link ? element('button', {type: 'button', id: 'link', text: text.link}, toolbar) : null;
  var fullscreenButton = element('button', {type: 'button', id: 'fullscreen', text: text.fullscreen}, toolbar);
  if (!main.requestFullscreen) fullscreenButton.hidden = true;
  var linkText = element('input', {id: 'link-text', type: 'url', readonly: '', 'aria-label': text.linkLabel}, side);
  linkText.hidden = true;

  // ---------------------------------------------------------------------
  // WebGL, looked for on a canvas of its own before the program first runs
  // on from its first prompt, so before it draws, and once the first prompt
  // is shown: a browser's first WebGL context may take half a second to
  // make, which the first prompt need not wait for.
  var webgl = null;  // not looked for yet
  function lookForWebgl() {
    if (webgl !== null) return webgl;
    try {
      var probe = document.createElement('canvas');
      var context = probe.getContext('webgl') || probe.getContext('experimental-webgl');
      webgl = !!context;
      var release = context && context.getExtension('WEBGL_lose_context');
      if (release) release.loseContext();
    } catch (e) {
      webgl = false;
    }
    if (!webgl) {
      canvas.hidden = true;
      noWebgl.textContent = text.noWebgl;
      noWebgl.hidden = false;
    }
    updateKeys();
    return webgl;
  }

  // A program that cannot be loaded (the .wasm of a page opened from the
  // disk, which browsers refuse to fetch; a broken download) is told in the
  // picture's place, with the way out where there is one.
  var loadFailed = false;
  function notLoaded() {
    if (runtimeInitialized) return;  // a fault of the running program goes to the console
    loadFailed = true;
    canvas.hidden = true;
    noWebgl.textContent = '';
    if (window.location.protocol === 'file:') {
      noWebgl.appendChild(document.createTextNode(text.notLoadedFromDisk));
      if (config.oneFile) element('a', {href: config.oneFile + window.location.search, text: config.oneFile}, noWebgl);
    } else {
      noWebgl.textContent = text.notLoaded;
    }
    noWebgl.hidden = false;
    input.disabled = true;
    enterButton.disabled = true;
  }
  Module['onAbort'] = notLoaded;
  // Browsers refuse to fetch the .wasm beside a page opened from the disk,
  // and that failure reaches no handler of the runtime: a program that has
  // not started a few seconds after asking for it there is told as not
  // loaded (and the message goes again should it start after all).
  Module['locateFile'] = function(path, prefix) {
    if (/\.wasm$/.test(path) && window.location.protocol === 'file:') {
      setTimeout(function() {
        if (!calledRun) notLoaded();
      }, 3000);
    }
    return prefix + path;
  };

  // ---------------------------------------------------------------------
  // Standard output and error reach the panel in batches: the bytes written
  // during one task are decoded and added with one change of the panel and
  // one scroll, after the task. The panel keeps the last few thousand lines.
  var maxLines = 4000;
  var decoder = new TextDecoder('utf-8');
  var outBytes = [];
  var outText = '';
  var flushQueued = false;
  var lineCounts = [];  // line feeds in each of the panel's text nodes
  var lines = 0;
  function flush() {
    flushQueued = false;
    var added = outText + (outBytes.length ? decoder.decode(Uint8Array.from(outBytes), {stream: true}) : '');
    outBytes = [];
    outText = '';
    if (added.length === 0) return;
    panel.appendChild(document.createTextNode(added));
    var count = added.split('\n').length - 1;
    lineCounts.push(count);
    lines += count;
    while (lines > maxLines && panel.childNodes.length > 1) {
      panel.removeChild(panel.firstChild);
      lines -= lineCounts.shift();
    }
    panel.scrollTop = panel.scrollHeight;
  }
  function queueFlush() {
    if (!flushQueued) {
      flushQueued = true;
      queueMicrotask(flush);
    }
  }
  function show(t) {
    if (outBytes.length) outText += decoder.decode(Uint8Array.from(outBytes), {stream: true});
    outBytes = [];
    outText += t;
    queueFlush();
  }
  function writeByte(byte) {
    if (byte === null) return;
    outBytes.push(byte);
    queueFlush();
  }
  Module['preRun'] = (Module['preRun'] || []).concat([function() {
    FS.init(function() { return null; }, writeByte, writeByte);
  }]);
  Module['postRun'] = (Module['postRun'] || []).concat([function() {
    if (loadFailed) {
      loadFailed = false;
      canvas.hidden = false;
      noWebgl.hidden = true;
      input.disabled = false;
      enterButton.disabled = false;
    }
    afterStart();
    requestAnimationFrame(function() { setTimeout(lookForWebgl, 0); });
  }]);
  Module['arguments'] = config.arguments ? config.arguments(language) : ['--lang', language];

  // ---------------------------------------------------------------------
  // Standard input: the lines entered so far, as UTF-8 bytes, and the reader
  // that waits for the next one.
  var encoder = new TextEncoder();
  var pending = new Uint8Array(0);
  var waiter = null;
  var queuedLines = [];  // the link's answers to the first dialog
  Module['vibsimConsole'] = {
    available: function() { return pending.length; },
    take: function(count) {
      var taken = pending.subarray(0, count);
      pending = pending.subarray(taken.length);
      return taken;
    },
    waitForLine: function(wake) {
      waiter = wake;
      stopPlay();
      updateKeys();
      if (queuedLines.length) setTimeout(function() { enterLine(queuedLines.shift()); }, 0);
      else if (!ended) input.focus({preventScroll: true});
    },
    waiting: function() { return waiter !== null; },
  };
  function waiting() { return waiter !== null; }

  var started = false;  // the program's first dialog is answered
  var ended = false;
  var busy = false;     // the program runs, within one call from here

  // Esc ends the program through exit; a browser tab cannot close itself, so
  // the page says so and takes no more keys or lines.
  function end() {
    ended = true;
    stopPlay();
    input.disabled = true;
    enterButton.disabled = true;
    show(text.ended);
    updateKeys();
  }

  // Runs the program on: the waiting read, or a key. The program hands
  // control back to the browser at the start of GLUT's loop ('unwind') and
  // ends through exit (ExitStatus).
  function run(step) {
    lookForWebgl();
    busy = true;
    try {
      return step();
    } catch (e) {
      if (e === 'unwind') return undefined;
      if (e instanceof ExitStatus) {
        end();
        return undefined;
      }
      throw e;
    } finally {
      busy = false;
      updateKeys();
    }
  }

  function afterStart() {
    if (started || waiting() || ended) return;
    started = true;
    updateKeys();
    if (params.get('play') === '1') startPlay();
  }

  function enterLine(line) {
    if (ended) return;
    var echo = line.length > 1000 ? line.slice(0, 200) + text.longLine(line.length.toLocaleString('en').replace(/,/g, ' ')) : line;
    show(echo + '\n');  // echoed as a terminal does
    var bytes = encoder.encode(line + '\n');
    var joined = new Uint8Array(pending.length + bytes.length);
    joined.set(pending);
    joined.set(bytes, pending.length);
    pending = joined;
    if (waiter !== null) {
      var wake = waiter;
      waiter = null;
      run(wake);
      afterStart();
    }
  }
  form.addEventListener('submit', function(event) {
    event.preventDefault();
    if (ended) return;
    var line = input.value;
    input.value = '';
    enterLine(line);
  });

  // The byte GLUT would give the program for a key, or null for keys it
  // passes as special keys, which the program does not take.
  function keyByte(key) {
    if (key === 'Escape') return 27;
    if (key.length === 1 && key.charCodeAt(0) < 256) return key.charCodeAt(0);
    return null;
  }
  var drawingKeys = {};
  (config.keys || []).forEach(function(k) { if (k.draws) drawingKeys[k.key] = true; });

  // A key for the program, from the keyboard, a button or play. Like the
  // window's keys it is not taken while the dialog waits, nor after Esc.
  function pressKey(key) {
    var byte = keyByte(key);
    if (byte === null || ended || busy || waiting() || !started || !runtimeInitialized) return;
    if (!lookForWebgl() && drawingKeys[key]) return;
    var result = run(function() {
      return Module['ccall']('vibsim_web_key', null, ['number'], [byte], {async: true});
    });
    // The call gives a promise; it settles once the program no longer waits
    // in a dialog the key started.
    if (result instanceof Promise) {
      result.catch(function(e) {
        if (e instanceof ExitStatus) end();
        else throw e;
      });
    }
  }

  function updateKeys() {
    var off = ended || waiting() || !started;
    keyButtons.forEach(function(k) {
      k.button.setAttribute('aria-disabled', String(off || (webgl === false && k.draws)));
    });
    if (playButton) playButton.setAttribute('aria-disabled', String(off || webgl === false));
  }
  updateKeys();

  // Listening on the window in the capture phase, before GLUT's own handlers
  // (registered later, when the program starts GLUT), which are never let
  // through: keys reach the program only here, and touches on the canvas
  // scroll the page as anywhere else.
  window.addEventListener('keydown', function(event) {
    event.stopImmediatePropagation();
    var target = event.target;
    if (target === input || target === linkText) return;
    if (target instanceof HTMLButtonElement && (event.key === 'Enter' || event.key === ' ')) return;
    if (event.ctrlKey || event.altKey || event.metaKey) return;
    if (keyByte(event.key) === null) return;
    event.preventDefault();
    pressKey(event.key);
  }, true);
  window.addEventListener('keyup', function(event) { event.stopImmediatePropagation(); }, true);
  ['touchstart', 'touchmove', 'touchend'].forEach(function(type) {
    window.addEventListener(type, function(event) { event.stopImmediatePropagation(); }, true);
  });

  // ---------------------------------------------------------------------
  // The key buttons. A repeating key held down repeats after a short delay
  // every 40 ms, one frame of motion each, so that holding it runs in real
  // time; the keyboard (Enter or Space on the focused button) gives one press.
  var repeatDelay = 300;
  var repeatEvery = 40;
  var holdTimer = null;
  function stopHold() {
    if (holdTimer !== null) clearTimeout(holdTimer);
    holdTimer = null;
  }
  keyButtons.forEach(function(k) {
    var b = k.button;
    if (k.repeats) {
      b.addEventListener('pointerdown', function(event) {
        if (event.button !== 0) return;
        stopHold();
        pressKey(k.key);
        var again = function() {
          pressKey(k.key);
          holdTimer = setTimeout(again, repeatEvery);
        };
        holdTimer = setTimeout(again, repeatDelay);
      });
      ['pointerup', 'pointercancel', 'pointerleave'].forEach(function(type) { b.addEventListener(type, stopHold); });
      b.addEventListener('click', function(event) { if (event.detail === 0) pressKey(k.key); });
    } else {
      b.addEventListener('click', function() { pressKey(k.key); });
    }
    b.addEventListener('contextmenu', function(event) { event.preventDefault(); });
  });

  // Play: the play key 25 times a second, until pressed again, a dialog
  // starts, or Esc.
  var playTimer = null;
  function startPlay() {
    if (!playButton || playTimer !== null || ended || waiting() || !lookForWebgl()) return;
    playTimer = setInterval(function() { pressKey(config.play); }, 40);
    playButton.setAttribute('aria-pressed', 'true');
    playButton.textContent = text.pause;
  }
  function stopPlay() {
    if (playTimer === null) return;
    clearInterval(playTimer);
    playTimer = null;
    playButton.setAttribute('aria-pressed', 'false');
    playButton.textContent = text.play;
  }
  if (playButton) {
    playButton.addEventListener('click', function() {
      if (playTimer !== null) stopPlay();
      else if (started) startPlay();
    });
  }

  fullscreenButton.addEventListener('click', function() {
    if (document.fullscreenElement) document.exitFullscreen();
    else main.requestFullscreen().catch(function() {});
  });

  // ---------------------------------------------------------------------
  // A case by link: the values answer the first dialog as typed lines when
  // every one is a plain decimal number. They are only ever text: checked
  // against the pattern, shown as text and given to the program as input.
  var decimal = /^[+-]?((\d+\.?\d*|\.\d+)([eE][+-]?\d+)?|inf|infinity|nan)$/i;
  if (config.link) {
    var values = {};
    var given = config.link.parameters.filter(function(name) { return params.has(name); });
    var notNumbers = given.filter(function(name) { return !decimal.test(params.get(name)); });
    var missing = config.link.parameters.filter(function(name) { return !params.has(name); });
    if (notNumbers.length > 0) {
      unused.push(text.notANumber(notNumbers[0]));
    } else if (given.length > 0 && missing.length > 0) {
      unused.push(text.missing(given[0], missing[0]));
    } else if (given.length > 0) {
      config.link.parameters.forEach(function(name) { values[name] = params.get(name); });
      queuedLines = config.link.lines(values);
    }
    // Written as JavaScript writes a double: the shortest decimal that reads
    // back as the same double (and -0 with its sign).
    linkButton.addEventListener('click', function() {
      if (!started || ended) return;
      var url = new URL(window.location.href);
      var current = config.link.current();
      var query = new URLSearchParams();
      config.link.parameters.forEach(function(name) {
        query.set(name, Object.is(current[name], -0) ? '-0' : String(current[name]));
      });
      if (params.has('lang')) query.set('lang', language);
      url.search = query.toString();
      linkText.value = url.href;
      linkText.hidden = false;
      linkText.select();
      if (navigator.clipboard && navigator.clipboard.writeText) navigator.clipboard.writeText(url.href).catch(function() {});
    });
  }
  unused.forEach(show);

  // ---------------------------------------------------------------------
  // A lost WebGL context: the browser may restore it if asked to; then the
  // program's GL objects are made again and the picture it showed is drawn
  // again, without advancing the motion.
  canvas.addEventListener('webglcontextlost', function(event) { event.preventDefault(); });
  canvas.addEventListener('webglcontextrestored', function() {
    if (runtimeInitialized) Module['ccall']('vibsim_web_restore_picture', null, [], []);
  });

  if (config.ready) {
    config.ready({texts: text, language: language, toolbar: toolbar, show: show, params: params,
      started: function() { return started; }});
  }
}
