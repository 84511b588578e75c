// The modes lab's page: a button for every key of its window, its case by
// link (the desktop's options, named without dashes and checked by the
// program's own rules), its two CSV files as the desktop's --csv and
// --response-csv write them for the case shown, and the picture's text
// alternative. The page shell does the rest, the links to the other pages
// too.
(function() {
  // One value where all are the same, as the program takes one for all.
  var short = function(values) {
    return values.every(function(v) { return Object.is(v, values[0]); }) ? values[0] : values;
  };
  var chain = function(c) {
    return {masses: c.n, mass: short(c.mass), damping: short(c.damping), stiffness: short(c.stiffness)};
  };
  var startNames = ['mode', 'pluck', 'strike'];
  var shell = null;

  // The two files, made from the program's own texts when they are asked
  // for (a click, or the link taking focus or a press) and the case they
  // hang on has changed: the chain for the modes, the chain and the force
  // (its mass and amplitude) for the response, which takes a moment. A
  // file's text shown to copy (in a frame) is withdrawn once the case
  // changes, and made again at the next click, so that it never shows
  // another case's numbers.
  var files = [
    {id: 'csv', label: 'csv', name: 'vibsim-modes.csv', make: 'vibsim_modes_csv', force: false},
    {id: 'response-csv', label: 'responseCsv', name: 'vibsim-modes-response.csv',
      make: 'vibsim_modes_response_csv', force: true},
  ];
  var caseOf = function(file) {
    var c = vibsimCase();
    return JSON.stringify(file.force ? [chain(c), c.force_at, c.force] : chain(c));
  };
  function refresh(file) {
    if (!shell.idle()) return;
    var key = caseOf(file);
    if (key === file.key) return;
    file.download.offer(Module['ccall'](file.make, 'string', [], []), file.name);
    file.key = key;
  }
  function offerFile(file) {
    file.download = shell.download({id: file.id, label: shell.texts[file.label],
      asked: function() { refresh(file); }});
  }
  function withdrawChanged() {
    files.forEach(function(file) {
      if (!file.download.shown() || caseOf(file) === file.key) return;
      file.download.stale();
      file.key = undefined;
    });
  }

  var modeKeys = ['1', '2', '3', '4', '5', '6', '7', '8', '9'];
  var keyTexts = function(mode, others) {
    var texts = {};
    modeKeys.forEach(function(k) { texts['key.' + k] = mode(k); });
    for (var name in others) texts['key.' + name] = others[name];
    return texts;
  };
  var startText = {
    ja: function(kind, at) { return ['第' + at + 'モードから', 'マス ' + at + ' をはじいて', 'マス ' + at + ' をたたいて'][kind]; },
    en: function(kind, at) { return ['started in mode ' + at, 'mass ' + at + ' plucked', 'mass ' + at + ' struck'][kind]; },
  };

  vibsimPageShell({
    texts: {
      ja: Object.assign(keyTexts(function(k) { return '第' + k + 'モード'; }, {
        s: '進める（押し続けると連続）',
        n: '次のモード',
        N: '前のモード',
        p: '選んだマスをはじく',
        t: '選んだマスをたたく',
        '[': '前のマスを選ぶ',
        ']': '次のマスを選ぶ',
        f: '加振 入／切',
        '-': '加振振動数を下げる',
        '+': '加振振動数を上げる',
        m: '系の定数変更',
        j: '初期形状変更',
        Escape: '終了',
      }), {
        csv: 'モード CSV',
        responseCsv: '応答 CSV',
        pictureLabel: '質点の列の図: 動く鎖、モード座標 q_k(t)、D(ω) とその根、固有モードの形、モードごとのエネルギー、' +
          '加振したマスの定常振幅',
        'rule.masses': '1 から 21 までの整数ではありません',
        'rule.number': '1 から 21 までの整数ではありません',
        'rule.frequency': '0 以上ではありません',
        description: function(n, omegas, start, time, force) {
          return '質点数 N = ' + n + '。固有振動数 ω = ' + omegas + ' rad/s。' + start + '、時刻 t = ' + time + ' s。' +
            (force === null ? '加振なし' : 'マス ' + force[0] + ' を F = ' + force[1] + ' N、ω = ' + force[2] +
              ' rad/s で加振');
        },
      }),
      en: Object.assign(keyTexts(function(k) { return 'mode ' + k; }, {
        s: 'advance (hold to run)',
        n: 'next mode',
        N: 'previous mode',
        p: 'pluck the chosen mass',
        t: 'strike the chosen mass',
        '[': 'choose the mass before',
        ']': 'choose the mass after',
        f: 'forcing on / off',
        '-': 'lower the forcing frequency',
        '+': 'raise the forcing frequency',
        m: 'change the constants',
        j: 'change the initial shape',
        Escape: 'quit',
      }), {
        csv: 'Modes CSV',
        responseCsv: 'Response CSV',
        pictureLabel: 'A chain of masses: the chain in motion, the modal coordinates q_k(t), D(ω) and its roots, ' +
          'the mode shapes, the energy in each mode, and the forced mass\'s steady amplitude',
        'rule.masses': 'it is not a whole number from 1 to 21',
        'rule.number': 'it is not a whole number from 1 to 21',
        'rule.frequency': 'it is less than 0',
        description: function(n, omegas, start, time, force) {
          return 'N = ' + n + ' masses. Natural frequencies ω = ' + omegas + ' rad/s. ' + start + ', time t = ' +
            time + ' s. ' + (force === null ? 'No forcing' : 'Forcing F = ' + force[1] + ' N on mass ' + force[0] +
              ' at ω = ' + force[2] + ' rad/s');
        },
      }),
    },
    keys: [{key: 's', draws: true, repeats: true}].concat(modeKeys.concat(['n', 'N', 'p', 't', '[', ']', 'f', '-', '+'])
      .map(function(k) { return {key: k, draws: true}; }), [{key: 'm'}, {key: 'j'}, {key: 'Escape'}]),
    play: 's',
    page: 'modes.html',
    link: {
      lists: ['mass', 'damping', 'stiffness'],
      options: [
        {name: 'masses', whole: true, least: 1, most: 21, rule: 'rule.masses'},
        {name: 'mass'},
        {name: 'damping'},
        {name: 'stiffness'},
        {name: 'mode', whole: true, least: 1, most: 21, rule: 'rule.number'},
        {name: 'pluck', whole: true, least: 1, most: 21, rule: 'rule.number'},
        {name: 'strike', whole: true, least: 1, most: 21, rule: 'rule.number'},
        {name: 'force_at', option: '--force-at', whole: true, least: 1, most: 21, rule: 'rule.number'},
        {name: 'force'},
        {name: 'force_frequency', option: '--force-frequency', least: 0, rule: 'rule.frequency'},
      ],
      alternatives: [startNames],
      check: function(kept, option, given) {
        return Module['ccall']('vibsim_modes_option_fault', 'string', ['string', 'string', 'string'],
          [kept, option, given]);
      },
      // The chain, its starting shape and, while it is on, the forcing.
      current: function() {
        var shown = vibsimCase();
        var c = chain(shown);
        startNames.forEach(function(name, i) { c[name] = i === shown.start_kind ? shown.start_at : undefined; });
        var forced = shown.forced === 1;
        c.force_at = forced ? shown.force_at : undefined;
        c.force = forced ? shown.force : undefined;
        c.force_frequency = forced ? shown.force_frequency : undefined;
        return c;
      },
    },
    describe: function(t) {
      var c = vibsimCase();
      var omegas = c.omega.map(function(w) { return w.toFixed(4); }).join(', ');
      var start = startText[shell.language](c.start_kind, c.start_at);
      var force = c.forced === 1 ? [c.force_at, c.force, c.force_frequency.toFixed(4)] : null;
      return t.description(c.n, omegas, start, c.time.toFixed(2), force);
    },
    changed: withdrawChanged,
    ready: function(given) {
      shell = given;
      // The lab's window is the desktop's, 1024 x 768: the canvas takes the
      // shell's width and the picture's own shape. (A rule, not the canvas's
      // own style, which GLUT resets when it sizes the canvas.)
      var shape = document.createElement('style');
      shape.textContent = 'main #screen { height: auto; aspect-ratio: auto; }';
      document.head.appendChild(shape);
      files.forEach(offerFile);
    },
    // Once the window shows the chain, the files of its case, made after its
    // first picture.
    start: function() {
      setTimeout(function() { files.forEach(refresh); }, 0);
    },
  });
})();
