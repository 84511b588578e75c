// The page on a phone held upright (the narrow layout of page_shell.css):
// a picture wider than tall, a lab's window of panels side by side, shown
// whole at a phone's width has its labels a few pixels tall. There it is
// shown enlarged, at `enlarged` CSS px a pixel of the canvas, so that the
// labs' 13-pixel labels show at least 10 px tall, in a frame as wide as the
// screen that a finger pans. A tap on the picture shows it whole; a tap on
// the whole picture enlarges it again around the place tapped. The key bar
// is a grid there, with the keys first; the shell's other buttons (Link,
// full screen) and the links (downloads, the other pages) fold behind one
// button, and a page's own controls (a file to read) take a row each.
// On a wider screen none of this shows: the layout is the desktop's.
//
// vibsimShellPhone(layout, text) -> { update() }: update() after the key
// bar has all its links.
function vibsimShellPhone(layout, text) {
  'use strict';
  var enlarged = 0.8;
  var main = layout.main;
  var canvas = layout.canvas;
  var frame = layout.picture;
  var narrow = window.matchMedia('(max-aspect-ratio: 1/1), (max-width: 760px)');

  // The canvas's pixels are set by the program's window (GLUT sizes the
  // canvas), so the shape is read whenever they change.
  function shape() {
    var wide = canvas.width > canvas.height;
    main.classList.toggle('wide-picture', wide);
    main.style.setProperty('--picture-width', canvas.width * enlarged + 'px');
  }
  new MutationObserver(shape).observe(canvas, {attributes: true, attributeFilter: ['width', 'height']});
  shape();

  var hint = vibsimElement('p', {id: 'picture-hint', text: text.pictureHint}, frame);
  canvas.addEventListener('click', function(event) {
    if (!narrow.matches || !main.classList.contains('wide-picture')) return;
    var whole = main.classList.toggle('whole-picture');
    hint.textContent = whole ? text.pictureHintWhole : text.pictureHint;
    if (whole) return;
    // The place tapped on the whole picture, in the middle of the frame.
    var at = event.offsetX / frame.clientWidth;
    frame.scrollLeft = at * canvas.getBoundingClientRect().width - frame.clientWidth / 2;
  });

  // The button that shows the folded links and buttons, last in the grid.
  var more = vibsimElement('button', {type: 'button', id: 'more', 'aria-expanded': 'false', text: text.more},
    layout.toolbar);
  more.addEventListener('click', function() {
    var open = layout.toolbar.classList.toggle('unfolded');
    more.setAttribute('aria-expanded', String(open));
  });
  function update() {
    var toolbar = layout.toolbar;
    Array.prototype.forEach.call(toolbar.children, function(e) {
      e.classList.toggle('folds', e.tagName === 'A' || e.id === 'link' || e.id === 'fullscreen');
    });
    // The keys beyond the grid's six rows of four fold too, the last first:
    // a page lists its keys from the most used.
    var cells = 24 - 1 - (layout.playButton ? 1 : 0);
    layout.keyButtons.forEach(function(k, i) { k.button.classList.toggle('folds', i >= cells); });
  }
  return {update: update};
}
