// vibsim-modes' window under X: the dialog in the simulator's words (empty
// lines keep the defaults, typed values are taken), then presses of 's'
// move the chain, and a mode key puts the motion into that mode's trace; a
// window destroyed by another client ends the program as Esc does.
#include "example_window.hpp"

#include <gtest/gtest.h>

namespace vibsim::examples {
namespace {

using e2e::Region;
using e2e::Rgb;

// The panels, for a window of the picture's shape (4:3).
Region chain_area(const Picture& p) { return {p.width * 5 / 100, p.height * 14 / 100, p.width * 48 / 100, p.height * 32 / 100}; }
// The upper half of the traces' panel, above the line of zero.
Region traces_upper(const Picture& p) { return {p.width * 57 / 100, p.height * 14 / 100, p.width * 97 / 100, p.height * 21 / 100}; }

bool trace_green(Rgb c) { return c.g >= 200 && c.r < 60 && c.b < 60; }  // mode 2's colour
bool not_white(Rgb c) { return c.r < 230 || c.g < 230 || c.b < 230; }

bool same_pixels(const Picture& a, const Picture& b, Region r)
{
    for (int y = r.y0; y < r.y1; ++y) {
        for (int x = r.x0; x < r.x1; ++x) {
            if (!(a.at(x, y) == b.at(x, y))) return false;
        }
    }
    return true;
}

TEST(ModesWindow, EmptyLinesKeepTheDefaultsAndTheKeysMoveTheChainAndChooseTheMode)
{
    XSession x;
    VIBSIM_REQUIRE_X(x);
    ExampleWindow modes(x, {MODES_PROGRAM, "--lang", "en"}, "\n\n\n", "vibsim-modes");
    ASSERT_TRUE(modes.wait_for_window());
    const std::string& console = modes.program().output();
    EXPECT_NE(console.find("\nKey in the number of masses N (1 to 21)  N = "), std::string::npos) << console;
    EXPECT_NE(console.find("\nMode  5  ω=    1.9319  closed form=    1.9319  string=    2.6180"), std::string::npos)
        << console;
    EXPECT_NE(console.find("\n'n' 'N' keys: excite the next / previous mode"), std::string::npos) << console;

    // Mode 1 alone: nothing of mode 2's colour above the line of zero.
    const Picture start = modes.picture();
    EXPECT_EQ(e2e::count(start, traces_upper(start), trace_green), 0);
    for (int press = 0; press < 10; ++press) ASSERT_TRUE(modes.press("s"));
    ASSERT_TRUE(modes.wait_for_picture(
        [&start](const Picture& p) { return !same_pixels(p, start, chain_area(p)); }, "the chain moved"));

    ASSERT_TRUE(modes.press("2"));
    for (int press = 0; press < 40; ++press) ASSERT_TRUE(modes.press("s"));
    ASSERT_TRUE(modes.wait_for_picture(
        [](const Picture& p) { return e2e::count(p, traces_upper(p), trace_green) > 30; }, "mode 2's trace"));

    ASSERT_TRUE(modes.press("Escape"));
    Ending ending;
    ASSERT_TRUE(modes.wait_for_end(ending));
    EXPECT_EQ(ending.exit_code, 0);
}

TEST(ModesWindow, TypedValuesAreTakenAndOutOfRangeAskedAgain)
{
    XSession x;
    VIBSIM_REQUIRE_X(x);
    // N = 30 is asked again; then N = 3, m = 2, lambda = 0, K = 8 and mass 2 plucked.
    ExampleWindow modes(x, {MODES_PROGRAM}, "30\n3\n2 0 8\np 2\n", "vibsim-modes");
    ASSERT_TRUE(modes.wait_for_window());
    const std::string& console = modes.program().output();
    EXPECT_NE(console.find("\n値が範囲外です（1 ≤ N ≤ 21）。もう一度入力してください。"), std::string::npos) << console;
    // omega_k = 2 sqrt(K/m) sin(k pi / 8) = 4 sin(k pi / 8).
    EXPECT_NE(console.find("\n第 1モード  ω=    1.5307"), std::string::npos) << console;
    EXPECT_NE(console.find("\n第 3モード  ω=    3.6955"), std::string::npos) << console;
    EXPECT_EQ(console.find("第 4モード"), std::string::npos) << console;
    EXPECT_GT(e2e::count(modes.picture(), chain_area(modes.picture()), not_white), 0);
    ASSERT_TRUE(modes.press("Escape"));
    Ending ending;
    ASSERT_TRUE(modes.wait_for_end(ending));
    EXPECT_EQ(ending.exit_code, 0);
}

TEST(ModesWindow, ADestroyedWindowEndsTheProgramWithStatusZero)
{
    XSession x;
    VIBSIM_REQUIRE_X(x);
    ExampleWindow modes(x, {MODES_PROGRAM}, "\n\n\n", "vibsim-modes");
    ASSERT_TRUE(modes.wait_for_window());
    x.destroy(modes.window());
    Ending ending;
    ASSERT_TRUE(modes.wait_for_end(ending));
    EXPECT_EQ(ending.signal, 0);
    EXPECT_EQ(ending.exit_code, 0);
}

}  // namespace
}  // namespace vibsim::examples
