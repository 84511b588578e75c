// vibsim-modes' picture as --png writes it, read back: modes in colours far
// apart, springs of 0 left out of the chains, the forcing's arrow inside its
// panel, the shapes' labels clear of the shapes, and in small or wide
// windows the picture shrunk whole, its labels with it.
#include "child_process.hpp"
#include "modes/picture_layout.hpp"
#include "modes_png.hpp"
#include "picture.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace vibsim::windows {
namespace {

using e2e::Picture;
using e2e::Region;
using e2e::Rgb;

bool pure_red(Rgb c) { return c.r >= 200 && c.g < 60 && c.b < 60; }
bool force_green(Rgb c) { return c.r < 40 && c.g >= 100 && c.g < 180 && c.b < 80; }
// The labels' grey, or the anti-aliased edge of it.
bool label_grey(Rgb c) { return c.r < 215 && std::abs(c.r - c.g) < 12 && c.b >= c.g && c.b - c.g < 24; }
// The chains' strings and masses: strongly coloured.
bool chain_colour(Rgb c)
{
    const int most = std::max({c.r, c.g, c.b});
    const int least = std::min({c.r, c.g, c.b});
    return most - least > 120;
}

// CIE L*a*b* of a colour of the picture (sRGB, D65).
std::array<double, 3> lab(const Colour4& c)
{
    const auto linear = [](double u) { return u <= 0.04045 ? u / 12.92 : std::pow((u + 0.055) / 1.055, 2.4); };
    const double r = linear(c.red), g = linear(c.green), b = linear(c.blue);
    const double x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047;
    const double y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
    const double z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883;
    const auto f = [](double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116.0; };
    return {116.0 * f(y) - 16.0, 500.0 * (f(x) - f(y)), 200.0 * (f(y) - f(z))};
}

double colour_distance(const Colour4& a, const Colour4& b)
{
    const std::array<double, 3> p = lab(a), q = lab(b);
    return std::hypot(p[0] - q[0], p[1] - q[1], p[2] - q[2]);
}

// Every two modes differ by a colour difference well above what the eye
// confuses, and none is taken for the forcing's green or the marks' black;
// in the picture, mode 4's trace is not the red of mode 1's.
TEST(ModesPicture, EveryModeHasAColourOfItsOwn)
{
    using modes::mode_colours;
    for (std::size_t i = 0; i < mode_colours.size(); ++i) {
        for (std::size_t j = i + 1; j < mode_colours.size(); ++j) {
            EXPECT_GT(colour_distance(mode_colours[i], mode_colours[j]), 20.0) << "modes " << i + 1 << ", " << j + 1;
        }
        EXPECT_GT(colour_distance(mode_colours[i], modes::force_green), 30.0) << "mode " << i + 1;
        EXPECT_GT(colour_distance(mode_colours[i], modes::mark_black), 30.0) << "mode " << i + 1;
    }
    // The traces' panel (1024 x 768: x 573 ... 1003, y 100 ... 253, zero at
    // 177) away from the line of zero, where unexcited modes lie.
    const Picture p = modes_png({"--masses", "6", "--mode", "4"});
    ASSERT_FALSE(p.empty());
    EXPECT_EQ(e2e::count(p, {576, 102, 1000, 168}, pure_red) + e2e::count(p, {576, 186, 1000, 252}, pure_red), 0);
    EXPECT_GT(e2e::count_not_white(p, {576, 102, 1000, 168}) + e2e::count_not_white(p, {576, 186, 1000, 252}), 100);
}

// A spring of 0 is not drawn: in the chain's panel (x 47 ... 507, y 100 ...
// 253) no string crosses the columns halfway between the masses it would
// join, while the springs that are there are drawn.
TEST(ModesPicture, SpringsOfZeroAreLeftOutOfTheChain)
{
    // Three masses at x 140, 255, 369; springs 1 and 3 (mass 1 to 2, mass 3
    // to the right end) are 0.
    const Picture split = modes_png({"--masses", "3", "--stiffness", "1,0,1,0"});
    ASSERT_FALSE(split.empty());
    EXPECT_EQ(e2e::count(split, {205, 100, 214, 253}, pure_red), 0);
    EXPECT_EQ(e2e::count(split, {433, 100, 442, 253}, pure_red), 0);
    EXPECT_GT(e2e::count(split, {80, 100, 100, 253}, pure_red), 0);  // spring 0
    // One mass with no spring at all: no string either side of it.
    const Picture free = modes_png({"--masses", "1", "--stiffness", "0,0"});
    ASSERT_FALSE(free.empty());
    EXPECT_EQ(e2e::count(free, {100, 100, 220, 253}, pure_red), 0);
    EXPECT_EQ(e2e::count(free, {335, 100, 455, 253}, pure_red), 0);
}

// The arrow at the forcing frequency stands inside the response panel (top
// at y 537), under its title.
TEST(ModesPicture, TheForcingArrowStaysUnderTheResponsePanelsTitle)
{
    const Picture p = modes_png({"--masses", "3", "--force-at", "2", "--force-frequency", "1.414"});
    ASSERT_FALSE(p.empty());
    EXPECT_EQ(e2e::count(p, {297, 505, 498, 537}, force_green), 0);
    EXPECT_GT(e2e::count(p, {297, 538, 498, 620}, force_green), 20);
}

// With seven modes in a column, each "ω = ..." label (at the right of the
// shapes' panel, x 905 ... 1000) stands in a band of rows of its own, with
// three clear rows above and below it, that no chain reaches anywhere across the
// panel (x 600 ... 1000, right of the modes' numbers).
TEST(ModesPicture, TheShapesLabelsStandClearOfTheShapes)
{
    const Picture p = modes_png({"--masses", "7"});
    ASSERT_FALSE(p.empty());
    std::vector<bool> text(static_cast<std::size_t>(p.height)), chain(static_cast<std::size_t>(p.height));
    for (int y = 318; y < 712; ++y) {
        for (int x = 600; x < 1000; ++x) {
            if (x >= 905) text[static_cast<std::size_t>(y)] = text[static_cast<std::size_t>(y)] || label_grey(p.at(x, y));
            chain[static_cast<std::size_t>(y)] = chain[static_cast<std::size_t>(y)] || chain_colour(p.at(x, y));
        }
    }
    int text_rows = 0;
    for (int y = 321; y < 709; ++y) {
        if (!text[static_cast<std::size_t>(y)]) continue;
        ++text_rows;
        for (int near = y - 3; near <= y + 3; ++near) EXPECT_FALSE(chain[static_cast<std::size_t>(near)]) << "rows " << y << ", " << near;
    }
    EXPECT_GT(text_rows, 7 * 6);
}

// In a window smaller than the picture's least size the picture is the
// large one shrunk whole, labels too, so they keep apart as there: in
// 400 x 300 and, letterboxed, in 1250 x 400, whose bands at the sides stay
// white.
TEST(ModesPicture, SmallAndWideWindowsShowTheWholePictureShrunk)
{
    const std::vector<std::string> chain = {"--masses", "6", "--force-at", "2"};
    const Picture large = modes_png(chain);
    ASSERT_FALSE(large.empty());
    std::vector<std::string> small_args = chain, wide_args = chain;
    small_args.insert(small_args.end(), {"--size", "400x300"});
    wide_args.insert(wide_args.end(), {"--size", "1250x400"});
    const Picture small = modes_png(small_args);
    const Picture wide = modes_png(wide_args);
    ASSERT_EQ(small.width, 400);
    ASSERT_EQ(wide.width, 1250);
    EXPECT_LT(largest_block_difference(small, large, {0, 0, 400, 300}, 0, 0, 1024.0 / 400.0, 10), 16);
    // 1250 x 400 holds the picture at 533 x 400 from x 358.
    EXPECT_LT(largest_block_difference(wide, large, {358, 0, 891, 400}, 358, 0, 768.0 / 400.0, 10), 16);
    EXPECT_EQ(e2e::count_not_white(wide, {0, 0, 356, 400}), 0);
    EXPECT_EQ(e2e::count_not_white(wide, {893, 0, 1250, 400}), 0);
}

}  // namespace
}  // namespace vibsim::windows
