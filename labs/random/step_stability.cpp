// Linear stability of the Runge-Kutta-Gill step. Like every explicit
// four-stage method of order four, it advances y' = s y by the factor
// R(z) = 1 + z + z^2/2 + z^3/6 + z^4/24, z = h s (E. Hairer, G. Wanner,
// Solving Ordinary Differential Equations II, 2nd ed., Springer 1996,
// section IV.2). The oscillator's two modes are e^(s t) for the roots s of
// m s^2 + lambda s + K, complex or real; each grows by |R(h s)| a step. On
// the imaginary axis |R(iy)| <= 1 up to y = 2 sqrt(2), so undamped motion
// stays bounded up to omega0 = 2 sqrt(2) / h; damping moves the roots left,
// where the region reaches a little further.
#include "random/step_stability.hpp"

#include <algorithm>
#include <complex>

namespace vibsim::random {

namespace {

double growth_factor(std::complex<double> z)
{
    return std::abs(1.0 + z * (1.0 + z * (1.0 / 2.0 + z * (1.0 / 6.0 + z * (1.0 / 24.0)))));
}

}  // namespace

double step_growth(const Oscillator& o)
{
    const double m = o.mass, lambda = o.damping, k = o.stiffness;
    // q = -(lambda + sqrt(lambda^2 - 4 m K)) / 2 gives the roots q / m and
    // K / q without the cancellation of lambda against the square root.
    const std::complex<double> root = std::sqrt(std::complex<double>(lambda * lambda - 4.0 * m * k, 0.0));
    const std::complex<double> q = -0.5 * (lambda + (lambda < 0.0 ? -root : root));
    const std::complex<double> faster = q / m;
    const std::complex<double> slower = q == 0.0 ? std::complex<double>(0.0) : k / q;
    return std::max(growth_factor(time_step * faster), growth_factor(time_step * slower));
}

}  // namespace vibsim::random
