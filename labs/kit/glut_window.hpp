// A lab's live window: GLUT's double-buffered RGBA window with a depth
// buffer, drawn, resized and keyed through the lab's own functions.
#pragma once

namespace vibsim::kit {

inline constexpr unsigned char escape_key = 27;

struct WindowHandlers {
    void (*draw)();                   // draws the picture; the frame is then shown
    void (*reshape)(int, int);        // the new size in pixels
    void (*key)(unsigned char);       // a key pressed (or repeated while held)
};

// Opens a width x height window titled `title` and runs its event loop
// (platform/event_loop.hpp). Never returns: the program ends from a key (std::exit),
// or with status 0 when the window closes or is destroyed.
[[noreturn]] void open_window(int* argc, char** argv, int width, int height, const char* title,
                              const WindowHandlers& handlers);

}  // namespace vibsim::kit
