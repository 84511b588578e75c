// vibsim-random's command line as the kit reads it: --name=value works as
// --name value does, an unknown option is called unknown wherever it
// stands, two outputs on one file are refused, and the help fits a terminal
// of 80 columns.
#include "child_process.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace vibsim::windows {
namespace {

test::ChildResult run_said(const std::vector<std::string>& arguments)
{
    std::vector<std::string> command = {"/bin/sh", "-c", "exec \"$0\" \"$@\" 2>&1", RANDOM_PROGRAM};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return test::run_program(command, "");
}

std::string file_bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TEST(RandomVibrationOptions, NameEqualsValueGivesTheSameFile)
{
    const std::string spaced = ::testing::TempDir() + "vibsim_random_spaced.csv";
    const std::string joined = ::testing::TempDir() + "vibsim_random_joined.csv";
    ASSERT_EQ(run_said({"--records", "1", "--seed", "4", "--mass", "2", "--csv", spaced}).exit_code, 0);
    const test::ChildResult run = run_said({"--records=1", "--seed=4", "--mass=2", "--csv=" + joined});
    ASSERT_EQ(run.exit_code, 0) << run.output;
    EXPECT_FALSE(file_bytes(joined).empty());
    EXPECT_EQ(file_bytes(joined), file_bytes(spaced));
}

TEST(RandomVibrationOptions, FaultsAreNamedForWhatTheyAre)
{
    const std::string csv = ::testing::TempDir() + "vibsim_random_named.csv";
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--mass", "1", "--bogus"}, "vibsim-random: unknown option --bogus\n"},
        {{"--mass", "1e-308", "--csv", csv}, "vibsim-random: option --mass: '1e-308' is out of range\n"},
        {{"--csv", csv, "--png=" + csv}, "vibsim-random: options --csv and --png name the same file " + csv + "\n"},
    };
    for (const auto& [arguments, message] : cases) {
        SCOPED_TRACE(message);
        const test::ChildResult run = run_said(arguments);
        EXPECT_EQ(run.exit_code, 2);
        EXPECT_EQ(run.output.substr(0, message.size()), message);
    }
}

TEST(RandomVibrationOptions, HelpFitsEightyColumns)
{
    const test::ChildResult run = test::run_program({RANDOM_PROGRAM, "--help"}, "");
    ASSERT_EQ(run.exit_code, 0);
    std::istringstream lines(run.output);
    std::string line;
    std::getline(lines, line);  // the usage line, with the program's path
    int count = 0;
    while (std::getline(lines, line)) {
        EXPECT_LE(line.size(), 80u) << line;
        ++count;
    }
    EXPECT_GT(count, 15);
}

}  // namespace
}  // namespace vibsim::windows
