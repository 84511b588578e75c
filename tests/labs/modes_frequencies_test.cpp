// The chain's natural frequencies against solutions found another way: the
// uniform chain's closed form, a weakly coupled pair, a three-mass chain's
// cubic, extreme scales and chains split by springs of 0; and the checks of
// the constants a user types.
#include "modes/chain.hpp"
#include "modes/frequencies.hpp"
#include "modes/motion.hpp"
#include "modes/response.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace vibsim::modes {
namespace {

Chain chain_of(int n, std::vector<double> m, std::vector<double> k, std::vector<double> lambda = {0.0})
{
    Chain chain;
    const std::string fault = make_chain(n, m, lambda, k, chain);
    EXPECT_EQ(fault, "");
    return chain;
}

void expect_relative(double value, double expected, double tolerance)
{
    EXPECT_NEAR(value, expected, tolerance * std::fabs(expected)) << "expected " << expected;
}

TEST(ModesFrequencies, UniformChainsMatchTheClosedFormAtAnyScale)
{
    // {mass, spring}: ordinary, tiny masses on stiff springs, and the other way.
    const double scales[][2] = {{2.0, 3.0}, {1e-9, 1e9}, {1e9, 1e-9}};
    for (const auto& [m, k] : scales) {
        for (const int n : {1, 2, 5, 21}) {
            const Chain chain = chain_of(n, {m}, {k});
            ASSERT_TRUE(uniform(chain));
            const std::vector<double> omega = natural_frequencies(chain);
            ASSERT_EQ(omega.size(), static_cast<std::size_t>(n));
            for (int j = 1; j <= n; ++j) {
                const double closed = 2.0 * std::sqrt(k / m) * std::sin(j * std::numbers::pi / (2.0 * (n + 1)));
                expect_relative(omega[static_cast<std::size_t>(j - 1)], closed, 1e-12);
            }
        }
    }
}

TEST(ModesFrequencies, WeaklyCoupledPairGivesTwoDistinctRoots)
{
    // Two unit masses on unit springs joined by 1e-8: omega^2 = 1 and 1 + 2e-8.
    const std::vector<double> omega = natural_frequencies(chain_of(2, {1.0}, {1.0, 1e-8, 1.0}));
    ASSERT_EQ(omega.size(), 2u);
    expect_relative(omega[0], 1.0, 1e-14);
    expect_relative(omega[1], std::sqrt(1.0 + 2e-8), 1e-14);
    EXPECT_GT(omega[1] - omega[0], 0.9e-8);
}

TEST(ModesFrequencies, UnequalThreeMassChainSolvesItsCubic)
{
    const long double m1 = 1.0L, m2 = 2.5L, m3 = 0.5L;
    const long double k0 = 3.0L, k1 = 1.0L, k2 = 7.0L, k3 = 0.25L;
    // det(K - x M) = a3 x^3 + a2 x^2 + a1 x + a0 with d_i the diagonal of K.
    const long double d1 = k0 + k1, d2 = k1 + k2, d3 = k2 + k3;
    const long double a3 = -m1 * m2 * m3;
    const long double a2 = d1 * m2 * m3 + m1 * (m2 * d3 + m3 * d2);
    const long double a1 = -d1 * (m2 * d3 + m3 * d2) - m1 * (d2 * d3 - k2 * k2) + k1 * k1 * m3;
    const long double a0 = d1 * (d2 * d3 - k2 * k2) - k1 * k1 * d3;
    // x = t - b/3 turns x^3 + b x^2 + c x + d into t^3 + p t + q; its three
    // real roots by the trigonometric formula.
    const long double b = a2 / a3, c = a1 / a3, d = a0 / a3;
    const long double p = c - b * b / 3.0L, q = 2.0L * b * b * b / 27.0L - b * c / 3.0L + d;
    const long double angle = std::acos(3.0L * q / (2.0L * p) * std::sqrt(-3.0L / p)) / 3.0L;
    std::vector<double> expected;
    for (int r = 2; r >= 0; --r)  // ascending
        expected.push_back(static_cast<double>(std::sqrt(
            2.0L * std::sqrt(-p / 3.0L) * std::cos(angle - 2.0L * std::numbers::pi_v<long double> * r / 3.0L) -
            b / 3.0L)));
    const std::vector<double> omega = natural_frequencies(chain_of(
        3, {double(m1), double(m2), double(m3)}, {double(k0), double(k1), double(k2), double(k3)}));
    ASSERT_EQ(omega.size(), 3u);
    for (std::size_t j = 0; j < 3; ++j) expect_relative(omega[j], expected[j], 1e-12);
}

TEST(ModesFrequencies, SplitChainsGiveRepeatedAndZeroRoots)
{
    // Two equal halves held by the ends only: one root, twice, exactly.
    const std::vector<double> pair = natural_frequencies(chain_of(2, {2.0}, {8.0, 0.0, 8.0}));
    ASSERT_EQ(pair.size(), 2u);
    EXPECT_EQ(pair[0], pair[1]);
    expect_relative(pair[0], 2.0, 1e-15);
    // Three equal masses held by no end: a rigid motion (0) and 1, sqrt(3).
    const std::vector<double> free = natural_frequencies(chain_of(3, {1.0}, {0.0, 1.0, 1.0, 0.0}));
    ASSERT_EQ(free.size(), 3u);
    EXPECT_EQ(free[0], 0.0);
    expect_relative(free[1], 1.0, 1e-14);
    expect_relative(free[2], std::sqrt(3.0), 1e-14);
    // No springs at all: every mass is its own free piece.
    const std::vector<double> loose = natural_frequencies(chain_of(4, {1.0}, {0.0}));
    EXPECT_EQ(loose, std::vector<double>(4, 0.0));
    // Two free pairs of unit masses on unit springs: 0, 0, sqrt(2), sqrt(2).
    const std::vector<double> pairs = natural_frequencies(chain_of(4, {1.0}, {0.0, 1.0, 0.0, 1.0, 0.0}));
    ASSERT_EQ(pairs.size(), 4u);
    EXPECT_EQ(pairs[0], 0.0);
    EXPECT_EQ(pairs[1], 0.0);
    EXPECT_EQ(pairs[2], pairs[3]);
    expect_relative(pairs[3], std::sqrt(2.0), 1e-15);
}

TEST(ModesFrequencies, ConstantsAreExpandedAndCheckedWithTheFaultNamed)
{
    std::vector<double> values{9.0};
    EXPECT_EQ(expand_values(std::vector<double>{2.0}, 3, "m", values), "");
    EXPECT_EQ(values, std::vector<double>(3, 2.0));
    EXPECT_EQ(expand_values(std::vector<double>{1.0, 2.0, 3.0, 4.0}, 6, "k", values), "#k = 4: 1 or 6");
    EXPECT_EQ(values, std::vector<double>(3, 2.0));  // left as it was

    struct Case {
        int n;
        std::vector<double> m, lambda, k;
        const char* fault;
    };
    const double nan = std::nan("");
    const Case cases[] = {
        {0, {1}, {0}, {1}, "N = 0: 1 ≤ N ≤ 21"},
        {22, {1}, {0}, {1}, "N = 22: 1 ≤ N ≤ 21"},
        {2, {1, 0}, {0}, {1}, "m_2 = 0: 1e-100 ≤ m ≤ 1e+100"},
        {2, {1}, {0, nan}, {1}, "λ_2 = nan: 0 ≤ λ ≤ 1e+100"},
        {2, {1}, {0}, {INFINITY, 1, 1}, "k_0 = inf: k = 0 or 1e-100 ≤ k ≤ 1e+100"},
        {2, {1}, {0}, {1, 1e-300, 1}, "k_1 = 1e-300: k = 0 or 1e-100 ≤ k ≤ 1e+100"},
        {2, {1}, {-1}, {1}, "λ_1 = -1: 0 ≤ λ ≤ 1e+100"},
        {2, {1}, {0}, {1, 1}, "#k = 2: 1 or 3"},
        {2, {1}, {0}, {0, 0, 0}, ""},
    };
    for (const Case& c : cases) {
        Chain chain;
        EXPECT_EQ(make_chain(c.n, c.m, c.lambda, c.k, chain), c.fault);
        EXPECT_EQ(chain.n, c.fault[0] == '\0' ? c.n : 0);
    }
    Chain short_list{3, {1.0, 1.0}, {0.0, 0.0, 0.0}, {1.0, 1.0, 1.0, 1.0}};
    EXPECT_EQ(check_chain(short_list), "#m = 2: 3");
}

TEST(ModesFrequencies, UncheckedChainsGiveEmptyResultsNotCrashes)
{
    // Lists shorter than n, and a NaN mass: nothing is read past the lists.
    const Chain broken[] = {{3, {1.0, 1.0}, {0.0, 0.0, 0.0}, {1.0, 1.0, 1.0, 1.0}},
                            {2, {1.0, NAN}, {0.0, 0.0}, {1.0, 1.0, 1.0}}};
    for (const Chain& chain : broken) {
        EXPECT_TRUE(natural_frequencies(chain).empty());
        EXPECT_EQ(chain_modes(chain).n, 0);
        EXPECT_EQ(sturm_count(chain, 1.0), 0);
        std::vector<double> amplitudes(3, -1.0);
        EXPECT_FALSE(steady_amplitudes(chain, 1, 1.0, 0.5, amplitudes));
        Motion motion = make_motion(chain, 1.0);
        EXPECT_FALSE(start_strike(motion, 1));
        EXPECT_FALSE(start_typed(motion, {}, {}));
        advance_frame(motion);
        EXPECT_TRUE(motion.state.empty());
    }
}

}  // namespace
}  // namespace vibsim::modes
