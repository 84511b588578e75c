// vibsim-random without a window: the averaged spectrum it writes with
// --csv shows the physics (its peak at the damped natural frequency, its
// shape that of |H|), the same seed gives the same file, --png draws its
// picture with no X display, and bad arguments are refused with the usage.
// Files that cannot be written cost nothing: the earlier file stays, nothing
// the program did not make is removed, and a path that cannot be written,
// like a display that cannot be opened, fails before any work is done.
#include "child_process.hpp"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

namespace vibsim::windows {
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

// The program with its standard error joined to standard output.
test::ChildResult run_random_said(const std::string& shell_prefix, const std::vector<std::string>& arguments,
                                  const std::string& input = "", const std::vector<std::string>& environment = {})
{
    std::vector<std::string> command = {"/bin/sh", "-c", shell_prefix + " exec \"$0\" \"$@\" 2>&1", RANDOM_PROGRAM};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return test::run_program(command, input, environment);
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

TEST(RandomVibrationCsv, EnglishSaysTheSameNumbersInEnglish)
{
    const std::string csv = temp_file("english.csv");
    const test::ChildResult japanese = run_random({"--records", "1", "--csv", csv});
    const test::ChildResult english = run_random({"--records", "1", "--csv", csv, "--lang", "en"});
    EXPECT_NE(japanese.output.find("固有振動数ω0= 2.0000[rad/s], 減衰比ζ= 0.0500  不足減衰"), std::string::npos);
    EXPECT_NE(english.output.find("Natural frequency ω0= 2.0000[rad/s], damping ratio ζ= 0.0500  underdamped\n"
                                  "Damped natural frequency Ω= 1.9975"),
              std::string::npos)
        << english.output;
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
        {"--size", "0x10"},
        {"--size", "16385x100"},
        {"--size", "4294967496x4294967446"},
        {"--size", " +300x+200"},
        {"--csv", ""},
        {"--lang", "fr"},
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

TEST(RandomVibrationFiles, ADeviceThatCannotBeWrittenIsNotRemoved)
{
    // A device that is always full: the PNG cannot be written, and the node
    // stays (a failed libpng write to the path would remove it).
    const std::string node = temp_file("full");
    std::remove(node.c_str());
    if (mknod(node.c_str(), S_IFCHR | 0600, makedev(1, 7)) != 0) GTEST_SKIP() << "mknod needs root";
    const test::ChildResult run =
        run_random_said("", {"--records", "1", "--png", node}, "", {"ASAN_OPTIONS=detect_leaks=0"});
    EXPECT_EQ(run.exit_code, 1) << run.output;
    EXPECT_NE(run.output.find("cannot write " + node), std::string::npos) << run.output;
    struct stat status {};
    EXPECT_TRUE(stat(node.c_str(), &status) == 0 && S_ISCHR(status.st_mode)) << "the device node is gone";
    std::remove(node.c_str());
}

TEST(RandomVibrationFiles, AWriteThatFailsKeepsTheEarlierFile)
{
    // A size limit that the CSV outgrows: the earlier CSV stays whole, and
    // the half-written new one is gone.
    const std::string folder = temp_file("limit");
    std::filesystem::remove_all(folder);
    std::filesystem::create_directory(folder);
    const std::string csv = folder + "/spectrum.csv";
    ASSERT_EQ(run_random({"--records", "1", "--csv", csv}).exit_code, 0);
    const std::string earlier = file_bytes(csv);
    ASSERT_GT(earlier.size(), 8192u);
    const test::ChildResult run = run_random_said("ulimit -f 8;", {"--records", "1", "--seed", "5", "--csv", csv});
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.exit_code, 1) << run.output;
    EXPECT_NE(run.output.find("cannot write " + csv), std::string::npos) << run.output;
    EXPECT_EQ(file_bytes(csv), earlier);
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++files;
    EXPECT_EQ(files, 1) << "a temporary file is left in " << folder;
    std::filesystem::remove_all(folder);
}

TEST(RandomVibrationFiles, APathThatCannotBeWrittenFailsBeforeAnyRecordRuns)
{
    // 100000 records would take minutes; the tables are loaded only after
    // the paths are checked, so their message never comes.
    for (const std::string& path : {std::string("/missing-folder/x.csv"), ::testing::TempDir()}) {
        SCOPED_TRACE(path);
        const test::ChildResult run = run_random_said("", {"--records", "100000", "--csv", path});
        EXPECT_EQ(run.exit_code, 1) << run.output;
        EXPECT_NE(run.output.find("cannot write " + path), std::string::npos) << run.output;
        EXPECT_EQ(run.output.find("ランダム変換表"), std::string::npos) << run.output;
    }
}

TEST(RandomVibrationFiles, ADivergedMotionLeavesItsAmplitudesEmptyAndFails)
{
    const std::string csv = temp_file("diverged.csv");
    const test::ChildResult run = run_random_said("", {"--damping", "1e300", "--records", "1", "--csv", csv});
    EXPECT_EQ(run.exit_code, 1) << run.output;
    EXPECT_NE(run.output.find("diverged"), std::string::npos) << run.output;
    const Spectrum s = read_csv(csv);
    ASSERT_EQ(s.amplitude.size(), 513u);
    for (const double a : s.amplitude) EXPECT_TRUE(std::isnan(a)) << "an amplitude of " << a;
    EXPECT_EQ(file_bytes(csv).find("nan"), std::string::npos);
}

// The step keeps the motion bounded while h times each root of
// m s^2 + lambda s + K lies in its region of stability: up to K = 80042.4
// for m = 1, lambda = 0.2 (K = 80000 gives omega0 h = 2 sqrt(2) on the
// imaginary axis), and up to lambda = 278.53 for m = 1, K = 1 (a real root
// near h s = -2.785). The warning comes exactly beyond, and a motion well
// beyond diverges.
TEST(RandomVibrationStability, TheWarningComesExactlyWhereTheStepStopsFollowingTheMotion)
{
    struct Case {
        const char *damping, *stiffness, *records;
        bool warned;
        int exit_code;
    };
    for (const Case c : {Case{"0.2", "70000", "64", false, 0}, Case{"0.2", "80040", "64", false, 0},
                         Case{"0", "80000", "64", false, 0}, Case{"278", "1", "64", false, 0},
                         Case{"0.2", "80045", "1", true, 0}, Case{"0", "80001", "1", true, 0},
                         Case{"279", "1", "1", true, 0}, Case{"0.2", "81000", "64", true, 1}}) {
        SCOPED_TRACE(std::string("lambda = ") + c.damping + ", K = " + c.stiffness);
        const test::ChildResult run = run_random_said(
            "", {"--damping", c.damping, "--stiffness", c.stiffness, "--records", c.records, "--csv", "/dev/null"});
        EXPECT_EQ(run.output.find("grow without bound") != std::string::npos, c.warned) << run.output;
        EXPECT_EQ(run.exit_code, c.exit_code) << run.output;
    }
}

TEST(RandomVibrationWindowStart, AnUnreachableDisplayIsToldBeforeTheDialog)
{
    const test::ChildResult run = run_random_said("", {}, "1 0.2 4\n0 0\n1\n", {"DISPLAY=:9871"});
    EXPECT_EQ(run.exit_code, 1) << run.output;
    EXPECT_NE(run.output.find(":9871"), std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("キー入力"), std::string::npos) << run.output;
}

}  // namespace
}  // namespace vibsim::windows
