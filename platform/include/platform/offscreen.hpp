// Pictures rendered off screen: Mesa's surfaceless EGL platform gives an
// OpenGL context with no window and no X display, and the picture is drawn
// into a framebuffer object of its own, read back and encoded as PNG.
#pragma once

#include <functional>
#include <string>

namespace vibsim::platform {

// Calls draw(width, height) with a current GL context whose framebuffer is a
// width x height RGBA image, then puts that image into `png` as PNG bytes.
// False, with the reason on standard error, when no context or framebuffer
// of that size can be had.
bool png_picture(int width, int height, const std::function<void(int, int)>& draw, std::string& png);

}  // namespace vibsim::platform
