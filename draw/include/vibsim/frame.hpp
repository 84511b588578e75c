// Helpers that open and close a frame in the current GLUT window, and small
// window-library facilities for programs built on the library.
#pragma once

namespace vibsim {

// Clears the colour and depth buffers and loads the identity matrix.
void begin_frame();

// Flushes and swaps the buffers.
void end_frame();

// Asks GLUT to redisplay the current window.
void post_redisplay();

// Calls damage_hook when GLUT reports the normal plane undamaged.
void check_normal_damage();

// Called by check_normal_damage; does nothing.
void damage_hook();

}  // namespace vibsim
