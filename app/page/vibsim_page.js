// The simulator's page: its key buttons, their labels, its case by link
// (m, lambda, K answer the constants prompt, y0 and v0 the initial
// conditions prompt) and the picture's text alternative. The page shell does
// the rest.
(function() {
  var constants = function(c) {
    return 'm = ' + c.mass + ' kg, λ = ' + c.damping + ' N/(m/s), K = ' + c.stiffness + ' N/m, y0 = ' + c.y0 +
      ' m, v0 = ' + c.v0 + ' m/s';
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
        pictureLabel: '１自由度減衰自由振動の図: ばねにつながれたマスと、変位 y(t)（赤）と速度 v(t)（緑）の時間変化',
        description: function(c, omega, zeta, time) {
          return constants(c) + '。固有振動数 ω0 = ' + omega + ' rad/s、減衰比 ζ = ' + zeta + '、' + c.damping_class +
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
        pictureLabel: 'Damped free vibration: the mass on its spring, and its displacement y(t) (red) and ' +
          'velocity v(t) (green) over time',
        description: function(c, omega, zeta, time) {
          return constants(c) + '. Natural frequency ω0 = ' + omega + ' rad/s, damping ratio ζ = ' + zeta + ', ' +
            c.damping_class + '. Time t = ' + time + ' s';
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
    page: 'index.html',
    oneFile: 'vibsim.html',
    link: {
      answers: [['mass', 'damping', 'stiffness'], ['y0', 'v0']],
      current: function() {
        var c = vibsimCase();
        return {mass: c.mass, damping: c.damping, stiffness: c.stiffness, y0: c.y0, v0: c.v0};
      },
    },
    describe: function(t) {
      var c = vibsimCase();
      return t.description(c, c.omega0.toFixed(4), c.zeta.toFixed(4), c.time.toFixed(2));
    },
  });
})();
