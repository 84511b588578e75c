// The record reader on each file layout a record comes in, and on every kind
// of bad record.
#include "identify/messages.hpp"
#include "identify/record.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

using namespace vibsim::identify;

const ColumnChoice first{1, {}};
const ColumnChoice second{2, {}};

// n lines "t<sep>y" of t = i / 100 and y = sin t, numbers written by `write`.
std::string lines(int n, const char* format, double shift = 0.0)
{
    std::string text;
    char line[96];
    for (int i = 0; i < n; ++i) {
        std::snprintf(line, sizeof line, format, i / 100.0, std::sin(i / 100.0) + shift);
        text += line;
    }
    return text;
}

// The same with the decimal point as a comma.
std::string with_decimal_commas(std::string text)
{
    for (char& c : text) {
        if (c == '.') c = ',';
    }
    return text;
}

void expect_sine(const RecordReading& reading, int n, double shift = 0.0)
{
    ASSERT_FALSE(reading.error) << record_error_text(*reading.error, vibsim::platform::Language::english);
    ASSERT_EQ(reading.record.t.size(), static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
        EXPECT_NEAR(reading.record.t[static_cast<std::size_t>(i)], i / 100.0, 1e-12);
        EXPECT_NEAR(reading.record.y[static_cast<std::size_t>(i)], std::sin(i / 100.0) + shift, 1e-9);
    }
}

TEST(RecordLayout, CommaSemicolonTabAndBlanksWithAndWithoutHeader)
{
    expect_sine(parse_record("t,y\n" + lines(30, "%.17g,%.17g\n"), "a.csv", first, second), 30);
    expect_sine(parse_record(lines(30, "%.17g,%.17g\n"), "a.csv", first, second), 30);
    expect_sine(parse_record(lines(30, "%.6e , %.12e\r\n"), "a.csv", first, second), 30);
    expect_sine(parse_record("t;y\n" + with_decimal_commas(lines(30, "%.12f;%.12f\n")), "a.csv", first, second), 30);
    expect_sine(parse_record("t\ty\n" + with_decimal_commas(lines(30, "%.12f\t%.12f\n")), "a.tsv", first, second),
                30);
    expect_sine(parse_record("# a comment\n  t   y\n" + lines(30, "  %.12f   %.12f\n") + "\n\n", "a.txt", first,
                             second),
                30);
    // A tab file with decimal points reads as well.
    expect_sine(parse_record(lines(30, "%.12f\t%.12f\n"), "a.tsv", first, second), 30);
}

TEST(RecordLayout, QuotedHeaderNamesAndColumnsByNameOrNumber)
{
    // A phone app's layout: quoted names with units, gravity in z, a byte
    // order mark, numbers in E notation.
    std::string text = "\xEF\xBB\xBF\"Time (s)\",\"Acceleration x (m/s^2)\",\"Acceleration y (m/s^2)\","
                       "\"Acceleration z (m/s^2)\",\"Absolute acceleration (m/s^2)\"\n";
    char line[160];
    for (int i = 0; i < 40; ++i) {
        std::snprintf(line, sizeof line, "%.9E,%.9E,%.9E,%.12E,%.9E\n", i / 100.0, 0.01, -0.02,
                      9.81 + std::sin(i / 100.0), 9.81);
        text += line;
    }
    const RecordReading by_name = parse_record(text, "phone.csv", first, ColumnChoice{0, "Acceleration z (m/s^2)"});
    expect_sine(by_name, 40, 9.81);
    EXPECT_EQ(by_name.record.t_name, "Time (s)");
    EXPECT_EQ(by_name.record.y_name, "Acceleration z (m/s^2)");
    expect_sine(parse_record(text, "phone.csv", ColumnChoice{0, "time"}, ColumnChoice{0, "ACCELERATION Z"}), 40,
                9.81);
    expect_sine(parse_record(text, "phone.csv", first, *column_named("4")), 40, 9.81);
    // A quoted name may hold the separator and doubled quotes.
    expect_sine(parse_record("\"t, in s\";\"the \"\"y\"\"\"\n" + with_decimal_commas(lines(25, "%.12f;%.12f\n")),
                             "q.csv", ColumnChoice{0, "t, in s"}, ColumnChoice{0, "the \"y\""}),
                25);
    EXPECT_EQ(column_named("12")->number, 12u);
    EXPECT_EQ(column_named("y (m)")->name, "y (m)");
    EXPECT_FALSE(column_named(""));
}

TEST(RecordLayout, UnevenTimestampsAreKept)
{
    std::string text = "t,y\n";
    std::vector<double> times;
    double t = 0.0;
    std::mt19937 generator(3);
    std::uniform_real_distribution<double> gap(0.002, 0.03);
    for (int i = 0; i < 50; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "%.17g,%.17g\n", t, std::cos(t));
        text += line;
        times.push_back(t);
        t += gap(generator);
    }
    const RecordReading reading = parse_record(text, "uneven.csv", first, second);
    ASSERT_FALSE(reading.error);
    EXPECT_EQ(reading.record.t, times);
}

// The problem found in a text, and that its message names the file.
RecordProblem problem_of(const std::string& text, const ColumnChoice& time = first,
                         const ColumnChoice& value = second)
{
    const RecordReading reading = parse_record(text, "bad.csv", time, value);
    if (!reading.error) return RecordProblem::empty;
    EXPECT_NE(record_error_text(*reading.error, vibsim::platform::Language::english).find("bad.csv"), std::string::npos);
    EXPECT_NE(record_error_text(*reading.error, vibsim::platform::Language::japanese).find("bad.csv"), std::string::npos);
    return reading.error->problem;
}

