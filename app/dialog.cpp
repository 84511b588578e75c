#include "dialog.hpp"

#include "frame.hpp"
#include "model.hpp"
#include "vibsim/console.hpp"

#include <cmath>
#include <cstdio>

namespace vibsim {

namespace {

// After a read that converted fewer values than it asked for, while input
// remains, the rest of the line is dropped: a stray word must not make every
// later read fail at once. Values that were not converted keep their
// variables; at the end of input nothing is read and everything stays.
void drop_rest_of_line_after_short_read(int converted, int wanted)
{
    if (converted >= wanted || std::feof(stdin) || std::ferror(stdin)) return;
    int c = 0;
    do {
        c = std::getchar();
    } while (c != '\n' && c != EOF);
}

void read_constants()
{
    const int converted = std::scanf("%lf %lf %lf", &mass, &damping, &stiffness);
    drop_rest_of_line_after_short_read(converted, 3);
}

void read_initial_conditions()
{
    const int converted = std::scanf("%lf %lf", &initial_displacement, &initial_velocity);
    drop_rest_of_line_after_short_read(converted, 2);
}

// The damping class follows the line of the frequencies. The tests are
// written so that a zeta that is not a number counts as underdamped and gets
// an Omega line.
void print_frequencies()
{
    console_printf("\n固有振動数ω0=%7.4f[rad/s], 減衰比ζ=%7.4f", natural_frequency, damping_ratio);
    if (!(damping_ratio >= 1.0)) console_printf("  不足減衰");
    if (damping_ratio > 1.0) console_printf("  過減衰");
    if (damping_ratio == 1.0) console_printf("  臨界減衰");
    if (!(damping_ratio > 1.0)) console_printf("\n減衰固有振動数Ω=%7.4f", damped_frequency);
}

void print_key_help()
{
    console_printf("\n\n's'キーで：振動描画継続");
    console_printf("\n'm'キーで：系の定数変更");
    console_printf("\n'j'キーで：初期条件変更");
    console_printf("\n't' 'T'キーで：時間軸拡大縮小");
    console_printf("\n'y' 'Y'キーで：縦軸軸拡大縮小");
    console_printf("\nESCキーで：終了\n");
}

// Every dialog restarts the picture: default view, the initial state, and a
// trace history that holds only that state.
void reset_view_and_state()
{
    chain_origin = {0.0, 0.0};
    trace_origin = {-0.99, 0.0};
    vertical_scales = {0.5, 0.5};
    time_scale = 0.004;
    state = {initial_displacement, initial_velocity};
    trace_index = 0;
    trace_history[0] = state[0];
    trace_history[trace_capacity] = state[1];
}

}  // namespace

void input_parameters()
{
    console_printf("\n(1) 系の定数入力");
    console_printf("\n(2) 初期条件入力");
    if (last_key != 'j') {
        console_printf("\n１自由度減衰自由振動の描画");
        console_printf("\nm*ddy/ddy + λ*dy/dt + K = 0;");
        console_printf("\nマスm[kg]，ダンパーλ[N/(m/s)]，ばね定数K[N/m]キー入力 m λ K =");
        read_constants();
    }
    console_printf("\n初期条件キー入力　y0 v0 = ");
    read_initial_conditions();

    natural_frequency = std::sqrt(stiffness / mass);
    damping_ratio = damping / (2.0 * std::sqrt(mass * stiffness));
    if (!(damping_ratio > 1.0)) {
        damped_frequency = std::sqrt(1.0 - damping_ratio * damping_ratio) * natural_frequency;
    }
    print_frequencies();
    print_key_help();
    reset_view_and_state();
}

}  // namespace vibsim
