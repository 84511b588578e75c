// vibsim-modes' console dialog, in the simulator's form and words: the
// number of masses, the constants m lambda K (values or lists), the starting
// shape; then the natural frequencies, and the key help.
#pragma once

#include "modes/chain.hpp"
#include "modes/frequencies.hpp"
#include "modes/motion.hpp"
#include "modes/session.hpp"

namespace vibsim::modes {

// Asks for N, then m lambda K, then the starting shape, starting from
// `chain` and `start`: an empty line (or the end of input) keeps what is
// asked for, lists included; a constants line with fewer fields keeps the
// rest. Each of m, lambda and K is one value for all or a comma-separated
// list (N values for m and lambda, N + 1 for K). When N changes, a list
// takes its first value for all, and the console says so. A value out of
// range, a list of the wrong length, a word that is no number or more
// fields than asked for is named and asked for again.
void ask_chain(Chain& chain, Start& start);

// Asks for the starting shape alone: "k" for mode k, "p j" to pluck mass j,
// "s j" to strike mass j, or the displacements and velocities typed in,
// "y Y v V" (Y and V each one value for all or N values separated by
// commas; either may be left out for zeros).
void ask_start(const Chain& chain, Start& start);

// The natural frequencies; for a uniform chain beside them the closed form
// and the taut string's; and a word when the step had to be shortened.
void print_frequencies(const Chain& chain, const Modes& modes, const Motion& motion);

// The keys of the window.
void print_key_help();

}  // namespace vibsim::modes
