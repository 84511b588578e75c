// vibsim-random without a window: the averaged spectrum it writes with
// --csv shows the physics (its peak at the damped natural frequency, its
// shape that of |H|), the same seed gives the same file, --png draws its
// picture with no X display, and bad arguments are refused with the usage.
#include "child_process.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace vibsim::examples {
namespace {

struct Spectrum {
    std::string header;
    std::vector<double> omega, amplitude, fitted;
};

std::string temp_file(const std::string& name) { return ::testing::TempDir() + "vibsim_random_" + name; }

std::string file_bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

Spectrum read_csv(const std::string& path)
{
    Spectrum s;
    std::istringstream in(file_bytes(path));
    std::getline(in, s.header);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string field;
        std::vector<double> values;
        while (std::getline(fields, field, ',')) values.push_back(field.empty() ? NAN : std::stod(field));
        if (values.size() != 3) ADD_FAILURE() << "a line with " << values.size() << " fields: " << line;
        values.resize(3, NAN);
        s.omega.push_back(values[0]);
        s.amplitude.push_back(values[1]);
        s.fitted.push_back(values[2]);
    }
    return s;
}

test::ChildResult run_random(std::vector<std::string> arguments, const std::vector<std::string>& environment = {})
{
    arguments.insert(arguments.begin(), RANDOM_PROGRAM);
    return test::run_program(arguments, "", environment);
}

double correlation(const std::vector<double>& a, const std::vector<double>& b)
{
    const double n = static_cast<double>(a.size());
    double ma = 0, mb = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        ma += a[i] / n;
        mb += b[i] / n;
    }
    double ab = 0, aa = 0, bb = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        ab += (a[i] - ma) * (b[i] - mb);
        aa += (a[i] - ma) * (a[i] - ma);
        bb += (b[i] - mb) * (b[i] - mb);
    }
    return ab / std::sqrt(aa * bb);
}

struct Constants {
    const char *mass, *damping, *stiffness;
    double omega;  // the damped natural frequency
};

TEST(RandomVibrationCsv, SpectrumPeaksWithinABinOfOmegaAndFollowsH)
{
    // omega0 = 2, zeta = 0.05; omega0 = 5, zeta = 0.025.
    const Constants sets[] = {
        {"1", "0.2", "4", std::sqrt(1.0 - 0.05 * 0.05) * 2.0},
        {"2", "0.5", "50", std::sqrt(1.0 - 0.025 * 0.025) * 5.0},
    };
    const double bin = 2.0 * std::numbers::pi / 10.24;
    for (const Constants& c : sets) {
        SCOPED_TRACE(std::string("m, lambda, K = ") + c.mass + ", " + c.damping + ", " + c.stiffness);
        const std::string csv = temp_file("spectrum.csv");
        const test::ChildResult run = run_random(
            {"--mass", c.mass, "--damping", c.damping, "--stiffness", c.stiffness, "--records", "64", "--csv", csv});
        ASSERT_EQ(run.exit_code, 0) << run.output;
        const Spectrum s = read_csv(csv);
        EXPECT_EQ(s.header, "omega_rad_per_s,averaged_amplitude_m,scaled_H_m");
        ASSERT_EQ(s.omega.size(), 513u);
        EXPECT_NEAR(s.omega[512], 512 * bin, 1e-9);

        std::size_t peak = 1;
        for (std::size_t k = 1; k < s.amplitude.size(); ++k) {
            if (s.amplitude[k] > s.amplitude[peak]) peak = k;
        }
        EXPECT_LE(std::fabs(s.omega[peak] - c.omega), bin) << "peak at " << s.omega[peak];

        std::vector<double> measured, theory;
        for (std::size_t k = 1; s.omega[k] <= 3.0 * c.omega; ++k) {
            measured.push_back(s.amplitude[k]);
            theory.push_back(s.fitted[k]);
        }
        EXPECT_GT(correlation(measured, theory), 0.9);
    }
}

TEST(RandomVibrationCsv, TheSameSeedGivesTheSameFileAndAnotherSeedAnother)
{
    const auto spectrum_for = [](const std::string& seed, const std::string& name) {
        const std::string csv = temp_file(name);
        const test::ChildResult run = run_random({"--records", "2", "--seed", seed, "--csv", csv});
        EXPECT_EQ(run.exit_code, 0) << run.output;
        return file_bytes(csv);
    };
    const std::string first = spectrum_for("12345", "seed_a.csv");
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(spectrum_for("12345", "seed_b.csv"), first);
    EXPECT_NE(spectrum_for("54321", "seed_c.csv"), first);
}

TEST(RandomVibrationPng, PictureIsWrittenWithNoXDisplay)
{
    const std::string png = temp_file("picture.png");
    std::remove(png.c_str());
    // The off-screen GL driver holds memory to the end, as the window's does.
    const test::ChildResult run = test::run_program(
        {"/bin/sh", "-c", "unset DISPLAY; exec \"$0\" \"$@\"", RANDOM_PROGRAM, "--records", "3", "--size", "640x480",
         "--png", png},
        "", {"ASAN_OPTIONS=detect_leaks=0"});
    ASSERT_EQ(run.exit_code, 0) << run.output;
    const std::string bytes = file_bytes(png);
    ASSERT_GT(bytes.size(), 24u);
    EXPECT_EQ(bytes.substr(0, 8), "\x89PNG\r\n\x1a\n");
    const auto be32 = [&](std::size_t at) {
        return (static_cast<unsigned char>(bytes[at]) << 24) | (static_cast<unsigned char>(bytes[at + 1]) << 16) |
               (static_cast<unsigned char>(bytes[at + 2]) << 8) | static_cast<unsigned char>(bytes[at + 3]);
    };
    EXPECT_EQ(be32(16), 640u);
    EXPECT_EQ(be32(20), 480u);
}

TEST(RandomVibrationArguments, BadArgumentsAreRefusedWithTheUsage)
{
    const std::string csv = temp_file("refused.csv");
    const std::vector<std::vector<std::string>> refused = {
        {"--records"},
        {"--records", "0"},
        {"--records", "12abc"},
        {"--records", "99999999999999999999"},
        {"--mass", "0"},
        {"--mass", "-1"},
        {"--stiffness", "nan"},
        {"--damping", "-0.1"},
        {"--force", "1e999"},
        {"--seed", "-3"},
        {"--size", "10x10"},
        {"--csv", ""},
        {"--colour", "red"},
        {"stray"},
    };
    for (std::vector<std::string> arguments : refused) {
        std::string shown;
        for (const std::string& a : arguments) shown += "'" + a + "' ";
        SCOPED_TRACE(shown);
        std::remove(csv.c_str());
        arguments.insert(arguments.end(), {"--csv", csv});
        // Standard error joins standard output, to see the message.
        arguments.insert(arguments.begin(), {"/bin/sh", "-c", "exec \"$0\" \"$@\" 2>&1", RANDOM_PROGRAM});
        const test::ChildResult run = test::run_program(arguments, "");
        EXPECT_EQ(run.signal, 0);
        EXPECT_EQ(run.exit_code, 2);
        EXPECT_NE(run.output.find("usage: "), std::string::npos) << run.output;
        EXPECT_TRUE(file_bytes(csv).empty());
    }
}

}  // namespace
}  // namespace vibsim::examples
