// Mode shapes by inverse iteration (J. H. Wilkinson, "The Algebraic
// Eigenvalue Problem", 1965, ch. 9; as in LAPACK's dstein): for each natural
// frequency, x <- (K - sigma M)^-1 M x at a shift sigma just above
// omega_k^2, with the inverse from the library's LU inverse. Shapes of a
// cluster of close or repeated roots are M-orthogonalised against the
// cluster's earlier shapes at every iteration (modified Gram-Schmidt in the
// M inner product), so that a repeated root gets independent shapes.
#include "modes/frequencies.hpp"
#include "modes/scaled_inverse.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vibsim::modes {

namespace {

// The shift's distance above omega_k^2, relative to omega_k^2 (or, for a
// root of 0, to the smallest positive one); each iteration shrinks the other
// shapes' share by at least this over their roots' relative distance.
constexpr double shift_offset = 1e-12;
constexpr int iterations = 4;
// Roots closer than this, relative to the largest, form a cluster.
constexpr double cluster_width = 1e-3;

double m_product(const Chain& chain, const double* x, const double* y)
{
    double sum = 0.0;
    for (int i = 0; i < chain.n; ++i) sum += x[i] * chain.mass[static_cast<std::size_t>(i)] * y[i];
    return sum;
}

// The dense n x n K - sigma M.
std::vector<double> shifted_matrix(const Chain& chain, double sigma)
{
    const auto n = static_cast<std::size_t>(chain.n);
    std::vector<double> a(n * n, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        a[i * n + i] = (chain.stiffness[i] + chain.stiffness[i + 1]) - sigma * chain.mass[i];
        if (i + 1 < n) {
            a[i * n + i + 1] = -chain.stiffness[i + 1];
            a[(i + 1) * n + i] = -chain.stiffness[i + 1];
        }
    }
    return a;
}

// (K - sigma M)^-1 for a shift just above lambda; the shift moves further
// up while the matrix is singular in doubles (the shift on an eigenvalue).
// `reference` is lambda, or for lambda = 0 the smallest positive eigenvalue
// (1 when there is none: then K = 0 and any shift serves).
std::vector<double> shifted_inverse(const Chain& chain, double lambda, double reference)
{
    double offset = shift_offset * reference;
    for (int tries = 0; tries < 32; ++tries, offset *= 16.0) {
        std::vector<double> a = shifted_matrix(chain, lambda + offset);
        if (scaled_inverse(chain.n, a)) return a;
    }
    // Not reached for a checked chain: a shift a few powers of 16 above an
    // eigenvalue is not one.
    return {};
}

// A start vector with no preferred direction, different for each mode, the
// same on every platform (the minimal standard generator).
void start_vector(int k, std::span<double> x)
{
    std::uint32_t state = 48271u * static_cast<std::uint32_t>(k + 1);
    for (double& value : x) {
        state = static_cast<std::uint32_t>(static_cast<std::uint64_t>(state) * 48271u % 2147483647u);
        value = static_cast<double>(state) / 2147483647.0 - 0.5;
    }
}

// Largest |x_i| 1, and the first component above shape_sign_floor positive.
void scale_shape(std::span<double> x)
{
    double largest = 0.0;
    for (const double value : x) largest = std::max(largest, std::fabs(value));
    if (!(largest > 0.0)) return;
    double sign = 1.0;
    for (const double value : x) {
        if (std::fabs(value) > shape_sign_floor * largest) {
            sign = value < 0.0 ? -1.0 : 1.0;
            break;
        }
    }
    for (double& value : x) value = sign * (value / largest);
}

}  // namespace

Modes chain_modes(const Chain& chain)
{
    Modes modes;
    if (!sound_chain(chain)) return modes;
    modes.n = chain.n;
    modes.omega = natural_frequencies(chain);
    const int n = chain.n;
    const auto size = static_cast<std::size_t>(n);
    const double largest_lambda = modes.omega.back() * modes.omega.back();
    // The reference of the shift for roots of 0 (or below the doubles'
    // resolution of the largest): the smallest positive omega^2, or a share
    // of the largest, or 1 for a chain without springs.
    double smallest_positive = largest_lambda > 0.0 ? 0x1p-52 * largest_lambda : 1.0;
    for (const double omega : modes.omega)
        if (omega * omega > smallest_positive) {
            smallest_positive = omega * omega;
            break;
        }

    // Shapes normalised to x^T M x = 1 while they are made, k = 0 ... n-1.
    std::vector<double> unit(size * size, 0.0);
    std::vector<double> product(size);
    int cluster_start = 0;
    for (int k = 0; k < n; ++k) {
        const double lambda = modes.omega[static_cast<std::size_t>(k)] * modes.omega[static_cast<std::size_t>(k)];
        if (k > 0) {
            const double previous = modes.omega[static_cast<std::size_t>(k - 1)];
            if (lambda - previous * previous > cluster_width * largest_lambda) cluster_start = k;
        }
        double* const x = &unit[static_cast<std::size_t>(k) * size];
        const std::vector<double> inverse = shifted_inverse(chain, lambda, lambda > 0.0 ? lambda : smallest_positive);
        std::span<double> shape(x, size);
        start_vector(k, shape);
        for (int pass = 0; pass < iterations && !inverse.empty(); ++pass) {
            for (std::size_t i = 0; i < size; ++i) product[i] = chain.mass[i] * x[i];
            for (std::size_t i = 0; i < size; ++i) {
                double sum = 0.0;
                for (std::size_t j = 0; j < size; ++j) sum += inverse[i * size + j] * product[j];
                x[i] = sum;
            }
            // Twice, as one pass of Gram-Schmidt can leave a part of the size
            // of its rounding times the cancellation.
            for (int twice = 0; twice < 2; ++twice) {
                for (int j = cluster_start; j < k; ++j) {
                    const double* const y = &unit[static_cast<std::size_t>(j) * size];
                    const double along = m_product(chain, x, y);
                    for (std::size_t i = 0; i < size; ++i) x[i] -= along * y[i];
                }
            }
            const double norm = std::sqrt(m_product(chain, x, x));
            if (!(norm > 0.0) || !std::isfinite(norm)) {
                // The start lay in the cluster's earlier shapes: start afresh.
                start_vector(k + n * (pass + 1), shape);
                continue;
            }
            for (std::size_t i = 0; i < size; ++i) x[i] /= norm;
        }
    }
    modes.shapes = unit;
    for (int k = 1; k <= n; ++k)
        scale_shape(std::span<double>(modes.shapes).subspan(static_cast<std::size_t>(k - 1) * size, size));
    return modes;
}

}  // namespace vibsim::modes
