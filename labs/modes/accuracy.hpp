// How exact each natural frequency can be in doubles. K's diagonal holds
// k_{j-1} + k_j, and D(omega) subtracts omega^2 m_i from it: each rounded to
// about 1e-16 of its size. A mode in which the masses at either end of a
// spring move nearly together cancels most of that spring's share, so that
// the rounding's share of its omega_k^2 is about 1.2e-16 times
//   kappa_k = sum_j k_j (phi_j^2 + phi_{j+1}^2) / sum_j k_j (phi_j - phi_{j+1})^2
// (phi_0 = phi_{n+1} = 0), the springs' stiffness over what its motion
// stretches of it; and half that in omega_k. A chain spread over many orders
// (end springs of 1e-20 on inner springs of 1) can leave a root that rounding
// moves by more than itself: no double can say it.
#pragma once

#include "modes/chain.hpp"
#include "modes/frequencies.hpp"

#include <string>
#include <vector>

namespace vibsim::modes {

// The uncertainty of omega_1 ... omega_n relative to each: 6e-17 kappa_k
// and a unit in the last place,
// kappa_k from the shape as computed, and at least the stiffness over
// omega_k^2 sum_i m_i phi_i^2, so that a root computed far too small shows
// as uncertain too. 0 for the roots of 0 of free pieces, which are exact;
// infinity where omega_k^2 is 0 or below the doubles' range otherwise.
std::vector<double> frequency_uncertainties(const Chain& chain, const Modes& modes);

// Roots less certain than this, relative to themselves, are not told.
inline constexpr double most_uncertainty = 0.1;

// "" when every root is within most_uncertainty, otherwise the first that is
// not, in symbols: "ω_1 ≈ 6.3e-11 ± 1.4e-08" (its size from the shape's
// Rayleigh quotient, which the rounding of K's diagonal does not touch).
std::string lost_frequency(const Chain& chain, const Modes& modes);

}  // namespace vibsim::modes
