// The random-vibration lab's page: its key buttons, its case by link (m, λ,
// K, y0, v0 and σ answer its dialog as typed lines; seed and records are its
// command-line options, as on the desktop, checked by the program's rules),
// the records the link asks for run in slices that leave the page live, the
// averaged spectrum as a CSV file once a record is in, and the picture's text
// alternative. The page shell does the rest, the links to the other pages too.
(function() {
  var recordsAveraged = function() { return vibsimCase().records; };
  var shell = null;

  // The records of the link's `records`, run as the desktop's --records runs
  // them (one record is 32 presses of s from the start), a few milliseconds
  // at a time, between which the browser draws and takes keys: r and Esc
  // end the run and do what they do, other keys wait for its end.
  var run = null;  // { target } while the records run
  // A slice presses s until 5 ms have passed. The press that ends a record
  // analyses it, the other 31 are quick: so a slice is about one record,
  // and the page's other tasks (a timer's tick, the picture of the next
  // frame) wait for no more than that.
  var sliceTime = 5;  // ms
  // The next slice as a task of its own: a timer, so that it waits behind
  // the timers already due (a slice posted as a message would go ahead of
  // them), set from a message, so without the few milliseconds that
  // browsers add to a timer set from a timer.
  var yielding = new MessageChannel();
  function runRecords(target) {
    run = {target: target};
    var slice = function() {
      if (run === null) return;
      var until = performance.now() + sliceTime;
      var records = recordsAveraged();
      while (records < run.target && performance.now() < until) {
        Module['ccall']('vibsim_web_key', null, ['number'], ['s'.charCodeAt(0)]);
        records = recordsAveraged();
      }
      if (records < run.target) {
        shell.progress(shell.texts.progress(records, run.target));
        yielding.port2.postMessage(null);
        return;
      }
      endRun();
      shell.describe();
    };
    yielding.port1.onmessage = function() { setTimeout(slice, 0); };
    slice();
  }
  function endRun() {
    run = null;
    shell.progress(null);
    updateCsv();
  }

  // The CSV link's file, made again from the program's own --csv text
  // whenever the lab has changed, but not while records run; none before a
  // record is in.
  var csv = null;
  function updateCsv() {
    if (csv === null || !runtimeInitialized || run !== null) return;
    var records = recordsAveraged();
    var text = records > 0 ? Module['ccall']('vibsim_random_csv', 'string', [], []) : '';
    csv.offer(text, 'vibsim-random-' + records + '.csv');
  }
  Module['labChanged'] = updateCsv;

  var ruleTexts = {
    ja: {
      'rule.seed': '0 から 4294967295 までの整数ではありません',
      'rule.records': '1 から 100000 までの整数ではありません',
    },
    en: {
      'rule.seed': 'it is not a whole number from 0 to 4294967295',
      'rule.records': 'it is not a whole number from 1 to 100000',
    },
  };
  var constants = function(c) {
    return 'm = ' + c.mass + ' kg, λ = ' + c.damping + ' N/(m/s), K = ' + c.stiffness + ' N/m, y0 = ' + c.y0 +
      ' m, v0 = ' + c.v0 + ' m/s, σ = ' + c.force + ' N';
  };

  vibsimPageShell({
    texts: {
      ja: Object.assign({
        'key.s': '進める（押し続けると連続）',
        'key.r': 'スペクトル平均のやり直し',
        'key.Escape': '終了',
        csv: 'スペクトル CSV',
        csvInFrame: 'ダウンロードが始まらないとき（埋め込み先の枠が禁じているときなど）は、ここから CSV をコピーしてください：',
        progress: function(records, target) { return '記録 ' + records + ' / ' + target; },
        pictureLabel: 'ランダム振動の図: 応答 y(t)、位相面、ばねにつながれたマス、平均した振幅スペクトルと理論応答 |H(ω)|',
        description: function(c, omega, zeta, records, time) {
          return constants(c) + '。固有振動数 ω0 = ' + omega + ' rad/s、減衰比 ζ = ' + zeta + '、' + c.damping_class +
            '。平均した記録 ' + records + '。時刻 t = ' + time + ' s';
        },
      }, ruleTexts.ja),
      en: Object.assign({
        'key.s': 'advance (hold to run)',
        'key.r': 'restart the average',
        'key.Escape': 'quit',
        csv: 'Spectrum CSV',
        csvInFrame: 'If no download starts (a frame may forbid downloads), copy the CSV from here:',
        progress: function(records, target) { return 'record ' + records + ' of ' + target; },
        pictureLabel: 'Random vibration: the response y(t), the phase plane, the mass on its spring, and the ' +
          'averaged amplitude spectrum under the response |H(ω)|',
        description: function(c, omega, zeta, records, time) {
          return constants(c) + '. Natural frequency ω0 = ' + omega + ' rad/s, damping ratio ζ = ' + zeta + ', ' +
            c.damping_class + '. Records averaged: ' + records + '. Time t = ' + time + ' s';
        },
      }, ruleTexts.en),
    },
    keys: [
      {key: 's', draws: true, repeats: true},
      {key: 'r', draws: true},
      {key: 'Escape'},
    ],
    play: 's',
    page: 'random.html',
    link: {
      answers: [['mass', 'damping', 'stiffness'], ['y0', 'v0'], ['force']],
      // The desktop's --seed and --records; the page runs the records itself.
      options: [
        {name: 'seed', whole: true, least: 0, most: 4294967295, rule: 'rule.seed'},
        {name: 'records', whole: true, least: 1, most: 100000, rule: 'rule.records', option: null},
      ],
      current: function() {
        var c = vibsimCase();
        return {mass: c.mass, damping: c.damping, stiffness: c.stiffness, y0: c.y0, v0: c.v0, force: c.force};
      },
    },
    describe: function(t) {
      var c = vibsimCase();
      return t.description(c, c.omega0.toFixed(4), c.zeta.toFixed(4), c.records, c.time.toFixed(2));
    },
    keyAllowed: function(key) {
      if (run === null) return true;
      if (key !== 'r' && key !== 'Escape') return false;
      endRun();
      return true;
    },
    ready: function(given) {
      shell = given;
      // The lab's window is the desktop's, 1024 x 768: the canvas takes the
      // shell's width and the picture's own shape. (A rule, not the canvas's
      // own style, which GLUT resets when it sizes the canvas.)
      var shape = document.createElement('style');
      shape.textContent = 'main #screen { height: auto; aspect-ratio: auto; }';
      document.head.appendChild(shape);
      csv = shell.download({id: 'csv', label: shell.texts.csv, inFrame: shell.texts.csvInFrame, asked: updateCsv});
    },
    // Once the window shows the lab: the link's records, or the first CSV.
    start: function() {
      if (shell.taken.records !== undefined) runRecords(Number(shell.taken.records));
      else updateCsv();
    },
  });
})();
