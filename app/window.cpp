#include "window.hpp"

#include "frame.hpp"
#include "keys.hpp"

#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>
#include <cstring>

namespace vibsim {

namespace {

// GLUT stores the title bytes as Latin-1, both as the window's name and as its
// icon name. Tell the window system they are UTF-8: as the EWMH names that
// desktops show and as WM_NAME and WM_ICON_NAME.
void set_utf8_title(const char* title)
{
    Display* display = glXGetCurrentDisplay();
    const Window window = glXGetCurrentDrawable();
    if (display == nullptr || window == 0) return;

    const Atom utf8_string = XInternAtom(display, "UTF8_STRING", False);
    for (const char* name : {"_NET_WM_NAME", "_NET_WM_ICON_NAME"}) {
        XChangeProperty(display, window, XInternAtom(display, name, False), utf8_string, 8,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(title),
                        static_cast<int>(std::strlen(title)));
    }

    char* list[] = {const_cast<char*>(title)};
    XTextProperty property;
    if (Xutf8TextListToTextProperty(display, list, 1, XStdICCTextStyle, &property) == Success) {
        XSetWMName(display, window, &property);
        XSetWMIconName(display, window, &property);
        XFree(property.value);
    }
    XFlush(display);
}

// Mesa's software renderer may still hold queued drawing when the process
// exits; finishing it before the library's own statics are destroyed keeps
// the exit clean.
void finish_drawing() { glFinish(); }

}  // namespace

void init_window(int* argc, char** argv)
{
    open_window(argc, argv);
    glutMainLoop();
    // Closing the window ends the process inside the loop; should a GLUT ever
    // return from it, end here the same way.
    std::exit(0);
}

void open_window(int* argc, char** argv)
{
    glutInitWindowSize(800, 800);
    glutInit(argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    create_main_window();
    std::atexit(finish_drawing);
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutKeyboardFunc(keyboard);
    set_clear_colour();
}

void create_main_window()
{
    glutCreateWindow(window_title);
    set_utf8_title(window_title);
}

void set_clear_colour() { glClearColor(1.0f, 1.0f, 1.0f, 1.0f); }

void reshape(int width, int height)
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
}

}  // namespace vibsim
