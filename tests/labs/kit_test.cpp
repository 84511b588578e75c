// The labs' kit on its own: the command line read as the labs read it
// (both forms of a value, faults named by their option and told in order),
// the dialog's line input, and outputs that would overwrite each other.
#include "kit/console_input.hpp"
#include "kit/option_parsing.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace vibsim::kit {
namespace {

constexpr OptionName known[] = {{"--help", false}, {"--mass", true}, {"--csv", true}, {"--list", true}};

// The options as "name=value" words, or the fault.
std::string read(std::vector<std::string> words)
{
    words.insert(words.begin(), "lab");
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    std::string said;
    std::string error;
    const auto take = [&said](const Argument& a, std::string& fault) {
        if (a.name == "--mass") {
            double mass = 0.0;
            if (!read_number(a, mass, fault)) return false;
        }
        if (a.name == "--list") {
            std::vector<double> values;
            if (!read_number_list(a, values, fault)) return false;
            said += std::to_string(values.size()) + "@";
        }
        said += std::string(a.name) + "=" + a.value + " ";
        return true;
    };
    if (!read_options(static_cast<int>(argv.size()), argv.data(), known, take, error)) return "fault: " + error;
    return said;
}

TEST(LabKitOptions, ValuesComeAsNameValueOrNameEqualsValue)
{
    EXPECT_EQ(read({"--mass", "2", "--csv=a=b.csv", "--help"}), "--mass=2 --csv=a=b.csv --help= ");
    EXPECT_EQ(read({"--mass", "-1e-3", "--csv", "--help"}), "--mass=-1e-3 --csv=--help ");
    EXPECT_EQ(read({"--csv="}), "--csv= ");
    EXPECT_EQ(read({"--list=1,2.5,0"}), "3@--list=1,2.5,0 ");
}

TEST(LabKitOptions, FaultsNameTheOptionAndComeInOrder)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--mass", "1", "--bogus"}, "unknown option --bogus"},
        {{"--bogus=3"}, "unknown option --bogus"},
        {{"stray", "--mass"}, "unknown option stray"},
        {{"--csv", "a", "--mass"}, "option --mass needs a value"},
        {{"--help=yes"}, "option --help takes no value"},
        {{"--mass", "x", "--bogus"}, "option --mass: 'x' is not a number"},
        {{"--mass", "1e-308"}, "option --mass: '1e-308' is out of range"},
        {{"--mass=1e999"}, "option --mass: '1e999' is out of range"},
        {{"--mass", "nan"}, "option --mass: 'nan' is not a number"},
        {{"--mass", "-inf"}, "option --mass: '-inf' is not a number"},
        {{"--mass", " 1"}, "option --mass: ' 1' is not a number"},
        {{"--mass", "1 "}, "option --mass: '1 ' is not a number"},
        {{"--list", "1,,2"}, "option --list: '1,,2' is not a number or a comma-separated list of numbers"},
        {{"--list", "1,2,"}, "option --list: '1,2,' is not a number or a comma-separated list of numbers"},
        {{"--list", "1,1e400"}, "option --list: '1,1e400' is out of range"},
    };
    for (const auto& [words, fault] : cases) {
        SCOPED_TRACE(words.front());
        EXPECT_EQ(read(words), "fault: " + fault);
    }
}

TEST(LabKitOptions, WholeNumbersSizesAndLanguagesKeepTheirRanges)
{
    std::string error;
    long long whole = 0;
    EXPECT_TRUE(read_whole({"--n", "21"}, 1, 21, whole, error));
    EXPECT_EQ(whole, 21);
    for (const char* text : {"0", "22", "2.0", "", "99999999999999999999"}) {
        EXPECT_FALSE(read_whole({"--n", text}, 1, 21, whole, error)) << text;
        EXPECT_EQ(error, std::string("option --n: '") + text + "' is not a whole number from 1 to 21");
    }
    int width = 0;
    int height = 0;
    EXPECT_TRUE(read_size({"--size", "640x480"}, 1000, width, height, error));
    EXPECT_EQ(width * 10000 + height, 6400480);
    for (const char* text : {"1001x5", "5x0", "+5x5", "5x5x", "5 x5"}) {
        EXPECT_FALSE(read_size({"--size", text}, 1000, width, height, error)) << text;
    }
    platform::Language language = platform::Language::japanese;
    EXPECT_TRUE(read_language({"--lang", "en"}, language, error));
    EXPECT_EQ(language, platform::Language::english);
    EXPECT_FALSE(read_language({"--lang", "EN"}, language, error));
}

TEST(LabKitOptions, TwoOutputsThatAreOneFileAreRefused)
{
    const std::string folder = ::testing::TempDir();
    const std::string a = folder + "kit_a.csv";
    const std::string b = folder + "kit_b.csv";
    std::ofstream(a) << "x";
    const std::string same_by_another_way = folder + "./kit_a.csv";
    const std::string none;
    std::string error;
    const NamedOutput differ[] = {{"--csv", &a}, {"--png", &b}, {"--other", &none}, {"--more", &none}};
    EXPECT_TRUE(distinct_outputs(differ, error)) << error;
    const NamedOutput existing[] = {{"--csv", &a}, {"--png", &b}, {"--other", &same_by_another_way}};
    EXPECT_FALSE(distinct_outputs(existing, error));
    EXPECT_EQ(error, "options --csv and --other name the same file " + same_by_another_way);
    const NamedOutput new_ones[] = {{"--csv", &b}, {"--png", &b}};
    EXPECT_FALSE(distinct_outputs(new_ones, error));
    std::remove(a.c_str());
}

TEST(LabKitConsole, LinesKeepWhatTheyLeaveOut)
{
    const std::string path = ::testing::TempDir() + "kit_input.txt";
    std::ofstream(path, std::ios::binary) << "\n2 x 5\n7 8 9 10\n1e999 3\n4";
    ASSERT_NE(std::freopen(path.c_str(), "r", stdin), nullptr);
    double a = 1.0, b = 2.0, c = 3.0;
    double* values[] = {&a, &b, &c};
    const auto line = [&] {
        const bool more = read_numbers(values, 3);
        return std::to_string(more) + ":" + std::to_string(a) + "," + std::to_string(b) + "," + std::to_string(c);
    };
    EXPECT_EQ(line(), "1:1.000000,2.000000,3.000000");  // an empty line keeps all
    EXPECT_EQ(line(), "1:2.000000,2.000000,3.000000");  // a word ends the line's numbers
    EXPECT_EQ(line(), "1:7.000000,8.000000,9.000000");  // more numbers than asked are left
    EXPECT_EQ(line(), "1:7.000000,8.000000,9.000000");  // infinity is no number
    EXPECT_EQ(line(), "1:4.000000,8.000000,9.000000");  // the last line needs no line end
    EXPECT_EQ(line(), "0:4.000000,8.000000,9.000000");  // the end of input
}

}  // namespace
}  // namespace vibsim::kit
