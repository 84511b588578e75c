// Whether a lab's window can open, asked before its dialog, so that a
// missing display is told at once rather than after the questions.
#pragma once

#include <string>

namespace vibsim::lab {

// True when the display that the window would open on can be opened;
// otherwise false with the reason, naming the display, in `reason`. Under X
// in x_display.cpp; the page has its canvas always.
bool display_opens(std::string& reason);

// True when the display opens; otherwise false after a message that says
// why and that `batch_options` (e.g. "--csv FILE and --png FILE") work
// without one.
bool window_can_open(const char* batch_options);

}  // namespace vibsim::lab
