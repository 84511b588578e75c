// The model's right-hand side, evaluated one component at a time.
//
// The library declares it and never defines it: the program that links the
// named Runge-Kutta-Gill steps defines it for its own model. A program that
// only uses the steps taking a callable needs no definition.
#pragma once

namespace vibsim {

// dy_index/dt at time t for the state y.
double vib_rhs(int index, double t, const double* y);

// The same, called by the staged step with the number of the stage that asks.
double vib_rhs(int index, double t, const double* y, int stage);

}  // namespace vibsim
