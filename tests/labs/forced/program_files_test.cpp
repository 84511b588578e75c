// vibsim-forced without a window: bad options are refused with status 2 and
// a message naming the option, writing nothing; its four CSV files are the
// core's texts to the byte, for the defaults and for options given as
// --name=value; --png draws with no X display; an unwritable path fails
// before anything is computed; a CSV on standard output holds the CSV alone.
#include "child_process.hpp"
#include "forced/forced_csv.hpp"
#include "forced/model.hpp"
#include "forced/sweep.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace vibsim::forced {
namespace {

std::string temp_file(const std::string& name) { return ::testing::TempDir() + "vibsim_forced_" + name; }

std::string file_bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

test::ChildResult run_forced(const std::vector<std::string>& arguments, const std::string& prefix = "")
{
    std::vector<std::string> command = {"/bin/sh", "-c", prefix + "exec \"$0\" \"$@\" 2>&1", FORCED_PROGRAM};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return test::run_program(command, "", {"ASAN_OPTIONS=detect_leaks=0"});
}

TEST(ForcedArguments, BadOptionsAreRefusedNamingTheOptionAndWritingNothing)
{
    const std::string csv = temp_file("refused.csv");
    const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
        {{"--mass", "0"}, "option --mass: m = 0 is not above 0"},
        {{"--stiffness=-1"}, "option --stiffness: "},
        {{"--damping", "-0.1"}, "option --damping: λ = -0.1 is below 0"},
        {{"--amplitude", "-1"}, "option --amplitude: "},
        {{"--frequency", "0"}, "option --frequency: ω = 0 is not above 0"},
        {{"--y0", "nan"}, "option --y0: 'nan' is not a number"},
        {{"--v0", "inf"}, "option --v0: 'inf' is not a number"},
        {{"--drive", "wind"}, "option --drive: 'wind' is not force, base or unbalance"},
        {{"--wave", "sine"}, "option --wave: 'sine' is not cosine"},
        {{"--drive", "unbalance", "--wave", "square"}, "option --wave: the unbalance drive has no wave"},
        {{"--sweep", "3,1,10"}, "option --sweep: '3,1,10' is not LO,HI,COUNT"},
        {{"--sweep", "1,3,1"}, "option --sweep: '1,3,1' is not LO,HI,COUNT"},
        {{"--sweep", "0,3,5"}, "option --sweep: '0,3,5' is not LO,HI,COUNT"},
        {{"--sweep", "1,3,2.5"}, "option --sweep: '1,3,2.5' is not LO,HI,COUNT"},
        {{"--duration", "0"}, "option --duration: '0' is not above 0"},
        {{"--duration", "1e7"}, "option --duration: '1e7' is not above 0"},
        {{"--frequency", "2e4"}, "option --frequency: ω = 20000 rad/s is too fast to step"},
        {{"--stiffness", "1e12"}, "option --stiffness: the oscillator is too stiff to step"},
        {{"--damping", "1e7"}, "option --damping: the oscillator is too heavily damped to step"},
        {{"--png", csv}, "options --frf-csv and --png name the same file"},
        {{"--bogus"}, "unknown option --bogus"},
    };
    for (const auto& [given, message] : refused) {
        SCOPED_TRACE(message);
        std::remove(csv.c_str());
        std::vector<std::string> arguments = {"--frf-csv", csv};
        arguments.insert(arguments.end(), given.begin(), given.end());
        const test::ChildResult run = run_forced(arguments);
        EXPECT_EQ(run.signal, 0);
        EXPECT_EQ(run.exit_code, 2) << run.output;
        EXPECT_EQ(run.output.rfind("vibsim-forced: " + message, 0), 0u) << run.output;
        EXPECT_TRUE(file_bytes(csv).empty());
    }
}

