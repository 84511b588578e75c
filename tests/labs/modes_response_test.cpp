// The forced response: the LU amplitudes against a single oscillator's
// formula at any scale and against the steady state of a time run; singular
// lines left empty; and the two tables' shape.
#include "modes/chain.hpp"
#include "modes/frequencies.hpp"
#include "modes/modes_csv.hpp"
#include "modes/motion.hpp"
#include "modes/response.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace vibsim::modes {
namespace {

Chain chain_of(int n, std::vector<double> m, std::vector<double> k, std::vector<double> lambda = {0.0})
{
    Chain chain;
    EXPECT_EQ(make_chain(n, m, lambda, k, chain), "");
    return chain;
}

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator)) parts.push_back(part);
    if (!text.empty() && text.back() == separator && separator == ',') parts.push_back("");
    return parts;
}

TEST(ModesResponse, OneMassMatchesItsFormulaAtAnyScale)
{
    // {m, lambda, K} with springs K/2 on either side (K in all).
    const double cases[][3] = {{1.0, 0.3, 4.0}, {1e-9, 1e-4, 1e9}, {1e9, 1e5, 1e-9}};
    for (const auto& [m, lambda, K] : cases) {
        const Chain chain = chain_of(1, {m}, {K / 2}, {lambda});
        const double omega0 = std::sqrt(K / m);
        for (const double omega : {0.0, 0.5 * omega0, omega0, 1.5 * omega0}) {
            double amplitude = -1.0;
            ASSERT_TRUE(steady_amplitudes(chain, 1, 2.0, omega, std::span(&amplitude, 1)));
            const double expected = 2.0 / std::abs(std::complex<double>(K - m * omega * omega, lambda * omega));
            EXPECT_NEAR(amplitude, expected, 1e-12 * expected) << m << " " << omega;
        }
    }
}

TEST(ModesResponse, TimeRunSettlesOnTheSteadyAmplitudes)
{
    const Chain chain = chain_of(3, {1.0, 2.0, 1.0}, {1.0, 2.0, 1.0, 1.0}, {0.5, 0.2, 0.5});
    const double omega = std::numbers::pi / 2;  // a period of 4 s, 100 frames
    std::vector<double> expected(3);
    ASSERT_TRUE(steady_amplitudes(chain, 2, 1.5, omega, expected));
    Motion motion = make_motion(chain, natural_frequencies(chain).back());
    motion.force = {true, 2, 1.5, omega};
    ASSERT_TRUE(start_strike(motion, 1, 1.0));
    for (int frame = 0; frame < 2500; ++frame) advance_frame(motion);  // 100 s: the transient is gone
    // Over two whole periods, y_i = a cos + b sin with a, b from sums of
    // equally spaced samples, which are exact for these harmonics.
    std::vector<double> a(3, 0.0), b(3, 0.0);
    constexpr int samples = 200;
    for (int frame = 0; frame < samples; ++frame) {
        advance_frame(motion);
        for (int i = 0; i < 3; ++i) {
            a[i] += 2.0 / samples * motion.state[i] * std::cos(omega * motion.time);
            b[i] += 2.0 / samples * motion.state[i] * std::sin(omega * motion.time);
        }
    }
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(std::hypot(a[i], b[i]), expected[i], 1e-3 * expected[i]) << i;
}

TEST(ModesResponse, SingularLinesAreEmpty)
{
    // Undamped, split in the middle: omega_1 = 0.75 exactly, omega_2 = 1, so
    // line 1000 of the grid (0.75) lies on a natural frequency.
    const Chain chain = chain_of(2, {1.0}, {0.5625, 0.0, 1.0});
    const Modes modes = chain_modes(chain);
    ASSERT_EQ(modes.omega, (std::vector<double>{0.75, 1.0}));
    ASSERT_EQ(response_frequency(modes.omega.back(), 1000), 0.75);
    std::vector<double> amplitudes{-1.0, -1.0};
    EXPECT_FALSE(steady_amplitudes(chain, 1, 1.0, 0.75, amplitudes));
    EXPECT_EQ(amplitudes, (std::vector<double>{-1.0, -1.0}));
    const std::vector<std::string> lines = split(response_csv(chain, modes, 1, 1.0), '\n');
    ASSERT_EQ(lines.size(), 1u + response_lines);
    EXPECT_EQ(lines[0], "omega,amp_1,amp_2");
    EXPECT_EQ(lines[1001], "0.75,,");
    EXPECT_EQ(lines[1], "0,1.7777777777777777,0");  // at rest: F / k_0 on mass 1, none on the other half
    EXPECT_EQ(lines.back(), "1.5,0.59259259259259256,0");  // |1 / (0.5625 - 2.25)|
    // sqrt(3) in doubles squares to just below 3, a root of the uniform pair:
    // within rounding of a natural frequency counts as on it.
    EXPECT_FALSE(steady_amplitudes(chain_of(2, {1.0}, {1.0}), 1, 1.0, std::sqrt(3.0), amplitudes));
    // A free piece has no steady value at omega = 0 either.
    EXPECT_FALSE(steady_amplitudes(chain_of(2, {1.0}, {0.0, 1.0, 0.0}), 1, 1.0, 0.0, amplitudes));
}

TEST(ModesResponse, ModesTableHasItsHeaderAndOneLinePerMode)
{
    const Chain uniform_chain = chain_of(3, {1.0}, {1.0});
    const Chain unequal = chain_of(3, {1.0, 2.0, 1.0}, {1.0});
    for (const Chain* each : {&uniform_chain, &unequal}) {
        const Chain& chain = *each;
        const Modes modes = chain_modes(chain);
        const std::string text = modes_csv(chain, modes);
        ASSERT_EQ(text.back(), '\n');
        const std::vector<std::string> lines = split(text, '\n');
        ASSERT_EQ(lines.size(), 4u);
        EXPECT_EQ(lines[0], "k,omega,omega_uniform,omega_string,phi_1,phi_2,phi_3");
        for (int k = 1; k <= 3; ++k) {
            const std::vector<std::string> fields = split(lines[k], ',');
            ASSERT_EQ(fields.size(), 7u);
            EXPECT_EQ(fields[0], std::to_string(k));
            EXPECT_EQ(std::stod(fields[1]), modes.omega[k - 1]);  // read back to the bit
            EXPECT_EQ(std::stod(fields[4]), modes.shape(k)[0]);
            if (each == &unequal) {
                // The symmetric chain's second mode has its node on mass 2.
                if (k == 2) {
                    EXPECT_EQ(fields[5], "0");
                }
                EXPECT_EQ(fields[2], "");
                EXPECT_EQ(fields[3], "");
            } else {
                EXPECT_EQ(std::stod(fields[2]), uniform_frequency(chain, k));
                EXPECT_EQ(std::stod(fields[3]), k * std::numbers::pi / 4.0);
            }
        }
    }
}

}  // namespace
}  // namespace vibsim::modes
