// vibsim-modes' console texts, one table per language: the dialog, the
// natural frequencies and the key help. The language is chosen once at
// start-up (platform/language.hpp); the code asks for a text by what it says.
#pragma once

namespace vibsim::modes {

struct Texts {
    const char* introduction;       // the dialog's opening lines
    const char* defaults;           // printf: N, then m, lambda, K as texts (a value or a list)
    const char* count_prompt;
    const char* list_dropped;       // printf: the symbol, N, the symbol, the value now for all
    const char* constants_prompt;
    const char* shape_prompt;
    const char* out_of_range;       // printf: the rule broken
    const char* unreadable;         // printf: the word that is no number
    const char* too_many;           // printf: what the line holds beyond the values asked for
    const char* frequencies;        // the heading of the list
    const char* uniform_heading;    // the heading of the uniform chain's list
    const char* frequency;          // printf: k, omega_k
    const char* uniform_frequency;  // printf: k, omega_k, the closed form, the string's
    const char* step_reduced;       // printf: the step in s
    const char* key_help;
};

// The table of the language chosen.
const Texts& texts();

}  // namespace vibsim::modes
