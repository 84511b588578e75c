// Defines its own model as vib_rhs and steps it with the named form compiled
// into the installed library.
#include "step_result.hpp"

#include <vibsim/runge_kutta_gill.hpp>
#include <vibsim/vib_rhs.hpp>

double vibsim::vib_rhs(int index, double, const double* y)
{
    return consumer::unit_oscillator(index, y);
}

int main()
{
    double state[2] = {consumer::step_start[0], consumer::step_start[1]};
    vibsim::runge_kutta_gill(0.0, consumer::step_length, state, state, 2);
    return consumer::report_step("named", state) ? 0 : 1;
}
