// What the window needs of the window system beyond GLUT: a display that
// opens, checked before the dialog, and an event loop that ends the program
// when the window is gone however it went. The X window system gets them
// from window_system_x11.cpp; another platform supplies its own.
#pragma once

#include <cstdio>
#include <optional>

namespace vibsim {

// Opens and closes the display `name` (nothing: the one of $DISPLAY), so that
// a display that cannot be had is told at once rather than after the dialog.
// Returns 1 after writing one line to `err` naming the display and the fault;
// nothing when it opens.
std::optional<int> check_display(const char* name, std::FILE* err);

// GLUT's event loop for the window just created (its context current). It
// also ends the program with status 0 when another client destroys the
// window, which GLUT itself ignores, leaving a process without a window; the
// window manager's close ends it the same way through GLUT. Never returns.
[[noreturn]] void run_event_loop();

}  // namespace vibsim
