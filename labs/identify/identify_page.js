// The identification lab's page: a file input that reads a record in the
// page (nothing is sent anywhere, and it works offline and from the disk)
// and hands its text to the program; the result as the desktop's
// --result-csv writes it; an exercise by its link (exercise=CODE, given to
// the program as --exercise, which judges the code), with the exercise's
// link shown; a button for every key; the picture's text alternative. The
// page shell does the rest, the links to the other pages too.
(function() {
  var shell = null;
  var result = null;
  var codePattern = /^[A-Za-z0-9_-]{1,200}$/;
  var params = new URLSearchParams(window.location.search);
  var code = params.get('exercise');

  // The result file, made from the program's own text when the case has
  // changed; none before a decay is found.
  var resultKey;
  function updateResult() {
    if (result === null || !shell.idle()) return;
    var c = vibsimCase();
    var key = JSON.stringify([c.file, c.from, c.to, c.mass]);
    if (key === resultKey) return;
    resultKey = key;
    var text = Module['ccall']('vibsim_identify_result_csv', 'string', [], []);
    var base = (c.file || 'record').replace(/\.[^.]*$/, '');
    result.offer(text, base + '-result.csv');
  }

  // The record chosen: read here, then handed to the program as text.
  function readRecord(input) {
    var file = input.files && input.files[0];
    if (!file) return;
    var reader = new FileReader();
    reader.onload = function() {
      if (!shell.idle()) return;
      Module['ccall']('vibsim_identify_load_record', 'number', ['string', 'string'], [file.name, reader.result]);
      shell.describe();
      updateResult();
    };
    reader.onerror = function() { shell.show(shell.texts.unreadable(file.name)); };
    reader.readAsText(file);
  }

  var value = function(x, digits) { return x === null ? '—' : x.toFixed(digits); };

  vibsimPageShell({
    texts: {
      ja: {
        'key.[': '解析の始めを前へ',
        'key.]': '解析の始めを後へ',
        'key.-': '解析の終わりを前へ',
        'key.+': '解析の終わりを後へ',
        'key.r': '記録全体を解析',
        'key.a': '答えを入力',
        'key.w': '同定の手順を表示',
        'key.Escape': '終了',
        recordFile: '記録ファイル（CSV）',
        resultCsv: '結果 CSV',
        exerciseLink: '演習のリンク',
        unreadable: function(name) { return name + ': ファイルを読めません'; },
        pictureLabel: '自由減衰の同定の図: 記録と当てはめ曲線と包絡線、山と谷、振幅の対数と周期数の直線、残差',
        description: function(c) {
          if (c.samples === 0) return '記録はまだありません';
          if (c.exercise === 1 && c.worked === 0) return '演習の記録 ' + c.samples + '点。ω0 と ζ を求めてください';
          return '記録 ' + c.samples + '点、解析 t = ' + value(c.from, 2) + '～' + value(c.to, 2) + ' s。対数減衰率 ω0 = ' +
            value(c.decrement_omega0, 4) + ' rad/s、ζ = ' + value(c.decrement_zeta, 4) + '。当てはめ ω0 = ' +
            value(c.fit_omega0, 5) + ' rad/s、ζ = ' + value(c.fit_zeta, 5);
        },
      },
      en: {
        'key.[': 'analysis starts earlier',
        'key.]': 'analysis starts later',
        'key.-': 'analysis ends earlier',
        'key.+': 'analysis ends later',
        'key.r': 'analyse the whole record',
        'key.a': 'answer the exercise',
        'key.w': 'show the worked identification',
        'key.Escape': 'quit',
        recordFile: 'Record file (CSV)',
        resultCsv: 'Result CSV',
        exerciseLink: 'Exercise link',
        unreadable: function(name) { return name + ': the file cannot be read'; },
        pictureLabel: 'Identification of a free decay: the record with the fit and the envelope, the peaks and ' +
          'troughs, the logarithms of the heights against the cycle number with their line, and the residual',
        description: function(c) {
          if (c.samples === 0) return 'No record yet';
          if (c.exercise === 1 && c.worked === 0) return 'Exercise record of ' + c.samples + ' samples: find ω0 and ζ';
          return 'Record of ' + c.samples + ' samples, analysed from t = ' + value(c.from, 2) + ' to ' +
            value(c.to, 2) + ' s. Logarithmic decrement: ω0 = ' + value(c.decrement_omega0, 4) + ' rad/s, ζ = ' +
            value(c.decrement_zeta, 4) + '. Fit: ω0 = ' + value(c.fit_omega0, 5) + ' rad/s, ζ = ' +
            value(c.fit_zeta, 5);
        },
      },
    },
    keys: ['[', ']', '-', '+', 'r'].map(function(k) { return {key: k, draws: true}; })
      .concat([{key: 'a', draws: true}, {key: 'w', draws: true}, {key: 'Escape'}]),
    page: 'identify.html',
    windowShape: true,
    link: {
      options: [{name: 'mass', above: 0, rule: 'rule.mass'}],
      current: function() {
        var c = vibsimCase();
        return {mass: c.mass === null ? undefined : c.mass};
      },
    },
    describe: function(t) { return t.description(vibsimCase()); },
    changed: updateResult,
    ready: function(given) {
      shell = given;
      shell.texts['rule.mass'] = shell.language === 'ja' ? '0 より大きくありません' : 'it is not more than 0';
      // The exercise's code goes to the program, which judges it; a code
      // with other characters than a code can have is given to it as none.
      if (code !== null && codePattern.test(code)) {
        Module['arguments'].push('--exercise', code);
        var href = 'identify.html?exercise=' + encodeURIComponent(code);
        vibsimElement('a', {id: 'exercise-link', href: href, text: shell.texts.exerciseLink}, shell.toolbar);
      } else {
        if (code !== null) shell.show(shell.language === 'ja' ? '演習コードに使えない文字があります' :
          'the exercise code holds characters it cannot have');
        var label = vibsimElement('label', {for: 'record-file', text: shell.texts.recordFile}, shell.toolbar);
        var input = vibsimElement('input', {id: 'record-file', type: 'file', accept: '.csv,.txt,.tsv,text/csv,text/plain'},
          label);
        input.addEventListener('change', function() { readRecord(input); });
        result = shell.download({id: 'result-csv', label: shell.texts.resultCsv, asked: updateResult});
      }
    },
  });
})();
