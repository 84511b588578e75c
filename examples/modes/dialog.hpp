// vibsim-modes' console dialog, in the simulator's form and words: the
// number of masses, the constants m lambda K, the starting shape; then the
// natural frequencies, and the key help.
#pragma once

#include "chain.hpp"
#include "frequencies.hpp"
#include "motion.hpp"
#include "session.hpp"

namespace vibsim::modes {

// Asks for N, then m lambda K, then the starting shape, starting from
// `chain` and `start`: an empty line (or the end of input) keeps what is
// asked for (a chain of masses, dampers or springs that differ stays so
// while N and m lambda K are kept), values out of range are asked for again.
void ask_chain(Chain& chain, Start& start);

// Asks for the starting shape alone: "k" for mode k, "p j" to pluck mass j,
// "s j" to strike mass j.
void ask_start(const Chain& chain, Start& start);

// The natural frequencies; for a uniform chain beside them the closed form
// and the taut string's; and a word when the step had to be shortened.
void print_frequencies(const Chain& chain, const Modes& modes, const Motion& motion);

// The keys of the window.
void print_key_help();

}  // namespace vibsim::modes
