// Mode shapes of chains ordinary and awkward: each solves its equation to a
// small residual, the shapes are M-orthogonal (also for close and repeated
// roots), and each is scaled and signed by the documented rule.
#include "modes/chain.hpp"
#include "modes/frequencies.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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

}  // namespace
}  // namespace vibsim::modes
