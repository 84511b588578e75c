// The random-vibration lab's entry points for its page.
#include "random/spectrum_csv.hpp"
#include "random/window.hpp"

#include <emscripten/emscripten.h>

#include <string>

// A key of the page, as the window takes it; then the page is told that the
// lab has changed (its CSV link follows).
extern "C" EMSCRIPTEN_KEEPALIVE void vibsim_web_key(int key)
{
    vibsim::random::press_key(static_cast<unsigned char>(key));
    EM_ASM({
        if (Module['labChanged']) Module['labChanged']();
    });
}

// The averaged spectrum so far in the desktop's --csv format; empty before
// the window opens. The text stays valid until the next call.
extern "C" EMSCRIPTEN_KEEPALIVE const char* vibsim_random_csv()
{
    static std::string text;
    const vibsim::random::Lab* lab = vibsim::random::lab_in_window();
    text = lab != nullptr ? vibsim::random::spectrum_csv(*lab) : std::string();
    return text.c_str();
}

// m, lambda, K, y0, v0 and sigma of the lab shown, by index 0 to 5; its
// time (6), the records averaged (7), omega0 and zeta (8, 9).
extern "C" EMSCRIPTEN_KEEPALIVE double vibsim_random_case_value(int index)
{
    const vibsim::random::Lab* lab = vibsim::random::lab_in_window();
    if (lab == nullptr) return 0.0;
    const vibsim::random::Oscillator& o = lab->oscillator;
    switch (index) {
    case 0: return o.mass;
    case 1: return o.damping;
    case 2: return o.stiffness;
    case 3: return o.initial_displacement;
    case 4: return o.initial_velocity;
    case 5: return o.force_deviation;
    case 6: return lab->time;
    case 7: return lab->records_averaged;
    case 8: return vibsim::random::frequencies(o).natural;
    case 9: return vibsim::random::frequencies(o).damping_ratio;
    default: return 0.0;
    }
}
