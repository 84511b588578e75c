// vibsim-forced's window under X: the dialog in English (a refused mass
// asked again, the readouts of the constants taken), then the keys as the
// picture shows them: s runs the traces, r clears them, w brings the line
// spectra, d the moving support, - and + move the operating point, g's
// shaker rings its points onto the response, and Esc ends it.
#include "program_window.hpp"

#include <gtest/gtest.h>

namespace vibsim::windows {
namespace {

using e2e::Region;
using e2e::Rgb;

// The panels of a 4:3 window, from picture_layout.hpp's rectangles.
Region traces_area(const Picture& p) { return {p.width * 36 / 100, p.height * 14 / 100, p.width * 97 / 100, p.height * 34 / 100}; }
Region mass_area(const Picture& p) { return {p.width * 3 / 100, p.height * 14 / 100, p.width * 25 / 100, p.height * 34 / 100}; }
Region response_area(const Picture& p) { return {p.width * 6 / 100, p.height * 44 / 100, p.width * 48 / 100, p.height * 70 / 100}; }
Region spectra_area(const Picture& p) { return {p.width * 56 / 100, p.height * 84 / 100, p.width * 97 / 100, p.height * 94 / 100}; }

bool curve_blue(Rgb c) { return c.b >= 200 && c.r < 40 && c.g > 50 && c.g < 110; }
bool support_orange(Rgb c) { return c.r >= 200 && c.g > 90 && c.g < 140 && c.b < 40; }
bool black(Rgb c) { return c.r < 50 && c.g < 50 && c.b < 60; }

bool same_pixels(const Picture& a, const Picture& b, Region r)
{
    for (int y = r.y0; y < r.y1; ++y)
        for (int x = r.x0; x < r.x1; ++x)
            if (!(a.at(x, y) == b.at(x, y))) return false;
    return true;
}

::testing::AssertionResult press_times(ProgramWindow& w, const std::string& key, int times)
{
    for (int i = 0; i < times; ++i)
        if (!w.press(key)) return ::testing::AssertionFailure() << key << " not pressed";
    return ::testing::AssertionSuccess();
}

TEST(ForcedWindow, TheDialogAndEveryKeyShowInThePicture)
{
    XSession x;
    VIBSIM_REQUIRE_X(x);
    ProgramWindow forced(x, {FORCED_PROGRAM, "--lang", "en"}, "0 0.2 4\n1 0.3 4\nforce 1 1.8\n\n", "vibsim-forced");
    ASSERT_TRUE(forced.wait_for_window());
    const std::string& console = forced.program().output();
    EXPECT_NE(console.find("A value is out of range (mass: m = 0 is not above 0)"), std::string::npos) << console;
    EXPECT_NE(console.find("ω0=2 rad/s  damping ratio ζ=0.075"), std::string::npos) << console;
    EXPECT_NE(console.find("'g' key: start / stop the shaker's sweep"), std::string::npos) << console;

    // s runs the traces; r clears them.
    const int blue_at_start = e2e::count(forced.picture(), traces_area(forced.picture()), curve_blue);
    ASSERT_TRUE(press_times(forced, "s", 60));
    ASSERT_TRUE(forced.wait_for_picture(
        [&](const Picture& p) { return e2e::count(p, traces_area(p), curve_blue) > blue_at_start + 100; },
        "y's trace"));
    ASSERT_TRUE(forced.press("r"));
    ASSERT_TRUE(forced.wait_for_picture(
        [&](const Picture& p) { return e2e::count(p, traces_area(p), curve_blue) < blue_at_start + 20; },
        "the traces cleared"));

    // - and + move the operating point along the response.
    const Picture before = forced.picture();
    ASSERT_TRUE(press_times(forced, "plus", 10));
    ASSERT_TRUE(forced.wait_for_picture(
        [&](const Picture& p) { return !same_pixels(p, before, response_area(p)); }, "the operating point moved"));
    ASSERT_TRUE(press_times(forced, "minus", 10));
    ASSERT_TRUE(forced.wait_for_picture(
        [&](const Picture& p) { return same_pixels(p, before, response_area(p)); }, "the operating point back"));

    // g: the shaker's rings arrive on the response.
    const int black_before = e2e::count(forced.picture(), response_area(forced.picture()), black);
    ASSERT_TRUE(forced.press("g"));
    ASSERT_TRUE(press_times(forced, "s", 30));
    ASSERT_TRUE(forced.wait_for_picture(
        [&](const Picture& p) { return e2e::count(p, response_area(p), black) > black_before + 100; },
        "the shaker's points"));

    // w: a square wave's line spectra.
    EXPECT_EQ(e2e::count(forced.picture(), spectra_area(forced.picture()), curve_blue), 0);
    ASSERT_TRUE(forced.press("w"));
    ASSERT_TRUE(forced.wait_for_picture(
        [&](const Picture& p) { return e2e::count(p, spectra_area(p), curve_blue) > 30; }, "the line spectra"));

    // d: the base drive's moving support.
    EXPECT_EQ(e2e::count(forced.picture(), mass_area(forced.picture()), support_orange), 0);
    ASSERT_TRUE(forced.press("d"));
    ASSERT_TRUE(forced.wait_for_picture(
        [&](const Picture& p) { return e2e::count(p, mass_area(p), support_orange) > 100; }, "the moving support"));

    ASSERT_TRUE(forced.press("Escape"));
    Ending ending;
    ASSERT_TRUE(forced.wait_for_end(ending));
    EXPECT_EQ(ending.exit_code, 0);
}

}  // namespace
}  // namespace vibsim::windows
