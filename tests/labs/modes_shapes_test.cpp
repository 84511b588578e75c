// Mode shapes of chains ordinary and awkward: each solves its equation to a
// small residual, the shapes are M-orthogonal (also for close and repeated
// roots), and each is scaled and signed by the documented rule.
#include "modes/chain.hpp"
#include "modes/frequencies.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

namespace vibsim::modes {
namespace {

struct Named {
    const char* name;
    int n;
    std::vector<double> m, k;
};

// The largest row sum of |K|.
double stiffness_norm(const Chain& chain)
{
    double norm = 0.0;
    for (int i = 0; i < chain.n; ++i)
        norm = std::max(norm, 2.0 * (chain.stiffness[i] + chain.stiffness[i + 1]));
    return norm;
}

double largest(const std::vector<double>& x)
{
    double value = 0.0;
    for (const double v : x) value = std::max(value, std::fabs(v));
    return value;
}

TEST(ModesShapes, SolveTheirEquationsAndAreMOrthogonal)
{
    const Named chains[] = {
        {"uniform 21", 21, {1.0}, {1.0}},
        {"unequal 7", 7, {1, 3, 0.5, 2, 7, 1, 0.25}, {2, 1, 5, 0.5, 3, 1, 4, 2}},
        {"tiny masses, stiff springs", 5, {1e-9}, {1e9}},
        {"heavy masses, soft springs", 5, {1e9}, {1e-9}},
        {"weakly coupled pair", 2, {1.0}, {1.0, 1e-8, 1.0}},
        {"split into equal halves", 2, {2.0}, {8.0, 0.0, 8.0}},
        {"two free pairs", 4, {1.0}, {0.0, 1.0, 0.0, 1.0, 0.0}},
        {"no springs at all", 3, {1.0, 2.0, 3.0}, {0.0}},
        {"a root below the resolution of the largest", 3, {2e6, 0.8, 9e-6}, {1e-4, 5e-9, 2e8, 2e-9}},
    };
    for (const Named& c : chains) {
        SCOPED_TRACE(c.name);
        Chain chain;
        ASSERT_EQ(make_chain(c.n, c.m, std::vector<double>{0.0}, c.k, chain), "");
        const Modes modes = chain_modes(chain);
        ASSERT_EQ(modes.shapes.size(), static_cast<std::size_t>(c.n * c.n));
        const double k_norm = stiffness_norm(chain);
        std::vector<std::vector<double>> unit;  // each with phi^T M phi = 1
        for (int k = 1; k <= c.n; ++k) {
            const std::vector<double> phi(modes.shape(k).begin(), modes.shape(k).end());
            EXPECT_EQ(largest(phi), 1.0) << "mode " << k;
            const auto first = std::find_if(phi.begin(), phi.end(), [](double x) { return std::fabs(x) > 1e-9; });
            EXPECT_GT(*first, 0.0) << "mode " << k;
            // ||(K - omega^2 M) phi|| in the largest component.
            const double lambda = modes.omega[k - 1] * modes.omega[k - 1];
            std::vector<double> residual(c.n), scaled(phi);
            double mass_norm = 0.0;
            for (int i = 0; i < c.n; ++i) {
                const double left = i > 0 ? phi[i - 1] : 0.0, right = i + 1 < c.n ? phi[i + 1] : 0.0;
                residual[i] = chain.stiffness[i] * (phi[i] - left) + chain.stiffness[i + 1] * (phi[i] - right) -
                              lambda * chain.mass[i] * phi[i];
                mass_norm += phi[i] * chain.mass[i] * phi[i];
            }
            EXPECT_LE(largest(residual), 1e-10 * k_norm * largest(phi)) << "mode " << k;
            for (double& x : scaled) x /= std::sqrt(mass_norm);
            unit.push_back(scaled);
        }
        for (int a = 0; a < c.n; ++a)
            for (int b = 0; b < a; ++b) {
                double product = 0.0;
                for (int i = 0; i < c.n; ++i) product += unit[a][i] * chain.mass[i] * unit[b][i];
                EXPECT_LE(std::fabs(product), 1e-9) << "modes " << a + 1 << ", " << b + 1;
            }
    }
}

// Uniform chains at the edges of the accepted scales have the uniform
// chain's shapes, sin(i k pi / (N + 1)) up to the scaling, not start vectors
// or mixtures of modes.
TEST(ModesShapes, UniformChainsAtAnyScaleHaveTheSineShapes)
{
    const Named chains[] = {
        {"heavy", 4, {1e96}, {1.0}},          {"heavy and soft", 4, {1e60}, {1e-60}},
        {"light and stiff", 4, {1e-70}, {1e70}}, {"21 at 1e100 and 1e-100", 21, {1e100}, {1e-100}},
        {"21 at 1e-100 and 1e100", 21, {1e-100}, {1e100}},
    };
    for (const Named& c : chains) {
        SCOPED_TRACE(c.name);
        Chain chain;
        ASSERT_EQ(make_chain(c.n, c.m, std::vector<double>{0.0}, c.k, chain), "");
        const Modes modes = chain_modes(chain);
        for (int k = 1; k <= c.n; ++k) {
            std::vector<double> sine(static_cast<std::size_t>(c.n));
            for (int i = 1; i <= c.n; ++i) sine[i - 1] = std::sin(i * k * std::acos(-1.0) / (c.n + 1));
            const double top = largest(sine);
            const double sign = sine[0] > 0.0 ? 1.0 : -1.0;
            for (int i = 0; i < c.n; ++i)
                EXPECT_NEAR(modes.shape(k)[i], sign * sine[i] / top, 1e-9) << "mode " << k << ", mass " << i + 1;
        }
    }
}

// A chain split by springs of 0 is solved piece by piece: each shape lives
// on one piece, even where the pieces' roots are 8e-13 apart, repeated or
// zero.
TEST(ModesShapes, EachShapeOfASplitChainLivesOnItsPiece)
{
    const Named chains[] = {
        {"nearly equal pieces", 6, {1, 2, 1, 1, 2, 1.00000000001}, {1, 1, 1, 0, 1, 1, 1}},
        {"pieces 1e-10 apart", 6, {1, 2, 1, 1, 2, 1.0000000001}, {1, 1, 1, 0, 1, 1, 1}},
        {"equal pieces", 6, {1, 2, 1, 1, 2, 1}, {1, 1, 1, 0, 1, 1, 1}},
        {"free pieces", 5, {1, 2, 1, 3, 1}, {0, 1, 0, 2, 1, 0}},
    };
    for (const Named& c : chains) {
        SCOPED_TRACE(c.name);
        Chain chain;
        ASSERT_EQ(make_chain(c.n, c.m, std::vector<double>{0.0}, c.k, chain), "");
        const Modes modes = chain_modes(chain);
        for (int k = 1; k <= c.n; ++k) {
            // The piece of the shape's largest component, and nothing outside it.
            const std::span<const double> phi = modes.shape(k);
            int at = 0;
            for (int i = 0; i < c.n; ++i)
                if (std::fabs(phi[i]) > std::fabs(phi[at])) at = i;
            int first = at, last = at;
            while (first > 0 && c.k[first] != 0.0) --first;
            while (last + 1 < c.n && c.k[last + 1] != 0.0) ++last;
            for (int i = 0; i < c.n; ++i) {
                if (i < first || i > last) {
                    EXPECT_EQ(phi[i], 0.0) << "mode " << k << ", mass " << i + 1;
                }
            }
        }
    }
}

// The nodes of the uniform chain's shapes (mass 2 of 3 in mode 2, masses
// 2 and 4 of 5 in mode 3, ...) are exactly 0, not the iteration's rounding.
TEST(ModesShapes, NodesAreZero)
{
    for (const int n : {3, 5, 7, 11}) {
        Chain chain;
        ASSERT_EQ(make_chain(n, std::vector{1.0}, std::vector{0.0}, std::vector{1.0}, chain), "");
        const Modes modes = chain_modes(chain);
        for (int k = 1; k <= n; ++k)
            for (int i = 1; i <= n; ++i) {
                if ((i * k) % (n + 1) == 0) {
                    EXPECT_EQ(modes.shape(k)[i - 1], 0.0) << "N = " << n << ", mode " << k << ", mass " << i;
                }
            }
    }
}

}  // namespace
}  // namespace vibsim::modes
