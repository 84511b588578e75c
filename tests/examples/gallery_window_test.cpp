// vibsim-gallery under X: every panel holds its drawing, in the window's
// first size and after the window has been resized to another shape, and Esc
// ends the program, as does a window destroyed from outside; a window that
// cannot open is refused at once.
#include "child_process.hpp"
#include "program_window.hpp"
#include "layout.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace vibsim::windows {
namespace {

using e2e::Rgb;

bool red(Rgb c) { return c.r >= 200 && c.g < 80 && c.b < 80; }
bool green(Rgb c) { return c.g >= 170 && c.r < 80 && c.b < 80; }
bool blue(Rgb c) { return c.b >= 200 && c.r < 80 && c.g < 80; }
bool orange(Rgb c) { return c.r >= 200 && c.g >= 100 && c.g <= 180 && c.b < 60; }
bool purple(Rgb c) { return c.r >= 120 && c.r <= 190 && c.g < 60 && c.b >= 170; }
bool dark(Rgb c) { return c.r < 100 && c.g < 100 && c.b < 100; }

struct Expected {
    const char* panel;
    bool (*colour)(Rgb);
    const char* colour_name;
};

// In the order of the grid; each panel's drawing has some of its own colour.
constexpr Expected expected[] = {
    {"draw_line", red, "red"},
    {"draw_disc", red, "red"},
    {"draw_circle", blue, "blue"},
    {"draw_ellipse_filled", orange, "orange"},
    {"draw_ellipse_outline", purple, "purple"},
    {"draw_rect_filled", blue, "blue"},
    {"draw_rect_outline", red, "red"},
    {"draw_arrow", red, "red"},
    {"draw_origin_cross", dark, "black"},
    {"draw_grid", dark, "black"},
    {"draw_text", red, "red"},
    {"rotate_translate", dark, "black"},
    {"draw_mass_chain", red, "red"},
    {"plot_series", blue, "blue"},
    {"plot_series_set", green, "green"},
    {"plot_series_table", blue, "blue"},
    {"plot_xy_curve", dark, "black"},
    {"plot_stems", red, "red"},
};
static_assert(std::size(expected) == gallery::gallery_columns * gallery::gallery_rows);

// Panels whose square holds fewer pixels of their colour than a thousandth
// of its area (a few dozen in the first size).
std::string empty_panels(const Picture& p)
{
    std::string missing;
    for (int i = 0; i < static_cast<int>(std::size(expected)); ++i) {
        const gallery::PixelRect square = gallery::panel_square(i, p.width, p.height);
        const e2e::Region region{static_cast<int>(std::ceil(square.x0)), static_cast<int>(std::ceil(square.y0)),
                                 static_cast<int>(square.x1), static_cast<int>(square.y1)};
        const int found = e2e::count(p, region, expected[i].colour);
        const double side = square.x1 - square.x0;
        if (found < std::max(10.0, side * side / 1000.0)) {
            missing += std::string(expected[i].panel) + " (" + std::to_string(found) + " " +
                       expected[i].colour_name + " pixels) ";
        }
    }
    return missing;
}

TEST(GalleryWindow, EveryPanelHoldsItsDrawingBeforeAndAfterAResizeAndEscEnds)
{
    XSession x;
    VIBSIM_REQUIRE_X(x);
    ProgramWindow gallery(x, {GALLERY_PROGRAM}, "", "vibsim gallery");
    ASSERT_TRUE(gallery.wait_for_window());
    ASSERT_TRUE(gallery.wait_for_picture([](const Picture& p) { return empty_panels(p).empty(); },
                                         "a drawing in every panel"))
        << empty_panels(gallery.picture());

    // Taller than the gallery's shape: the grid is centred with margins.
    x.resize(gallery.window(), 700, 900);
    ASSERT_TRUE(gallery.wait_for_picture(
        [](const Picture& p) { return p.width == 700 && p.height == 900 && empty_panels(p).empty(); },
        "a drawing in every panel of the resized window"))
        << empty_panels(gallery.picture());

    ASSERT_TRUE(gallery.press("Escape"));
    Ending ending;
    ASSERT_TRUE(gallery.wait_for_end(ending));
    EXPECT_EQ(ending.signal, 0);
    EXPECT_EQ(ending.exit_code, 0);
}

TEST(GalleryWindow, ADestroyedWindowEndsTheProgramWithStatusZero)
{
    XSession x;
    VIBSIM_REQUIRE_X(x);
    ProgramWindow gallery(x, {GALLERY_PROGRAM}, "", "vibsim gallery");
    ASSERT_TRUE(gallery.wait_for_window());
    x.destroy(gallery.window());
    Ending ending;
    ASSERT_TRUE(gallery.wait_for_end(ending));
    EXPECT_EQ(ending.signal, 0);
    EXPECT_EQ(ending.exit_code, 0);
}

TEST(GalleryWindow, UnusableGlutOptionsAndDisplaysAreRefused)
{
    const auto run = [](const std::vector<std::string>& arguments, const std::string& display) {
        std::vector<std::string> argv{"/bin/sh", "-c", "exec \"$0\" \"$@\" 2>&1", GALLERY_PROGRAM};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        return test::run_program(argv, "", {"DISPLAY=" + display});
    };
    for (const std::vector<std::string>& refused : std::vector<std::vector<std::string>>{
             {"-display"}, {"-geometry"}, {"-geometry", "garbage"}, {"-geometry", "40000x40000"},
             {"-geometry", "0x600+0+0"}}) {
        const test::ChildResult result = run(refused, ":9871");
        EXPECT_EQ(result.exit_code, 2) << refused.back() << ": " << result.output;
        EXPECT_TRUE(result.output.starts_with("vibsim-gallery: ")) << result.output;
    }
    // Its own options: --name=value where a value is taken (none is), and a
    // usage that fits a terminal of 80 columns.
    for (const std::string refused : {"--help=yes", "--version=2", "--colour=red"}) {
        const test::ChildResult result = run({refused}, ":9871");
        EXPECT_EQ(result.exit_code, 2) << refused;
        EXPECT_TRUE(result.output.starts_with("vibsim-gallery: " +
                                              std::string(refused.starts_with("--colour") ? "unknown option --colour\n"
                                                                                           : "option ")))
            << result.output;
    }
    const test::ChildResult help = run({"--help"}, "");
    EXPECT_EQ(help.exit_code, 0);
    for (std::size_t start = 0, end; (end = help.output.find('\n', start)) != std::string::npos; start = end + 1) {
        EXPECT_LE(end - start, 80u) << help.output.substr(start, end - start);
    }

    const test::ChildResult silent = run({"-geometry", "16384x400"}, ":9871");
    EXPECT_EQ(silent.exit_code, 1);
    EXPECT_EQ(silent.output, "vibsim-gallery: cannot open the X display ':9871' for the window\n");
    const test::ChildResult unset = run({}, "");
    EXPECT_EQ(unset.exit_code, 1);
    EXPECT_NE(unset.output.find("DISPLAY is not set"), std::string::npos) << unset.output;
}

}  // namespace
}  // namespace vibsim::windows
