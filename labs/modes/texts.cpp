#include "modes/texts.hpp"

#include "platform/language.hpp"

namespace vibsim::modes {

namespace {

using platform::Language;

// The simulator's own words, in UTF-8: the console writer gives them the
// terminal's code set.
constexpr Texts japanese = {
    "\n(1) 質点数入力"
    "\n(2) 系の定数入力"
    "\n(3) 初期形状入力"
    "\n多自由度系（質点の列）の固有振動数・固有モード・共振"
    "\nm_i*ddy_i/dt^2 + λ_i*dy_i/dt + K_{i-1}*(y_i - y_{i-1}) + K_i*(y_i - y_{i+1}) = f_i(t);",
    "\n空行のEnterで既定値 N=%d, m=%s, λ=%s, K=%s のまま（m λ K はそれぞれ1つの値かカンマ区切りの並び）",
    "\n質点数N（1～21）キー入力 N = ",
    "\n%sの並びはN=%dに合わないので，すべて%s=%gとします",
    "\nマスm[kg]，ダンパーλ[N/(m/s)]，ばね定数K[N/m]キー入力"
    "（1つの値，またはカンマ区切りでm λはN個，KはN+1個） m λ K =",
    "\n初期形状キー入力（k：第kモード，p j：マスjをはじく，s j：マスjをたたく，"
    "\n  y y_1,...,y_N v v_1,...,v_N：変位[m]と速度[m/s]を入力，1つの値なら全質点に，vを省くと速度0） = ",
    "\n値が範囲外です（%s）。もう一度入力してください。",
    "\n数値として読めません（%s）。もう一度入力してください。",
    "\n値が多すぎます（%s）。もう一度入力してください。",
    "\n固有振動数ω[rad/s]",
    "\n固有振動数ω[rad/s]，一様な鎖の閉じた式 2√(K/m)sin(kπ/(2(N+1)))，弦の近似 kπ√(K/m)/(N+1)",
    "\n第%2dモード  ω=%10.4f",
    "\n第%2dモード  ω=%10.4f  閉じた式=%10.4f  弦=%10.4f",
    "\n硬い鎖のため刻みを%g sに縮めました：動きはゆっくり表示されます",
    "\n\n's'キーで：振動描画継続（押し続けると連続）"
    "\n'1'～'9'キーで：第1～第9モードを励振"
    "\n'n' 'N'キーで：次の／前のモードを励振"
    "\n'p'キーで：選んだマスをはじく"
    "\n't'キーで：選んだマスをたたく"
    "\n'[' ']'キーで：マスを選ぶ"
    "\n'f'キーで：加振 入／切"
    "\n'-' '+'キーで：加振振動数を下げる／上げる"
    "\n'm'キーで：系の定数変更"
    "\n'j'キーで：初期形状変更"
    "\nESCキーで：終了\n",
};

constexpr Texts english = {
    "\n(1) Input of the number of masses"
    "\n(2) Input of the system constants"
    "\n(3) Input of the initial shape"
    "\nNatural frequencies, mode shapes and resonance of a chain of masses"
    "\nm_i*ddy_i/dt^2 + λ_i*dy_i/dt + K_{i-1}*(y_i - y_{i-1}) + K_i*(y_i - y_{i+1}) = f_i(t);",
    "\nAn empty line with Enter keeps the defaults N=%d, m=%s, λ=%s, K=%s"
    " (m λ K each one value or a comma-separated list)",
    "\nKey in the number of masses N (1 to 21)  N = ",
    "\nThe list of %s does not fit N=%d: %s=%g for all",
    "\nKey in mass m[kg], damper λ[N/(m/s)], spring constant K[N/m]"
    " (one value, or comma-separated: N for m and λ, N+1 for K)  m λ K =",
    "\nKey in the initial shape (k: mode k, p j: pluck mass j, s j: strike mass j,"
    "\n  y y_1,...,y_N v v_1,...,v_N: displacements[m] and velocities[m/s] typed in, one value for all,"
    " no v for velocities 0) = ",
    "\nA value is out of range (%s). Please enter it again.",
    "\nNot a number (%s). Please enter it again.",
    "\nMore values than asked for (%s). Please enter it again.",
    "\nNatural frequencies ω[rad/s]",
    "\nNatural frequencies ω[rad/s], the uniform chain's closed form 2√(K/m)sin(kπ/(2(N+1))),"
    " the string's kπ√(K/m)/(N+1)",
    "\nMode %2d  ω=%10.4f",
    "\nMode %2d  ω=%10.4f  closed form=%10.4f  string=%10.4f",
    "\nThe step is shortened to %g s for this stiff chain: the motion is shown slowed down",
    "\n\n's' key: advance the motion (hold it down to run on)"
    "\n'1' to '9' keys: excite mode 1 to 9"
    "\n'n' 'N' keys: excite the next / previous mode"
    "\n'p' key: pluck the chosen mass"
    "\n't' key: strike the chosen mass"
    "\n'[' ']' keys: choose the mass"
    "\n'f' key: forcing on / off"
    "\n'-' '+' keys: lower / raise the forcing frequency"
    "\n'm' key: change the system constants"
    "\n'j' key: change the initial shape"
    "\nEsc key: quit\n",
};

}  // namespace

const Texts& texts() { return platform::chosen_language() == Language::english ? english : japanese; }

}  // namespace vibsim::modes
