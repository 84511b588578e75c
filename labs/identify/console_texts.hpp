// vibsim-identify's console texts, one table per language: the dialog, the
// values found and the key help. The language is chosen once at start-up
// (platform/language.hpp); the code asks for a text by what it says.
#pragma once

namespace vibsim::identify {

struct ConsoleTexts {
    const char* introduction;     // the dialog's opening lines
    const char* file_prompt;
    const char* mass_prompt;
    const char* not_a_mass;       // printf: the text typed
    const char* record;           // printf: the file, samples, t first, t last
    const char* analysed;         // printf: t from, t to, samples, peaks and troughs
    const char* decrement;        // printf: delta, zeta, omega_d, omega0, cycles
    const char* fit;              // printf: omega0, its error, zeta, its error, omega_d, residual RMS
    const char* half_power;       // printf: the file, omega_peak, omega_low, omega_high, zeta, omega0
    const char* constants;        // printf: m, K, lambda
    const char* replay;           // printf: the link
    const char* exercise;         // printf: samples, sigma
    const char* exercise_link;    // printf: the page's link, the code
    const char* answer_prompt;
    const char* worked;           // the heading of the worked identification
    const char* key_help;
    const char* exercise_keys;
};

// The table of the language chosen.
const ConsoleTexts& console_texts();

}  // namespace vibsim::identify
