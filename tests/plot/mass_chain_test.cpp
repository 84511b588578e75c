// draw_mass_chain on the real GL of a test window: the string, the fixed ends
// and the masses, their sizes, colours and order, read back through feedback.
#include "vibsim/plot.hpp"

#include "plot_readback.hpp"

#include <gtest/gtest.h>

namespace vibsim {
namespace {

using test::expect_colour;
using test::expect_point;

constexpr Colour4 red{1.0f, 0.0f, 0.0f, 0.0f};
// The right end disc reaches x = 1.0: look a little wider than the window.
constexpr double half = 1.25;

using MassChain = test::PlotTest;

TEST_F(MassChain, OneMassSitsMidwayBetweenTheEnds)
{
    const double disp[] = {0.4};
    const test::Drawn drawn =
        test::read_drawn([&] { draw_mass_chain({-0.5, 0.0}, 0.5, 1, disp); }, half);

    ASSERT_EQ(drawn.segments.size(), 2u);
    expect_point(drawn.segments[0].from, {-0.5, 0.0}, half);
    expect_point(drawn.segments[0].to, {0.245, 0.2}, half);
    expect_point(drawn.segments[1].from, {0.245, 0.2}, half);
    expect_point(drawn.segments[1].to, {0.99, 0.0}, half);

    ASSERT_EQ(drawn.discs.size(), 3u);
    expect_point(drawn.discs[0].centre, {-0.5, 0.0}, half);
    expect_point(drawn.discs[1].centre, {0.99, 0.0}, half);
    expect_point(drawn.discs[2].centre, {0.245, 0.2}, half);
    EXPECT_NEAR(drawn.discs[0].radius, 0.01, 1e-4);
    EXPECT_NEAR(drawn.discs[1].radius, 0.01, 1e-4);
    EXPECT_NEAR(drawn.discs[2].radius, 0.04, 1e-4);
    for (const test::Disc& d : drawn.discs) EXPECT_EQ(d.vertices, 100);
}

TEST_F(MassChain, MassesSitAtEqualIntervalsOnTheJointsOfTheRedString)
{
    glLineWidth(3.0f);
    const Point2 left{-0.8, 0.1};
    const double scale = 2.0;
    const double disp[] = {0.1, -0.05, 0.2};
    const double spacing = (0.99 + 0.8) / 4.0;
    const test::Drawn drawn =
        test::read_drawn([&] { draw_mass_chain(left, scale, 3, disp); }, half);

    // The string first, left to right, joint to joint.
    EXPECT_TRUE(drawn.segments_first);
    ASSERT_EQ(drawn.segments.size(), 4u);
    expect_point(drawn.segments[0].from, left, half);
    expect_point(drawn.segments[3].to, {0.99, 0.1}, half);
    for (const test::Segment& s : drawn.segments) expect_colour(s.colour, red);

    // Then the two red ends, then mass i in plot_palette[i] on joint i.
    ASSERT_EQ(drawn.discs.size(), 5u);
    expect_point(drawn.discs[0].centre, left, half);
    expect_point(drawn.discs[1].centre, {0.99, 0.1}, half);
    expect_colour(drawn.discs[0].colour, red);
    expect_colour(drawn.discs[1].colour, red);
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const Point2 mass{left.x + static_cast<double>(i + 1) * spacing, left.y + scale * disp[i]};
        const test::Disc& d = drawn.discs[i + 2];
        expect_point(d.centre, mass, half);
        EXPECT_NEAR(d.radius, 0.04, 1e-4);
        expect_colour(d.colour, plot_palette[i]);
        expect_point(drawn.segments[i].to, mass, half);
        expect_point(drawn.segments[i + 1].from, mass, half);
    }

    // The string took the width in force; the last mass's colour is current.
    EXPECT_EQ(test::read_gl_state().line_width, 3.0f);
    EXPECT_TRUE(test::read_gl_state().lighting);
    expect_colour(test::current_colour(), plot_palette[2]);
}

TEST_F(MassChain, WithoutMassesIsOneSegmentBetweenTheTwoEnds)
{
    for (const int n : {0, -2}) {
        SCOPED_TRACE(n);
        test::reset_gl_state();
        const test::Drawn drawn =
            test::read_drawn([&] { draw_mass_chain({-0.3, -0.4}, 1.0, n, nullptr); }, half);
        ASSERT_EQ(drawn.segments.size(), 1u);
        expect_point(drawn.segments[0].from, {-0.3, -0.4}, half);
        expect_point(drawn.segments[0].to, {0.99, -0.4}, half);
        ASSERT_EQ(drawn.discs.size(), 2u);
        for (const test::Disc& d : drawn.discs) {
            EXPECT_NEAR(d.radius, 0.01, 1e-4);
            expect_colour(d.colour, red);
        }
        expect_colour(test::current_colour(), red);
    }
}

TEST_F(MassChain, RightEndStaysAt099WhereverTheLeftEndIs)
{
    // Left of the right end: the spacing is negative and the masses lie to the
    // left of the left end.
    const double disp[] = {0.0, 0.0};
    const test::Drawn drawn =
        test::read_drawn([&] { draw_mass_chain({1.2, -0.3}, 1.0, 2, disp); }, half);
    ASSERT_EQ(drawn.discs.size(), 4u);
    expect_point(drawn.discs[0].centre, {1.2, -0.3}, half);
    expect_point(drawn.discs[1].centre, {0.99, -0.3}, half);
    expect_point(drawn.discs[2].centre, {1.13, -0.3}, half);
    expect_point(drawn.discs[3].centre, {1.06, -0.3}, half);
    ASSERT_EQ(drawn.segments.size(), 3u);
    expect_point(drawn.segments[2].to, {0.99, -0.3}, half);
}

}  // namespace
}  // namespace vibsim
