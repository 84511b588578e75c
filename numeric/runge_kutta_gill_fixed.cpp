// The fixed-storage Runge-Kutta-Gill step on the model's right-hand side.
#include "vibsim/runge_kutta_gill_fixed.hpp"

#include "vibsim/vib_rhs.hpp"

namespace vibsim {

void runge_kutta_gill_fixed(double t, double h, const double* y, double* y_out, int n)
{
    runge_kutta_gill_fixed(t, h, y, y_out, n, [](int i, double time, const double* s) -> double {
        return vib_rhs(i, time, s);
    });
}

}  // namespace vibsim
