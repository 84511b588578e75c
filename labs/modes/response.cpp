// The steady response to F cos(omega t) on mass j: Y = Yr + i Yi solves
// (K - omega^2 M + i omega C) Y = F e_j, which in real and imaginary parts is
//   | A  -B | |Yr|   |F e_j|
//   | B   A | |Yi| = |  0  |,   A = K - omega^2 M, B = omega C,
// solved with the library's LU inverse of the 2n x 2n matrix (scaled so that
// the inverse exists at any scale of the constants).
#include "modes/response.hpp"

#include "modes/frequencies.hpp"
#include "modes/scaled_inverse.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace vibsim::modes {

namespace {

bool undamped(const Chain& chain)
{
    for (const double lambda : chain.damping)
        if (lambda != 0.0) return false;
    return true;
}

// The undamped chain is singular at omega when omega^2 is one of its
// eigenvalues: within the rounding of forming K - omega^2 M, or at omega = 0
// with a piece that no spring holds.
bool on_undamped_root(const Chain& chain, double omega)
{
    if (omega == 0.0) return free_pieces(chain) > 0;
    const double omega_squared = omega * omega;
    constexpr double rounding = 8.0 * std::numeric_limits<double>::epsilon();
    return sturm_count(chain, omega_squared * (1.0 - rounding)) !=
           sturm_count(chain, omega_squared * (1.0 + rounding));
}

}  // namespace

bool steady_amplitudes(const Chain& chain, int force_at, double force, double omega,
                       std::span<double> amplitudes)
{
    const int n = chain.n;
    if (!sound_chain(chain) || force_at < 1 || force_at > n || amplitudes.size() < static_cast<std::size_t>(n) ||
        !std::isfinite(force) || !std::isfinite(omega))
        return false;
    if (omega == 0.0 && free_pieces(chain) > 0) return false;
    if (undamped(chain) && on_undamped_root(chain, omega)) return false;

    const auto size = static_cast<std::size_t>(n);
    const std::size_t order = 2 * size;
    const double omega_squared = omega * omega;
    std::vector<double> a(order * order, 0.0);
    const auto at = [&a, order](std::size_t i, std::size_t j) -> double& { return a[i * order + j]; };
    for (std::size_t i = 0; i < size; ++i) {
        const double diagonal = (chain.stiffness[i] + chain.stiffness[i + 1]) - omega_squared * chain.mass[i];
        const double resistance = omega * chain.damping[i];
        at(i, i) = diagonal;
        at(size + i, size + i) = diagonal;
        at(i, size + i) = -resistance;
        at(size + i, i) = resistance;
        if (i + 1 < size) {
            const double coupling = -chain.stiffness[i + 1];
            at(i, i + 1) = coupling;
            at(i + 1, i) = coupling;
            at(size + i, size + i + 1) = coupling;
            at(size + i + 1, size + i) = coupling;
        }
    }
    if (!scaled_inverse(static_cast<int>(order), a)) return false;
    // Y is F times column j - 1 of the inverse.
    const auto column = static_cast<std::size_t>(force_at - 1);
    std::vector<double> result(size);
    for (std::size_t i = 0; i < size; ++i) {
        result[i] = std::hypot(force * at(i, column), force * at(size + i, column));
        if (!std::isfinite(result[i])) return false;
    }
    std::copy(result.begin(), result.end(), amplitudes.begin());
    return true;
}

double response_frequency(double highest_frequency, int line)
{
    return 1.5 * highest_frequency * line / 2000.0;
}

}  // namespace vibsim::modes
