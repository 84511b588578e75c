// A lab window's event loop: GLUT's, and an end when the window is gone
// however it went. Under X in x_event_loop.cpp; the page has its own, for
// its canvas cannot be taken away.
#pragma once

namespace vibsim::lab {

// Runs GLUT's event loop for the window just created (its context current).
// The program ends with status 0 when the window is destroyed: by the window
// manager's close, through GLUT, or by another client (xdotool windowclose,
// xkill -id), which GLUT itself ignores, leaving a process without a window.
// Never returns.
[[noreturn]] void run_event_loop();

}  // namespace vibsim::lab
