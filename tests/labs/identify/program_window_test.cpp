// vibsim-identify's window under X: the dialog asks again for a file that
// is no record, takes the mass, and the keys [ ] - + r move the part
// analysed (the console says where it now runs); an exercise hides the
// worked identification until a right answer is typed after the key a.
#include "program_window.hpp"

#include "child_process.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>

namespace vibsim::windows {
namespace {

using e2e::Region;
using e2e::Rgb;

// The record's panel, for a window of the picture's shape (4:3).
Region record_area(const Picture& p) { return {p.width * 5 / 100, p.height * 18 / 100, p.width * 97 / 100, p.height * 45 / 100}; }
bool fit_blue(Rgb c) { return c.b >= 180 && c.r < 60 && c.g < 120; }

std::string decay_file()
{
    const std::string path = ::testing::TempDir() + "vibsim_identify_window.csv";
    std::ofstream out(path);
    out << "t,y\n";
    char line[80];
    for (int i = 0; i <= 1200; ++i) {
        const double t = 0.01 * i;
        std::snprintf(line, sizeof line, "%.17g,%.17g\n", t, std::exp(-0.15 * t) * std::cos(3.0 * t));
        out << line;
    }
    return path;
}

// Whether the console says `text` after byte `from`, waiting for it a while.
bool says(ProgramWindow& w, std::string_view text, std::size_t from)
{
    return w.program().wait_for_output(text, from, test::Milliseconds(5000));
}

TEST(IdentifyWindow, TheDialogTakesTheRecordAndTheKeysMoveThePartAnalysed)
{
    XSession x;
    VIBSIM_REQUIRE_X(x);
    const std::string file = decay_file();
    ProgramWindow identify(x, {IDENTIFY_PROGRAM, "--lang", "en"}, "/no/such.csv\n" + file + "\nheavy\n2\n",
                           "vibsim-identify");
    ASSERT_TRUE(identify.wait_for_window());
    const std::string& console = identify.program().output();
    EXPECT_NE(console.find("/no/such.csv: the file cannot be opened"), std::string::npos) << console;
    EXPECT_NE(console.find("Not a positive number (heavy)"), std::string::npos) << console;
    EXPECT_NE(console.find("With the mass m = 2 kg: K = 18"), std::string::npos) << console;
    EXPECT_NE(console.find("Part analysed: t = 0 to"), std::string::npos) << console;
    EXPECT_GT(e2e::count(identify.picture(), record_area(identify.picture()), fit_blue), 200);

    // A fiftieth of 1201 samples is 24 samples, 0.24 s, a step.
    std::size_t from = identify.program().output().size();
    ASSERT_TRUE(identify.press("bracketright"));
    ASSERT_TRUE(identify.press("bracketright"));
    EXPECT_TRUE(says(identify, "Part analysed: t = 0.48 to", from)) << identify.program().output();
    from = identify.program().output().size();
    ASSERT_TRUE(identify.press("bracketleft"));
    EXPECT_TRUE(says(identify, "Part analysed: t = 0.24 to", from)) << identify.program().output();
    from = identify.program().output().size();
    for (int i = 0; i < 25; ++i) ASSERT_TRUE(identify.press("minus"));
    EXPECT_TRUE(says(identify, "to 6", from)) << identify.program().output();
    from = identify.program().output().size();
    ASSERT_TRUE(identify.press("plus"));
    ASSERT_TRUE(identify.press("r"));
    EXPECT_TRUE(says(identify, "Part analysed: t = 0 to", from)) << identify.program().output();

    ASSERT_TRUE(identify.press("Escape"));
    Ending ending;
    ASSERT_TRUE(identify.wait_for_end(ending));
    EXPECT_EQ(ending.exit_code, 0);
}

TEST(IdentifyWindow, AnExerciseShowsItsWorkedIdentificationAfterARightAnswer)
{
    XSession x;
    VIBSIM_REQUIRE_X(x);
    // m = 1, lambda = 0.3, K = 9, no noise: omega0 = 3, zeta = 0.05.
    test::ChildResult made = test::run_program(
        {IDENTIFY_PROGRAM, "--lang", "en", "--make-exercise", "--mass", "1", "--damping", "0.3", "--stiffness", "9"},
        "");
    const std::size_t at = made.output.find("--exercise ");
    ASSERT_NE(at, std::string::npos) << made.output;
    const std::string code = made.output.substr(at + 11, made.output.find('\n', at) - at - 11);
    ProgramWindow identify(x, {IDENTIFY_PROGRAM, "--lang", "en", "--exercise", code}, "3.5, 0.05\n3.01, 0.051\n",
                           "vibsim-identify");
    ASSERT_TRUE(identify.wait_for_window());
    const std::string& console = identify.program().output();
    EXPECT_EQ(console.find("Least-squares fit:"), std::string::npos) << console;
    EXPECT_EQ(e2e::count(identify.picture(), record_area(identify.picture()), fit_blue), 0);

    ASSERT_TRUE(identify.press("a"));
    ASSERT_TRUE(identify.wait_for_picture(
        [](const Picture& p) { return e2e::count(p, record_area(p), fit_blue) > 200; }, "the fit drawn"));
    ASSERT_TRUE(says(identify, "Least-squares fit:", 0));
    const std::size_t wrong = console.find("Wrong:");
    const std::size_t right = console.find("Correct:");
    ASSERT_NE(wrong, std::string::npos) << console;
    ASSERT_NE(right, std::string::npos) << console;
    EXPECT_LT(wrong, right);
    EXPECT_NE(console.find("Least-squares fit:", right), std::string::npos) << console;

    ASSERT_TRUE(identify.press("Escape"));
    Ending ending;
    ASSERT_TRUE(identify.wait_for_end(ending));
    EXPECT_EQ(ending.exit_code, 0);
}

}  // namespace
}  // namespace vibsim::windows
