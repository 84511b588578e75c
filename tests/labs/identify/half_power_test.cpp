// The half-power bandwidth on displacement responses whose omega0 and zeta
// are known.
#include "identify/half_power.hpp"
#include "identify/identification.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

namespace {

using namespace vibsim::identify;

double amplitude(double omega0, double zeta, double omega)
{
    const double d = omega0 * omega0 - omega * omega;
    return 1.0 / std::sqrt(d * d + 4.0 * zeta * zeta * omega0 * omega0 * omega * omega);
}

// A sweep's CSV as the forced lab writes it: omega, the ratio to omega0,
// the amplitude and a phase, `lines` frequencies from 0 to `top` omega0.
std::string sweep_csv(double omega0, double zeta, int lines, double top, bool downwards = false)
{
    std::string text = "omega,r,amplitude,phase\n";
    for (int k = 0; k < lines; ++k) {
        const int i = downwards ? lines - 1 - k : k;
        const double omega = top * omega0 * i / (lines - 1);
        char line[128];
        std::snprintf(line, sizeof line, "%.17g,%.17g,%.17g,0\n", omega, omega / omega0,
                      amplitude(omega0, zeta, omega));
        text += line;
    }
    return text;
}

HalfPower found(const std::string& text)
{
    const RecordReading reading =
        parse_response(text, "sweep.csv", ColumnChoice{1, {}}, response_amplitude_column(text));
    EXPECT_FALSE(reading.error);
    NoPeak none = NoPeak::no_peak;
    const std::optional<HalfPower> result = half_power(reading.record.t, reading.record.y, none);
    EXPECT_TRUE(result);
    return result.value_or(HalfPower{});
}

TEST(HalfPower, ZetaAndOmega0FromTheSweep)
{
    for (const double zeta : {0.01, 0.05, 0.1, 0.25}) {
        for (const int lines : {151, 400, 1001}) {
            SCOPED_TRACE(testing::Message() << "zeta " << zeta << ", " << lines << " lines");
            const HalfPower result = found(sweep_csv(4.0, zeta, lines, 1.5));
            EXPECT_LT(std::fabs(result.zeta - zeta) / zeta, 0.02);
            EXPECT_LT(std::fabs(result.omega0 - 4.0) / 4.0, 0.002);
        }
    }
}

TEST(HalfPower, TwoColumnsAndADownwardSweep)
{
    std::string two = "";
    for (int i = 0; i <= 300; ++i) {
        const double omega = 0.5 + i * 0.01;
        char line[64];
        std::snprintf(line, sizeof line, "%.17g %.17g\n", omega, 3.0 * amplitude(2.0, 0.04, omega));
        two += line;
    }
    const HalfPower plain = found(two);
    EXPECT_LT(std::fabs(plain.zeta - 0.04) / 0.04, 0.02);
    const HalfPower down = found(sweep_csv(4.0, 0.05, 400, 1.5, true));
    const HalfPower up = found(sweep_csv(4.0, 0.05, 400, 1.5));
    EXPECT_EQ(down.zeta, up.zeta);
    EXPECT_EQ(down.omega0, up.omega0);
    EXPECT_EQ(half_power_result(up).method, "half_power");
}

TEST(HalfPower, NoPeakOrNoBandIsSaid)
{
    NoPeak none = NoPeak::band_not_covered;
    const std::vector<double> omega = {1, 2, 3, 4, 5};
    EXPECT_FALSE(half_power(omega, std::vector<double>{5, 4, 3, 2, 1}, none));
    EXPECT_EQ(none, NoPeak::no_peak);
    // Cut before the amplitude falls to 1/sqrt 2 on the high side.
    const std::string text = sweep_csv(4.0, 0.05, 400, 1.01);
    const RecordReading reading = parse_response(text, "cut.csv", ColumnChoice{1, {}}, ColumnChoice{0, "amplitude"});
    ASSERT_FALSE(reading.error);
    EXPECT_FALSE(half_power(reading.record.t, reading.record.y, none));
    EXPECT_EQ(none, NoPeak::band_not_covered);
    // The same omega twice.
    std::string repeated = "w,a\n";
    for (int i = 0; i < 25; ++i) repeated += std::to_string(i / 2) + ",1\n";
    const RecordReading twice = parse_response(repeated, "twice.csv", ColumnChoice{1, {}}, ColumnChoice{2, {}});
    ASSERT_TRUE(twice.error);
    EXPECT_EQ(twice.error->problem, RecordProblem::not_increasing);
}

}  // namespace
