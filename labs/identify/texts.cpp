#include "identify/texts.hpp"

namespace vibsim::identify {

namespace {

// In UTF-8: the console writer gives them the terminal's code set.
constexpr Texts japanese = {
    "%s: ファイルを開けません",
    "%s: ファイルを読めません（フォルダか読み取りエラー）",
    "%s: 空のファイルです",
    "%s: 見出しの行だけで数値がありません",
    "%s: %zu行目の列「%s」が数値ではありません（%s）",
    "%s: %zu行目に列「%s」の値がありません",
    "%s: %zu行目の列「%s」が有限の数ではありません（%s）",
    "%s: 数値の行が%s行しかありません（%zu行以上必要）",
    "%s: %zu行目で列「%s」が増えていません（%s）",
    "%s: 列「%s」がありません",
    "%s: 見出しの行がないので列「%s」を名前で選べません",
    "減衰振動が見つかりません：雑音から浮き出る振動が2周期に足りません。ζは出しません",
    "減衰振動が見つかりません：振動が減衰せず大きくなっています。ζは出しません",
    "減衰振動が見つかりません：半周期の長さが不揃いで、1つの振動になりません。ζは出しません",
    "最小二乗の当てはめが 0 < ζ < 1 の減衰に収束しません。当てはめのζは出しません",
    "%s: 応答のピークが端にあり、半値幅法が使えません",
    "%s: 振幅がピークの1/√2まで両側で下がらず、半値幅を読めません",
    "演習コードに使えない文字があります（A-Z a-z 0-9 - _ だけです）",
    "演習コードの長さが合いません（途中で切れていませんか）",
    "演習コードが正しくありません（打ち間違いか途中で切れています）",
    "演習コードは新しい版のプログラムのものです",
    "演習コードの値が演習になりません（m>0, K>0, 0<λ, ζ<1, y0≠0, σ≥0, 許容差>0）",
    "\n答えが読めません（%s）。ω0 と ζ を1行に「ω0, ζ」と入力してください",
    "\n正解です：ω0 = %g rad/s と ζ = %g は許容差（ω0 ±%g%%、ζ ±%g%%）の内です",
    "\n違います：ω0 = %g rad/s と ζ = %g は許容差（ω0 ±%g%%、ζ ±%g%%）を満たしません",
    "\n  ω0 は許容差の内（誤差 %+.2f%%）",
    "\n  ω0 は許容差の外（誤差 %+.2f%%）",
    "\n  ζ は許容差の内（誤差 %+.2f%%）",
    "\n  ζ は許容差の外（誤差 %+.2f%%）",
};

constexpr Texts english = {
    "%s: the file cannot be opened",
    "%s: the file cannot be read (a folder, or a read error)",
    "%s: the file is empty",
    "%s: a header line and no numbers",
    "%s: line %zu, column \"%s\" is not a number (%s)",
    "%s: line %zu has no value in column \"%s\"",
    "%s: line %zu, column \"%s\" is not a finite number (%s)",
    "%s: only %s lines of numbers (%zu at least)",
    "%s: line %zu, column \"%s\" does not increase (%s)",
    "%s: there is no column \"%s\"",
    "%s: the file has no header line, so column \"%s\" cannot be chosen by name",
    "no decaying oscillation: fewer than two cycles stand out of the noise; no zeta is given",
    "no decaying oscillation: the oscillation grows instead of dying away; no zeta is given",
    "no decaying oscillation: the half-cycles are too uneven to be one oscillation; no zeta is given",
    "the least-squares fit does not converge to a decay with 0 < zeta < 1; the fit gives no zeta",
    "%s: the response's peak is at an end, so the half-power method cannot be used",
    "%s: the amplitude does not fall to 1/sqrt(2) of the peak on both sides, so there is no bandwidth",
    "the exercise code holds characters it cannot have (only A-Z a-z 0-9 - _)",
    "the exercise code is too short or too long (was it cut?)",
    "the exercise code does not check out (mistyped or cut)",
    "the exercise code was written by a newer program",
    "the exercise code's numbers make no exercise (m>0, K>0, 0<λ, zeta<1, y0≠0, σ≥0, tolerances>0)",
    "\nThe answer cannot be read (%s). Type ω0 and ζ on one line as \"ω0, ζ\"",
    "\nCorrect: ω0 = %g rad/s and ζ = %g are within the tolerance (ω0 ±%g%%, ζ ±%g%%)",
    "\nWrong: ω0 = %g rad/s and ζ = %g are not both within the tolerance (ω0 ±%g%%, ζ ±%g%%)",
    "\n  ω0 is within the tolerance (error %+.2f%%)",
    "\n  ω0 is outside the tolerance (error %+.2f%%)",
    "\n  ζ is within the tolerance (error %+.2f%%)",
    "\n  ζ is outside the tolerance (error %+.2f%%)",
};

}  // namespace

const Texts& texts(platform::Language language) { return language == platform::Language::english ? english : japanese; }

}  // namespace vibsim::identify
