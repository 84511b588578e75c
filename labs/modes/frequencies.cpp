// Natural frequencies of the chain by bisection: the Sturm count (the
// inertia of the L D L^T factors of the tridiagonal K - omega^2 M, as in
// LAPACK's dstebz; W. Kahan, "Accurate eigenvalues of a symmetric
// tri-diagonal matrix", Stanford CS41, 1966) isolates each root in a bracket
// that holds it alone; there the sign of D(omega) = det(K - omega^2 M), from
// the library's LU determinant, is bisected to the last bits of a double.
#include "modes/frequencies.hpp"

#include <vibsim/lu.hpp>

#include <algorithm>
#include <cmath>
#include <limits>

namespace vibsim::modes {

namespace {

// The count hands a bracket to the determinant once it is this narrow,
// relative to its upper end: the determinant then bisects the remaining
// bits.
constexpr double handoff_width = 0x1p-44;

// The smallest pivot magnitude of the Sturm recurrence; a smaller pivot is
// taken as -pivot_floor (a zero pivot counts as negative, as in dstebz).
// The matrix is scaled so that its couplings are at most 1, so b^2 / pivot
// stays finite.
constexpr double pivot_floor = std::numeric_limits<double>::min();

double largest_spring(const Chain& chain)
{
    double largest = 0.0;
    for (const double k : chain.stiffness) largest = std::max(largest, k);
    return largest;
}

// The midpoint of two doubles, which equals lo or hi once they are
// neighbours.
double middle(double lo, double hi) { return lo + (hi - lo) * 0.5; }

// The count for a sound chain (the bisection's many calls skip the check).
int count_below(const Chain& chain, double omega_squared)
{
    const int n = chain.n;
    const double spring_scale = largest_spring(chain);
    // K and M divided by the largest spring: every coupling is at most 1 and
    // no sign changes. A chain without springs is K = 0: no scaling needed.
    const double c = spring_scale > 0.0 ? 1.0 / spring_scale : 1.0;
    int count = 0;
    double pivot = 1.0;
    for (int i = 0; i < n; ++i) {
        const auto at = static_cast<std::size_t>(i);
        const double left = chain.stiffness[at] * c;
        const double right = chain.stiffness[at + 1] * c;
        const double diagonal = (left + right) - omega_squared * (chain.mass[at] * c);
        pivot = i == 0 ? diagonal : diagonal - left * left / pivot;
        if (std::fabs(pivot) < pivot_floor || std::isnan(pivot)) pivot = -pivot_floor;
        if (pivot < 0.0) ++count;
    }
    return count;
}

}  // namespace

int sturm_count(const Chain& chain, double omega_squared)
{
    return sound_chain(chain) ? count_below(chain, omega_squared) : 0;
}

double frequency_bound(const Chain& chain)
{
    if (!sound_chain(chain)) return 0.0;
    double largest = 0.0;
    for (int i = 0; i < chain.n; ++i) {
        const auto at = static_cast<std::size_t>(i);
        largest = std::max(largest, 2.0 * (chain.stiffness[at] + chain.stiffness[at + 1]) / chain.mass[at]);
    }
    return std::sqrt(largest);
}

int free_pieces(const Chain& chain)
{
    if (!sound_chain(chain)) return 0;
    int pieces = 0;
    int start = 0;  // the spring that opens the current piece
    for (int i = 1; i <= chain.n; ++i) {
        // Spring i closes the piece of masses start + 1 ... i when it is 0 (or
        // is the right end's spring).
        const bool closes = i == chain.n || chain.stiffness[static_cast<std::size_t>(i)] == 0.0;
        if (!closes) continue;
        if (chain.stiffness[static_cast<std::size_t>(start)] == 0.0 &&
            chain.stiffness[static_cast<std::size_t>(i)] == 0.0)
            ++pieces;
        start = i;
    }
    return pieces;
}

double characteristic_determinant(const Chain& chain, double omega)
{
    if (!sound_chain(chain)) return std::nan("");
    const auto n = static_cast<std::size_t>(chain.n);
    const double omega_squared = omega * omega;
    std::vector<double> a(n * n, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        a[i * n + i] = (chain.stiffness[i] + chain.stiffness[i + 1]) - omega_squared * chain.mass[i];
        if (i > 0) a[i * n + i - 1] = -chain.stiffness[i];
        if (i + 1 < n) a[i * n + i + 1] = -chain.stiffness[i + 1];
        // Row i times a power of 2 that brings its largest magnitude into
        // [0.5, 1): exact, positive (no sign and no root moves), and the
        // determinant of rows so scaled neither overflows nor, away from a
        // root, underflows.
        const double largest = std::max({std::fabs(a[i * n + i]), i > 0 ? chain.stiffness[i] : 0.0,
                                         i + 1 < n ? chain.stiffness[i + 1] : 0.0});
        if (largest > 0.0 && std::isfinite(largest)) {
            int exponent = 0;
            std::frexp(largest, &exponent);
            for (std::size_t j = (i > 0 ? i - 1 : 0); j < std::min(n, i + 2); ++j)
                a[i * n + j] = std::ldexp(a[i * n + j], -exponent);
        }
    }
    return lu_determinant(chain.n, a.data(), chain.n);
}

std::vector<double> natural_frequencies(const Chain& chain)
{
    if (!sound_chain(chain)) return {};
    const int n = chain.n;
    std::vector<double> omega(static_cast<std::size_t>(n), 0.0);
    // Roots 1 ... zeros are the free pieces' exact zeros; the others are
    // positive.
    const int zeros = free_pieces(chain);
    if (zeros >= n) return omega;

    // Brackets lower[j] < omega_j <= upper[j] with the counts below them:
    // count(lower^2) < j <= count(upper^2). One count narrows every bracket
    // it says something about.
    double top = frequency_bound(chain) * (1.0 + 0x1p-20);
    for (int tries = 0; tries < 64 && count_below(chain, top * top) < n; ++tries) top *= 2.0;
    const auto size = static_cast<std::size_t>(n) + 1;
    std::vector<double> lower(size, 0.0), upper(size, top);
    std::vector<int> count_lower(size, zeros), count_upper(size, n);
    // Only points inside a bracket move it, so that a count that rounding
    // made inconsistent with an earlier one can never turn a bracket over.
    const auto narrow = [&](double x, int count) {
        for (int j = zeros + 1; j <= n; ++j) {
            const auto at = static_cast<std::size_t>(j);
            if (!(x > lower[at] && x < upper[at])) continue;
            if (j <= count) {
                upper[at] = x;
                count_upper[at] = count;
            } else {
                lower[at] = x;
                count_lower[at] = count;
            }
        }
    };

    for (int j = zeros + 1; j <= n; ++j) {
        const auto at = static_cast<std::size_t>(j);
        double& lo = lower[at];
        double& hi = upper[at];
        // The count alone until the bracket holds root j alone and is narrow.
        while (count_upper[at] - count_lower[at] > 1 || hi - lo > handoff_width * hi) {
            const double mid = middle(lo, hi);
            if (mid == lo || mid == hi) break;
            narrow(mid, count_below(chain, mid * mid));
        }
        // Then D's sign. D(omega) is the product of the pivots whose signs
        // the count counts, so at the bracket's ends it has the sign
        // (-1)^count; with one root inside, it changes sign exactly once.
        double root = lo;
        if (count_upper[at] - count_lower[at] == 1) {
            double a = lo;
            double b = hi;
            const bool negative_at_a = count_lower[at] % 2 == 1;
            for (;;) {
                const double mid = middle(a, b);
                if (mid == a || mid == b) {
                    root = b;
                    break;
                }
                const double d_mid = characteristic_determinant(chain, mid);
                if (d_mid == 0.0) {
                    root = mid;
                    break;
                }
                (((d_mid < 0.0) == negative_at_a) ? a : b) = mid;
            }
        } else {
            // A repeated root (or roots that meet within the last bits): the
            // count to the last bits, where each of them ends.
            for (;;) {
                const double mid = middle(lo, hi);
                if (mid == lo || mid == hi) break;
                narrow(mid, count_below(chain, mid * mid));
            }
            root = hi;
        }
        omega[at - 1] = root;
    }
    // Bisection in separate brackets keeps the order except where two roots
    // meet in the last bit.
    std::sort(omega.begin(), omega.end());
    return omega;
}

}  // namespace vibsim::modes
