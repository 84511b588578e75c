// vibsim-modes without a window: bad options are refused with exit status 2
// and a message naming the option, before anything is computed; its CSV
// files are the core's texts to the byte; --png draws its picture with no X
// display; a file that cannot be written fails with status 1; a CSV on
// standard output or a FIFO holds the CSV alone.
#include "modes/chain.hpp"
#include "child_process.hpp"
#include "modes/frequencies.hpp"
#include "modes/modes_csv.hpp"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace vibsim::windows {
namespace {

std::string temp_file(const std::string& name) { return ::testing::TempDir() + "vibsim_modes_" + name; }

std::string file_bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The program with its standard error joined to standard output.
test::ChildResult run_modes(const std::vector<std::string>& arguments, const std::string& prefix = "")
{
    std::vector<std::string> command = {"/bin/sh", "-c", prefix + "exec \"$0\" \"$@\" 2>&1", MODES_PROGRAM};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return test::run_program(command, "", {"ASAN_OPTIONS=detect_leaks=0"});
}

TEST(ModesArguments, BadOptionsAreRefusedNamingTheOption)
{
    const std::string csv = temp_file("refused.csv");
    const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
        {{"--masses", "0"}, "option --masses: '0' is not a whole number from 1 to 21"},
        {{"--masses=22"}, "option --masses: '22' is not a whole number from 1 to 21"},
        {{"--mass", "1,1,1", "--masses", "4"}, "option --mass: "},
        {{"--stiffness", "1,1,1", "--masses", "3"}, "option --stiffness: "},
        {{"--mass", "0"}, "option --mass: m_1 = 0"},
        {{"--mass", "1,-2,1"}, "option --mass: m_2 = -2"},
        {{"--stiffness", "-1"}, "option --stiffness: k_0 = -1"},
        {{"--damping", "1,2,-0.5"}, "option --damping: λ_3 = -0.5"},
        {{"--damping", "nan"}, "option --damping: 'nan' is not a number"},
        {{"--force", "inf"}, "option --force: 'inf' is not a number"},
        {{"--mass", "1e-400"}, "option --mass: '1e-400' is out of range"},
        {{"--mass", "1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1"}, "option --mass: a list for 22 masses"},
        {{"--mode", "6"}, "option --mode: 6 is more than the 5 masses of the chain"},
        {{"--masses", "3", "--force-at", "4"}, "option --force-at: 4 is more than the 3 masses of the chain"},
        {{"--pluck", "0"}, "option --pluck: '0' is not a whole number from 1 to 21"},
        {{"--mode", "1", "--strike", "2"}, "options --mode and --strike: give only one of"},
        {{"--force-frequency", "-1"}, "option --force-frequency: '-1' is less than 0"},
        {{"--png", csv}, "options --csv and --png name the same file"},
        {{"--response-csv=" + csv}, "options --csv and --response-csv name the same file"},
        {{"--masses", "2", "--bogus"}, "unknown option --bogus"},
        {{"--lang", "de"}, "option --lang: 'de' is not ja or en"},
        {{"--size", "0x1"}, "option --size: '0x1' is not a size"},
    };
    for (const auto& [given, message] : refused) {
        SCOPED_TRACE(message);
        std::remove(csv.c_str());
        std::vector<std::string> arguments = {"--csv", csv};
        arguments.insert(arguments.end(), given.begin(), given.end());
        const test::ChildResult run = run_modes(arguments);
        EXPECT_EQ(run.signal, 0);
        EXPECT_EQ(run.exit_code, 2) << run.output;
        EXPECT_EQ(run.output.rfind("vibsim-modes: " + message, 0), 0u) << run.output;
        EXPECT_NE(run.output.find("usage: "), std::string::npos);
        EXPECT_TRUE(file_bytes(csv).empty());
    }
}

