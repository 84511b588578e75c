// The window's title in the browser: the page's title.
#include "platform/window_title.hpp"

#include <emscripten/emscripten.h>

namespace vibsim::platform {

void set_window_title(const char* title) { emscripten_set_window_title(title); }

}  // namespace vibsim::platform
