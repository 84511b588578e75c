#include "kit/display.hpp"

#include "platform/display.hpp"
#include "platform/program_name.hpp"

#include <cstdio>
#include <string>

namespace vibsim::kit {

bool window_can_open(const char* batch_options)
{
    std::string shown;
    const platform::DisplayAnswer answer = platform::probe_display(nullptr, shown);
    if (answer == platform::DisplayAnswer::opens) return true;
    const std::string reason = answer == platform::DisplayAnswer::unnamed
                                   ? "it needs an X display, and DISPLAY is not set"
                                   : "the X display '" + shown + "' does not answer";
    std::fprintf(stderr, "%s: the window cannot open: %s; %s work without a display\n", platform::program_name(),
                 reason.c_str(), batch_options);
    return false;
}

}  // namespace vibsim::kit
