// The window system in the browser: the page is always there, and its canvas
// cannot be taken away from the program.
#include "window_system.hpp"

#include <GL/freeglut.h>

#include <cstdlib>

namespace vibsim {

std::optional<int> check_display(const char*, std::FILE*) { return std::nullopt; }

void run_event_loop()
{
    glutMainLoop();
    std::exit(0);
}

}  // namespace vibsim
