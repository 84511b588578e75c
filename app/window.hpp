// Start-up of the window and its GLUT callbacks.
#pragma once

namespace vibsim {

// Creates the 800 x 800 double-buffered window, registers the callbacks, sets
// the white background and runs GLUT's event loop; never returns.
[[noreturn]] void init_window(int* argc, char** argv);

// All of init_window but the event loop: the window exists, its callbacks are
// registered and its context is current.
void open_window(int* argc, char** argv);

// Creates the window with its title; GLUT must be initialised.
void create_main_window();

// White, opaque.
void set_clear_colour();

// The reshape callback: the viewport covers the window and the projection
// stays the identity, so -1 .. +1 fills it whatever its shape.
void reshape(int width, int height);

}  // namespace vibsim
