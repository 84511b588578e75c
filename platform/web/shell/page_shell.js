// The page shell: everything around a program's canvas that every page of
// the browser edition shares, put together from its modules: the texts
// (shell_texts.js), the link (shell_link.js), the layout (shell_layout.js),
// the picture (shell_picture.js), the console (shell_console.js), the
// keys (shell_keys.js), the downloads (shell_downloads.js) and the pages of
// the edition (shell_pages.js). This file
// runs the program: it loads it, gives it its arguments, its standard input
// and output and its keys, and knows whether it has started, waits, or has
// ended. A page configures it with one call of vibsimPageShell(config) in a
// script run before the program (--pre-js); see page.cmake for how a page
// is built.
//
// config:
//   texts:   { ja: {...}, en: {...} }, the page's own texts by language,
//            added to the shell's: `key.<key>` labels each key button,
//            pictureLabel names the picture.
//   keys:    [{ key: 's', draws: true, repeats: true }, ...] the key buttons in
//            order; `key` is the KeyboardEvent name ('s', 'Escape'); `draws`
//            keys do nothing without WebGL; a `repeats` key repeats while held.
//   play:    the key that the play button gives 25 times a second (optional);
//            playing stops when a dialog asks, at Esc, or when pressed again.
//   link:    what the page's link may give (see shell_link.js; optional).
//   page:    the page's own file name ('index.html'); the key bar links
//            every other page of the edition (shell_pages.js).
//   oneFile: the name of the page's one-file form (optional), offered when
//            the program cannot be loaded.
//   describe(texts) -> the picture's text alternative for the case shown
//            (optional), asked again after every key and every dialog.
//   changed(): called after every key and every dialog, in the browser's
//            next frame, while the program is idle (optional).
//   keyAllowed(key) -> false to hold a key back for now (optional).
//   ready(shell): called once the page is laid out, for a page's own
//            controls (optional); start(shell): called once the first
//            dialog is answered (optional). shell is { texts (this
//            language's table), language, toolbar (the key bar's element),
//            side (the column of the key bar and the console), show(text)
//            (adds text to the console), params (the link's
//            URLSearchParams), taken (the link's values used, by name),
//            started(), progress(text or null) (a line over the picture),
//            describe() (asks config.describe again), idle() (started, not ended, no dialog waiting: the program's
//            numbers may be asked for), download(wanted) (a download link
//            in the key bar, offered as text as well in a frame: see
//            shell_downloads.js) }.
//
// The language comes from the link (lang=en or ja, Japanese by default) and
// sets <html lang>; the program gets it as --lang, then the link's options.
// The program exports vibsim_web_key(int) for the keys and vibsim_web_case()
// for the case it shows (vibsimCase, shell_pages.js), and page.cmake links in
// the rest.
function vibsimPageShell(config) {
  'use strict';
  var params = new URLSearchParams(window.location.search);
  var language = vibsimLinkLanguage(params);
  var text = vibsimShellTexts(language.language, config.texts);
  document.documentElement.lang = language.language;
  var linkSpec = config.link || {};
  var link = vibsimReadLink(params, linkSpec, text);

  var layout = vibsimShellLayout(config, text);
  Module['canvas'] = layout.canvas;

  var started = false;  // the program's first dialog is answered
  var ended = false;
  var busy = false;     // the program runs, within one call from here
  var keys = null;
  var picture = vibsimShellPicture(layout, text, config.oneFile, function() { if (keys) keys.update(); });
  var terminal = vibsimShellConsole(layout, text, {
    run: run,
    asked: function() {
      keys.stopPlay();
      keys.update();
    },
    answered: afterStart,
    ended: function() { return ended; },
  });
  keys = vibsimShellKeys(layout, text, config, {
    taking: function() { return !ended && !busy && !terminal.waiting() && started && runtimeInitialized; },
    drawing: picture.webgl,
    noWebgl: picture.noWebgl,
    take: take,
    inputKey: terminal.inputKey,
  });
  keys.update();

  // ---------------------------------------------------------------------
  // Loading. A program that cannot be loaded (the .wasm of a page opened
  // from the disk, or in a frame without an origin, which browsers refuse
  // to fetch; a broken download) is told in the picture's place.
  Module['onAbort'] = function() {
    if (!runtimeInitialized) picture.notLoaded();  // a fault of the running program goes to the console
  };
  // The .wasm beside the page is fetched here, so that a failed fetch is
  // caught and told; a one-file page has it inside and asks for no file.
  Module['locateFile'] = function(path, prefix) {
    if (/\.wasm$/.test(path)) {
      Module['instantiateWasm'] = function(imports, receive) {
        fetch(prefix + path, {credentials: 'same-origin'}).then(function(response) {
          if (!response.ok) throw new Error(prefix + path + ': ' + response.status);
          return response.arrayBuffer();
        }).then(function(bytes) {
          return WebAssembly.instantiate(bytes, imports);
        }).then(function(result) { receive(result.instance); }, picture.notLoaded);
        return {};
      };
    }
    return prefix + path;
  };
  Module['preRun'] = (Module['preRun'] || []).concat([function() {
    FS.init(function() { return null; }, terminal.writeByte, terminal.writeByte);
  }]);
  Module['postRun'] = (Module['postRun'] || []).concat([function() {
    picture.loaded();
    afterStart();
    requestAnimationFrame(function() { setTimeout(picture.webgl, 0); });
  }]);
  var programArguments = Module['arguments'] = ['--lang', language.language].concat(link.arguments);
  // Options that the program's rules tie together (a list as long as
  // another option says) are checked by the program's own rules once it is
  // loaded, before main starts; each one refused is named and left out. The
  // array is changed in place: emscripten has taken it as main's arguments.
  if (linkSpec.check) {
    Module['onRuntimeInitialized'] = function() {
      var kept = [];
      link.options.forEach(function(o) {
        var rule = linkSpec.check(kept.join('\n'), o.option, o.value);
        if (!rule) {
          kept.push(o.option, o.value);
          return;
        }
        terminal.show(text.ruleBroken(o.name, rule));
        delete link.taken[o.name];
      });
      programArguments.splice.apply(programArguments, [2, programArguments.length - 2].concat(kept));
    };
  }
  Module['vibsimConsole'] = terminal.device;

  // ---------------------------------------------------------------------
  // Running the program on: the waiting read, or a key. The program hands
  // control back to the browser at the start of GLUT's loop ('unwind') and
  // ends through exit (ExitStatus). Esc ends it so; a browser tab cannot
  // close itself, so the page says so and takes no more keys or lines.
  function end() {
    ended = true;
    keys.stopPlay();
    layout.input.disabled = true;
    layout.enterButton.disabled = true;
    terminal.show(text.ended);
    keys.update();
  }
  function run(step) {
    picture.webgl();
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
      keys.update();
    }
  }
  // The program's numbers are asked for only while it does not wait in a
  // dialog: a call into it then would take over the settling of the key
  // that started the dialog.
  function idle() { return started && !ended && !terminal.waiting(); }
  // The picture is drawn on the browser's next frame, and described after
  // it; the page hears of the change then too.
  var describing = false;
  function describe() {
    if (describing) return;
    describing = true;
    requestAnimationFrame(function() {
      describing = false;
      if (!idle()) return;
      if (config.changed) config.changed();
      if (config.describe) picture.describe(config.describe(text));
    });
  }
  function take(key, byte) {
    var result = run(function() {
      return Module['ccall']('vibsim_web_key', null, ['number'], [byte], {async: true});
    });
    // The call gives a promise; it settles once the program no longer waits
    // in a dialog the key started.
    if (result instanceof Promise) {
      result.then(describe, function(e) {
        if (e instanceof ExitStatus) end();
        else throw e;
      });
    }
  }

  var shell = {texts: text, language: language.language, toolbar: layout.toolbar, side: layout.side,
    show: terminal.show, params: params, taken: link.taken, started: function() { return started; },
    progress: picture.progress, describe: describe, idle: idle,
    download: vibsimShellDownloads(layout, text).add};
  function afterStart() {
    if (started || terminal.waiting() || ended) {
      describe();
      return;
    }
    started = true;
    keys.update();
    if (params.get('play') === '1') keys.startPlay();
    if (config.start) config.start(shell);
    describe();
  }

  // ---------------------------------------------------------------------
  // The link: its notes, its answers to the first dialog, and the link of
  // the case shown, on screen and copied where the browser allows.
  if (language.refused) terminal.show(text.unknownLanguage('lang'));
  link.notes.forEach(terminal.show);
  terminal.answer(link.answers);
  if (layout.linkButton) {
    layout.linkButton.addEventListener('click', function() {
      if (!started || ended || terminal.waiting()) return;
      var href = vibsimCaseLink(window.location.href, linkSpec, linkSpec.current(), link.taken, language);
      layout.linkText.value = href;
      layout.linkText.hidden = false;
      layout.linkText.select();
      if (navigator.clipboard && navigator.clipboard.writeText) navigator.clipboard.writeText(href).catch(function() {});
    });
  }

  if (config.ready) config.ready(shell);
  vibsimShellPageLinks(config.page, language.language, params.has('lang'), layout.toolbar);
}
