#include "random/texts.hpp"

#include "platform/language.hpp"

namespace vibsim::random {

namespace {

// The simulator's own words, in UTF-8: the console writer gives them the
// terminal's code set.
constexpr Texts japanese = {
    "\n(1) 系の定数入力"
    "\n(2) 初期条件入力"
    "\n(3) ランダム外力の強さ入力"
    "\n１自由度減衰系のランダム振動"
    "\nm*ddy/dt^2 + λ*dy/dt + K*y = f(t);  f: 白色雑音の外力",
    "\n空行のEnterで既定値 m=%g, λ=%g, K=%g, y0=%g, v0=%g, σ=%g のまま",
    "\nマスm[kg]，ダンパーλ[N/(m/s)]，ばね定数K[N/m]キー入力 m λ K =",
    "\n値が範囲外です（%s）。もう一度入力してください。",
    "\n初期条件キー入力　y0 v0 = ",
    "\nランダム外力の標準偏差σ[N]キー入力 σ = ",
    "\n固有振動数ω0=%7.4f[rad/s], 減衰比ζ=%7.4f",
    "  不足減衰",
    "  過減衰",
    "  臨界減衰",
    "\n減衰固有振動数Ω=%7.4f",
    "\n\n's'キーで：振動描画継続（押し続けると連続）"
    "\n'r'キーで：スペクトル平均のやり直し"
    "\nESCキーで：終了\n",
};

constexpr Texts english = {
    "\n(1) Input of the system constants"
    "\n(2) Input of the initial conditions"
    "\n(3) Input of the strength of the random force"
    "\nRandom vibration of a damped system with one degree of freedom"
    "\nm*ddy/dt^2 + λ*dy/dt + K*y = f(t);  f: a white-noise force",
    "\nAn empty line with Enter keeps the defaults m=%g, λ=%g, K=%g, y0=%g, v0=%g, σ=%g",
    "\nEnter mass m[kg], damper λ[N/(m/s)], spring constant K[N/m]  m λ K =",
    "\nA value is out of range (%s). Please enter it again.",
    "\nEnter the initial conditions  y0 v0 = ",
    "\nEnter the standard deviation of the random force σ[N]  σ = ",
    "\nNatural frequency ω0=%7.4f[rad/s], damping ratio ζ=%7.4f",
    "  underdamped",
    "  overdamped",
    "  critically damped",
    "\nDamped natural frequency Ω=%7.4f",
    "\n\n's' key: advance the motion (hold it down to run on)"
    "\n'r' key: restart the averaged spectrum"
    "\nEsc key: quit\n",
};

}  // namespace

const Texts& texts() { return platform::chosen_language() == platform::Language::english ? english : japanese; }

const char* damping_class_text(DampingClass damping)
{
    const Texts& text = texts();
    switch (damping) {
    case DampingClass::overdamped: return text.overdamped;
    case DampingClass::critically_damped: return text.critically_damped;
    case DampingClass::underdamped: break;
    }
    return text.underdamped;
}

}  // namespace vibsim::random
