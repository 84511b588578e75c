#include "window_system.hpp"

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace vibsim::gallery {

namespace {

bool side_fits(unsigned int side) { return side >= 1 && side <= largest_window_side; }

}  // namespace

int check_window_arguments(int argc, char** argv)
{
    const char* display_name = nullptr;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument != "-display" && argument != "-geometry") continue;
        if (i + 1 >= argc) {
            std::fprintf(stderr, "vibsim-gallery: GLUT option %s needs a value\n", argv[i]);
            return 2;
        }
        const char* value = argv[++i];
        if (argument == "-display") {
            display_name = value;
            continue;
        }
        int x = 0, y = 0;
        unsigned int width = 1, height = 1;
        const int given = XParseGeometry(value, &x, &y, &width, &height);
        if (given == 0) {
            std::fprintf(stderr, "vibsim-gallery: -geometry '%s' is not WIDTHxHEIGHT+X+Y\n", value);
            return 2;
        }
        if (!side_fits(width) || !side_fits(height)) {
            std::fprintf(stderr, "vibsim-gallery: -geometry '%s': a window's sides are 1 to %d pixels\n", value,
                         largest_window_side);
            return 2;
        }
    }
    if (display_name == nullptr) display_name = std::getenv("DISPLAY");
    if (display_name == nullptr || *display_name == '\0') {
        std::fputs("vibsim-gallery: cannot open the window: no X display (DISPLAY is not set and no -display is"
                   " given)\n", stderr);
        return 1;
    }
    Display* display = XOpenDisplay(display_name);
    if (display == nullptr) {
        std::fprintf(stderr, "vibsim-gallery: cannot open the X display '%s' for the window\n", display_name);
        return 1;
    }
    XCloseDisplay(display);
    return -1;
}

}  // namespace vibsim::gallery
