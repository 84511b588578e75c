// The two pieces of a lab's desktop platform that its page does without:
// the X display (the page's canvas is always there) and PNG pictures (the
// page shows the picture itself).
#include "display.hpp"
#include "offscreen.hpp"
#include "program_name.hpp"

#include <cstdio>
#include <functional>
#include <string>

namespace vibsim::lab {

bool display_opens(std::string&) { return true; }

bool png_picture(int, int, const std::function<void(int, int)>&, std::string&)
{
    std::fprintf(stderr, "%s: the page draws no PNG pictures\n", program_name());
    return false;
}

}  // namespace vibsim::lab
