// Runs the console dialog on the real standard input and output, once for
// each key given as an argument ('m' for the full form, 'j' for the initial
// conditions only), as the window's keys would. Two flags, in argument order:
//   --prime   fills the view, the state, the simulated time and the trace
//             history with values no dialog sets;
//   --report  writes one line "report: name=value ..." of the model, the
//             view and the trace history as they are at that point.
// The program's own options (--lang) come first and are applied as the
// program applies them.
#include "command_line.hpp"
#include "dialog.hpp"
#include "frame.hpp"
#include "model.hpp"

#include <cstdio>
#include <string_view>

namespace {

using namespace vibsim;

void prime()
{
    chain_origin = {0.3, -0.2};
    trace_origin = {0.7, 0.6};
    vertical_scales = {2.0, 4.0};
    time_scale = 0.016;
    state = {5.0, -6.0};
    sim_time = 12.5;
    trace_index = 37;
    for (int i = 0; i < 2 * trace_capacity; ++i) trace_history[i] = 1000.0 + i;
}

void report()
{
    std::printf("report:");
    const auto field = [](const char* name, double value) { std::printf(" %s=%.17g", name, value); };
    field("mass", mass);
    field("damping", damping);
    field("stiffness", stiffness);
    field("y0", initial_displacement);
    field("v0", initial_velocity);
    field("omega0", natural_frequency);
    field("zeta", damping_ratio);
    field("Omega", damped_frequency);
    field("y", state[0]);
    field("v", state[1]);
    field("t", sim_time);
    field("chain_x", chain_origin.x);
    field("chain_y", chain_origin.y);
    field("trace_x", trace_origin.x);
    field("trace_y", trace_origin.y);
    field("scale_y", vertical_scales[0]);
    field("scale_v", vertical_scales[1]);
    field("time_scale", time_scale);
    field("index", trace_index);
    field("row0_0", trace_history[0]);
    field("row0_1", trace_history[1]);
    field("row0_last", trace_history[trace_capacity - 1]);
    field("row1_0", trace_history[trace_capacity]);
    field("row1_1", trace_history[trace_capacity + 1]);
    field("row1_last", trace_history[2 * trace_capacity - 1]);
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv)
{
    if (const auto status = vibsim::apply_command_line(&argc, argv)) return *status;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--prime") {
            prime();
        } else if (arg == "--report") {
            report();
        } else {
            last_key = static_cast<unsigned char>(arg[0]);
            input_parameters();
        }
    }
}
