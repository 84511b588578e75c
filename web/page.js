// The page's side of the program: the canvas it draws on, the console panel
// that shows standard output as it is written, the one-line console input
// whose lines become standard input, and the keys of the canvas. Runs before
// the program starts.
(function() {
  var panel = document.getElementById('console');
  var input = document.getElementById('console-input');
  Module['canvas'] = document.getElementById('screen');

  // Standard output and error go to the panel byte by byte, unbuffered, so
  // that a prompt without a line feed shows before the program waits.
  var decoder = new TextDecoder('utf-8');
  function show(text) {
    if (text.length === 0) return;
    if (panel.lastChild !== null) {
      panel.lastChild.appendData(text);
    } else {
      panel.appendChild(document.createTextNode(text));
    }
    panel.scrollTop = panel.scrollHeight;
  }
  function writeByte(byte) {
    if (byte === null) return;
    show(decoder.decode(new Uint8Array([byte]), {stream: true}));
  }
  Module['preRun'] = (Module['preRun'] || []).concat([function() {
    FS.init(function() { return null; }, writeByte, writeByte);
  }]);

  // Standard input: the lines typed so far, as UTF-8 bytes, and the reader
  // that waits for the next one.
  var encoder = new TextEncoder();
  var pending = [];
  var waiter = null;
  var consoleInput = {
    available: function() { return pending.length; },
    take: function(count) { return Uint8Array.from(pending.splice(0, count)); },
    waitForLine: function(wake) { waiter = wake; },
    waiting: function() { return waiter !== null; },
  };
  Module['vibsimConsole'] = consoleInput;

  var ended = false;
  var busy = false;  // a key is being handled, possibly inside a dialog

  // Esc ends the program through exit; a browser tab cannot close itself, so
  // the page says so and takes no more keys or lines.
  function end() {
    ended = true;
    input.disabled = true;
    show('\n\n[Esc: シミュレーションを終了しました。ページを再読み込みすると最初から始まります。]\n');
  }

  // Runs the program on: the waiting read, or a key. The program hands
  // control back to the browser at the start of GLUT's loop ('unwind') and
  // ends through exit (ExitStatus).
  function run(step) {
    try {
      return step();
    } catch (e) {
      if (e === 'unwind') return undefined;
      if (e instanceof ExitStatus) {
        end();
        return undefined;
      }
      throw e;
    }
  }

  function enterLine() {
    var line = input.value;
    input.value = '';
    show(line + '\n');  // echoed as a terminal does
    var bytes = encoder.encode(line + '\n');
    for (var i = 0; i < bytes.length; i++) pending.push(bytes[i]);
    if (waiter !== null) {
      var wake = waiter;
      waiter = null;
      run(wake);
    }
  }

  // The byte GLUT would give the program for a key, or null for keys it
  // passes as special keys, which the program does not take.
  function keyByte(event) {
    if (event.key === 'Escape') return 27;
    if (event.key.length === 1 && event.key.charCodeAt(0) < 256) return event.key.charCodeAt(0);
    return null;
  }

  function pressKey(byte) {
    busy = true;
    var result = run(function() {
      return Module['ccall']('vibsim_web_key', null, ['number'], [byte], {async: true});
    });
    // The call gives a promise either way; the program still waits (in the
    // dialog) only while Asyncify holds its stack.
    if (result instanceof Promise && Asyncify.currData) {
      result.then(function() { busy = false; }, function(e) {
        busy = false;
        if (!(e instanceof ExitStatus)) throw e;
        end();
      });
    } else {
      busy = false;
    }
  }

  // Listening on the window in the capture phase, before GLUT's own handler
  // (registered later, when the program starts GLUT), which is never let
  // through: keys reach the program only here.
  window.addEventListener('keydown', function(event) {
    event.stopImmediatePropagation();
    if (event.target === input) {
      if (event.key === 'Enter' && !event.isComposing && !ended) {
        event.preventDefault();
        enterLine();
      }
      return;
    }
    if (event.ctrlKey || event.altKey || event.metaKey) return;
    var byte = keyByte(event);
    if (byte === null) return;
    event.preventDefault();
    // The window does not respond while the dialog waits, nor after Esc.
    if (ended || busy || consoleInput.waiting() || !runtimeInitialized) return;
    pressKey(byte);
  }, true);
  window.addEventListener('keyup', function(event) { event.stopImmediatePropagation(); }, true);
})();
