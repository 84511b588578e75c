// vibsim-forced's live window.
#pragma once

#include "forced/session.hpp"

namespace vibsim::forced {

// What a key does in the window (see print_key_help); nothing before the
// window opens.
void press_key(unsigned char key);

// The session the window shows; null before it opens.
const Session* session_in_window();

// Opens a width x height window showing `session` and runs its event loop.
// Never returns.
[[noreturn]] void run_window(Session& session, int* argc, char** argv, int width, int height);

}  // namespace vibsim::forced
