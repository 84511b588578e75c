#include "dialog.hpp"

#include "frame.hpp"
#include "model.hpp"
#include "texts.hpp"
#include "vibsim/console.hpp"
#include "vibsim/oscillator.hpp"

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

// The damping class follows the line of the frequencies; a zeta that is not
// a number counts as underdamped and gets an Omega line.
void print_frequencies()
{
    const Texts& text = texts();
    console_printf(text.frequencies, natural_frequency, damping_ratio);
    console_printf("%s", damping_class_text(damping_class(damping_ratio)));
    if (!(damping_ratio > 1.0)) console_printf(text.damped_frequency, damped_frequency);
}

void print_key_help()
{
    for (const char* line : texts().key_help) console_printf("%s", line);
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
    const Texts& text = texts();
    console_printf("%s", text.constants_item);
    console_printf("%s", text.initial_conditions_item);
    if (last_key != 'j') {
        console_printf("%s", text.drawing_heading);
        console_printf("%s", text.equation);
        console_printf("%s", text.constants_prompt);
        read_constants();
    }
    console_printf("%s", text.initial_conditions_prompt);
    read_initial_conditions();

    const OscillatorFrequencies f = oscillator_frequencies(mass, damping, stiffness);
    natural_frequency = f.natural;
    damping_ratio = f.damping_ratio;
    // Omega keeps its last value when there is none.
    if (f.has_damped) damped_frequency = f.damped;
    print_frequencies();
    print_key_help();
    reset_view_and_state();
}

}  // namespace vibsim
