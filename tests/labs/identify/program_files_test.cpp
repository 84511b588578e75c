// vibsim-identify without a window: bad options are refused with status 2
// and a message naming the option, writing nothing; bad records fail with
// status 1 and a message naming the file, writing no result; the result CSV
// is the core's table to the byte; a record without a decay gives no result
// file; exercises are made, answered and written as the core makes them; a
// picture is drawn with no X display.
#include "child_process.hpp"
#include "identify/exercise.hpp"
#include "identify/half_power.hpp"
#include "identify/identification.hpp"
#include "identify/record.hpp"

#include <vibsim/normal_random.hpp>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace vibsim::identify {
namespace {

std::string temp_file(const std::string& name) { return ::testing::TempDir() + "vibsim_identify_" + name; }

std::string file_bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void write_text(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

bool exists(const std::string& path) { return std::ifstream(path).good(); }

// The program in English with its standard error joined to standard output.
test::ChildResult run_identify(const std::vector<std::string>& arguments, const std::string& prefix = "")
{
    std::vector<std::string> command = {"/bin/sh", "-c", prefix + "exec \"$0\" \"$@\" 2>&1", IDENTIFY_PROGRAM,
                                        "--lang", "en"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return test::run_program(command, "", {"ASAN_OPTIONS=detect_leaks=0"});
}

// A damped oscillation omega0 = 3, zeta = 0.05 sampled every 0.01 s for 12 s.
std::string decay_csv()
{
    std::string text = "time,position\n";
    char line[80];
    for (int i = 0; i <= 1200; ++i) {
        const double t = 0.01 * i;
        const double y = std::exp(-0.15 * t) * std::cos(3.0 * std::sqrt(1.0 - 0.0025) * t);
        std::snprintf(line, sizeof line, "%.17g,%.17g\n", t, y);
        text += line;
    }
    return text;
}

std::string code_of(const test::ChildResult& made)
{
    const std::string marker = "--exercise ";
    const std::size_t at = made.output.find(marker);
    if (at == std::string::npos) return "";
    const std::size_t from = at + marker.size();
    return made.output.substr(from, made.output.find('\n', from) - from);
}

TEST(IdentifyArguments, BadOptionsAreRefusedNamingTheOptionAndWriteNothing)
{
    const std::string record = temp_file("refused_record.csv");
    write_text(record, decay_csv());
    const std::string result = temp_file("refused.csv");
    const std::vector<std::pair<std::vector<std::string>, std::string>> refused = {
        {{"--mass", "0"}, "option --mass: '0' is not more than 0"},
        {{"--mass", "nan"}, "option --mass: 'nan' is not a number"},
        {{"--time-column", ""}, "option --time-column: '' is not a column number or name"},
        {{"--damping", "1"}, "option --damping belongs to --make-exercise"},
        {{"--noise", "0.1"}, "option --noise belongs to --make-exercise"},
        {{"--answer", "3,0.05"}, "option --answer needs --exercise CODE"},
        {{"--answer", "three"}, "option --answer: 'three' is not two numbers"},
        {{"--exercise", "AAAA"}, "option --exercise: "},
        {{"--exercise", "bad code!"}, "option --exercise: "},
        {{"--record", record}, "option --record: '" + record + "' is a second one"},
        {{"--png", result}, "options --result-csv and --png name the same file"},
        {{"--record-csv", temp_file("r.csv")}, "option --record-csv needs --exercise CODE or --make-exercise"},
        {{"--bogus"}, "unknown option --bogus"},
        {{"--lang", "de"}, "option --lang: 'de' is not ja or en"},
        {{"--size", "0x1"}, "option --size: '0x1' is not a size"},
    };
    for (const auto& [given, message] : refused) {
        SCOPED_TRACE(message);
        std::remove(result.c_str());
        std::vector<std::string> arguments = {record, "--result-csv", result};
        arguments.insert(arguments.end(), given.begin(), given.end());
        const test::ChildResult run = run_identify(arguments);
        EXPECT_EQ(run.exit_code, 2) << run.output;
        EXPECT_EQ(run.output.rfind("vibsim-identify: " + message, 0), 0u) << run.output;
        EXPECT_FALSE(exists(result));
    }
    const std::vector<std::pair<std::vector<std::string>, std::string>> exercise_refused = {
        {{"--mass", "1", "--stiffness", "9"}, "option --make-exercise needs --damping"},
        {{"--mass", "1", "--damping", "6", "--stiffness", "9"}, "option --damping: zeta"},
        {{"--mass", "1", "--damping", "0.3", "--stiffness", "9", "--tolerance", "0"}, "option --tolerance: '0'"},
        {{"--mass", "1", "--damping", "0.3", "--stiffness", "9", "--seed", "-1"}, "option --seed: '-1'"},
        {{"--mass", "1", "--damping", "0.3", "--stiffness", "9", "--y0", "0"}, "option --y0: '0' is 0"},
    };
    for (const auto& [given, message] : exercise_refused) {
        SCOPED_TRACE(message);
        std::vector<std::string> arguments = {"--make-exercise"};
        arguments.insert(arguments.end(), given.begin(), given.end());
        const test::ChildResult run = run_identify(arguments);
        EXPECT_EQ(run.exit_code, 2) << run.output;
        EXPECT_EQ(run.output.rfind("vibsim-identify: " + message, 0), 0u) << run.output;
        EXPECT_EQ(run.output.find("identify.html?exercise="), std::string::npos);
    }
}

TEST(IdentifyRecords, EveryBadRecordFailsNamingTheFileWithNoResult)
{
    std::string few = "t,y\n";
    for (int i = 0; i < 10; ++i) few += std::to_string(i) + ",1\n";
    std::string nan = decay_csv();
    nan.replace(nan.find("\n0.5,") + 1, 3, "nan");
    const std::vector<std::pair<std::string, std::string>> bad = {
        {"", "the file is empty"},
        {"time,position\n", "a header line and no numbers"},
        {"time,position\nzero,one\n" + decay_csv().substr(14), "is not a number (zero)"},
        {few, "only 10 lines of numbers"},
        {nan, "is not a finite number"},
        {"t,y\n" + decay_csv().substr(14) + "11,0\n", "does not increase"},
    };
    const std::string result = temp_file("bad_result.csv");
    for (const auto& [text, message] : bad) {
        SCOPED_TRACE(message);
        const std::string record = temp_file("bad_record.csv");
        write_text(record, text);
        std::remove(result.c_str());
        const test::ChildResult run = run_identify({record, "--result-csv", result});
        EXPECT_EQ(run.exit_code, 1) << run.output;
        EXPECT_NE(run.output.find("vibsim-identify: " + record + ": "), std::string::npos) << run.output;
        EXPECT_NE(run.output.find(message), std::string::npos) << run.output;
        EXPECT_FALSE(exists(result));
    }
    const test::ChildResult missing = run_identify({"--record", temp_file("none.csv"), "--result-csv", result});
    EXPECT_EQ(missing.exit_code, 1);
    EXPECT_NE(missing.output.find(temp_file("none.csv") + ": the file cannot be opened"), std::string::npos);
    EXPECT_FALSE(exists(result));
}

TEST(IdentifyFiles, ResultIsTheCoresTableAndNoDecayGivesNone)
{
    const std::string record = temp_file("decay.csv");
    write_text(record, decay_csv());
    const std::string result = temp_file("result.csv");
    const test::ChildResult run = run_identify({"--result-csv=" + result, "--mass", "2", record});
    ASSERT_EQ(run.exit_code, 0) << run.output;
    const RecordReading reading = read_record(record, ColumnChoice{1, {}}, ColumnChoice{2, {}});
    ASSERT_FALSE(reading.error);
    const Identification found = identify_record(reading.record);
    EXPECT_EQ(file_bytes(result), result_csv(method_results(found), 2.0));
    EXPECT_NE(run.output.find("index.html?mass=2&damping="), std::string::npos) << run.output;

    // Pure noise: said so, status 1, no result file; the earlier one stays.
    std::string noise = "t,y\n";
    for (int i = 0; i < 500; ++i) noise += std::to_string(0.01 * i) + "," + std::to_string((i * 7919 % 101) / 100.0) + "\n";
    const std::string noisy = temp_file("noise.csv");
    write_text(noisy, noise);
    const std::string before = file_bytes(result);
    const test::ChildResult none = run_identify({noisy, "--result-csv", result});
    EXPECT_EQ(none.exit_code, 1) << none.output;
    EXPECT_NE(none.output.find("no decaying oscillation"), std::string::npos) << none.output;
    EXPECT_EQ(none.output.find("Least-squares fit:"), std::string::npos) << none.output;
    EXPECT_EQ(file_bytes(result), before);

    // The picture with no X display, of the size asked for.
    const std::string png = temp_file("picture.png");
    std::remove(png.c_str());
    const test::ChildResult drawn = run_identify({record, "--size", "640x480", "--png", png}, "unset DISPLAY; ");
    ASSERT_EQ(drawn.exit_code, 0) << drawn.output;
    const std::string bytes = file_bytes(png);
    ASSERT_GT(bytes.size(), 24u);
    EXPECT_EQ(bytes.substr(16, 8), std::string("\0\0\x02\x80\0\0\x01\xe0", 8));

    // Standard output takes the table alone, the console going to standard error.
    const test::ChildResult piped = test::run_program(
        {"/bin/sh", "-c", "exec \"$0\" \"$@\" 2>/dev/null", IDENTIFY_PROGRAM, record, "--result-csv", "-"}, "",
        {"ASAN_OPTIONS=detect_leaks=0"});
    EXPECT_EQ(piped.output, result_csv(method_results(found), std::nullopt));
}

TEST(IdentifyFiles, AFrequencyResponseGivesItsHalfPowerLine)
{
    // m = 1, lambda = 0.3, K = 9: |H| = 1 / sqrt((K - omega^2)^2 + (lambda omega)^2).
    std::string text = "omega,amplitude\n";
    char line[80];
    for (int i = 1; i <= 600; ++i) {
        const double w = 0.01 * i;
        std::snprintf(line, sizeof line, "%.17g,%.17g\n", w, 1.0 / std::hypot(9.0 - w * w, 0.3 * w));
        text += line;
    }
    const std::string response = temp_file("response.csv");
    write_text(response, text);
    const std::string result = temp_file("half_power.csv");
    const test::ChildResult run = run_identify({"--frf", response, "--mass", "1", "--result-csv", result});
    ASSERT_EQ(run.exit_code, 0) << run.output;
    const RecordReading reading = parse_response(text, response, ColumnChoice{1, {}}, response_amplitude_column(text));
    ASSERT_FALSE(reading.error);
    NoPeak none = NoPeak::no_peak;
    const std::optional<HalfPower> found = half_power(reading.record.t, reading.record.y, none);
    ASSERT_TRUE(found);
    EXPECT_EQ(file_bytes(result), result_csv({half_power_result(*found)}, 1.0));
    EXPECT_NE(run.output.find("Half-power bandwidth"), std::string::npos) << run.output;
}

TEST(IdentifyExercises, MadeAnsweredAndWrittenAsTheCoreMakesThem)
{
    const test::ChildResult made = run_identify(
        {"--make-exercise", "--mass", "2", "--damping", "0.4", "--stiffness", "8", "--noise", "0.01", "--seed", "7"});
    ASSERT_EQ(made.exit_code, 0) << made.output;
    const std::string code = code_of(made);
    ASSERT_FALSE(code.empty()) << made.output;
    EXPECT_NE(made.output.find("identify.html?exercise=" + code), std::string::npos);
    const CodeReading reading = read_exercise_code(code);
    ASSERT_FALSE(reading.problem);
    EXPECT_EQ(reading.exercise.seed, 7u);

    // omega0 = 2, zeta = 0.4 / (2 * 4) = 0.05.
    const test::ChildResult right = run_identify({"--exercise", code, "--answer", "2.02,0.053"});
    EXPECT_EQ(right.exit_code, 0) << right.output;
    EXPECT_NE(right.output.find("Correct"), std::string::npos) << right.output;
    EXPECT_NE(right.output.find("Least-squares fit:"), std::string::npos) << "no worked identification";
    const test::ChildResult wrong = run_identify({"--exercise", code, "--answer=2.02 0.07"});
    EXPECT_EQ(wrong.exit_code, 1) << wrong.output;
    EXPECT_EQ(wrong.output.find("orrect"), std::string::npos) << wrong.output;
    EXPECT_EQ(wrong.output.find("Least-squares fit:"), std::string::npos) << "the worked identification shown";

    const std::string record = temp_file("exercise.csv");
    ASSERT_EQ(run_identify({"--exercise", code, "--record-csv", record}).exit_code, 0);
    ASSERT_TRUE(load_normal_tables(IDENTIFY_TABLES_DIR));
    const std::optional<Record> expected = exercise_record(reading.exercise);
    ASSERT_TRUE(expected);
    EXPECT_EQ(file_bytes(record), record_csv(*expected));
}

}  // namespace
}  // namespace vibsim::identify
