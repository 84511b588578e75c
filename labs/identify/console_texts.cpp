#include "identify/console_texts.hpp"

#include "platform/language.hpp"

namespace vibsim::identify {

namespace {

// In UTF-8: the console writer gives them the terminal's code set.
constexpr ConsoleTexts japanese = {
    "\n(1) 記録ファイル入力"
    "\n(2) 質量入力"
    "\n自由減衰の記録から固有角振動数ω0と減衰比ζを同定（対数減衰率と最小二乗の当てはめ）"
    "\ny = c + e^(-ζω0t)(a cos ω_d t + b sin ω_d t);",
    "\n記録ファイル（CSV：時刻と変位・速度・加速度）キー入力 = ",
    "\n質量m[kg]キー入力（空行のEnterで入力しない：Kとλを出さない） m = ",
    "\n正の数として読めません（%s）。もう一度入力してください。",
    "\n記録 %s：%zu点、t = %g ～ %g s",
    "\n解析した部分：t = %.4g ～ %.4g s（%zu点、山と谷 %zu個）",
    "\n対数減衰率：δ = %.6g、ζ = %.6g、ω_d = %.6g rad/s、ω0 = %.6g rad/s（%g周期）",
    "\n最小二乗の当てはめ：ω0 = %.8g ± %.2g rad/s、ζ = %.8g ± %.2g、ω_d = %.8g rad/s、残差RMS = %.3g",
    "\n半値幅法（%s）：ピーク ω = %.6g rad/s、半値の ω = %.6g と %.6g rad/s、ζ = %.6g、ω0 = %.6g rad/s",
    "\n質量 m = %g kg のとき：K = %.8g N/m、λ = %.8g N/(m/s)",
    "\nシミュレータで再現：%s",
    "\n演習：%zu点の記録（0.01 s ごと、雑音の標準偏差 σ = %g m）からω0とζを求めてください",
    "\n演習のリンク：%s\nデスクトップでは：vibsim-identify --exercise %s",
    "\nω0[rad/s]とζを1行にキー入力（例 3.0, 0.05；空行のEnterで図に戻る） ω0, ζ = ",
    "\n同定の手順：",
    "\n\n'[' ']'キーで：解析の始めを前／後へ"
    "\n'-' '+'キーで：解析の終わりを前／後へ"
    "\n'r'キーで：記録全体を解析"
    "\nESCキーで：終了\n",
    "\n'a'キーで：答えを入力"
    "\n'w'キーで：同定の手順を表示\n",
};

constexpr ConsoleTexts english = {
    "\n(1) Input of the record's file"
    "\n(2) Input of the mass"
    "\nThe natural frequency ω0 and the damping ratio ζ of a recorded free decay"
    " (logarithmic decrement and least-squares fit)"
    "\ny = c + e^(-ζω0t)(a cos ω_d t + b sin ω_d t);",
    "\nKey in the record's file (CSV: time and displacement, velocity or acceleration) = ",
    "\nKey in the mass m[kg] (an empty line with Enter for none: no K and λ)  m = ",
    "\nNot a positive number (%s). Please enter it again.",
    "\nRecord %s: %zu samples, t = %g to %g s",
    "\nPart analysed: t = %.4g to %.4g s (%zu samples, %zu peaks and troughs)",
    "\nLogarithmic decrement: δ = %.6g, ζ = %.6g, ω_d = %.6g rad/s, ω0 = %.6g rad/s (%g cycles)",
    "\nLeast-squares fit: ω0 = %.8g ± %.2g rad/s, ζ = %.8g ± %.2g, ω_d = %.8g rad/s, residual RMS = %.3g",
    "\nHalf-power bandwidth (%s): peak at ω = %.6g rad/s, half power at ω = %.6g and %.6g rad/s, ζ = %.6g,"
    " ω0 = %.6g rad/s",
    "\nWith the mass m = %g kg: K = %.8g N/m, λ = %.8g N/(m/s)",
    "\nReplay it in the simulator: %s",
    "\nExercise: find ω0 and ζ from the record of %zu samples (every 0.01 s, noise σ = %g m)",
    "\nThe exercise's link: %s\nOn the desktop: vibsim-identify --exercise %s",
    "\nKey in ω0[rad/s] and ζ on one line (e.g. 3.0, 0.05; an empty line with Enter goes back) ω0, ζ = ",
    "\nThe worked identification:",
    "\n\n'[' ']' keys: move the start of the part analysed earlier / later"
    "\n'-' '+' keys: move its end earlier / later"
    "\n'r' key: analyse the whole record"
    "\nEsc key: quit\n",
    "\n'a' key: key in the answer"
    "\n'w' key: show the worked identification\n",
};

}  // namespace

const ConsoleTexts& console_texts()
{
    return platform::chosen_language() == platform::Language::english ? english : japanese;
}

}  // namespace vibsim::identify
