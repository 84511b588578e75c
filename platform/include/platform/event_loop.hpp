// A window's event loop: GLUT's, and an end when the window is gone however
// it went. Every program with a window (the simulator, the labs, the
// gallery) runs this one. Under X in x11/event_loop.cpp; the page has its
// own in web/event_loop.cpp, for its canvas cannot be taken away.
#pragma once

namespace vibsim::platform {

// Runs GLUT's event loop for the window just created (its context current).
// The program ends with status 0 when the window is destroyed: by the window
// manager's close, through GLUT, or by another client (xdotool windowclose,
// xkill -id), which GLUT itself ignores, leaving a process without a window.
// Never returns.
[[noreturn]] void run_event_loop();

}  // namespace vibsim::platform
