#include "window_system.hpp"

#include "platform/display.hpp"

#include <string>

namespace vibsim {

std::optional<int> check_display(const char* name, std::FILE* err)
{
    std::string shown;
    switch (platform::probe_display(name, shown)) {
    case platform::DisplayAnswer::opens:
        return std::nullopt;
    case platform::DisplayAnswer::unnamed:
        std::fprintf(err, "vibsim: cannot open the window: no X display (DISPLAY is not set and no -display is"
                          " given)\n");
        return 1;
    case platform::DisplayAnswer::no_answer:
        break;
    }
    std::fprintf(err, "vibsim: cannot open the X display '%s' for the window\n", shown.c_str());
    return 1;
}

}  // namespace vibsim
