// The program's name, said at the start of every message the kit writes
// ("vibsim-random: cannot write ..."). Each lab sets it once at start-up.
#pragma once

namespace vibsim::lab {

void set_program_name(const char* name);
const char* program_name();

}  // namespace vibsim::lab
