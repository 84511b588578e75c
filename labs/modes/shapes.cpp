// Mode shapes by inverse iteration (J. H. Wilkinson, "The Algebraic
// Eigenvalue Problem", 1965, ch. 9; as in LAPACK's dstein): for each natural
// frequency, x <- (K - sigma M)^-1 M x at a shift sigma just above
// omega_k^2, with the inverse from the library's LU inverse. Shapes of a
// cluster of close or repeated roots are M-orthogonalised against the
// cluster's earlier shapes at every iteration (modified Gram-Schmidt in the
// M inner product), so that a repeated root gets independent shapes.
//
// A chain that springs of 0 split into pieces is solved piece by piece,
// each shape living on its piece (its roots may lie as close as they like to
// another piece's); and each piece is first scaled by powers of 2 to its
// largest mass and spring in [1, 2), so that the iteration's products stay within
// the doubles' range whatever the scale of the constants.
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

// Largest |x_i| 1, the first component above shape_sign_floor positive, and
// the components below shape_node_floor, the iteration's rounding, 0.
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
    for (double& value : x) {
        value = sign * (value / largest);
        if (std::fabs(value) < shape_node_floor) value = 0.0;
    }
}

// 2^(1 - e) for e the exponent of the largest value (frexp's), or 1 when
// all are 0: times it, the largest value is in [1, 2) (a chain of ones is
// left as it is).
double power_of_two_scale(const std::vector<double>& values)
{
    double largest = 0.0;
    for (const double x : values) largest = std::max(largest, x);
    if (!(largest > 0.0)) return 1.0;
    int exponent = 0;
    std::frexp(largest, &exponent);
    return std::ldexp(1.0, 1 - exponent);
}

// The shapes of a chain that no spring of 0 splits, normalised to
// phi^T M phi = 1 (before scale_shape), for its roots omega (squared:
// `lambdas`), each shape's n components in turn.
std::vector<double> connected_shapes(const Chain& chain, const std::vector<double>& lambdas)
{
    const int n = chain.n;
    const auto size = static_cast<std::size_t>(n);
    const double largest_lambda = lambdas.back();
    // The reference of the shift for roots of 0 (or below the doubles'
    // resolution of the largest): the smallest positive omega^2, or a share
    // of the largest, or 1 for a chain without springs.
    double smallest_positive = largest_lambda > 0.0 ? 0x1p-52 * largest_lambda : 1.0;
    for (const double lambda : lambdas)
        if (lambda > smallest_positive) {
            smallest_positive = lambda;
            break;
        }

    // Shapes normalised to x^T M x = 1 while they are made, k = 0 ... n-1.
    std::vector<double> unit(size * size, 0.0);
    std::vector<double> product(size);
    int cluster_start = 0;
    for (int k = 0; k < n; ++k) {
        const double lambda = lambdas[static_cast<std::size_t>(k)];
        if (k > 0 && lambda - lambdas[static_cast<std::size_t>(k - 1)] > cluster_width * largest_lambda)
            cluster_start = k;
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
    return unit;
}

}  // namespace

Modes chain_modes(const Chain& chain)
{
    Modes modes;
    if (!sound_chain(chain)) return modes;
    const int n = chain.n;
    const auto size = static_cast<std::size_t>(n);
    modes.n = n;
    modes.omega.reserve(size);
    modes.shapes.assign(size * size, 0.0);
    // Each piece's roots and shapes, the shapes spread over the whole chain,
    // then all of them in the order of their roots (a piece's before a later
    // piece's where they are equal).
    struct Found {
        double omega;
        int piece;
        std::vector<double> shape;
    };
    std::vector<Found> found;
    int piece = 0;
    for (int first = 0; first < n; ++piece) {
        int last = first;
        while (last + 1 < n && chain.stiffness[static_cast<std::size_t>(last + 1)] != 0.0) ++last;
        const auto from = static_cast<std::ptrdiff_t>(first);
        const auto to = static_cast<std::ptrdiff_t>(last + 1);
        Chain part;
        part.n = last - first + 1;
        part.mass.assign(chain.mass.begin() + from, chain.mass.begin() + to);
        part.damping.assign(chain.damping.begin() + from, chain.damping.begin() + to);
        part.stiffness.assign(chain.stiffness.begin() + from, chain.stiffness.begin() + to + 1);
        const std::vector<double> omega = natural_frequencies(part);
        // The piece scaled: lambda' = lambda * mass_scale / spring_scale
        // (all powers of 2, exact).
        const double mass_scale = power_of_two_scale(part.mass);
        const double spring_scale = power_of_two_scale(part.stiffness);
        Chain scaled = part;
        for (double& m : scaled.mass) m *= mass_scale;
        for (double& k : scaled.stiffness) k *= spring_scale;
        std::vector<double> lambdas;
        for (const double w : omega) lambdas.push_back(w * w / mass_scale * spring_scale);
        const std::vector<double> unit = connected_shapes(scaled, lambdas);
        const auto part_size = static_cast<std::size_t>(part.n);
        for (std::size_t k = 0; k < part_size; ++k) {
            std::vector<double> shape(size, 0.0);
            std::copy(unit.begin() + static_cast<std::ptrdiff_t>(k * part_size),
                      unit.begin() + static_cast<std::ptrdiff_t>((k + 1) * part_size), shape.begin() + from);
            found.push_back({omega[k], piece, std::move(shape)});
        }
        first = last + 1;
    }
    std::stable_sort(found.begin(), found.end(), [](const Found& a, const Found& b) { return a.omega < b.omega; });
    for (std::size_t k = 0; k < size; ++k) {
        modes.omega.push_back(found[k].omega);
        std::copy(found[k].shape.begin(), found[k].shape.end(), modes.shapes.begin() + static_cast<std::ptrdiff_t>(k * size));
        scale_shape(std::span<double>(modes.shapes).subspan(k * size, size));
    }
    return modes;
}


}  // namespace vibsim::modes
