// The simulator's entry points for its page. The page's keys enter the
// program here rather than through GLUT's own handler: a key may start the
// console dialog, which waits for a line of the page's console without
// blocking the browser (emscripten's Asyncify), and such a wait can only be
// resumed from an exported function. The page's link reads the case shown.
#include "keys.hpp"
#include "model.hpp"

#include <emscripten/emscripten.h>

extern "C" EMSCRIPTEN_KEEPALIVE void vibsim_web_key(int key)
{
    vibsim::keyboard(static_cast<unsigned char>(key), 0, 0);
}

// m, lambda, K, y0 and v0 as the last dialog set them, by index 0 to 4;
// omega0 and zeta derived from them (5, 6), and the simulated time (7).
extern "C" EMSCRIPTEN_KEEPALIVE double vibsim_web_case_value(int index)
{
    switch (index) {
    case 0: return vibsim::mass;
    case 1: return vibsim::damping;
    case 2: return vibsim::stiffness;
    case 3: return vibsim::initial_displacement;
    case 4: return vibsim::initial_velocity;
    case 5: return vibsim::natural_frequency;
    case 6: return vibsim::damping_ratio;
    case 7: return vibsim::sim_time;
    default: return 0.0;
    }
}
