// The lab's console texts, one table per language: the dialog, the
// frequencies and the key help. The language is chosen once at start-up
// (platform/language.hpp); the code asks for a text by what it says.
#pragma once

#include <vibsim/oscillator.hpp>

namespace vibsim::random {

struct Texts {
    const char* introduction;      // the dialog's opening lines
    const char* defaults;          // printf: m, lambda, K, y0, v0, sigma
    const char* constants_prompt;
    const char* out_of_range;      // printf: the kit::rule broken
    const char* initial_prompt;
    const char* force_prompt;
    const char* frequencies;       // printf: omega0, zeta
    const char* underdamped;
    const char* overdamped;
    const char* critically_damped;
    const char* damped_frequency;  // printf: Omega
    const char* key_help;
};

// The table of the language chosen.
const Texts& texts();

// The damping class's mark as the dialog prints it after the frequencies.
const char* damping_class_text(DampingClass damping);

}  // namespace vibsim::random
