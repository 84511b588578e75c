// The console: the program's standard output and error shown in the panel,
// and its standard input from the input line. A line is entered with the
// input's Enter key or the Enter button, only while the program asks for
// one; the link's answers to the first dialog are entered for the user, one
// per question, and the rest of them dropped (with one note) when the
// program refuses one by asking the same question again. While the program
// asks, the input has the focus; once it stops asking, the focus goes back
// to the picture, unless the user has put it elsewhere.
//
// vibsimShellConsole(layout, text, program) -> { show(text), writeByte(byte),
//   device, answer(answers), waiting(), inputKey(event) }
// program: { run(step) runs the program on; asked() when it waits for a
//   line; answered() after a line has run it on; ended() }.
// device is what the C library's reads of fd 0 call (console_input.js).
function vibsimShellConsole(layout, text, program) {
  'use strict';
  var panel = layout.panel;
  var input = layout.input;

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
  var tail = '';        // the panel's last few hundred characters
  function flush() {
    flushQueued = false;
    var added = outText + (outBytes.length ? decoder.decode(Uint8Array.from(outBytes), {stream: true}) : '');
    outBytes = [];
    outText = '';
    if (added.length === 0) return;
    panel.appendChild(document.createTextNode(added));
    var count = added.split('\n').length - 1;
    tail = (tail + added).slice(-500);
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

  // Standard input: the lines entered so far, as UTF-8 bytes, and the reader
  // that waits for the next one.
  var encoder = new TextEncoder();
  var pending = new Uint8Array(0);
  var waiter = null;
  var answers = [];   // the link's lines not yet entered: [{ line, names }]
  var answering = null;  // the link's line last entered, and the question it answered
  function waiting() { return waiter !== null; }

  // The question the program asks now: its last line of output that is not
  // blank.
  function question() {
    flush();
    var lines = tail.split('\n').filter(function(line) { return line.trim() !== ''; });
    return lines.length > 0 ? lines[lines.length - 1] : '';
  }

  var device = {
    available: function() { return pending.length; },
    take: function(count) {
      var taken = pending.subarray(0, count);
      pending = pending.subarray(taken.length);
      return taken;
    },
    waitForLine: function(wake) {
      waiter = wake;
      program.asked();
      var asking = question();
      // The same question again: the program refused the link's line.
      if (answering !== null && asking === answering.question && answers.length > 0) {
        var dropped = [].concat.apply([], answers.map(function(a) { return a.names; }));
        show(text.answersRefused(answering.names, dropped));
        answers = [];
      }
      answering = null;
      if (answers.length > 0) {
        var next = answers.shift();
        answering = {question: asking, names: next.names};
        setTimeout(function() { enter(next.line); }, 0);
      } else if (!program.ended()) {
        input.focus({preventScroll: true});
      }
    },
  };

  // Enters a line: echoed as a terminal does, and given to the program,
  // which runs on until it asks again or stops asking.
  function enter(line) {
    if (program.ended()) return;
    var echo = line.length > 1000 ? line.slice(0, 200) + text.longLine(line.length.toLocaleString('en').replace(/,/g, ' ')) : line;
    show(echo + '\n');
    var bytes = encoder.encode(line + '\n');
    var joined = new Uint8Array(pending.length + bytes.length);
    joined.set(pending);
    joined.set(bytes, pending.length);
    pending = joined;
    if (waiter === null) return;
    var wake = waiter;
    waiter = null;
    program.run(wake);
    program.answered();
    if (!waiting() && !program.ended()) {
      var focused = document.activeElement;
      if (focused === null || focused === document.body || layout.terminal.contains(focused)) {
        layout.canvas.focus({preventScroll: true});
      }
    }
  }

  // The input's line, entered only while the program asks; otherwise it
  // stays in the input, and a note says why.
  function submit() {
    if (program.ended()) return;
    if (!waiting() || answers.length > 0) {
      show(text.notAsked);
      return;
    }
    var line = input.value;
    input.value = '';
    enter(line);
  }
  layout.enterButton.addEventListener('click', submit);
  // Keys in the input; Enter enters the line, unless it ends an input
  // method's composition (Japanese conversion).
  function inputKey(event) {
    if (event.key !== 'Enter' || event.isComposing || event.keyCode === 229) return;
    event.preventDefault();
    submit();
  }

  return {
    show: show,
    writeByte: writeByte,
    device: device,
    answer: function(lines) { answers = lines.slice(); },
    waiting: waiting,
    inputKey: inputKey,
  };
}
