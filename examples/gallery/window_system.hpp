// What the gallery's window needs before GLUT: GLUT's own arguments and the
// display checked before GLUT would end the program over them. Its event
// loop, which also ends it when another client destroys the window, is the
// platform's (platform/event_loop.hpp).
#pragma once

namespace vibsim::gallery {

// Checks the arguments GLUT will read and the display the window will open
// on. Returns the exit status when the program is to end: 2 for -display or
// -geometry without a value, or a -geometry that is not one or asks for a
// side of 0 or more than platform::largest_window_side pixels (the fault on
// standard error); 1 for a display that cannot be opened (one line naming
// it); otherwise -1.
int check_window_arguments(int argc, char** argv);

}  // namespace vibsim::gallery
