// vibsim-random's window under X: after the console dialog in the
// simulator's words, presses of 's' take the lab through its first record,
// whose spectrum then appears; Esc ends the program, and so does a window
// destroyed by another client.
#include "program_window.hpp"

#include <gtest/gtest.h>

namespace vibsim::windows {
namespace {

using e2e::Region;
using e2e::Rgb;

// The stems of the averaged spectrum (red) in the lower left quarter, over
// the "first record" message before it is there.
bool stem_red(Rgb c) { return c.r >= 180 && c.g < 60 && c.b < 60; }
bool fitted_blue(Rgb c) { return c.b >= 180 && c.r < 60 && c.g < 120; }

Region spectrum_area(const Picture& p) { return {p.width / 10, p.height * 58 / 100, p.width / 2, p.height * 92 / 100}; }

TEST(RandomVibrationWindow, DialogThenPressesFillTheFirstRecordAndItsSpectrum)
{
    XSession x;
    VIBSIM_REQUIRE_X(x);
    ProgramWindow lab(x, {RANDOM_PROGRAM, "--seed", "3"}, "2 0.5 50\n0 0\n1\n", "vibsim-random");
    ASSERT_TRUE(lab.wait_for_window());

    const std::string& console = lab.program().output();
    EXPECT_NE(console.find("\nマスm[kg]，ダンパーλ[N/(m/s)]，ばね定数K[N/m]キー入力 m λ K ="), std::string::npos)
        << console;
    EXPECT_NE(console.find("\n初期条件キー入力　y0 v0 = "), std::string::npos) << console;
    EXPECT_NE(console.find("\n固有振動数ω0= 5.0000[rad/s], 減衰比ζ= 0.0250  不足減衰\n減衰固有振動数Ω= 4.9984"),
              std::string::npos)
        << console;
    EXPECT_EQ(e2e::count(lab.picture(), spectrum_area(lab.picture()), fitted_blue), 0);

    // 32 steps a press, 1024 steps a record.
    for (int press = 0; press < 32; ++press) ASSERT_TRUE(lab.press("s"));
    ASSERT_TRUE(lab.wait_for_picture(
        [](const Picture& p) {
            const Region area = spectrum_area(p);
            return e2e::count(p, area, stem_red) > 100 && e2e::count(p, area, fitted_blue) > 100;
        },
        "the spectrum of the first record"));

    ASSERT_TRUE(lab.press("Escape"));
    Ending ending;
    ASSERT_TRUE(lab.wait_for_end(ending));
    EXPECT_EQ(ending.signal, 0);
    EXPECT_EQ(ending.exit_code, 0);
}

TEST(RandomVibrationWindow, ADestroyedWindowEndsTheProgramWithStatusZero)
{
    XSession x;
    VIBSIM_REQUIRE_X(x);
    ProgramWindow lab(x, {RANDOM_PROGRAM}, "\n\n\n", "vibsim-random");
    ASSERT_TRUE(lab.wait_for_window());
    x.destroy(lab.window());
    Ending ending;
    ASSERT_TRUE(lab.wait_for_end(ending));
    EXPECT_EQ(ending.signal, 0);
    EXPECT_EQ(ending.exit_code, 0);
}

}  // namespace
}  // namespace vibsim::windows
