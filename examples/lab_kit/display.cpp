#include "display.hpp"

#include "program_name.hpp"

#include <cstdio>

namespace vibsim::lab {

bool window_can_open(const char* batch_options)
{
    std::string reason;
    if (display_opens(reason)) return true;
    std::fprintf(stderr, "%s: the window cannot open: %s; %s work without a display\n", program_name(),
                 reason.c_str(), batch_options);
    return false;
}

}  // namespace vibsim::lab
