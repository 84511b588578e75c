// The rounding's share of each natural frequency: first-order perturbation
// of a symmetric pencil's eigenvalue, delta(lambda_k) = phi_k^T delta(K)
// phi_k / phi_k^T M phi_k (J. H. Wilkinson, "The Algebraic Eigenvalue
// Problem", 1965, ch. 2), with delta(K) the rounding of K's diagonal,
// |delta(K)_ii| <= u (k_{i-1} + k_i), u the unit roundoff.
#include "modes/accuracy.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace vibsim::modes {

namespace {

// A little over the unit roundoff (2^-53 = 1.1e-16), for the subtraction of
// omega^2 m_i as well.
constexpr double roundoff = 1.2e-16;
// The bisection's own last bit, relative to the root.
constexpr double last_place = 2.3e-16;

struct Shares {
    double whole = 0.0;      // sum_j k_j (phi_j^2 + phi_{j+1}^2)
    double stretched = 0.0;  // sum_j k_j (phi_j - phi_{j+1})^2
    double inertia = 0.0;    // sum_i m_i phi_i^2
};

// The sums for shape k, the springs divided by the stiffest and the masses by
// the heaviest, so that they stay within the doubles' range.
Shares shares(const Chain& c, std::span<const double> phi, double stiffest, double heaviest)
{
    Shares s;
    const auto at = [&](int i) { return i == 0 || i == c.n + 1 ? 0.0 : phi[static_cast<std::size_t>(i - 1)]; };
    for (int j = 0; j <= c.n; ++j) {
        const double k = c.stiffness[static_cast<std::size_t>(j)] / stiffest;
        const double a = at(j), b = at(j + 1);
        s.whole += k * (a * a + b * b);
        s.stretched += k * (a - b) * (a - b);
    }
    for (int i = 1; i <= c.n; ++i) s.inertia += c.mass[static_cast<std::size_t>(i - 1)] / heaviest * at(i) * at(i);
    return s;
}

}  // namespace

std::vector<double> frequency_uncertainties(const Chain& chain, const Modes& modes)
{
    std::vector<double> out(static_cast<std::size_t>(modes.n), 0.0);
    if (!sound_chain(chain) || modes.n != chain.n) return out;
    const double stiffest = *std::max_element(chain.stiffness.begin(), chain.stiffness.end());
    const double heaviest = *std::max_element(chain.mass.begin(), chain.mass.end());
    if (!(stiffest > 0.0)) return out;
    const int exact_zeros = free_pieces(chain);
    const double infinity = std::numeric_limits<double>::infinity();
    for (int k = exact_zeros + 1; k <= modes.n; ++k) {
        const Shares s = shares(chain, modes.shape(k), stiffest, heaviest);
        const double omega = modes.omega[static_cast<std::size_t>(k - 1)];
        // omega^2 sum m phi^2 in the same units as the springs' sums.
        const double kinetic = omega / std::sqrt(stiffest) * (omega / std::sqrt(stiffest)) * heaviest * s.inertia;
        const double least = std::min(s.stretched, kinetic);
        const double kappa = least > 0.0 && std::isfinite(least) ? s.whole / least : infinity;
        out[static_cast<std::size_t>(k - 1)] = roundoff * kappa / 2.0 + last_place;
    }
    return out;
}

std::string lost_frequency(const Chain& chain, const Modes& modes)
{
    const std::vector<double> u = frequency_uncertainties(chain, modes);
    const double stiffest = sound_chain(chain) ? *std::max_element(chain.stiffness.begin(), chain.stiffness.end()) : 1.0;
    const double heaviest = sound_chain(chain) ? *std::max_element(chain.mass.begin(), chain.mass.end()) : 1.0;
    for (int k = 1; k <= static_cast<int>(u.size()); ++k) {
        if (!(u[static_cast<std::size_t>(k - 1)] >= most_uncertainty)) continue;
        // The Rayleigh quotient of the shape: omega_k^2 = stretched / inertia
        // in the scaled units.
        const Shares s = shares(chain, modes.shape(k), stiffest, heaviest);
        const double omega = std::sqrt(s.stretched / s.inertia) * std::sqrt(stiffest / heaviest);
        // The rounding's share of omega^2, d: omega lies within
        // sqrt(omega^2 + d) - omega of the quotient's.
        const double share = roundoff * s.whole / s.inertia * (stiffest / heaviest);
        const double spread = std::sqrt(omega * omega + share) - omega;
        char text[96];
        std::snprintf(text, sizeof text, "ω_%d ≈ %.2g ± %.2g", k, omega, spread);
        return text;
    }
    return "";
}

}  // namespace vibsim::modes
