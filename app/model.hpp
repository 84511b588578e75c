// The oscillator m*y'' + lambda*y' + K*y = 0 and the simulator's process-wide
// state: the constants and initial conditions from the console dialog, the
// quantities derived from them, the state vector, the simulated time and the
// view settings of the picture.
#pragma once

#include "vibsim/geometry.hpp"

#include <array>

namespace vibsim {

// Constants and initial conditions (SI units), set by the dialog.
extern double mass;                  // m, kg
extern double damping;               // lambda, N/(m/s)
extern double stiffness;             // K, N/m
extern double initial_displacement;  // y0, m
extern double initial_velocity;      // v0, m/s

// Derived by the dialog for its printout.
extern double natural_frequency;  // omega0 = sqrt(K / m), rad/s
extern double damping_ratio;      // zeta = lambda / (2 sqrt(m K))
extern double damped_frequency;   // Omega = sqrt(1 - zeta^2) omega0, only for zeta <= 1

// (y, v): displacement in m and velocity in m/s.
extern std::array<double, 2> state;
// Simulated time in s.
extern double sim_time;
// The value vib_rhs returned last.
extern double rhs_value;
// The last key given to the window; the dialog asks for the constants unless
// it is 'j'.
extern unsigned char last_key;

// View settings, reset by every dialog.
extern Point2 chain_origin;                   // left fixed end of the string
extern Point2 trace_origin;                   // start of the time axis of the curves
extern std::array<double, 2> vertical_scales;  // drawing units per m and per m/s
extern double time_scale;                     // drawing units per trace entry

}  // namespace vibsim
