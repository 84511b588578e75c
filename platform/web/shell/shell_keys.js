// The keys: the keyboard, the key buttons and play, each giving the program
// the byte GLUT would give it for the key. Like the window's keys they are
// not taken while the dialog waits, nor after Esc; the page may hold some
// back for a while (config.keyAllowed).
//
// vibsimShellKeys(layout, text, config, program) -> { update(), startPlay(),
//   stopPlay() }
// program: { take(key, byte) gives the program a key; taking() whether it
//   takes keys now; drawing() false without WebGL (looked for at the first
//   key); noWebgl() true once known to be missing; inputKey(event) for keys
//   typed in the console input }.
function vibsimShellKeys(layout, text, config, program) {
  'use strict';

  // The byte GLUT would give the program for a key, or null for keys it
  // passes as special keys, which the program does not take.
  function keyByte(key) {
    if (key === 'Escape') return 27;
    if (key.length === 1 && key.charCodeAt(0) < 256) return key.charCodeAt(0);
    return null;
  }
  var drawingKeys = {};
  (config.keys || []).forEach(function(k) { if (k.draws) drawingKeys[k.key] = true; });

  function press(key) {
    var byte = keyByte(key);
    if (byte === null || !program.taking()) return;
    if (config.keyAllowed && !config.keyAllowed(key)) return;
    if (drawingKeys[key] && !program.drawing()) return;
    program.take(key, byte);
  }

  function update() {
    var off = !program.taking();
    var noWebgl = program.noWebgl();
    layout.keyButtons.forEach(function(k) {
      k.button.setAttribute('aria-disabled', String(off || (noWebgl && k.draws)));
    });
    if (layout.playButton) layout.playButton.setAttribute('aria-disabled', String(off || noWebgl));
    if (layout.linkButton) layout.linkButton.setAttribute('aria-disabled', String(off));
  }

  // Listening on the window in the capture phase, before GLUT's own handlers
  // (registered later, when the program starts GLUT), which are never let
  // through: keys reach the program only here, and touches on the canvas
  // scroll the page as anywhere else. The link box is read-only, so that
  // the keys work from it as from the picture.
  window.addEventListener('keydown', function(event) {
    event.stopImmediatePropagation();
    var target = event.target;
    if (target === layout.input) {
      program.inputKey(event);
      return;
    }
    if (target instanceof HTMLButtonElement && (event.key === 'Enter' || event.key === ' ')) return;
    if (event.ctrlKey || event.altKey || event.metaKey) return;
    if (keyByte(event.key) === null) return;
    event.preventDefault();
    press(event.key);
  }, true);
  window.addEventListener('keyup', function(event) { event.stopImmediatePropagation(); }, true);
  ['touchstart', 'touchmove', 'touchend'].forEach(function(type) {
    window.addEventListener(type, function(event) { event.stopImmediatePropagation(); }, true);
  });

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
  layout.keyButtons.forEach(function(k) {
    var b = k.button;
    if (k.repeats) {
      b.addEventListener('pointerdown', function(event) {
        if (event.button !== 0) return;
        stopHold();
        press(k.key);
        var again = function() {
          press(k.key);
          holdTimer = setTimeout(again, repeatEvery);
        };
        holdTimer = setTimeout(again, repeatDelay);
      });
      ['pointerup', 'pointercancel', 'pointerleave'].forEach(function(type) { b.addEventListener(type, stopHold); });
      b.addEventListener('click', function(event) { if (event.detail === 0) press(k.key); });
    } else {
      b.addEventListener('click', function() { press(k.key); });
    }
    b.addEventListener('contextmenu', function(event) { event.preventDefault(); });
  });

  // Play: the play key 25 times a second, until pressed again, a dialog
  // starts, or Esc.
  var playButton = layout.playButton;
  var playTimer = null;
  function startPlay() {
    if (!playButton || playTimer !== null || !program.taking() || !program.drawing()) return;
    playTimer = setInterval(function() { press(config.play); }, 40);
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
      else startPlay();
    });
  }
  return {update: update, startPlay: startPlay, stopPlay: stopPlay};
}
