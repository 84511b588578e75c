// The program's name, said at the start of every message that the platform
// and the labs' kit write ("vibsim-random: cannot write ..."). Each program
// sets it once at start-up.
#pragma once

namespace vibsim::platform {

void set_program_name(const char* name);
const char* program_name();

}  // namespace vibsim::platform
