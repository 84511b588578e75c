// vibsim-forced's console dialog, in the simulator's form: m lambda K, then
// the drive with A, omega and (for force) a wave, then y0 v0; then the
// readouts and the key help.
#pragma once

#include "forced/model.hpp"
#include "forced/motion.hpp"

namespace vibsim::forced {

// Asks for the three lines starting from `model`: an empty line (or the
// end of input) keeps what is asked for, a line with fewer fields keeps the
// rest. A line that is not a number, an unknown drive or wave, or a model
// the lab refuses (model_fault) is named and asked for again.
void ask_model(Model& model);

// Asks for y0 v0 alone.
void ask_start(Model& model);

void print_readouts(const Motion& motion);
void print_key_help();

}  // namespace vibsim::forced
