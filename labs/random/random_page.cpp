// The random-vibration lab's entry points for its page.
#include "random/spectrum_csv.hpp"
#include "platform/case_table.hpp"
#include "random/texts.hpp"
#include "random/window.hpp"

#include <emscripten/emscripten.h>

#include <string>
#include <string_view>

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

// The lab shown: m, lambda, K, y0, v0 and sigma, its time, the records
// averaged, omega0, zeta and the damping class as the dialog names it; empty
// before the window opens. The text stays valid until the next call.
extern "C" EMSCRIPTEN_KEEPALIVE const char* vibsim_web_case()
{
    static std::string json;
    const vibsim::random::Lab* lab = vibsim::random::lab_in_window();
    if (lab == nullptr) return "{}";
    const vibsim::random::Oscillator& o = lab->oscillator;
    const vibsim::random::Frequencies f = vibsim::random::frequencies(o);
    const std::string_view damping = vibsim::random::damping_class_text(vibsim::damping_class(f.damping_ratio));
    json = vibsim::platform::CaseTable()
               .number("mass", o.mass)
               .number("damping", o.damping)
               .number("stiffness", o.stiffness)
               .number("y0", o.initial_displacement)
               .number("v0", o.initial_velocity)
               .number("force", o.force_deviation)
               .number("time", lab->time)
               .number("records", lab->records_averaged)
               .number("omega0", f.natural)
               .number("zeta", f.damping_ratio)
               .text("damping_class", damping.substr(damping.find_first_not_of(' ')))
               .json();
    return json.c_str();
}
