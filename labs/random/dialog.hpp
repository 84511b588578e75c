// The console dialog of vibsim-random, in the simulator's form and words:
// the system constants and the initial conditions with the simulator's
// prompts, then the strength of the random force; then omega0, zeta, the
// damping class and Omega as the simulator prints them, and the key help.
#pragma once

#include "random/lab.hpp"

namespace vibsim::random {

// Asks for the values, starting from `oscillator`: an empty line (or the end
// of input) keeps the values asked for, a line with fewer numbers keeps the
// values after the last number read, and values out of range are asked for
// again.
void ask_oscillator(Oscillator& oscillator);

// The lines of omega0, zeta, the damping class and Omega.
void print_frequencies(const Oscillator& oscillator);

// The keys of the window.
void print_key_help();

}  // namespace vibsim::random
