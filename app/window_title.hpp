// The window's title as the platform shows it. The X window system gets it
// from window_title_x11.cpp; another platform supplies its own.
#pragma once

namespace vibsim {

// Shows `title`, UTF-8, as the title of the window just created (its context
// current).
void set_window_title(const char* title);

}  // namespace vibsim
