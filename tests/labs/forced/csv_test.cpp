// The four tables: headers, line counts, the empty fields of infinite
// values, and numbers that read back as the values computed.
#include "forced/excitation.hpp"
#include "forced/forced_csv.hpp"
#include "forced/response.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace vibsim::forced {
namespace {

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> fields_of(const std::string& line)
{
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, ',')) fields.push_back(field);
    if (!line.empty() && line.back() == ',') fields.push_back("");
    return fields;
}

double number(const std::string& field) { return std::strtod(field.c_str(), nullptr); }

TEST(ForcedCsv, FrequencyResponseTable)
{
    const Model model;  // omega0 = 2
    const std::string text = frf_csv(model);
    ASSERT_EQ(text.back(), '\n');
    const std::vector<std::string> lines = lines_of(text);
    ASSERT_EQ(lines.size(), 2002u);
    EXPECT_EQ(lines[0], "omega,r,amplitude,phase,magnification,transmitted_force");
    EXPECT_EQ(lines[1], "0,0,0.25,0,1,1");
    const std::vector<std::string> last = fields_of(lines.back());
    ASSERT_EQ(last.size(), 6u);
    EXPECT_EQ(number(last[0]), 6.0);
    EXPECT_EQ(number(last[1]), 3.0);
    const std::vector<std::string> middle = fields_of(lines[777]);
    const Response response = steady_response(model, number(middle[0]));
    EXPECT_EQ(number(middle[2]), response.amplitude);
    EXPECT_EQ(number(middle[3]), response.phase);
    EXPECT_EQ(number(middle[5]), response.transmitted_force);

    Model undamped;
    undamped.damping = 0.0;
    EXPECT_EQ(frf_csv_line(undamped, 2.0), "2,1,,,,\n");
    EXPECT_EQ(lines_of(frf_csv(undamped)).size(), 2002u);
    Model bad;
    bad.stiffness = -1.0;
    EXPECT_EQ(lines_of(frf_csv(bad)).size(), 1u);
}

TEST(ForcedCsv, TimeTable)
{
    EXPECT_EQ(time_csv_lines(20.0), 2001);
    EXPECT_EQ(time_csv_lines(0.3), 31);
    EXPECT_EQ(time_csv_lines(0.015), 2);
    EXPECT_EQ(time_csv_lines(0.0), 0);
    EXPECT_EQ(time_csv_lines(NAN), 0);
    EXPECT_EQ(time_csv_lines(longest_duration * 2.0), 0);

    Model base;
    base.drive = Drive::base;
    base.amplitude = 0.01;
    base.omega = 3.0;
    const std::vector<std::string> lines = lines_of(time_csv(base, 20.0));
    ASSERT_EQ(lines.size(), 2002u);
    EXPECT_EQ(lines[0], "t,y,v,force,y_steady");
    EXPECT_EQ(lines[1].substr(0, 6), "0,0,0,");
    const std::vector<std::string> last = fields_of(lines.back());
    ASSERT_EQ(last.size(), 5u);
    EXPECT_EQ(number(last[0]), 20.0);
    // The force on the mass K u + lambda u'.
    const std::vector<std::string> some = fields_of(lines[1234]);
    const double t = number(some[0]);
    EXPECT_NEAR(t, 12.33, 1e-12);
    const double expected = 4.0 * 0.01 * std::cos(3.0 * t) - 0.2 * 0.01 * 3.0 * std::sin(3.0 * t);
    EXPECT_NEAR(number(some[3]), expected, 1e-15);

    // Undamped at resonance the steady state is infinite: its field is empty.
    Model resonant;
    resonant.damping = 0.0;
    resonant.omega = 2.0;
    const std::vector<std::string> fields = fields_of(lines_of(time_csv(resonant, 1.0))[50]);
    ASSERT_EQ(fields.size(), 5u);
    EXPECT_EQ(fields[4], "");
    EXPECT_NE(fields[1], "");
    EXPECT_EQ(lines_of(time_csv(resonant, -1.0)).size(), 1u);
}

TEST(ForcedCsv, SweepAndFourierTables)
{
    Sweep sweep;
    sweep.points = {{1.0, 0.5, 0.25, 0.5, 0.25}, {2.0, 1.5, 1.25, 1.5, 1.0}};
    EXPECT_EQ(sweep_csv(sweep), "omega,amplitude,phase,amplitude_exact,phase_exact\n1,0.5,0.25,0.5,0.25\n2,1.5,1.25,1.5,1\n");
    EXPECT_EQ(sweep_csv(Sweep{}), "omega,amplitude,phase,amplitude_exact,phase_exact\n");

    Model square;
    square.wave = Wave::square;
    square.omega = 0.9;
    const std::vector<std::string> lines = lines_of(fourier_csv(square));
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(fourier_harmonics + 2));
    EXPECT_EQ(lines[0], "k,omega,force_amplitude,force_phase,amplitude,phase");
    EXPECT_GE(fourier_harmonics, 15);
    for (int k = 1; k <= fourier_harmonics; ++k) {
        const std::vector<std::string> f = fields_of(lines[static_cast<std::size_t>(k) + 1]);
        ASSERT_EQ(f.size(), 6u);
        EXPECT_EQ(f[0], std::to_string(k));
        const double force = number(f[2]);
        if (k % 2 == 0) {
            EXPECT_EQ(force, 0.0);
            continue;
        }
        EXPECT_NEAR(force, 4.0 / (k * std::numbers::pi), 2e-4);
        // +, -, +, - on the cosines 1, 3, 5, 7: lag 0 or pi.
        EXPECT_NEAR(number(f[3]), k % 4 == 1 ? 0.0 : std::numbers::pi, 1e-12) << k;
        Model single = square;
        single.wave = Wave::cosine;
        single.amplitude = force;
        const Response response = steady_response(single, k * 0.9);
        EXPECT_NEAR(number(f[4]), response.amplitude, 1e-12 * response.amplitude) << k;
        EXPECT_NEAR(std::remainder(number(f[5]) - number(f[3]) - response.phase, 2.0 * std::numbers::pi), 0.0, 1e-12) << k;
    }
}

}  // namespace
}  // namespace vibsim::forced
