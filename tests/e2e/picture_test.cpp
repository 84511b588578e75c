// What vibsim's window shows after start-up, measured on its pixels: the grid
// and the axes, the three labels, the mass on its string and the two curves;
// and the same picture squeezed into a narrower window.
#include "simulator.hpp"
#include "view.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

namespace vibsim::e2e {
namespace {

std::string slow_answers() { return std::string(slow_constants) + slow_initial_conditions; }

std::string describe(const std::vector<double>& lines)
{
    std::ostringstream text;
    for (const double l : lines) text << l << ' ';
    return text.str();
}

// Lines at anchor + k * spacing, each within a pixel and a half of its place,
// and `expected` of them.
::testing::AssertionResult lines_every(const std::vector<double>& lines, double anchor, double spacing,
                                       std::size_t expected)
{
    for (const double l : lines) {
        const double steps = (l - anchor) / spacing;
        if (std::abs(steps - std::round(steps)) * spacing > 1.5) {
            return ::testing::AssertionFailure() << "a line at " << l << " is off the " << spacing
                                                 << " px spacing from " << anchor << "; lines: " << describe(lines);
        }
    }
    if (lines.size() != expected) {
        return ::testing::AssertionFailure() << lines.size() << " lines, not " << expected
                                             << "; lines: " << describe(lines);
    }
    return ::testing::AssertionSuccess();
}

bool near_grid(int v, double spacing) { return std::abs(v - spacing * std::round(v / spacing)) <= 1.5; }

// Pixels of a band that are neither white nor part of the 40 px grid.
int marks_off_the_grid(const Picture& p, Region band)
{
    int n = 0;
    for (int y = band.y0; y < band.y1; ++y) {
        for (int x = band.x0; x < band.x1; ++x) {
            if (!is_white(p.at(x, y)) && !near_grid(x, 40.0) && !near_grid(y, 40.0)) ++n;
        }
    }
    return n;
}

class Picture800 : public ::testing::Test {
protected:
    void SetUp() override
    {
        VIBSIM_REQUIRE_X_SESSION(x);
        vibsim.emplace(x, slow_answers());
        ASSERT_TRUE(vibsim->wait_for_window());
        ASSERT_EQ(picture().width, 800);
        ASSERT_EQ(picture().height, 800);
    }
    const Picture& picture() const { return vibsim->picture(); }

