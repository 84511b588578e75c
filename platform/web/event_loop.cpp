// A window's event loop in the browser: the page is always there, and its
// canvas cannot be taken away from the program.
#include "platform/event_loop.hpp"

#include <GL/freeglut.h>

#include <cstdlib>

namespace vibsim::platform {

void run_event_loop()
{
    glutMainLoop();
    std::exit(0);
}

}  // namespace vibsim::platform
