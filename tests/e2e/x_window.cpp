#include "x_window.hpp"

#include "child_process.hpp"

#include <X11/Xlib.h>

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <chrono>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace vibsim::e2e {

namespace {

// The windows looked at belong to another client and may vanish at any time
// (Esc, close); a request about a window that is gone must not end the test,
// whose checks see an empty answer instead.
int ignore_x_error(Display*, XErrorEvent*) { return 0; }

// A right shift that brings the top eight bits of `mask` down to the bottom.
int shift_of(unsigned long mask)
{
    int shift = 0;
    while (mask > 0xFF) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

}  // namespace

XSession::XSession()
{
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0') return;
    name_ = name;
    // Xlib decodes text properties according to the locale's code set.
    if (const char* current = std::setlocale(LC_CTYPE, nullptr);
        current == nullptr || std::strcmp(current, "C") == 0 || std::strcmp(current, "POSIX") == 0) {
        std::setlocale(LC_CTYPE, "C.UTF-8");
    }
    XSetErrorHandler(ignore_x_error);
    // A server started without -noreset resets when its last client leaves,
    // as between two tests, and refuses connections for that moment.
    for (int attempt = 0; attempt < 50 && display_ == nullptr; ++attempt) {
        if (attempt > 0) std::this_thread::sleep_for(std::chrono::milliseconds(100));
        display_ = XOpenDisplay(name);
    }
}

XSession::~XSession()
{
    if (display_ != nullptr) XCloseDisplay(display_);
}

std::optional<std::string> XSession::net_wm_name(WindowId window)
{
    const Atom property = XInternAtom(display_, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display_, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display_, window, property, 0, 4096, False, utf8, &type, &format, &items,
                           &after, &data) != Success) {
        return std::nullopt;
    }
    std::optional<std::string> text;
    if (type == utf8 && format == 8 && data != nullptr) text = std::string(reinterpret_cast<char*>(data), items);
    if (data != nullptr) XFree(data);
    return text;
}

std::optional<std::string> XSession::text_property(WindowId window, unsigned long property)
{
    XTextProperty value{};
    if (XGetTextProperty(display_, window, &value, property) == 0) return std::nullopt;
    char** list = nullptr;
    int n = 0;
    std::optional<std::string> text;
    if (Xutf8TextPropertyToTextList(display_, &value, &list, &n) >= Success && list != nullptr) {
        text = std::string();
        for (int i = 0; i < n; ++i) *text += list[i];
        XFreeStringList(list);
    }
    if (value.value != nullptr) XFree(value.value);
    return text;
}

std::optional<std::string> XSession::wm_name(WindowId window) { return text_property(window, XA_WM_NAME); }

std::optional<std::string> XSession::wm_icon_name(WindowId window)
{
    return text_property(window, XA_WM_ICON_NAME);
}

bool XSession::named_with(WindowId window, std::string_view fragment)
{
    if (const auto name = net_wm_name(window); name && name->find(fragment) != std::string::npos) return true;
    XTextProperty value{};
    if (XGetWMName(display_, window, &value) == 0) return false;
    const std::string_view bytes(reinterpret_cast<const char*>(value.value), value.nitems);
    const bool found = bytes.find(fragment) != std::string_view::npos;
    if (value.value != nullptr) XFree(value.value);
    return found;
}

void XSession::collect_named(WindowId parent, std::string_view fragment, std::vector<WindowId>& found)
{
    Window root = 0;
    Window up = 0;
    Window* children = nullptr;
    unsigned int n = 0;
    if (XQueryTree(display_, parent, &root, &up, &children, &n) == 0) return;
    for (unsigned int i = 0; i < n; ++i) {
        XWindowAttributes attributes{};
        if (XGetWindowAttributes(display_, children[i], &attributes) == 0) continue;
        if (attributes.map_state == IsViewable && named_with(children[i], fragment)) found.push_back(children[i]);
        collect_named(children[i], fragment, found);
    }
    if (children != nullptr) XFree(children);
}

std::vector<WindowId> XSession::windows_named_with(std::string_view fragment)
{
    std::vector<WindowId> found;
    collect_named(DefaultRootWindow(display_), fragment, found);
    return found;
}

std::optional<WindowSize> XSession::size(WindowId window)
{
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display_, window, &attributes) == 0) return std::nullopt;
    return WindowSize{attributes.width, attributes.height};
}

bool XSession::exists(WindowId window)
{
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display_, window, &attributes) != 0;
}

Picture XSession::grab(WindowId window)
{
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display_, window, &attributes) == 0 || attributes.map_state != IsViewable) {
        return {};
    }
    XImage* image = XGetImage(display_, window, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (image == nullptr) return {};
    Picture picture;
    picture.width = image->width;
    picture.height = image->height;
    picture.pixels.resize(static_cast<std::size_t>(image->width) * image->height);
    const int red_shift = shift_of(image->red_mask);
    const int green_shift = shift_of(image->green_mask);
    const int blue_shift = shift_of(image->blue_mask);
    for (int y = 0; y < image->height; ++y) {
        for (int x = 0; x < image->width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            picture.pixels[static_cast<std::size_t>(y) * image->width + x] = {
                static_cast<std::uint8_t>((pixel & image->red_mask) >> red_shift),
                static_cast<std::uint8_t>((pixel & image->green_mask) >> green_shift),
                static_cast<std::uint8_t>((pixel & image->blue_mask) >> blue_shift)};
        }
    }
    XDestroyImage(image);
    return picture;
}

bool XSession::press_key(WindowId window, const std::string& key)
{
    // xdotool's status says nothing about the program: after Esc the window is
    // gone before the key is released and xdotool reports that as a failure.
    const auto ending =
        test::run_tool({"/usr/bin/xdotool", "key", "--window", std::to_string(window), key},
                       test::Milliseconds{20000});
    return ending.has_value() && ending->signal == 0 && ending->exit_code != 127;
}

void XSession::resize(WindowId window, int width, int height)
{
    XResizeWindow(display_, window, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XSync(display_, False);
}

void XSession::move(WindowId window, int x, int y)
{
    XMoveWindow(display_, window, x, y);
    XSync(display_, False);
}

void XSession::request_close(WindowId window)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window, False, NoEventMask, &event);
    XSync(display_, False);
}

void XSession::destroy(WindowId window)
{
    XDestroyWindow(display_, window);
    XSync(display_, False);
}

}  // namespace vibsim::e2e
