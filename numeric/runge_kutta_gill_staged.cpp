// The staged Runge-Kutta-Gill step on the model's vib_rhs with its stage
// argument. A file of its own, so that programs using the other named steps
// need not define that overload of vib_rhs.
#include "vibsim/runge_kutta_gill_staged.hpp"

#include "vibsim/vib_rhs.hpp"

namespace vibsim {

void runge_kutta_gill_staged(double t, double h, const double* y, double* y_out, int n, int tag)
{
    runge_kutta_gill_staged(t, h, y, y_out, n, tag,
                            [](int i, double time, const double* s, int stage) -> double {
                                return vib_rhs(i, time, s, stage);
                            });
}

}  // namespace vibsim
