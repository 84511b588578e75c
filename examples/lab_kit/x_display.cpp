#include "display.hpp"

#include <X11/Xlib.h>

#include <cstdlib>

namespace vibsim::lab {

bool display_opens(std::string& reason)
{
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0') {
        reason = "it needs an X display, and DISPLAY is not set";
        return false;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        reason = std::string("the X display '") + name + "' does not answer";
        return false;
    }
    XCloseDisplay(display);
    return true;
}

}  // namespace vibsim::lab
