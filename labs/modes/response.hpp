// The steady response of the damped chain to a harmonic force F cos(omega t)
// on one mass: the complex amplitudes Y of
//   (K - omega^2 M + i omega C) Y = F e_j,
// solved as the real system of twice the order with the library's LU inverse.
#pragma once

#include "modes/chain.hpp"

#include <span>

namespace vibsim::modes {

// The amplitudes |Y_i| of masses i = 1 ... n into amplitudes[0 ... n-1] for
// a force of amplitude `force` [N] and angular frequency `omega` [rad/s] on
// mass `force_at` (1 ... n). False, and `amplitudes` left as it was, when
// there is no steady value: the system is singular at this omega (an
// undamped chain exactly at one of its natural frequencies, or a piece held
// by no spring and no damper at omega = 0), an amplitude would not be a
// finite double, or the arguments are out of range (force_at, fewer than n
// amplitudes, an omega or force that is not finite).
bool steady_amplitudes(const Chain& chain, int force_at, double force, double omega,
                       std::span<double> amplitudes);

// The response table's grid: lines 0 ... response_lines - 1 from omega = 0 to
// 1.5 omega_n; line i is at (1.5 omega_n) i / 2000, computed in that order
// (1.5 times omega_n, times i, divided by 2000), so line 2000 is exactly
// 1.5 omega_n and line 1000 exactly half of it.
inline constexpr int response_lines = 2001;
double response_frequency(double highest_frequency, int line);

}  // namespace vibsim::modes
