#include "platform/display.hpp"

#include <X11/Xlib.h>

#include <cstdlib>

namespace vibsim::platform {

DisplayAnswer probe_display(const char* name, std::string& shown)
{
    const char* chosen = name != nullptr ? name : std::getenv("DISPLAY");
    shown = chosen != nullptr ? chosen : "";
    if (shown.empty()) return DisplayAnswer::unnamed;
    Display* display = XOpenDisplay(shown.c_str());
    if (display == nullptr) return DisplayAnswer::no_answer;
    XCloseDisplay(display);
    return DisplayAnswer::opens;
}

}  // namespace vibsim::platform
