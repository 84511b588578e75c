// The oscillator's frequency response H(omega) = 1 / (K - m omega^2 +
// i lambda omega), the steady response to a unit force of angular frequency
// omega, and its fit to a measured amplitude spectrum.
#pragma once

#include "random/lab.hpp"

#include <span>

namespace vibsim::random {

// |H(omega)|, from the real and imaginary parts x, z of H, which solve
//   (K - m omega^2) x - lambda omega z = 1
//   lambda omega x + (K - m omega^2) z = 0,
// the real form of (K - m omega^2 + i lambda omega) H = 1, by the library's
// LU inverse. NaN when the system's determinant, ((K - m omega^2)^2 +
// (lambda omega)^2), is too small for lu_invert to invert it (an undamped
// oscillator at its natural frequency, or tiny constants).
double response_magnitude(const Oscillator& oscillator, double omega);

// The factor c that brings c |H(omega_k)| closest, in least squares, to the
// averaged amplitudes of the harmonics k = 1 ... 512 (harmonic 0, the mean,
// is left out). `magnitudes` holds |H| for k = 0 ... 512; NaN entries are
// left out. 0 when nothing is to be fitted.
double spectrum_scale(const Lab& lab, std::span<const double> magnitudes);

}  // namespace vibsim::random
