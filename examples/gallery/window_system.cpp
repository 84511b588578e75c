#include "window_system.hpp"

#include "platform/display.hpp"

#include <cstdio>
#include <string>

namespace vibsim::gallery {

int check_window_arguments(int argc, char** argv)
{
    if (const std::optional<std::string> fault = platform::window_argument_fault(argc, argv)) {
        std::fprintf(stderr, "vibsim-gallery: %s\n", fault->c_str());
        return 2;
    }
    std::string shown;
    switch (platform::probe_display(platform::display_argument(argc, argv), shown)) {
    case platform::DisplayAnswer::opens:
        return -1;
    case platform::DisplayAnswer::unnamed:
        std::fputs("vibsim-gallery: cannot open the window: no X display (DISPLAY is not set and no -display is"
                   " given)\n", stderr);
        return 1;
    case platform::DisplayAnswer::no_answer:
        break;
    }
    std::fprintf(stderr, "vibsim-gallery: cannot open the X display '%s' for the window\n", shown.c_str());
    return 1;
}

}  // namespace vibsim::gallery
