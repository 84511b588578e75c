// vibsim-modes' live window.
#pragma once

#include "kit/display.hpp"
#include "modes/session.hpp"

namespace vibsim::modes {

// What a key does in the window (see print_key_help); nothing before the
// window opens.
void press_key(unsigned char key);

// The session the window shows; null before it opens.
const Session* session_in_window();

// Opens a width x height window showing `session` and runs GLUT's event
// loop. Never returns.
[[noreturn]] void run_window(Session& session, int* argc, char** argv, int width, int height);

}  // namespace vibsim::modes