TEST(ForcedFiles, TheCsvFilesAreTheCoresTextsWithEachDrivesDefaults)
{
    const std::string frf = temp_file("frf.csv"), time = temp_file("time.csv"), sweep = temp_file("sweep.csv"),
                      fourier = temp_file("fourier.csv");
    // The defaults: force 1 N at 1.8 rad/s on m = 1, lambda = 0.2, K = 4.
    ASSERT_EQ(run_forced({"--frf-csv", frf, "--time-csv", time, "--sweep-csv", sweep, "--fourier-csv", fourier})
                  .exit_code,
              0);
    const Model defaults;
    EXPECT_EQ(file_bytes(frf), frf_csv(defaults));
    EXPECT_EQ(file_bytes(time), time_csv(defaults, default_duration));
    EXPECT_EQ(file_bytes(sweep), sweep_csv(run_sweep(defaults, default_sweep(defaults))));
    EXPECT_EQ(file_bytes(fourier), fourier_csv(defaults));

    // Base drive at its own defaults (0.01 m at 3 rad/s), its sweep given.
    ASSERT_EQ(run_forced({"--drive=base", "--mass=2", "--duration=3.5", "--sweep=1,5,4", "--time-csv", time,
                          "--sweep-csv", sweep})
                  .exit_code,
              0);
    Model base;
    base.drive = Drive::base;
    base.mass = 2.0;
    base.amplitude = 0.01;
    base.omega = 3.0;
    EXPECT_EQ(file_bytes(time), time_csv(base, 3.5));
    EXPECT_EQ(file_bytes(sweep), sweep_csv(run_sweep(base, {1.0, 5.0, 4})));

    // A square wave's harmonics, y0 and v0 in the motion.
    ASSERT_EQ(run_forced({"--wave", "square", "--frequency", "0.667", "--y0", "-0.1", "--v0", "0.3", "--fourier-csv",
                          fourier, "--time-csv", time})
                  .exit_code,
              0);
    Model square;
    square.wave = Wave::square;
    square.omega = 0.667;
    square.initial_displacement = -0.1;
    square.initial_velocity = 0.3;
    EXPECT_EQ(file_bytes(fourier), fourier_csv(square));
    EXPECT_EQ(file_bytes(time), time_csv(square, default_duration));
}

TEST(ForcedFiles, AnUndampedSweepSaysWhyItMeasuredNothing)
{
    const std::string sweep = temp_file("undamped.csv");
    const test::ChildResult run = run_forced({"--damping", "0", "--sweep-csv", sweep, "--lang", "en"});
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_NE(run.output.find("undamped"), std::string::npos) << run.output;
    EXPECT_EQ(file_bytes(sweep), "omega,amplitude,phase,amplitude_exact,phase_exact\n");
}

TEST(ForcedFiles, PictureWithoutDisplayUnwritablePathFirstAndStandardOutputHoldsTheCsvAlone)
{
    const std::string png = temp_file("picture.png");
    std::remove(png.c_str());
    const test::ChildResult run =
        run_forced({"--drive", "unbalance", "--size", "640x480", "--png", png}, "unset DISPLAY; ");
    ASSERT_EQ(run.exit_code, 0) << run.output;
    const std::string bytes = file_bytes(png);
    ASSERT_GT(bytes.size(), 24u);
    EXPECT_EQ(bytes.substr(0, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_EQ(bytes.substr(16, 8), std::string("\0\0\x02\x80\0\0\x01\xe0", 8));

    const test::ChildResult unwritable = run_forced({"--frf-csv", "/missing-folder/frf.csv"});
    EXPECT_EQ(unwritable.exit_code, 1);
    EXPECT_NE(unwritable.output.find("vibsim-forced: cannot write /missing-folder/frf.csv"), std::string::npos);
    EXPECT_EQ(unwritable.output.find("ω0"), std::string::npos) << "computed before the path was checked";

    const test::ChildResult piped = test::run_program(
        {"/bin/sh", "-c", "exec \"$0\" --fourier-csv - 2>/dev/null", FORCED_PROGRAM}, "",
        {"ASAN_OPTIONS=detect_leaks=0"});
    EXPECT_EQ(piped.exit_code, 0);
    EXPECT_EQ(piped.output, fourier_csv(Model{}));
}

TEST(ForcedFiles, AShortenedStepNamesItsCause)
{
    const std::string csv = temp_file("cause.csv");
    EXPECT_NE(run_forced({"--drive", "unbalance", "--lang", "en", "--frf-csv", csv}).output.find("(fast drive)"),
              std::string::npos);
    EXPECT_NE(run_forced({"--stiffness", "1e6", "--lang", "en", "--frf-csv", csv}).output.find("(stiff)"),
              std::string::npos);
    EXPECT_NE(run_forced({"--damping", "500", "--lang", "en", "--frf-csv", csv}).output.find("(heavily damped)"),
              std::string::npos);
    EXPECT_EQ(run_forced({"--lang", "en", "--frf-csv", csv}).output.find("shortened"), std::string::npos);
}

}  // namespace
}  // namespace vibsim::forced
