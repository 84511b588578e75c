#include "random/dialog.hpp"

#include "kit/console_input.hpp"
#include "random/texts.hpp"

#include <vibsim/console.hpp>

namespace vibsim::random {

namespace {

void say_out_of_range(const char* rule) { console_printf(texts().out_of_range, rule); }

}  // namespace

void ask_oscillator(Oscillator& o)
{
    const Texts& t = texts();
    console_printf("%s", t.introduction);
    console_printf(t.defaults, o.mass, o.damping, o.stiffness, o.initial_displacement, o.initial_velocity,
                   o.force_deviation);
    for (;;) {
        console_printf("%s", t.constants_prompt);
        Oscillator asked = o;
        double* values[] = {&asked.mass, &asked.damping, &asked.stiffness};
        const bool more = kit::read_numbers(values, 3);
        if (asked.mass > 0.0 && asked.damping >= 0.0 && asked.stiffness > 0.0) {
            o = asked;
            break;
        }
        say_out_of_range("m > 0, λ ≥ 0, K > 0");
        if (!more) break;
    }
    console_printf("%s", t.initial_prompt);
    {
        double* values[] = {&o.initial_displacement, &o.initial_velocity};
        kit::read_numbers(values, 2);
    }
    for (;;) {
        console_printf("%s", t.force_prompt);
        double sigma = o.force_deviation;
        double* values[] = {&sigma};
        const bool more = kit::read_numbers(values, 1);
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
    const Texts& t = texts();
    const Frequencies f = frequencies(oscillator);
    console_printf(t.frequencies, f.natural, f.damping_ratio);
    console_printf("%s", damping_class_text(damping_class(f.damping_ratio)));
    if (f.has_damped) console_printf(t.damped_frequency, f.damped);
}

void print_key_help() { console_printf("%s", texts().key_help); }

}  // namespace vibsim::random
