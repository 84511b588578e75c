// The page shell's own texts, one table per language. A page adds its own
// texts to the same table (its `texts` by language); the shell chooses the
// table once, from the link's language, and every module asks it for a text
// by what it says.
var vibsimShellTextTables = {
  ja: {
    keysLabel: 'キー',
    consoleLabel: 'コンソール',
    inputLabel: 'コンソール入力',
    inputPlaceholder: '入力して Enter',
    enter: 'Enter',
    play: '▶ 再生',
    pause: '■ 停止',
    link: 'リンク',
    linkLabel: 'この場合のリンク',
    fullscreen: '全画面',
    ended: '\n\n[Esc: シミュレーションを終了しました。ページを再読み込みすると最初から始まります。]\n',
    noWebgl: 'この図を描くには WebGL が必要ですが、このブラウザでは使えません。' +
      'ブラウザの設定でハードウェア アクセラレーション（グラフィックス アクセラレーション）を有効にするか、' +
      '最新の Chrome、Firefox、Edge、Safari で開いてください。コンソールの対話と数値はそのまま使えます。',
    notANumber: function(name) { return '[リンクのパラメータ ' + name + ' は数値でないため使いませんでした]\n'; },
    notFinite: function(name) { return '[リンクのパラメータ ' + name + ' は使いませんでした: 有限の数値ではありません]\n'; },
    missing: function(name, missing) {
      return '[リンクのパラメータ ' + name + ' は使いませんでした: ' + missing + ' がありません]\n';
    },
    unknownLanguage: function(name) { return '[リンクのパラメータ ' + name + ' は使いませんでした: ja か en です]\n'; },
    ruleBroken: function(name, rule) { return '[リンクのパラメータ ' + name + ' は使いませんでした: ' + rule + ']\n'; },
    alternativeTaken: function(name, taken) {
      return '[リンクのパラメータ ' + name + ' は使いませんでした: ' + taken + ' とどちらか一つです]\n';
    },
    answersRefused: function(refused, dropped) {
      return '[プログラムがリンクの ' + refused.join(', ') + ' を受け付けなかったため、' +
        dropped.join(', ') + ' も使いませんでした]\n';
    },
    notAsked: '[いまは入力を求めていません。この行は入力欄に残してあります]\n',
    longLine: function(count) { return '…（' + count + ' 文字）'; },
    notLoaded: 'プログラムを読み込めませんでした。',
    notLoadedFromDisk: 'ディスクから開いたこのページは、プログラム（.wasm）をブラウザの制限で読み込めません。' +
      'Web サーバー経由で開くか、1 ファイル版を開いてください：',
    notLoadedInFrame: 'このページを表示している枠（学習システムの埋め込みなど）がプログラム（.wasm）の読み込みを許していません。' +
      '1 ファイル版はどこでも動きます：',
    oneFileAnywhere: ' 1 ファイル版はどこでも動きます：',
    downloadInFrame: function(label) {
      return 'ダウンロードが始まらないとき（埋め込み先の枠が禁じているときなど）は、ここから ' + label + ' をコピーしてください：';
    },
  },
  en: {
    keysLabel: 'Keys',
    consoleLabel: 'Console',
    inputLabel: 'Console input',
    inputPlaceholder: 'Type, then Enter',
    enter: 'Enter',
    play: '▶ Play',
    pause: '■ Stop',
    link: 'Link',
    linkLabel: 'Link to this case',
    fullscreen: 'Full screen',
    ended: '\n\n[Esc: the simulation has ended. Reload the page to start again.]\n',
    noWebgl: 'The picture needs WebGL, which this browser does not offer. ' +
      'Turn on hardware (graphics) acceleration in the browser\'s settings, ' +
      'or open the page in a current Chrome, Firefox, Edge or Safari. The console dialog and its numbers still work.',
    notANumber: function(name) { return '[The link\'s parameter ' + name + ' was not used: it is not a number]\n'; },
    notFinite: function(name) { return '[The link\'s parameter ' + name + ' was not used: it is not a finite number]\n'; },
    missing: function(name, missing) {
      return '[The link\'s parameter ' + name + ' was not used: ' + missing + ' is missing]\n';
    },
    unknownLanguage: function(name) { return '[The link\'s parameter ' + name + ' was not used: it is ja or en]\n'; },
    ruleBroken: function(name, rule) { return '[The link\'s parameter ' + name + ' was not used: ' + rule + ']\n'; },
    alternativeTaken: function(name, taken) {
      return '[The link\'s parameter ' + name + ' was not used: it is one or the other with ' + taken + ']\n';
    },
    answersRefused: function(refused, dropped) {
      return '[The program refused the link\'s ' + refused.join(', ') + ', so ' + dropped.join(', ') +
        ' were not used either]\n';
    },
    notAsked: '[Nothing is being asked now: the line was not entered, and stays in the input]\n',
    longLine: function(count) { return '… (' + count + ' characters)'; },
    notLoaded: 'The program could not be loaded.',
    notLoadedFromDisk: 'Opened from the disk, this page cannot load its program (.wasm): the browser forbids it. ' +
      'Open it through a web server, or open the one-file page: ',
    notLoadedInFrame: 'The frame that shows this page (a learning platform\'s, perhaps) does not let it load its ' +
      'program (.wasm). The one-file page works anywhere: ',
    oneFileAnywhere: ' The one-file page works anywhere: ',
    downloadInFrame: function(label) {
      return 'If no download starts (a frame may forbid downloads), copy the ' + label + ' from here:';
    },
  },
};

// The table of `language` with the page's own texts added.
function vibsimShellTexts(language, pageTexts) {
  return Object.assign({}, vibsimShellTextTables[language], (pageTexts || {})[language]);
}
