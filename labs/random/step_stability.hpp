// Whether steps of time_step follow the free motion of an oscillator or
// make it grow without bound.
#pragma once

#include "random/lab.hpp"

namespace vibsim::random {

// How much one step of time_step multiplies the faster-growing mode of the
// free motion m y'' + lambda y' + K y = 0: max |R(h s)| over the roots s of
// m s^2 + lambda s + K, with R the step's stability function. At most 1 the
// computed motion stays bounded; above 1 it grows without bound. NaN when
// the constants give no roots (m = 0).
double step_growth(const Oscillator& oscillator);

// The largest growth a step may show and still leave the motion bounded: 1,
// and the rounding of its computation where a root lies on the region's edge
// (lambda = 0 and K h^2 / m = 8, for one).
inline constexpr double largest_bounded_growth = 1.0 + 1e-12;

}  // namespace vibsim::random
