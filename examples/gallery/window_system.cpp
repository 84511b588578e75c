#include "window_system.hpp"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
// Xlibint.h offers XESetWireToEvent, and also macros min and max; the
// standard headers come before it.
#include <X11/Xlibint.h>
#undef min
#undef max
#include <X11/Xutil.h>
#include <poll.h>


namespace vibsim::gallery {

namespace {

Window watched_window = 0;
bool window_destroyed = false;
Bool (*convert_destroy_notify)(Display*, XEvent*, xEvent*) = nullptr;
int (*other_errors)(Display*, XErrorEvent*) = nullptr;

// Xlib calls this for every DestroyNotify it reads, whoever then takes the
// event from the queue (GLUT, which drops it).
Bool note_destroyed(Display* display, XEvent* event, xEvent* wire)
{
    const Bool kept = convert_destroy_notify(display, event, wire);
    if (event->type == DestroyNotify && event->xdestroywindow.window == watched_window) window_destroyed = true;
    return kept;
}

// GLUT tidies its window away at exit, not knowing it is gone; the server's
// complaint about that is no fault of the program's.
int ignore_destroyed_window(Display* display, XErrorEvent* error)
{
    if (error->resourceid == watched_window) return 0;
    return other_errors(display, error);
}

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

void run_event_loop()
{
    Display* display = glXGetCurrentDisplay();
    watched_window = glXGetCurrentDrawable();
    convert_destroy_notify = XESetWireToEvent(display, DestroyNotify, note_destroyed);
    for (;;) {
        glutMainLoopEvent();
        if (window_destroyed) {
            other_errors = XSetErrorHandler(ignore_destroyed_window);
            std::exit(0);
        }
        // Block until the server has more, unless Xlib already holds it.
        if (XPending(display) > 0) continue;
        pollfd connection{ConnectionNumber(display), POLLIN, 0};
        while (poll(&connection, 1, -1) < 0 && errno == EINTR) {
        }
    }
}

}  // namespace vibsim::gallery
