// Whether a lab's window can open, asked before its dialog, so that a
// missing display is told at once rather than after the questions.
#pragma once

namespace vibsim::kit {

// True when the display opens; otherwise false after a message that says
// why and that `batch_options` (e.g. "--csv FILE and --png FILE") work
// without one.
bool window_can_open(const char* batch_options);

}  // namespace vibsim::kit
