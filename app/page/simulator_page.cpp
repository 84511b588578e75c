// The simulator's entry points for its page. The page's keys enter the
// program here rather than through GLUT's own handler: a key may start the
// console dialog, which waits for a line of the page's console without
// blocking the browser (emscripten's Asyncify), and such a wait can only be
// resumed from an exported function. The page reads the case shown by name.
#include "keys.hpp"
#include "model.hpp"
#include "platform/case_table.hpp"
#include "texts.hpp"

#include <emscripten/emscripten.h>

#include <string>
#include <string_view>

extern "C" EMSCRIPTEN_KEEPALIVE void vibsim_web_key(int key)
{
    vibsim::keyboard(static_cast<unsigned char>(key), 0, 0);
}

// The case shown: m, lambda, K, y0 and v0 as the last dialog set them,
// omega0 and zeta derived from them, the damping class as the dialog names it
// and the simulated time. The text stays valid until the next call.
extern "C" EMSCRIPTEN_KEEPALIVE const char* vibsim_web_case()
{
    static std::string json;
    const std::string_view damping = vibsim::damping_class_text(vibsim::damping_class(vibsim::damping_ratio));
    json = vibsim::platform::CaseTable()
               .number("mass", vibsim::mass)
               .number("damping", vibsim::damping)
               .number("stiffness", vibsim::stiffness)
               .number("y0", vibsim::initial_displacement)
               .number("v0", vibsim::initial_velocity)
               .number("omega0", vibsim::natural_frequency)
               .number("zeta", vibsim::damping_ratio)
               .text("damping_class", damping.substr(damping.find_first_not_of(' ')))
               .number("time", vibsim::sim_time)
               .json();
    return json.c_str();
}
