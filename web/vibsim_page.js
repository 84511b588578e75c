// The simulator's page: its key buttons, their labels, and its case by link
// (m, lambda, K answer the constants prompt, y0 and v0 the initial
// conditions prompt). The page shell does the rest.
vibsimPageShell({
  texts: {
    ja: {
      'key.s': 'コマ送り',
      'key.t': '時間軸 縮小',
      'key.T': '時間軸 拡大',
      'key.y': '縦軸 縮小',
      'key.Y': '縦軸 拡大',
      'key.m': '系の定数変更',
      'key.j': '初期条件変更',
      'key.Escape': '終了',
      otherPage: 'ランダム振動の実験へ',
    },
    en: {
      'key.s': 'next frame',
      'key.t': 'compress time axis',
      'key.T': 'stretch time axis',
      'key.y': 'shrink vertical axis',
      'key.Y': 'enlarge vertical axis',
      'key.m': 'change constants',
      'key.j': 'change initial conditions',
      'key.Escape': 'end',
      otherPage: 'To the random-vibration lab',
    },
  },
  keys: [
    {key: 's', draws: true, repeats: true},
    {key: 't', draws: true},
    {key: 'T', draws: true},
    {key: 'y', draws: true},
    {key: 'Y', draws: true},
    {key: 'm'},
    {key: 'j'},
    {key: 'Escape'},
  ],
  play: 's',
  oneFile: 'vibsim.html',
  link: {
    parameters: ['mass', 'damping', 'stiffness', 'y0', 'v0'],
    lines: function(v) { return [v.mass + ' ' + v.damping + ' ' + v.stiffness, v.y0 + ' ' + v.v0]; },
    current: function() {
      var value = function(i) { return Module['ccall']('vibsim_web_case_value', 'number', ['number'], [i]); };
      return {mass: value(0), damping: value(1), stiffness: value(2), y0: value(3), v0: value(4)};
    },
  },
  // The random-vibration lab's page, a file of its own that opens from the
  // disk as well as from the server.
  ready: function(shell) {
    var other = document.createElement('a');
    other.id = 'other-page';
    other.href = 'random.html' + (shell.params.has('lang') ? '?lang=' + shell.language : '');
    other.textContent = shell.texts.otherPage;
    shell.toolbar.appendChild(other);
  },
});