TEST(BadRecord, EachProblemIsNamed)
{
    EXPECT_EQ(problem_of(""), RecordProblem::empty);
    EXPECT_EQ(problem_of("\n  \n\t\n"), RecordProblem::empty);
    EXPECT_EQ(problem_of("t,y\n"), RecordProblem::header_only);
    EXPECT_EQ(problem_of("time,height\nlow,high\n" + lines(30, "%g,%g\n")), RecordProblem::words);
    EXPECT_EQ(problem_of(lines(10, "%g,%g\n")), RecordProblem::too_few);
    EXPECT_EQ(problem_of("t,y\n" + lines(30, "%g,%g\n") + "0.5,nan\n"), RecordProblem::not_finite);
    EXPECT_EQ(problem_of("t,y\n" + lines(30, "%g,%g\n") + "0.5,1e999\n"), RecordProblem::not_finite);
    EXPECT_EQ(problem_of("t,y\n" + lines(30, "%g,%g\n") + "0.1,1\n"), RecordProblem::not_increasing);
    EXPECT_EQ(problem_of("t,y\n" + lines(30, "%g,%g\n") + "0.29,1\n"), RecordProblem::not_increasing);
    EXPECT_EQ(problem_of("t,y\n" + lines(30, "%g,%g\n") + "0.5\n"), RecordProblem::missing_value);
    EXPECT_EQ(problem_of("t,y\n" + lines(30, "%g,%g\n"), first, ColumnChoice{0, "z"}), RecordProblem::no_such_column);
    EXPECT_EQ(problem_of("t,y\n" + lines(30, "%g,%g\n"), first, ColumnChoice{3, {}}), RecordProblem::no_such_column);
    EXPECT_EQ(problem_of(lines(30, "%g,%g\n"), first, ColumnChoice{0, "y"}), RecordProblem::no_header);
}

TEST(BadRecord, MessageSaysWhereAndWhat)
{
    const RecordReading reading = parse_record("t,y\n" + lines(30, "%g,%g\n") + "0.31,abc\n", "bad.csv", first, second);
    ASSERT_TRUE(reading.error);
    EXPECT_EQ(record_error_text(*reading.error, vibsim::platform::Language::english),
              "bad.csv: line 32, column \"y\" is not a number (abc)");
    const RecordReading backwards = parse_record(lines(30, "%g,%g\n") + "0.1,1\n", "b.csv", first, second);
    ASSERT_TRUE(backwards.error);
    EXPECT_EQ(backwards.error->line, 31u);
}

TEST(BadRecord, FilesThatCannotBeRead)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "identify_reader_test";
    std::filesystem::create_directories(folder);
    const RecordReading missing = read_record((folder / "none.csv").string(), first, second);
    ASSERT_TRUE(missing.error);
    EXPECT_EQ(missing.error->problem, RecordProblem::missing_file);
    EXPECT_NE(record_error_text(*missing.error, vibsim::platform::Language::english).find("none.csv"), std::string::npos);
    const RecordReading directory = read_record(folder.string(), first, second);
    ASSERT_TRUE(directory.error);
    EXPECT_EQ(directory.error->problem, RecordProblem::unreadable_file);
    std::ofstream(folder / "good.csv") << "t,y\n" << lines(30, "%.17g,%.17g\n");
    expect_sine(read_record((folder / "good.csv").string(), first, second), 30);
    std::filesystem::remove_all(folder);
}

// Any bytes give a record or an error, never a crash; a record read is
// always finite, long enough and increasing.
TEST(BadRecord, AnyBytesAreSafe)
{
    std::mt19937 generator(7);
    const std::string pieces[] = {",", ";", "\t", " ", "\n", "\r", "\"", "1", "2.5", "-", "e", "E9", "nan", "x",
                                  std::string(1, '\0'), "\xEF\xBB\xBF", "1e400", ".", ",5", "#"};
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const int length = static_cast<int>(generator() % 300);
        for (int k = 0; k < length; ++k) text += pieces[generator() % std::size(pieces)];
        if (round % 3 == 0) text = "t,y\n" + lines(25, "%g,%g\n") + text;
        const RecordReading reading = parse_record(text, "noise.csv", first, second);
        if (reading.error) continue;
        ASSERT_GE(reading.record.t.size(), least_samples);
        for (std::size_t i = 0; i < reading.record.t.size(); ++i) {
            ASSERT_TRUE(std::isfinite(reading.record.t[i]) && std::isfinite(reading.record.y[i]));
            if (i > 0) {
                ASSERT_GT(reading.record.t[i], reading.record.t[i - 1]);
            }
        }
    }
}

}  // namespace

namespace {

// A record's bytes reach a message only as printable text, whole UTF-8
// characters and no control characters.
TEST(BadRecord, MessageShowsNoControlCharacters)
{
    std::string word = "\x1b[2J";
    for (int i = 0; i < 20; ++i) word += "長";
    const RecordReading reading =
        vibsim::identify::parse_record("t,y\n0,1\n0.1," + word + "\n", "c.csv", first, second);
    ASSERT_TRUE(reading.error);
    const std::string text = record_error_text(*reading.error, vibsim::platform::Language::english);
    EXPECT_EQ(text.find('\x1b'), std::string::npos);
    EXPECT_NE(text.find("?[2J長"), std::string::npos);
    // Cut after whole characters: the bytes before ")" end a character.
    const std::string inside = text.substr(text.find('(') + 1);
    EXPECT_EQ((inside.size() - 1 - 4) % 3, 0u) << text;
}

}  // namespace
