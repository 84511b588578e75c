// Natural frequencies and mode shapes of the undamped chain: the roots
// omega_1 <= ... <= omega_n of D(omega) = det(K - omega^2 M), and the shapes
// phi_k with (K - omega_k^2 M) phi_k = 0.
#pragma once

#include "modes/chain.hpp"

#include <span>
#include <vector>

namespace vibsim::modes {

// The number of eigenvalues of the pencil (K, M) below omega_squared (the
// Sturm count, from the signs of the pivots of K - omega_squared M = L D L^T).
// Each repeated eigenvalue counts as often as it is repeated.
int sturm_count(const Chain& chain, double omega_squared);

// An upper bound of the largest natural frequency (from Gershgorin's discs of
// M^-1 K): sqrt(max_i 2 (k_{i-1} + k_i) / m_i).
double frequency_bound(const Chain& chain);

// The number of pieces of the chain that no spring ties to either end
// (split off by springs of 0): each moves freely as a whole, which is a
// natural frequency of exactly 0.
int free_pieces(const Chain& chain);

// D(omega) = det(R (K - omega^2 M)) by the library's LU determinant, where
// the positive diagonal R scales each row by a power of 2 to a largest
// magnitude in [0.5, 1): finite at any scale of the constants, with the roots
// and the sign of det(K - omega^2 M).
double characteristic_determinant(const Chain& chain, double omega);

// omega_1 <= ... <= omega_n [rad/s], each to the last bits of a double that
// the rounding of K - omega^2 M can tell apart: omega^2 to about 1e-16 times
// the largest entry of M^-1 K, which for a chain whose constants spread over
// many orders leaves the roots far below the largest less exact. A repeated
// root is reported as often as it is repeated; a piece of the chain held by
// no spring to either end (springs of 0) gives a root of exactly 0.
std::vector<double> natural_frequencies(const Chain& chain);

struct Modes {
    int n = 0;
    std::vector<double> omega;   // omega_1 ... omega_n
    // n x n: shape k (k = 1 ... n) is shapes[(k - 1) n ... k n - 1], component
    // i - 1 for mass i. Each shape's largest |phi_i| is 1 and its first
    // component that is not negligible (|phi_i| > shape_sign_floor) is
    // positive: phi_1 > 0 whenever phi_1 is not (nearly) zero.
    std::vector<double> shapes;

    std::span<const double> shape(int k) const
    {
        return std::span<const double>(shapes).subspan(static_cast<std::size_t>((k - 1) * n),
                                                       static_cast<std::size_t>(n));
    }
};

inline constexpr double shape_sign_floor = 1e-9;

// The natural frequencies and their shapes (inverse iteration with the
// library's LU inverse; the shapes of close or repeated roots are made
// M-orthogonal to one another).
Modes chain_modes(const Chain& chain);

}  // namespace vibsim::modes
