// The program's own command-line options, from a small table. They are taken
// out of the argument list; what remains (GLUT's own options, such as
// -geometry) is left for GLUT.
#pragma once

#include <optional>

namespace vibsim {

// Applies the options of argv and removes them from it. Returns the exit
// status when the program is to end at once (2 for an option used wrongly,
// after a message on standard error), otherwise nothing.
std::optional<int> apply_command_line(int* argc, char** argv);

}  // namespace vibsim
