// The page's layout, the same on every page: the picture (the canvas, the
// message that stands in its place, a progress line over it and its text
// alternative), and beside or below it the key bar and the console (the
// program's output and the input line). Built here from the page's keys and
// texts; the other modules find their elements in what this returns.

// A new element with attributes (`text` sets its text), added to `parent`.
function vibsimElement(tag, attributes, parent) {
  var e = document.createElement(tag);
  for (var name in attributes) {
    if (name === 'text') e.textContent = attributes[name];
    else e.setAttribute(name, attributes[name]);
  }
  if (parent) parent.appendChild(e);
  return e;
}

function vibsimShellLayout(config, text) {
  'use strict';
  var element = vibsimElement;
  var layout = {};
  var main = layout.main = document.querySelector('main') || element('main', {}, document.body);
  var picture = layout.picture = element('div', {id: 'picture'}, main);
  // The canvas is a picture with a name, and a description of the case it
  // shows that the page keeps up to date.
  layout.canvas = element('canvas', {id: 'screen', width: 800, height: 800, tabindex: 0, role: 'img',
    'aria-label': text.pictureLabel || '', 'aria-describedby': 'picture-description'}, picture);
  layout.description = element('p', {id: 'picture-description', class: 'for-screen-readers'}, picture);
  layout.message = element('div', {id: 'no-webgl', role: 'alert'}, picture);
  layout.message.hidden = true;
  layout.progress = element('div', {id: 'progress', role: 'status'}, picture);
  layout.progress.hidden = true;

  var side = layout.side = element('div', {id: 'side'}, main);
  var toolbar = layout.toolbar = element('div', {id: 'keys', role: 'toolbar', 'aria-label': text.keysLabel}, side);
  var terminal = layout.terminal = element('section', {id: 'terminal', 'aria-label': text.consoleLabel}, side);
  layout.panel = element('pre', {id: 'console', role: 'log', 'aria-live': 'polite'}, terminal);
  // Not a form: a frame without allow-forms never submits one. The input's
  // own Enter key and the Enter button answer the dialog.
  var row = element('div', {id: 'console-form'}, terminal);
  layout.input = element('input', {id: 'console-input', type: 'text', autocomplete: 'off', spellcheck: 'false',
    autocapitalize: 'off', enterkeyhint: 'enter', 'aria-label': text.inputLabel,
    placeholder: text.inputPlaceholder}, row);
  layout.enterButton = element('button', {type: 'button', id: 'console-enter', text: text.enter}, row);

  layout.keyButtons = (config.keys || []).map(function(k) {
    var b = element('button', {type: 'button', 'data-key': k.key}, toolbar);
    element('kbd', {text: k.key === 'Escape' ? 'Esc' : k.key}, b);
    b.appendChild(document.createTextNode(' ' + (text['key.' + k.key] || '')));
    return {button: b, key: k.key, draws: !!k.draws, repeats: !!k.repeats};
  });
  layout.playButton = config.play ? element('button', {type: 'button', id: 'play', 'aria-pressed': 'false',
    text: text.play}, toolbar) : null;
  layout.linkButton = config.link ? element('button', {type: 'button', id: 'link', text: text.link}, toolbar) : null;
  var fullscreenButton = element('button', {type: 'button', id: 'fullscreen', text: text.fullscreen}, toolbar);
  if (!main.requestFullscreen) fullscreenButton.hidden = true;
  fullscreenButton.addEventListener('click', function() {
    if (document.fullscreenElement) document.exitFullscreen();
    else main.requestFullscreen().catch(function() {});
  });
  layout.linkText = element('input', {id: 'link-text', type: 'url', readonly: '', 'aria-label': text.linkLabel}, side);
  layout.linkText.hidden = true;
  return layout;
}
