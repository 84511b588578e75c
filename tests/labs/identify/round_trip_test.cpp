// From the simulator's motion to its constants and back: the motion written
// as the simulator's trace (t,y,v a frame of four steps), identified with
// the mass, gives the spring and the damper it was computed with, and the
// link to the simulator carries them.
#include "identify/identification.hpp"

#include <vibsim/runge_kutta_gill.hpp>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>

namespace {

using namespace vibsim::identify;

// The trace of m = 1, lambda = 0.3, K = 9 from y0 = 1 for 12 s: the state at
// t = 0, then after each frame of four steps of 0.01 s, time added up as the
// simulator adds it.
std::string simulator_trace()
{
    const double m = 1.0;
    const double lambda = 0.3;
    const double k = 9.0;
    auto rhs = [&](int index, double, const double* y) { return index == 0 ? y[1] : -(lambda * y[1] + k * y[0]) / m; };
    std::array<double, 2> state = {1.0, 0.0};
    double time = 0.0;
    std::string text = "t,y,v\n";
    char line[96];
    for (int frame = 0; frame <= 300; ++frame) {
        std::snprintf(line, sizeof line, "%.17g,%.17g,%.17g\n", time, state[0], state[1]);
        text += line;
        for (int step = 0; step < 4; ++step) {
            const std::array<double, 2> input = state;
            vibsim::runge_kutta_gill(time, 0.01, input.data(), state.data(), 2, rhs);
            time = time + 0.01;
        }
    }
    return text;
}

TEST(RoundTrip, SimulatorTraceGivesItsConstantsBack)
{
    const RecordReading reading =
        parse_record(simulator_trace(), "trace.csv", ColumnChoice{0, "t"}, ColumnChoice{0, "y"});
    ASSERT_FALSE(reading.error);
    const Identification found = identify_record(reading.record);
    ASSERT_TRUE(found.fit);
    const Constants constants = constants_for(1.0, found.fit->omega0, found.fit->zeta);
    EXPECT_NEAR(constants.stiffness, 9.0, 1e-4 * 9.0);
    EXPECT_NEAR(constants.damping, 0.3, 1e-3 * 0.3);

    const std::string csv = result_csv(method_results(found), 1.0);
    unsigned lines = 0;
    for (const char c : csv) lines += c == '\n';
    EXPECT_EQ(lines, 3u);
    double k_fit = 0.0;
    double lambda_fit = 0.0;
    const std::size_t at = csv.find("\nfit,");
    ASSERT_NE(at, std::string::npos);
    ASSERT_EQ(std::sscanf(csv.c_str() + at, "\nfit,%*[^,],%*[^,],%*[^,],%lf,%lf", &k_fit, &lambda_fit), 2);
    EXPECT_EQ(k_fit, constants.stiffness);
    EXPECT_EQ(lambda_fit, constants.damping);

    // The link replays the decay from its first extremum, the release.
    const std::string link = simulator_link(1.0, constants, *first_amplitude(found));
    EXPECT_EQ(link.rfind("index.html?mass=1&damping=0.", 0), 0u) << link;
    double stiffness = 0.0;
    double y0 = 0.0;
    ASSERT_EQ(std::sscanf(link.c_str() + link.find("&stiffness="), "&stiffness=%lf&y0=%lf", &stiffness, &y0), 2)
        << link;
    EXPECT_EQ(stiffness, constants.stiffness);
    EXPECT_EQ(y0, *first_amplitude(found));
    EXPECT_NEAR(y0, 1.0, 1e-6);
    EXPECT_EQ(link.substr(link.size() - 5), "&v0=0");
}

}  // namespace
