// The window's title as the platform shows it: under X in
// x11/window_title.cpp, in the page as the page's title.
#pragma once

namespace vibsim::platform {

// Shows `title`, UTF-8, as the title of the window just created (its context
// current).
void set_window_title(const char* title);

}  // namespace vibsim::platform
