// vibsim's own command-line options. Options of the form --name are vibsim's;
// every other argument (-geometry WxH+X+Y, -display NAME, -iconic, ...) is
// left in place for GLUT, which reads its own when the window is set up.
#pragma once

#include "platform/language.hpp"

#include <cstdio>
#include <optional>

namespace vibsim {

// What the options asked for.
struct CommandLine {
    bool help = false;     // --help: print the usage and end
    bool version = false;  // --version: print the version and end
    platform::Language language = platform::Language::japanese;  // --lang ja|en: the dialog's, key help's and title's language
};

// Reads vibsim's options and removes them from argc/argv, so that GLUT sees
// only its own. Returns the exit status when the program is to end here:
// 0 after --help or --version (written to `out`), 2 after an unknown option or
// a bad value, or a GLUT option that GLUT could not use: -display or -geometry
// without a value, or a -geometry that is not a geometry or asks for a side
// of 0 or more than platform::largest_window_side pixels (the fault and the usage
// written to `err`); nothing when the program goes on to the dialog, with the
// language of --lang chosen. Checking GLUT's options here, rather than when
// GLUT reads them, tells the user before the dialog rather than after it.
std::optional<int> handle_command_line(int& argc, char** argv, std::FILE* out, std::FILE* err);

// The usage text of --help.
void print_usage(std::FILE* out);

}  // namespace vibsim
