// The lab's four tables as CSV text: what the desktop's --frf-csv,
// --time-csv, --sweep-csv and --fourier-csv write and what the page offers
// for download. A header line names the columns; numbers are written in
// "%.17g" (they read back as the same doubles), a value that is not finite
// as an empty field, and lines end in "\n".
#pragma once

#include "forced/model.hpp"
#include "forced/sweep.hpp"

#include <string>

namespace vibsim::forced {

inline constexpr int frf_lines = 2001;       // omega = 0 ... 3 omega0 in equal steps
inline constexpr int fourier_harmonics = 31;  // k = 0 ... 31
inline constexpr double default_duration = 20.0;  // s, of the time file
// The longest time file: 10^6 steps of 0.01 s, about 80 MB of text.
inline constexpr double longest_duration = 1e4;

// "omega,r,amplitude,phase,magnification,transmitted_force" and frf_lines
// lines of the closed form; a line whose amplitude is infinite (undamped,
// exactly at resonance) has its fields after r empty.
std::string frf_csv(const Model& model);
// One such line at omega, with its "\n".
std::string frf_csv_line(const Model& model, double omega);

// The 0.01 s steps from 0 to the duration, both included: the duration's
// whole number of steps (to within 1e-9 of a step) plus one. 0 for a
// duration that is not in (0, longest_duration].
long long time_csv_lines(double duration);

// "t,y,v,force,y_steady": the motion from y0, v0 at each 0.01 s step from 0
// to the duration, the force on the mass from the excitation (for base
// K u + lambda u') and the analytic steady state. y and v are empty fields
// for a model too fast to step, y_steady where the steady state is
// infinite. Only the header for a duration that time_csv_lines refuses.
std::string time_csv(const Model& model, double duration);

// "omega,amplitude,phase,amplitude_exact,phase_exact", a line per point.
std::string sweep_csv(const Sweep& sweep);

// "k,omega,force_amplitude,force_phase,amplitude,phase": harmonics
// k = 0 ... fourier_harmonics of the force on the mass and of the steady
// response, each as amplitude and lag behind cos(k omega t) in (-pi, pi].
std::string fourier_csv(const Model& model);

}  // namespace vibsim::forced
