// A real GLUT window with a current OpenGL context for tests that draw, made
// the way the simulator makes its own: 800 x 800, RGBA, double-buffered, with
// a depth buffer and the identity projection.
#pragma once

namespace vibsim::test {

// Creates the window on first use; false when there is no X display to open
// it on (the test should then skip).
bool open_gl_window();

}  // namespace vibsim::test

// In a test body: skips the test when no window can be had.
#define VIBSIM_REQUIRE_GL_WINDOW()                                             \
    do {                                                                       \
        if (!::vibsim::test::open_gl_window()) GTEST_SKIP() << "no X display"; \
    } while (false)
