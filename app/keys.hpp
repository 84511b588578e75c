// The window's keyboard commands.
#pragma once

namespace vibsim {

// The keyboard callback: 's' draws the next frame, 't'/'T' and 'y'/'Y' shrink
// or stretch the time and vertical axes by 0.9 and redraw, 'm' and 'j' run the
// dialog again, Esc ends the program. Every key is kept in last_key.
void keyboard(unsigned char key, int x, int y);

}  // namespace vibsim
