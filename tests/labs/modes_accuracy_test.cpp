// How exact the natural frequencies are at spreads of the constants, against
// the roots of the same chains solved to 80 digits: each error lies within
// the uncertainty the lab states, chains that are exact are not called
// uncertain, and a root that rounding hides is named.
#include "modes/accuracy.hpp"
#include "modes/chain.hpp"
#include "modes/frequencies.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace vibsim::modes {
namespace {

Chain chain_of(std::vector<double> m, std::vector<double> k)
{
    Chain chain;
    const std::vector<double> lambda = {0.0};
    EXPECT_EQ(make_chain(static_cast<int>(m.size()), m, lambda, k, chain), "");
    return chain;
}

struct Case {
    const char* name;
    Chain chain;
    std::vector<double> exact;  // the lowest roots, to 17 digits
    double most;                // the uncertainty of omega_1 is at most this
};

TEST(ModesAccuracy, EachRootIsWithinItsStatedUncertainty)
{
    const std::vector<double> ones(5, 1.0);
    std::vector<double> graded, alternating;
    for (int i = 0; i <= 21; ++i) {
        graded.push_back(std::ldexp(1.0, -30 + 3 * i));            // 1e-9 ... 9e9
        alternating.push_back(std::ldexp(1.0, i % 2 ? -20 : 20));  // 1e-6, 1e6, ...
    }
    const Case cases[] = {
        // End springs far softer than the rest: the whole chain moves nearly
        // as one, and omega_1 is what is left of the cancelling springs.
        {"end springs 1e-10", chain_of(ones, {1e-10, 1, 1, 1, 1, 1e-10}), {6.3245553202102677e-6, 0.61803398880843587}, 1e-5},
        {"end springs 1e-12", chain_of(ones, {1e-12, 1, 1, 1, 1, 1e-12}), {6.3245553203354937e-7, 0.61803398875048026}, 1e-3},
        {"end springs 1e-14", chain_of(ones, {1e-14, 1, 1, 1, 1, 1e-14}), {6.324555320336746e-8, 0.6180339887499007}, 0.05},
        {"a stiff middle spring", chain_of(ones, {1, 1, 1e12, 1, 1, 1}), {0.52359300852296479, 1.1136762676027629}, 1e-3},
        // Springs spread evenly over 19 orders: every root to the last bits.
        {"graded 1e-9 ... 9e9", chain_of(std::vector<double>(21, 1.0), graded),
         {8.5544347364059511e-5, 0.0002441400088753419, 0.0006905339659957044}, 1e-15},
        {"alternating 1e-6, 1e6", chain_of(std::vector<double>(21, 1.0), alternating),
         {0.0001965464593876209, 0.00038909179965530467, 0.00057371635293011948}, 0.01},
    };
    for (const Case& c : cases) {
        const Modes modes = chain_modes(c.chain);
        const std::vector<double> u = frequency_uncertainties(c.chain, modes);
        ASSERT_EQ(u.size(), static_cast<std::size_t>(c.chain.n)) << c.name;
        for (std::size_t k = 0; k < c.exact.size(); ++k) {
            const double error = std::fabs(modes.omega[k] - c.exact[k]) / c.exact[k];
            EXPECT_LE(error, u[k]) << c.name << ", mode " << k + 1;
        }
        EXPECT_LE(u[0], c.most) << c.name;
        EXPECT_EQ(lost_frequency(c.chain, modes), "") << c.name;
    }
}

TEST(ModesAccuracy, ARootThatRoundingHidesIsNamedWithItsSize)
{
    // omega_1 = 6.3245553e-11, which the bisection gives as the least double.
    const Chain ends = chain_of(std::vector<double>(5, 1.0), {1e-20, 1, 1, 1, 1, 1e-20});
    const Modes modes = chain_modes(ends);
    EXPECT_GE(frequency_uncertainties(ends, modes)[0], most_uncertainty);
    EXPECT_EQ(lost_frequency(ends, modes).rfind("ω_1 ≈ 6.3e-11 ± ", 0), 0u) << lost_frequency(ends, modes);

    // Springs of 1e-9 and 1e9 in turn: the soft ones are lost in the stiff
    // ones' sums.
    std::vector<double> alternating;
    for (int i = 0; i <= 21; ++i) alternating.push_back(i % 2 ? 1e-9 : 1e9);
    const Chain chain = chain_of(std::vector<double>(21, 1.0), alternating);
    EXPECT_NE(lost_frequency(chain, chain_modes(chain)), "");

    // The roots of 0 of a free piece are exact: mass 2 held by no spring.
    const Chain free = chain_of({1, 1, 1}, {1, 0, 0, 1});
    const Modes free_modes = chain_modes(free);
    ASSERT_EQ(free_modes.omega[0], 0.0);
    EXPECT_EQ(frequency_uncertainties(free, free_modes)[0], 0.0);
    EXPECT_EQ(lost_frequency(free, free_modes), "");
}

}  // namespace
}  // namespace vibsim::modes
