// The Runge-Kutta-Gill step whose right-hand side is told which stage of the
// step is asking: the caller's tag in the first stage, then 1, 2 and 3. The
// tag never enters the arithmetic, so a right-hand side that ignores it gets
// the plain step's result to the last bit.
#pragma once

#include "vibsim/runge_kutta_gill.hpp"

#include <concepts>
#include <utility>

namespace vibsim {

// One step of length h from y at time t into y_out, for any right-hand side
// rhs(i, t, state, stage) -> double; stage is `tag` in the first stage and
// 1, 2, 3 in the others. Work storage as for runge_kutta_gill: from the heap,
// or the end of the process with "memory overflow" before any call of rhs.
template <class Rhs>
    requires std::invocable<Rhs&, int, double, const double*, int>
void runge_kutta_gill_staged(double t, double h, const double* y, double* y_out, int n, int tag,
                             Rhs&& rhs)
{
    gill_step_with_work(t, h, y, y_out, n, tag, std::forward<Rhs>(rhs));
}

// The staged step on the model's right-hand side vib_rhs(i, t, state, stage)
// (vibsim/vib_rhs.hpp).
void runge_kutta_gill_staged(double t, double h, const double* y, double* y_out, int n, int tag);

}  // namespace vibsim
