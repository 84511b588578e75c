// The pieces of the desktop platform that the page does without: the
// display (the page's canvas is always there) and PNG pictures (the page
// shows the picture itself).
#include "platform/display.hpp"
#include "platform/offscreen.hpp"
#include "platform/program_name.hpp"

#include <cstdio>
#include <functional>
#include <string>

namespace vibsim::platform {

DisplayAnswer probe_display(const char*, std::string& shown)
{
    shown = "the page";
    return DisplayAnswer::opens;
}

bool png_picture(int, int, const std::function<void(int, int)>&, std::string&)
{
    std::fprintf(stderr, "%s: the page draws no PNG pictures\n", program_name());
    return false;
}

}  // namespace vibsim::platform
