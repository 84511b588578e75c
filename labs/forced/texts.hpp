// vibsim-forced's console texts, one table per language: the dialog, the
// readouts and the key help. The language is chosen once at start-up
// (platform/language.hpp).
#pragma once

namespace vibsim::forced {

struct Texts {
    const char* introduction;
    const char* constants_prompt;  // printf: m, lambda, K now
    const char* drive_prompt;      // printf: the drive, A, omega now
    const char* start_prompt;      // printf: y0, v0 now
    const char* refused;           // printf: the fault
    const char* unreadable;        // printf: the word that is no number
    const char* readouts;          // printf: omega0, zeta, Q, the decay time, r
    const char* step_reduced;      // printf: the step in s, its cause
    const char* stiff;             // the step's causes
    const char* heavily_damped;
    const char* fast_drive;
    const char* key_help;
};

const Texts& texts();

}  // namespace vibsim::forced
