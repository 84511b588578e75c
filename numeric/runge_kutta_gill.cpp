// The Runge-Kutta-Gill step on the model's right-hand side vib_rhs. Kept in a
// file of its own so that programs that pass their own right-hand side never
// pull in the reference to vib_rhs.
#include "vibsim/runge_kutta_gill.hpp"

#include "vibsim/vib_rhs.hpp"

namespace vibsim {

void runge_kutta_gill(double t, double h, const double* y, double* y_out, int n)
{
    runge_kutta_gill(t, h, y, y_out, n, [](int i, double time, const double* s) -> double {
        return vib_rhs(i, time, s);
    });
}

}  // namespace vibsim
