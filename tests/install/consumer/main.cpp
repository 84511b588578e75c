// Links the numeric, drawing and plotting libraries of the installed package
// without defining vib_rhs: the callable step alone must not need it.
#include "step_result.hpp"

#include <vibsim/frame.hpp>
#include <vibsim/plot.hpp>
#include <vibsim/runge_kutta_gill.hpp>

#include <cstdio>

int main()
{
    double out[2] = {};
    vibsim::runge_kutta_gill(0.0, consumer::step_length, consumer::step_start, out, 2,
                             [](int i, double, const double* s) { return consumer::unit_oscillator(i, s); });
    const bool step_ok = consumer::report_step("callable", out);

    // Pull in the plot and draw archives and, through end_frame, GL and GLUT,
    // without opening a window.
    void (*volatile frame_end)() = &vibsim::end_frame;
    const vibsim::Colour4& second = vibsim::plot_palette[1];
    std::printf("palette[1] %g %g %g, end_frame %s\n", second.red, second.green, second.blue,
                frame_end != nullptr ? "linked" : "missing");

    return step_ok ? 0 : 1;
}
