// The random-vibration lab's page: its key buttons, its case by link (m, λ,
// K, y0, v0 and σ answer its dialog as typed lines; seed and records are its
// command-line options, as on the desktop), the averaged spectrum so far as a
// CSV file, and the link to the simulator's page. The page shell does the
// rest.
(function() {
  var wholeNumber = /^\d{1,10}$/;
  var options = ['seed', 'records'];

  // The CSV link's file, made again from the program's own --csv text
  // whenever the lab has changed.
  var csvLink = null;
  function updateCsv() {
    if (csvLink === null || !runtimeInitialized) return;
    var text = Module['ccall']('vibsim_random_csv', 'string', [], []);
    if (text === '') return;
    if (csvLink.href.startsWith('blob:')) URL.revokeObjectURL(csvLink.href);
    csvLink.href = URL.createObjectURL(new Blob([text], {type: 'text/csv'}));
    csvLink.removeAttribute('aria-disabled');
  }
  Module['labChanged'] = updateCsv;

  vibsimPageShell({
    texts: {
      ja: {
        'key.s': '進める（押し続けると連続）',
        'key.r': 'スペクトル平均のやり直し',
        'key.Escape': '終了',
        csv: 'スペクトル CSV',
        otherPage: '自由振動シミュレータへ',
      },
      en: {
        'key.s': 'advance (hold to run)',
        'key.r': 'restart the average',
        'key.Escape': 'quit',
        csv: 'Spectrum CSV',
        otherPage: 'To the free-vibration simulator',
      },
    },
    keys: [
      {key: 's', draws: true, repeats: true},
      {key: 'r', draws: true},
      {key: 'Escape'},
    ],
    play: 's',
    link: {
      parameters: ['mass', 'damping', 'stiffness', 'y0', 'v0', 'force'],
      lines: function(v) { return [v.mass + ' ' + v.damping + ' ' + v.stiffness, v.y0 + ' ' + v.v0, v.force]; },
      current: function() {
        var value = function(i) { return Module['ccall']('vibsim_random_case_value', 'number', ['number'], [i]); };
        return {mass: value(0), damping: value(1), stiffness: value(2), y0: value(3), v0: value(4), force: value(5)};
      },
    },
    // seed and records as the desktop's options; a value that is not a whole
    // number is not used (the program itself checks the range).
    arguments: function(language) {
      var params = new URLSearchParams(window.location.search);
      var args = ['--lang', language];
      options.forEach(function(name) {
        if (params.has(name) && wholeNumber.test(params.get(name))) args.push('--' + name, params.get(name));
      });
      return args;
    },
    ready: function(shell) {
      // The lab's window is the desktop's, 1024 x 768: the canvas takes the
      // shell's width and the picture's own shape. (A rule, not the canvas's
      // own style, which GLUT resets when it sizes the canvas.)
      var shape = document.createElement('style');
      shape.textContent = 'main #screen { height: auto; aspect-ratio: auto; }';
      document.head.appendChild(shape);
      options.forEach(function(name) {
        if (shell.params.has(name) && !wholeNumber.test(shell.params.get(name))) {
          shell.show(shell.texts.notANumber(name));
        }
      });
      csvLink = document.createElement('a');
      csvLink.id = 'csv';
      csvLink.download = 'vibsim-random.csv';
      csvLink.textContent = shell.texts.csv;
      csvLink.setAttribute('aria-disabled', 'true');
      csvLink.addEventListener('click', function(event) {
        if (!csvLink.href) event.preventDefault();
        else updateCsv();
      });
      shell.toolbar.appendChild(csvLink);
      var other = document.createElement('a');
      other.id = 'other-page';
      // Opened from the disk, the simulator's page is its one file too.
      other.href = (location.protocol === 'file:' ? 'vibsim.html' : 'index.html') +
        (shell.params.has('lang') ? '?lang=' + shell.language : '');
      other.textContent = shell.texts.otherPage;
      shell.toolbar.appendChild(other);
      // The first CSV once the window shows the lab.
      var poll = setInterval(function() {
        if (!shell.started()) return;
        clearInterval(poll);
        updateCsv();
      }, 50);
    },
  });
})();
