#include "platform/event_loop.hpp"

#include <cerrno>
#include <cstdlib>

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
// Xlibint.h offers XESetWireToEvent, and also macros min and max; the
// standard headers come before it.
#include <X11/Xlibint.h>
#undef min
#undef max
#include <poll.h>

namespace vibsim::platform {

namespace {

Window watched_window = 0;
bool window_destroyed = false;
// Xlib's own conversion of a DestroyNotify from the wire, which still does
// the work; note_destroyed only looks at its result.
Bool (*convert_destroy_notify)(Display*, XEvent*, xEvent*) = nullptr;

// Xlib calls this for every DestroyNotify it reads from the server, whoever
// then takes the event from the queue (GLUT, which drops it), so none is
// missed.
Bool note_destroyed(Display* display, XEvent* event, xEvent* wire)
{
    const Bool kept = convert_destroy_notify(display, event, wire);
    if (event->type == DestroyNotify && event->xdestroywindow.window == watched_window) window_destroyed = true;
    return kept;
}

// Xlib's handler of the errors that are not about the destroyed window.
int (*other_errors)(Display*, XErrorEvent*) = nullptr;

// GLUT tidies its window away at exit, not knowing it is gone; the server's
// complaint about that is no fault of the program's.
int ignore_destroyed_window(Display* display, XErrorEvent* error)
{
    if (error->resourceid == watched_window) return 0;
    return other_errors(display, error);
}

// Blocks until the server has something for us, unless Xlib already holds it.
void wait_for_events(Display* display)
{
    if (XPending(display) > 0) return;
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    while (poll(&connection, 1, -1) < 0 && errno == EINTR) {
    }
}

}  // namespace

void run_event_loop()
{
    Display* display = glXGetCurrentDisplay();
    watched_window = glXGetCurrentDrawable();
    convert_destroy_notify = XESetWireToEvent(display, DestroyNotify, note_destroyed);
    for (;;) {
        glutMainLoopEvent();
        // GLUT has handled everything read so far; with the window gone,
        // end as closing it through the window manager does.
        if (window_destroyed) {
            other_errors = XSetErrorHandler(ignore_destroyed_window);
            std::exit(0);
        }
        wait_for_events(display);
    }
}

}  // namespace vibsim::platform
