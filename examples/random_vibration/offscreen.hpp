// Pictures rendered off screen: Mesa's surfaceless EGL platform gives an
// OpenGL context with no window and no X display, and the picture is drawn
// into a framebuffer object of its own, read back and written as a PNG file.
#pragma once

#include <functional>
#include <string>

namespace vibsim::lab {

// Calls draw(width, height) with a current GL context whose framebuffer is a
// width x height RGBA image, then writes that image to `file` as PNG. False,
// with the reason on standard error, when no context can be had or the file
// cannot be written.
bool write_png_picture(const std::string& file, int width, int height,
                       const std::function<void(int, int)>& draw);

}  // namespace vibsim::lab
