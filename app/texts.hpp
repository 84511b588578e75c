// The texts a person reads: the console dialog, the key help and the window's
// title, one table per language. The language is chosen once at start-up;
// the code that writes a text names the message and takes it from texts().
#pragma once

#include "vibsim/oscillator.hpp"

namespace vibsim {

struct Texts {
    const char* window_title;  // UTF-8
    // The dialog, in the order it writes them; each starts with a line feed.
    const char* constants_item;
    const char* initial_conditions_item;
    const char* drawing_heading;
    const char* equation;
    const char* constants_prompt;
    const char* initial_conditions_prompt;
    const char* frequencies;  // printf format: omega0, zeta
    const char* underdamped;
    const char* overdamped;
    const char* critically_damped;
    const char* damped_frequency;  // printf format: Omega
    // The key help, one line per key or pair of keys; the last ends with a line feed.
    const char* key_help[6];
};

extern const Texts japanese_texts;
extern const Texts english_texts;

// The table of the language chosen (platform/language.hpp); Japanese until
// chosen.
const Texts& texts();

// The damping class's mark as the dialog prints it after the frequencies.
const char* damping_class_text(DampingClass damping);

}  // namespace vibsim
