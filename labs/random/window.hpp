// The lab's live window.
#pragma once

#include "kit/display.hpp"
#include "random/lab.hpp"

namespace vibsim::random {

// Steps taken per press of 's': 0.32 s, a record in 32 presses.
inline constexpr int steps_per_press = 32;

// What a key does in the window: 's' advances the lab, 'r' restarts the
// average, Esc ends the program. Nothing before the window opens.
void press_key(unsigned char key);

// The lab the window shows; null before it opens.
const Lab* lab_in_window();

// Opens a width x height window showing `lab` and runs GLUT's event loop:
// 's' (pressed or held) advances the lab, 'r' restarts the average, Esc ends
// the program. Never returns.
[[noreturn]] void run_window(Lab& lab, int* argc, char** argv, int width, int height);

}  // namespace vibsim::random
