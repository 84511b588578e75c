// vibsim-identify's texts, one table per language: what is wrong with a
// record, a response or an exercise code, why a record holds no decay, and
// the judged answer. The code asks for a text by what it says.
#pragma once

#include "platform/language.hpp"

namespace vibsim::identify {

struct Texts {
    // printf: the file; then as the problem says.
    const char* missing_file;
    const char* unreadable_file;
    const char* empty;
    const char* header_only;
    const char* words;           // the file, the line, the column, the text
    const char* missing_value;   // the file, the line, the column
    const char* not_finite;      // the file, the line, the column, the text
    const char* too_few;         // the file, the count, the least count
    const char* not_increasing;  // the file, the line, the column, the value
    const char* no_such_column;  // the file, the column
    const char* no_header;       // the file, the column
    const char* no_oscillation;
    const char* growing;
    const char* irregular;
    const char* fit_failed;
    const char* no_peak;          // printf: the file
    const char* band_not_covered; // printf: the file
    const char* bad_characters;
    const char* bad_length;
    const char* bad_check;
    const char* unknown_version;
    const char* bad_case;
    const char* unreadable_answer;  // printf: the line typed
    const char* right_answer;       // printf: omega0, zeta, their tolerances in %
    const char* wrong_answer;       // printf: omega0, zeta, their tolerances in %
    const char* omega0_within;      // printf: the error in %
    const char* omega0_outside;     // printf: the error in %
    const char* zeta_within;        // printf: the error in %
    const char* zeta_outside;       // printf: the error in %
};

const Texts& texts(platform::Language language);

}  // namespace vibsim::identify
