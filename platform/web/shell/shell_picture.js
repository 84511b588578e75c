// The picture's side of the shell: whether the browser has WebGL, what
// stands in the picture's place when it has none or when the program cannot
// be loaded, the picture drawn again after a lost WebGL context comes back,
// a progress line over the picture, and its text alternative.
//
// vibsimShellPicture(layout, text, oneFile, changed) -> { webgl(), noWebgl(),
//   notLoaded(), loaded(), progress(text or null), describe(text) }; webgl()
// looks for WebGL the first time (then calls changed()) and answers true or
// false from then on; noWebgl() is true once WebGL is known to be missing.
function vibsimShellPicture(layout, text, oneFile, changed) {
  'use strict';
  var canvas = layout.canvas;
  var message = layout.message;

  // WebGL, looked for on a canvas of its own before the program first runs
  // on from its first prompt, so before it draws, and once the first prompt
  // is shown: a browser's first WebGL context may take half a second to
  // make, which the first prompt need not wait for.
  var found = null;  // not looked for yet
  function webgl() {
    if (found !== null) return found;
    try {
      var probe = document.createElement('canvas');
      var context = probe.getContext('webgl') || probe.getContext('experimental-webgl');
      found = !!context;
      var release = context && context.getExtension('WEBGL_lose_context');
      if (release) release.loseContext();
    } catch (e) {
      found = false;
    }
    if (!found) {
      canvas.hidden = true;
      message.textContent = text.noWebgl;
      message.hidden = false;
    }
    changed();
    return found;
  }

  // A program that cannot be loaded is told in the picture's place, with
  // what happened where the page can tell, and the one-file page, which has
  // the program inside and so loads wherever scripts run.
  var failed = false;
  function notLoaded() {
    failed = true;
    canvas.hidden = true;
    message.textContent = '';
    var inFrame = window.origin === 'null' && window.self !== window.top;
    if (window.location.protocol === 'file:') message.textContent = text.notLoadedFromDisk;
    else if (inFrame) message.textContent = text.notLoadedInFrame;
    else message.textContent = text.notLoaded + (oneFile ? text.oneFileAnywhere : '');
    if (oneFile) vibsimElement('a', {href: oneFile + window.location.search, text: oneFile}, message);
    message.hidden = false;
    layout.input.disabled = true;
    layout.enterButton.disabled = true;
  }
  function loaded() {
    if (!failed) return;
    failed = false;
    canvas.hidden = false;
    message.hidden = true;
    layout.input.disabled = false;
    layout.enterButton.disabled = false;
  }

  // A lost WebGL context: the browser may restore it if asked to; then the
  // program's GL objects are made again and the picture it showed is drawn
  // again, without advancing the motion.
  canvas.addEventListener('webglcontextlost', function(event) { event.preventDefault(); });
  canvas.addEventListener('webglcontextrestored', function() {
    if (runtimeInitialized) Module['ccall']('vibsim_web_restore_picture', null, [], []);
  });

  function progress(line) {
    layout.progress.hidden = line === null;
    layout.progress.textContent = line === null ? '' : line;
  }
  function describe(line) {
    if (layout.description.textContent !== line) layout.description.textContent = line;
  }
  return {webgl: webgl, noWebgl: function() { return found === false; }, notLoaded: notLoaded, loaded: loaded, progress: progress, describe: describe};
}
