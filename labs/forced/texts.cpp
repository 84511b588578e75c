#include "forced/texts.hpp"

#include "platform/language.hpp"

namespace vibsim::forced {

namespace {

constexpr Texts japanese = {
    "\n(1) 系の定数入力"
    "\n(2) 加振入力"
    "\n(3) 初期条件入力"
    "\n1自由度系の強制振動（共振・位相・基礎加振・不釣り合い・ステップ正弦掃引）"
    "\nm*ddy/dt^2 + λ*dy/dt + K*y = f(t);"
    "\n空行のEnterで既定値のまま",
    "\nマスm[kg]，ダンパーλ[N/(m/s)]，ばね定数K[N/m]キー入力（既定 %g %g %g） m λ K = ",
    "\n加振キー入力（force A[N] ω [cosine|square|triangle|sawtooth]，base A[m] ω，"
    "unbalance A[kg m] ω；既定 %s %g %g） = ",
    "\n初期変位y0[m]，初速度v0[m/s]キー入力（既定 %g %g） y0 v0 = ",
    "\n値が範囲外です（%s）。もう一度入力してください。",
    "\n読めません（%s）。もう一度入力してください。",
    "\n固有角振動数ω0=%.6g rad/s  減衰比ζ=%.6g  Q=%.6g  過渡の時定数=%.6g s  振動数比r=%.6g",
    "\n刻みを%g sに縮めました（%s）：動きはゆっくり表示されます",
    "硬い系",
    "減衰の強い系",
    "速い加振",
    "\n\n's'キーで：振動描画継続（押し続けると連続）"
    "\n'-' '+'キーで：ωをω0/100下げる／上げる"
    "\n'd'キーで：加振方法切替（力・基礎・不釣り合い）"
    "\n'w'キーで：力の波形切替（cosine・square・triangle・sawtooth）"
    "\n'g'キーで：加振器の掃引 開始／停止"
    "\n'r'キーで：y0 v0から再開"
    "\n'm'キーで：系の定数と加振の変更"
    "\n'j'キーで：初期条件変更"
    "\nESCキーで：終了\n",
};

constexpr Texts english = {
    "\n(1) Input of the system constants"
    "\n(2) Input of the drive"
    "\n(3) Input of the initial conditions"
    "\nForced vibration of one mass (resonance, phase, base excitation, unbalance, stepped-sine sweep)"
    "\nm*ddy/dt^2 + λ*dy/dt + K*y = f(t);"
    "\nAn empty line with Enter keeps the defaults",
    "\nKey in mass m[kg], damper λ[N/(m/s)], spring constant K[N/m] (now %g %g %g)  m λ K = ",
    "\nKey in the drive (force A[N] ω [cosine|square|triangle|sawtooth], base A[m] ω,"
    " unbalance A[kg m] ω; now %s %g %g) = ",
    "\nKey in the initial displacement y0[m] and velocity v0[m/s] (now %g %g)  y0 v0 = ",
    "\nA value is out of range (%s). Please enter it again.",
    "\nNot readable (%s). Please enter it again.",
    "\nNatural frequency ω0=%.6g rad/s  damping ratio ζ=%.6g  Q=%.6g  transient's decay time=%.6g s"
    "  frequency ratio r=%.6g",
    "\nThe step is shortened to %g s (%s): the motion is shown slowed down",
    "stiff",
    "heavily damped",
    "fast drive",
    "\n\n's' key: advance the motion (hold it down to run on)"
    "\n'-' '+' keys: lower / raise ω by ω0/100"
    "\n'd' key: the next drive (force, base, unbalance)"
    "\n'w' key: the next wave of the force (cosine, square, triangle, sawtooth)"
    "\n'g' key: start / stop the shaker's sweep"
    "\n'r' key: restart from y0 v0"
    "\n'm' key: change the constants and the drive"
    "\n'j' key: change the initial conditions"
    "\nEsc key: quit\n",
};

}  // namespace

const Texts& texts() { return platform::chosen_language() == platform::Language::english ? english : japanese; }

}  // namespace vibsim::forced