TEST(ModesFiles, TheCsvFilesAreTheCoresTexts)
{
    const std::string modes_file = temp_file("modes.csv");
    const std::string response_file = temp_file("response.csv");
    const std::vector<double> masses = {1.0, 2.0, 1.5, 1.0};
    const std::vector<double> dampers = {0.1};
    const std::vector<double> springs = {3.0, 1.0, 2.0, 1.0, 4.0};
    const test::ChildResult run =
        run_modes({"--mass=1,2,1.5,1", "--damping", "0.1", "--stiffness", "3,1,2,1,4", "--force-at", "2", "--force",
                   "0.5", "--csv", modes_file, "--response-csv", response_file});
    ASSERT_EQ(run.exit_code, 0) << run.output;
    modes::Chain chain;
    ASSERT_EQ(modes::make_chain(4, masses, dampers, springs, chain), "");
    const modes::Modes found = modes::chain_modes(chain);
    EXPECT_EQ(file_bytes(modes_file), modes::modes_csv(chain, found));
    EXPECT_EQ(file_bytes(response_file), modes::response_csv(chain, found, 2, 0.5));

    // Defaults: N = 5, m = 1, lambda = 0, K = 1, F = 1 on mass 1.
    ASSERT_EQ(run_modes({"--response-csv", response_file}).exit_code, 0);
    ASSERT_EQ(modes::make_chain(5, std::vector{1.0}, std::vector{0.0}, std::vector{1.0}, chain), "");
    EXPECT_EQ(file_bytes(response_file), modes::response_csv(chain, modes::chain_modes(chain), 1, 1.0));
}

TEST(ModesFiles, PictureIsWrittenWithNoXDisplayAndUnwritablePathsFailFirst)
{
    const std::string png = temp_file("picture.png");
    std::remove(png.c_str());
    const test::ChildResult run =
        run_modes({"--masses", "8", "--pluck", "3", "--force-at", "2", "--size", "640x480", "--png", png},
                  "unset DISPLAY; ");
    ASSERT_EQ(run.exit_code, 0) << run.output;
    const std::string bytes = file_bytes(png);
    ASSERT_GT(bytes.size(), 24u);
    EXPECT_EQ(bytes.substr(0, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_EQ(bytes.substr(16, 8), std::string("\0\0\x02\x80\0\0\x01\xe0", 8));  // 640 x 480

    const test::ChildResult unwritable = run_modes({"--csv", "/missing-folder/modes.csv"});
    EXPECT_EQ(unwritable.exit_code, 1);
    EXPECT_NE(unwritable.output.find("vibsim-modes: cannot write /missing-folder/modes.csv"), std::string::npos);
    EXPECT_EQ(unwritable.output.find("ω"), std::string::npos) << "computed before the path was checked";
}

TEST(ModesFiles, TheConsolesTextNeverGoesIntoTheCsvWhateverStandardStreamsAreClosed)
{
    modes::Chain chain;
    ASSERT_EQ(modes::make_chain(3, std::vector{1.0}, std::vector{0.0}, std::vector{1.0}, chain), "");
    const std::string expected = modes::modes_csv(chain, modes::chain_modes(chain));
    const std::string fifo = temp_file("fifo");
    std::remove(fifo.c_str());
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // "-": the console's text goes to standard error, or nowhere when it is
    // closed. A FIFO read by cat, with the program's standard output and
    // error closed.
    for (const std::string command : {"exec \"$0\" --masses 3 --csv - 2>/dev/null",
                                      "exec \"$0\" --masses 3 --csv - 2>&-",
                                      "\"$0\" --masses 3 --csv \"$1\" >&- 2>&- & cat \"$1\"; wait $!"}) {
        SCOPED_TRACE(command);
        const test::ChildResult run =
            test::run_program({"/bin/sh", "-c", command, MODES_PROGRAM, fifo}, "", {"ASAN_OPTIONS=detect_leaks=0"});
        EXPECT_EQ(run.exit_code, 0);
        EXPECT_EQ(run.output, expected);
    }
    std::remove(fifo.c_str());
}

TEST(ModesFiles, AStiffChainSaysItsMotionIsShownSlowedDown)
{
    const std::string csv = temp_file("stiff.csv");
    const test::ChildResult stiff = run_modes({"--stiffness", "1e6", "--lang", "en", "--csv", csv});
    EXPECT_EQ(stiff.exit_code, 0);
    EXPECT_NE(stiff.output.find("the motion is shown slowed down"), std::string::npos) << stiff.output;
    const test::ChildResult soft = run_modes({"--lang", "en", "--csv", csv});
    EXPECT_EQ(soft.output.find("slowed down"), std::string::npos) << soft.output;
}

}  // namespace
}  // namespace vibsim::windows
