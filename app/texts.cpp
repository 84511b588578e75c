#include "texts.hpp"

#include "platform/language.hpp"

namespace vibsim {

// The gap before y0 in the Japanese prompt is an ideographic space.
const Texts japanese_texts = {
    "１DOF自由振動　m:ばねマス，j:初期条件　変更",
    "\n(1) 系の定数入力",
    "\n(2) 初期条件入力",
    "\n１自由度減衰自由振動の描画",
    "\nm*ddy/ddy + λ*dy/dt + K = 0;",
    "\nマスm[kg]，ダンパーλ[N/(m/s)]，ばね定数K[N/m]キー入力 m λ K =",
    "\n初期条件キー入力　y0 v0 = ",
    "\n固有振動数ω0=%7.4f[rad/s], 減衰比ζ=%7.4f",
    "  不足減衰",
    "  過減衰",
    "  臨界減衰",
    "\n減衰固有振動数Ω=%7.4f",
    {
        "\n\n's'キーで：振動描画継続",
        "\n'm'キーで：系の定数変更",
        "\n'j'キーで：初期条件変更",
        "\n't' 'T'キーで：時間軸拡大縮小",
        "\n'y' 'Y'キーで：縦軸軸拡大縮小",
        "\nESCキーで：終了\n",
    },
};

const Texts english_texts = {
    "1DOF free vibration  m: mass and spring, j: initial conditions  change",
    "\n(1) Input of the system constants",
    "\n(2) Input of the initial conditions",
    "\nDrawing of the 1-DOF damped free vibration",
    "\nm*ddy/ddy + λ*dy/dt + K = 0;",
    "\nKey in mass m[kg], damper λ[N/(m/s)], spring constant K[N/m]  m λ K =",
    "\nKey in the initial conditions  y0 v0 = ",
    "\nNatural frequency ω0=%7.4f[rad/s], damping ratio ζ=%7.4f",
    "  underdamped",
    "  overdamped",
    "  critically damped",
    "\nDamped natural frequency Ω=%7.4f",
    {
        "\n\n's' key: continue drawing the vibration",
        "\n'm' key: change the system constants",
        "\n'j' key: change the initial conditions",
        "\n't' 'T' keys: enlarge or reduce the time axis",
        "\n'y' 'Y' keys: enlarge or reduce the vertical axis",
        "\nESC key: end\n",
    },
};

const Texts& texts()
{
    return platform::chosen_language() == platform::Language::english ? english_texts : japanese_texts;
}

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

}  // namespace vibsim
