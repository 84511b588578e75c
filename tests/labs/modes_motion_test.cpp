// The chain's motion: a mode started alone stays alone, energy is kept
// without damping and shared out exactly among the modes, stiff or heavily
// damped chains get shorter steps instead of blowing up, and the starting
// shapes are what they say.
#include "modes/chain.hpp"
#include "modes/frequencies.hpp"
#include "modes/motion.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <vector>

namespace vibsim::modes {
namespace {

Chain chain_of(int n, std::vector<double> m, std::vector<double> k, std::vector<double> lambda = {0.0})
{
    Chain chain;
    EXPECT_EQ(make_chain(n, m, lambda, k, chain), "");
    return chain;
}

constexpr int frames_in_20_s = 500;

TEST(ModesMotion, SingleModeStaysSingle)
{
    const Chain chains[] = {chain_of(5, {1.0}, {1.0}), chain_of(4, {1.0, 3.0, 0.5, 2.0}, {2.0, 1.0, 5.0, 0.5, 3.0})};
    for (const Chain& chain : chains) {
        const Modes modes = chain_modes(chain);
        for (int k = 1; k <= chain.n; ++k) {
            Motion motion = make_motion(chain, modes.omega.back());
            ASSERT_TRUE(start_mode(motion, modes, k, 2.0));
            double stray = 0.0;
            for (int frame = 0; frame < frames_in_20_s; ++frame) {
                advance_frame(motion);
                const std::vector<double> q = modal_coordinates(chain, modes, std::span(motion.state).first(chain.n));
                for (int j = 1; j <= chain.n; ++j)
                    if (j != k) stray = std::max(stray, std::fabs(q[j - 1]));
            }
            EXPECT_LE(stray, 1e-6 * 2.0) << "N = " << chain.n << ", mode " << k;
            EXPECT_NEAR(motion.time, 20.0, 1e-9);
        }
    }
}

TEST(ModesMotion, EnergyIsKeptAndSharedAmongTheModes)
{
    const Chain chain = chain_of(5, {1.0}, {1.0});
    const Modes modes = chain_modes(chain);
    Motion motion = make_motion(chain, modes.omega.back());
    EXPECT_FALSE(motion.step_reduced);
    ASSERT_TRUE(start_mode(motion, modes, 1));
    const double start = total_energy(chain, motion.state);
    EXPECT_NEAR(start, 0.5 * modes.omega[0] * modes.omega[0] * 3.0 * 1.0, 1e-12);  // sum phi_i^2 = 3 for N = 5
    double drift = 0.0;
    for (int frame = 0; frame < frames_in_20_s; ++frame) {
        advance_frame(motion);
        drift = std::max(drift, std::fabs(total_energy(chain, motion.state) - start));
    }
    EXPECT_LT(drift, 1e-6 * start);

    // A pluck moves every odd mode; the modes' energies add up to the total.
    ASSERT_TRUE(start_pluck(motion, 2));
    for (int frame = 0; frame < 37; ++frame) advance_frame(motion);
    const std::vector<double> shares = modal_energies(chain, modes, motion.state);
    EXPECT_NEAR(std::accumulate(shares.begin(), shares.end(), 0.0), total_energy(chain, motion.state), 1e-12);
}

TEST(ModesMotion, StiffOrHeavilyDampedChainsTakeShorterSteps)
{
    // omega_N near 200 rad/s; then a damper of 1000 N/(m/s) on 1 kg.
    const Chain stiff = chain_of(5, {1.0}, {1e4});
    const Chain damped = chain_of(3, {1.0}, {1.0}, {1000.0});
    for (const Chain& chain : {stiff, damped}) {
        const Modes modes = chain_modes(chain);
        Motion motion = make_motion(chain, modes.omega.back());
        EXPECT_TRUE(motion.step_reduced);
        const double rate = modes.omega.back() + chain.damping[0] / chain.mass[0];
        EXPECT_DOUBLE_EQ(motion.step, 0.5 / rate);
        ASSERT_TRUE(start_strike(motion, 2, 3.0));
        const double start = total_energy(chain, motion.state);
        for (int frame = 0; frame < 1000; ++frame) advance_frame(motion);
        EXPECT_LE(total_energy(chain, motion.state), start * (1.0 + 1e-6));
    }
}

TEST(ModesMotion, StartingShapes)
{
    const Chain chain = chain_of(5, {1.0}, {1.0});
    const Modes modes = chain_modes(chain);
    Motion motion = make_motion(chain, modes.omega.back());
    advance_frame(motion);
    ASSERT_TRUE(start_pluck(motion, 2, 2.0));
    EXPECT_EQ(motion.time, 0.0);
    EXPECT_EQ(motion.state, (std::vector<double>{1.0, 2.0, 1.5, 1.0, 0.5, 0, 0, 0, 0, 0}));
    ASSERT_TRUE(start_strike(motion, 5, -1.0));
    EXPECT_EQ(motion.state, (std::vector<double>{0, 0, 0, 0, 0, 0, 0, 0, 0, -1.0}));
    // Refused: no mass 6, no mode 0, lists of the wrong length or not finite.
    const std::vector<double> four(4, 1.0), five(5, 1.0), not_finite{1, 1, NAN, 1, 1};
    EXPECT_FALSE(start_pluck(motion, 6));
    EXPECT_FALSE(start_strike(motion, 0));
    EXPECT_FALSE(start_mode(motion, modes, 0));
    EXPECT_FALSE(start_typed(motion, four, five));
    EXPECT_FALSE(start_typed(motion, five, not_finite));
    EXPECT_EQ(motion.state, (std::vector<double>{0, 0, 0, 0, 0, 0, 0, 0, 0, -1.0}));
    ASSERT_TRUE(start_typed(motion, five, five));
    EXPECT_EQ(motion.state, std::vector<double>(10, 1.0));
}

}  // namespace
}  // namespace vibsim::modes
