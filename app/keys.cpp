#include "keys.hpp"

#include "dialog.hpp"
#include "frame.hpp"
#include "model.hpp"
#include "trace_record.hpp"

#include <cstdlib>

namespace vibsim {

namespace {

constexpr unsigned char escape_key = 27;

// Both vertical scales take the new value, so displacement and velocity stay
// drawn alike.
void set_vertical_scale(double scale)
{
    vertical_scales[1] = scale;
    vertical_scales[0] = vertical_scales[1];
}

}  // namespace

void keyboard(unsigned char key, int /*x*/, int /*y*/)
{
    last_key = key;
    switch (key) {
    case 'y':
        set_vertical_scale(vertical_scales[0] * 0.9);
        display();
        break;
    case 'Y':
        set_vertical_scale(vertical_scales[0] / 0.9);
        display();
        break;
    case 't':
        time_scale = time_scale * 0.9;
        display();
        break;
    case 'T':
        time_scale = time_scale / 0.9;
        display();
        break;
    case 's':
        display();
        break;
    case 'm':
    case 'j':
        // The motion shown so far goes to the trace's file; the dialog asks
        // for the constants too unless the key was 'j'.
        write_trace();
        sim_time = 0.0;
        input_parameters();
        break;
    case escape_key:
        std::exit(0);
    default:
        break;
    }
}

}  // namespace vibsim
