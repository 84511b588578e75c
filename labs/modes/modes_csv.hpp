// The lab's two tables as CSV text, numbers in "%.17g" (they read back as
// the same doubles), lines ending in "\n".
#pragma once

#include "modes/chain.hpp"
#include "modes/frequencies.hpp"

#include <string>

namespace vibsim::modes {

// "k,omega,omega_uniform,omega_string,phi_1,...,phi_N", then one line per
// mode k = 1 ... n; omega_uniform and omega_string are empty fields for a
// chain that is not uniform.
std::string modes_csv(const Chain& chain, const Modes& modes);

// "omega,amp_1,...,amp_N", then response_lines lines on the grid of
// response_frequency (0 to 1.5 omega_n) with the steady amplitudes of every
// mass for the force `force` [N] on mass `force_at`; a line without a steady
// value has its amplitude fields empty.
std::string response_csv(const Chain& chain, const Modes& modes, int force_at, double force);

}  // namespace vibsim::modes
