#include "platform/window_title.hpp"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstring>
#include <initializer_list>

namespace vibsim::platform {

// GLUT stores the title bytes as Latin-1, both as the window's name and as its
// icon name. Tell the window system they are UTF-8: as the EWMH names that
// desktops show and as WM_NAME and WM_ICON_NAME.
void set_window_title(const char* title)
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

}  // namespace vibsim::platform
