// What the gallery's window needs of X beyond GLUT: GLUT's own arguments and
// the display checked before GLUT would end the program over them. Its event
// loop, which also ends it when another client destroys the window, is the
// labs' (lab_kit/event_loop.hpp).
#pragma once

namespace vibsim::gallery {

// The widest and tallest window that -geometry may ask for: what Mesa's GL
// can draw into, and well within what X allows.
inline constexpr int largest_window_side = 16384;

// Checks the arguments GLUT will read and the display the window will open
// on. Returns the exit status when the program is to end: 2 for -display or
// -geometry without a value, or a -geometry that is not one or asks for a
// side of 0 or more than largest_window_side pixels (the fault on standard
// error); 1 for a display that cannot be opened (one line naming it);
// otherwise -1.
int check_window_arguments(int argc, char** argv);

}  // namespace vibsim::gallery
