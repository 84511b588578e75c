// The Runge-Kutta-Gill step for small systems, in storage of its own: all its
// work arrays live in the call's automatic storage, sized for
// gill_fixed_capacity components. It takes nothing from the heap, has no
// failure path and no process-wide state, so it may be entered again from
// inside the right-hand side or from several threads at once, as far as the
// right-hand side allows. For n up to the capacity its result is the plain
// step's to the last bit.
//
// More than gill_fixed_capacity components do not fit: such a call is
// refused. It calls no right-hand side, leaves y_out as it was and writes one
// line naming the step and n on standard error, each time, so that the
// misuse shows instead of a silently partial or overrun step. Callers with
// larger systems use runge_kutta_gill.
#pragma once

#include "vibsim/runge_kutta_gill.hpp"

#include <concepts>
#include <cstdio>

namespace vibsim {

// One step of length h from y at time t into y_out, for any right-hand side
// rhs(i, t, state) -> double. y and y_out may be the same array; t is not
// advanced; n <= 0 does nothing.
template <class Rhs>
    requires std::invocable<Rhs&, int, double, const double*>
void runge_kutta_gill_fixed(double t, double h, const double* y, double* y_out, int n, Rhs&& rhs)
{
    if (n > gill_fixed_capacity) {
        std::fprintf(stderr, "runge_kutta_gill_fixed: n = %d is more than its %d components;"
                     " step not taken\n", n, gill_fixed_capacity);
        return;
    }
    GillLocalWork local;
    gill_stages(t, h, y, y_out, n, local.arrays(), 0,
                [&rhs](int i, double time, const double* s, int) -> double { return rhs(i, time, s); });
}

// The fixed-storage step on the model's right-hand side vib_rhs
// (vibsim/vib_rhs.hpp).
void runge_kutta_gill_fixed(double t, double h, const double* y, double* y_out, int n);

}  // namespace vibsim
