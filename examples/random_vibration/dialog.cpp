#include "dialog.hpp"

#include <vibsim/console.hpp>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace vibsim::lab {

namespace {

// One line of input without its line end; false at the end of input.
bool read_line(std::string& line)
{
    line.clear();
    int c = 0;
    while ((c = std::getchar()) != EOF && c != '\n') line += static_cast<char>(c);
    return c != EOF || !line.empty();
}

// Reads up to `count` numbers from one line into `values`, in order; the
// ones the line does not give keep theirs. False at the end of input.
bool read_numbers(double* values[], int count)
{
    std::string line;
    if (!read_line(line)) return false;
    const char* p = line.c_str();
    for (int i = 0; i < count; ++i) {
        char* end = nullptr;
        const double value = std::strtod(p, &end);
        if (end == p || !std::isfinite(value)) break;
        *values[i] = value;
        p = end;
    }
    return true;
}

void say_out_of_range(const char* rule)
{
    console_printf("\n値が範囲外です（%s）。もう一度入力してください。", rule);
}

}  // namespace

void ask_oscillator(Oscillator& o)
{
    console_printf("\n(1) 系の定数入力");
    console_printf("\n(2) 初期条件入力");
    console_printf("\n(3) ランダム外力の強さ入力");
    console_printf("\n１自由度減衰系のランダム振動");
    console_printf("\nm*ddy/dt^2 + λ*dy/dt + K*y = f(t);  f: 白色雑音の外力");
    console_printf("\n空行のEnterで既定値 m=%g, λ=%g, K=%g, y0=%g, v0=%g, σ=%g のまま", o.mass, o.damping,
                   o.stiffness, o.initial_displacement, o.initial_velocity, o.force_deviation);
    for (;;) {
        console_printf("\nマスm[kg]，ダンパーλ[N/(m/s)]，ばね定数K[N/m]キー入力 m λ K =");
        Oscillator asked = o;
        double* values[] = {&asked.mass, &asked.damping, &asked.stiffness};
        const bool more = read_numbers(values, 3);
        if (asked.mass > 0.0 && asked.damping >= 0.0 && asked.stiffness > 0.0) {
            o = asked;
            break;
        }
        say_out_of_range("m > 0, λ ≥ 0, K > 0");
        if (!more) break;
    }
    console_printf("\n初期条件キー入力　y0 v0 = ");
    {
        double* values[] = {&o.initial_displacement, &o.initial_velocity};
        read_numbers(values, 2);
    }
    for (;;) {
        console_printf("\nランダム外力の標準偏差σ[N]キー入力 σ = ");
        double sigma = o.force_deviation;
        double* values[] = {&sigma};
        const bool more = read_numbers(values, 1);
        if (sigma >= 0.0) {
            o.force_deviation = sigma;
            break;
        }
        say_out_of_range("σ ≥ 0");
        if (!more) break;
    }
}

void print_frequencies(const Oscillator& oscillator)
{
    const Frequencies f = frequencies(oscillator);
    console_printf("\n固有振動数ω0=%7.4f[rad/s], 減衰比ζ=%7.4f", f.natural, f.damping_ratio);
    if (!(f.damping_ratio >= 1.0)) console_printf("  不足減衰");
    if (f.damping_ratio > 1.0) console_printf("  過減衰");
    if (f.damping_ratio == 1.0) console_printf("  臨界減衰");
    if (f.has_damped) console_printf("\n減衰固有振動数Ω=%7.4f", f.damped);
}

void print_key_help()
{
    console_printf("\n\n's'キーで：振動描画継続（押し続けると連続）");
    console_printf("\n'r'キーで：スペクトル平均のやり直し");
    console_printf("\nESCキーで：終了\n");
}

}  // namespace vibsim::lab
