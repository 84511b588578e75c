// A connection to the X server of $DISPLAY through which the tests look at
// another client's window and act on it as a user would: read its title and
// size, take its picture, press keys in it, resize it and close it.
#pragma once

#include "picture.hpp"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Xlib's own header is kept out: its macros (None, Bool, Status) clash with
// GoogleTest's names.
struct _XDisplay;

namespace vibsim::e2e {

// An X window id, as Xlib's Window.
using WindowId = unsigned long;

struct WindowSize {
    int width = 0, height = 0;
};

class XSession {
public:
    // Connects to $DISPLAY; see ok().
    XSession();
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    bool ok() const { return display_ != nullptr; }
    // The display name in use ($DISPLAY), for messages.
    const std::string& name() const { return name_; }

    // Every viewable window, at any depth below the root, whose _NET_WM_NAME
    // or WM_NAME holds the bytes `fragment`, whatever encoding the rest of the
    // name is in.
    std::vector<WindowId> windows_named_with(std::string_view fragment);

    // _NET_WM_NAME as UTF-8 bytes, or nothing when the window has none.
    std::optional<std::string> net_wm_name(WindowId window);
    // WM_NAME decoded to UTF-8 from whatever encoding it declares, or nothing.
    std::optional<std::string> wm_name(WindowId window);
    // WM_ICON_NAME, decoded the same way.
    std::optional<std::string> wm_icon_name(WindowId window);
    std::optional<WindowSize> size(WindowId window);
    // True while the window exists.
    bool exists(WindowId window);

    // The window's pixels as they are on the screen now; empty when the window
    // is gone or not viewable.
    Picture grab(WindowId window);

    // Presses and releases a key in the window; `key` is an X key name ("s",
    // "Escape"). The key goes straight to the window, focused or not.
    bool press_key(WindowId window, const std::string& key);
    // Asks for a new size, as a window manager does when the user drags a
    // border.
    void resize(WindowId window, int width, int height);
    // Moves the window, as a window manager places it. With no window manager
    // the server keeps the position the program asked for, which may lie
    // partly off the screen, where no picture of it can be taken.
    void move(WindowId window, int x, int y);
    // Asks the window to close, as the close button of a window manager does:
    // a WM_PROTOCOLS client message carrying WM_DELETE_WINDOW.
    void request_close(WindowId window);
    // Destroys the window from outside, as `xdotool windowclose` does: the
    // program gets no request, only the news that its window is gone.
    void destroy(WindowId window);

private:
    std::optional<std::string> text_property(WindowId window, unsigned long property);
    bool named_with(WindowId window, std::string_view fragment);
    void collect_named(WindowId parent, std::string_view fragment, std::vector<WindowId>& found);

    _XDisplay* display_ = nullptr;
    std::string name_;
};

}  // namespace vibsim::e2e