    XSession x;
    std::optional<Simulator> vibsim;
};

TEST_F(Picture800, GridOfTenthCellsFillsTheLeftHalfAndAxesCrossTheCurveOrigin)
{
    const Picture& p = picture();
    // One cell is 1 s by 0.2 m: 0.1 by 0.1 drawing units, 40 px. The grid
    // ends at the string's left end, x = 0, and spans the whole height.
    const std::vector<double> rows = horizontal_lines(p, {0, 0, 400, 800}, is_dark, 0.8);
    const std::vector<double> inner_rows(std::find_if(rows.begin(), rows.end(), [](double r) { return r > 20; }),
                                         std::find_if(rows.begin(), rows.end(), [](double r) { return r > 780; }));
    EXPECT_TRUE(lines_every(inner_rows, 400.0, 40.0, 19));

    std::vector<double> columns = vertical_lines(p, {0, 0, 800, 800}, is_dark, 0.8);
    // The vertical axis: at x = -0.99, pixel 4, two pixels wide.
    ASSERT_FALSE(columns.empty());
    const auto axis = std::find_if(columns.begin(), columns.end(), [](double c) { return c > 2 && c < 7; });
    ASSERT_NE(axis, columns.end()) << "no vertical axis near x = 4; lines: " << describe(columns);
    columns.erase(axis);
    std::erase_if(columns, [](double c) { return c < 20; });  // the edge of the window
    EXPECT_TRUE(lines_every(columns, 400.0, 40.0, 10)) << "vertical grid lines from x = 40 to x = 400 only";

    // Right of the grid only the horizontal axis crosses the window.
    const std::vector<double> right_rows = horizontal_lines(p, {402, 0, 800, 800}, is_dark, 0.8);
    ASSERT_EQ(right_rows.size(), 1u) << describe(right_rows);
    EXPECT_NEAR(right_rows[0], pixel_y(0.0, 800), 1.5);
}

TEST_F(Picture800, ThreeLabelsStandAtTheTopLeft)
{
    const Picture& p = picture();
    // Baselines at y = 0.9, 0.85 and 0.8: rows 40, 60 and 80. The 18 point
    // font rises about 13 px above its baseline.
    for (const double y : {0.9, 0.85, 0.8}) {
        const int baseline = static_cast<int>(pixel_y(y, 800));
        EXPECT_GT(marks_off_the_grid(p, {36, baseline - 14, 400, baseline + 3}), 100)
            << "no label with its baseline at row " << baseline;
    }
    // Below the labels, the grid cells of the upper left are empty.
    EXPECT_EQ(marks_off_the_grid(p, {36, 100, 400, 180}), 0);
    // Nothing is written right of the grid.
    EXPECT_EQ(count_not_white(p, {420, 0, 800, 150}), 0);
}

TEST_F(Picture800, MassHangsAtTheMiddleOfTheStringAtHalfItsDisplacement)
{
    const Picture& p = picture();
    const std::optional<Disc> disc = mass_disc(p);
    ASSERT_TRUE(disc.has_value()) << "no mass disc in the right half";
    EXPECT_NEAR(disc->x, pixel_x(mass_x, 800), 2.0);
    EXPECT_NEAR(disc->y, pixel_y(default_vertical_scale * slow_y0, 800), 2.0);
    EXPECT_NEAR(disc->width, 2 * mass_radius * 400, 3);
    EXPECT_NEAR(disc->height, 2 * mass_radius * 400, 3);

    // The string runs from (0, 0) up to the mass and down to (0.99, 0); the
    // right fixed end is a small red disc on the axis.
    const double left_x = pixel_x(0.0, 800);
    const double right_x = pixel_x(chain_right_x, 800);
    const double axis_y = pixel_y(0.0, 800);
    const int mid_left_x = static_cast<int>((left_x + disc->x) / 2);
    const int mid_right_x = static_cast<int>((right_x + disc->x) / 2);
    const int mid_y = static_cast<int>((axis_y + disc->y) / 2);
    EXPECT_GT(count(p, {mid_left_x - 3, mid_y - 3, mid_left_x + 4, mid_y + 4}, is_red), 0);
    EXPECT_GT(count(p, {mid_right_x - 3, mid_y - 3, mid_right_x + 4, mid_y + 4}, is_red), 0);
    EXPECT_GT(count(p, {static_cast<int>(right_x) - 4, static_cast<int>(axis_y) - 4, static_cast<int>(right_x) + 4,
                        static_cast<int>(axis_y) + 4},
                    is_red),
              20);
    // Nothing red hangs below the axis.
    EXPECT_EQ(count(p, {402, static_cast<int>(axis_y) + 6, 800, 800}, is_red), 0);
}

TEST_F(Picture800, DisplacementInRedAndVelocityInGreenStartAtTheLeftEdge)
{
    const Picture& p = picture();
    const double start = pixel_x(curve_start_x, 800);
    // y(t) stays at y0 = 0.9 m, drawn at 0.45; v(t) stays 0, on the axis.
    const std::optional<Extent> displacement = curve_at(p, default_vertical_scale * slow_y0, is_red);
    ASSERT_TRUE(displacement.has_value()) << "no red curve at the height of y0";
    EXPECT_NEAR(displacement->first, start, 2.0);
    const std::optional<Extent> velocity = curve_at(p, 0.0, is_green);
    ASSERT_TRUE(velocity.has_value()) << "no green curve on the axis";
    EXPECT_NEAR(velocity->first, start, 2.0);
    EXPECT_NEAR(velocity->last, displacement->last, 2.0) << "both curves end at the same frame";
    // Each curve has its own colour: no green at the height of y, no red on
    // the axis left of the string.
    EXPECT_FALSE(curve_at(p, default_vertical_scale * slow_y0, is_green).has_value());
    EXPECT_FALSE(curve_at(p, 0.0, is_red).has_value());
}

TEST_F(Picture800, NarrowWindowKeepsTheWholePictureSqueezedSideways)
{
    x.resize(vibsim->window(), 400, 800);
    ASSERT_TRUE(vibsim->wait_for_picture(
        [](const Picture& p) {
            const std::optional<Disc> disc = mass_disc(p);
            return p.width == 400 && disc && std::abs(disc->x - pixel_x(mass_x, 400)) < 3;
        },
        "the mass at its place in a 400 px wide window"));
    const Picture& p = picture();
    ASSERT_EQ(p.height, 800);

    // The disc is squeezed to half its width; heights are unchanged.
    const std::optional<Disc> disc = mass_disc(p);
    ASSERT_TRUE(disc.has_value());
    EXPECT_NEAR(disc->y, pixel_y(default_vertical_scale * slow_y0, 800), 2.0);
    EXPECT_NEAR(disc->width, 2 * mass_radius * 200, 3);
    EXPECT_NEAR(disc->height, 2 * mass_radius * 400, 3);

    // The right fixed end is still in the window, at x = 0.99.
    const int right_x = static_cast<int>(pixel_x(chain_right_x, 400));
    EXPECT_GT(count(p, {right_x - 3, 396, right_x + 2, 405}, is_red), 5);
    // The grid cells are 20 px wide, from the left edge to the middle.
    std::vector<double> columns = vertical_lines(p, {0, 0, 400, 800}, is_dark, 0.8);
    std::erase_if(columns, [](double c) { return c < 10; });  // the axis and the window's edge
    EXPECT_TRUE(lines_every(columns, 200.0, 20.0, 10));
    // The curves still start at x = -0.99.
    const std::optional<Extent> displacement = curve_at(p, default_vertical_scale * slow_y0, is_red);
    ASSERT_TRUE(displacement.has_value());
    EXPECT_NEAR(displacement->first, pixel_x(curve_start_x, 400), 2.0);
}

}  // namespace
}  // namespace vibsim::e2e
