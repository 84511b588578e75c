// The simulator's page: its key buttons, their labels, its case by link
// (m, lambda, K answer the constants prompt, y0 and v0 the initial
// conditions prompt), the picture's text alternative and the links to the
// two labs' pages. The page shell does the rest.
(function() {
  // The simulator's numbers by index (simulator_page.cpp).
  var value = function(i) { return Module['ccall']('vibsim_web_case_value', 'number', ['number'], [i]); };
  // The damping class as the console prints it.
  var damping = function(t, zeta) { return !(zeta >= 1) ? t.underdamped : zeta > 1 ? t.overdamped : t.criticallyDamped; };
  var constants = function() {
    return 'm = ' + value(0) + ' kg, λ = ' + value(1) + ' N/(m/s), K = ' + value(2) + ' N/m, y0 = ' + value(3) +
      ' m, v0 = ' + value(4) + ' m/s';
  };

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
        modesPage: '質点の列の固有振動とモードの実験へ',
        pictureLabel: '１自由度減衰自由振動の図: ばねにつながれたマスと、変位 y(t)（赤）と速度 v(t)（緑）の時間変化',
        underdamped: '不足減衰',
        overdamped: '過減衰',
        criticallyDamped: '臨界減衰',
        description: function(omega, zeta, kind, time) {
          return constants() + '。固有振動数 ω0 = ' + omega + ' rad/s、減衰比 ζ = ' + zeta + '、' + kind +
            '。時刻 t = ' + time + ' s';
        },
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
        modesPage: 'To the chain lab: natural frequencies and modes',
        pictureLabel: 'Damped free vibration: the mass on its spring, and its displacement y(t) (red) and ' +
          'velocity v(t) (green) over time',
        underdamped: 'underdamped',
        overdamped: 'overdamped',
        criticallyDamped: 'critically damped',
        description: function(omega, zeta, kind, time) {
          return constants() + '. Natural frequency ω0 = ' + omega + ' rad/s, damping ratio ζ = ' + zeta + ', ' +
            kind + '. Time t = ' + time + ' s';
        },
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
      answers: [['mass', 'damping', 'stiffness'], ['y0', 'v0']],
      current: function() {
        return {mass: value(0), damping: value(1), stiffness: value(2), y0: value(3), v0: value(4)};
      },
    },
    describe: function(t) {
      var zeta = value(6);
      return t.description(value(5).toFixed(4), zeta.toFixed(4), damping(t, zeta), value(7).toFixed(2));
    },
    // The two labs' pages, files of their own that open from the disk as
    // well as from the server.
    ready: function(shell) {
      var other = document.createElement('a');
      other.id = 'other-page';
      other.href = 'random.html' + (shell.params.has('lang') ? '?lang=' + shell.language : '');
      other.textContent = shell.texts.otherPage;
      shell.toolbar.appendChild(other);
      shell.pageLink('modes-page', 'modes.html', shell.texts.modesPage);
    },
  });
})();
