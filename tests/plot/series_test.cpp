// plot_series and plot_series_set on the real GL of a test window: the
// segments between the samples, their colours, and the line width left.
#include "vibsim/plot.hpp"

#include "plot_readback.hpp"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

namespace vibsim {
namespace {

using test::expect_colour;
using test::expect_point;

constexpr Colour4 blue{0.0f, 0.0f, 1.0f, 0.0f};

float line_width() { return test::read_gl_state().line_width; }

using PlotSeries = test::PlotTest;

TEST_F(PlotSeries, JoinsTheSamplesWithOneSegmentEach)
{
    const Point2 origin{-0.9, 0.1};
    const double values[] = {0.0, 1.0, -1.0, 0.5, 0.2};
    const test::Drawn drawn =
        test::read_drawn([&] { plot_series(origin, 0.05, 0.5, 4, values, blue); });
    ASSERT_EQ(drawn.segments.size(), 4u);
    EXPECT_TRUE(drawn.discs.empty());
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const double x = -0.9 + 0.05 * static_cast<double>(i);
        expect_point(drawn.segments[i].from, {x, 0.1 + 0.5 * values[i]});
        expect_point(drawn.segments[i].to, {x + 0.05, 0.1 + 0.5 * values[i + 1]});
        expect_colour(drawn.segments[i].colour, blue);
    }
    EXPECT_EQ(line_width(), 2.0f);
    EXPECT_TRUE(test::read_gl_state().lighting);
    expect_colour(test::current_colour(), blue);
}

TEST_F(PlotSeries, LastSampleZeroDrawsNothingButSetsTheWidthAndOneDrawsOneSegment)
{
    const double values[] = {0.4, -0.2};
    glDisable(GL_LIGHTING);
    const test::Drawn none =
        test::read_drawn([&] { plot_series({0.0, 0.0}, 0.1, 1.0, 0, values, blue); });
    EXPECT_TRUE(none.segments.empty());
    EXPECT_EQ(line_width(), 2.0f);
    EXPECT_FALSE(test::read_gl_state().lighting) << "no segment, no lighting switch";

    glLineWidth(1.0f);
    const double yscales[] = {1.0, 1.0};
    const test::Drawn no_segments = test::read_drawn(
        [&] { plot_series_set({0.0, 0.0}, 0.1, yscales, 2, 0, values, 1); });
    EXPECT_TRUE(no_segments.segments.empty());
    EXPECT_EQ(line_width(), 2.0f);
    EXPECT_FALSE(test::read_gl_state().lighting);

    const test::Drawn one =
        test::read_drawn([&] { plot_series({0.2, -0.1}, 0.3, 0.5, 1, values, blue); });
    ASSERT_EQ(one.segments.size(), 1u);
    expect_point(one.segments[0].from, {0.2, 0.1});
    expect_point(one.segments[0].to, {0.5, -0.2});
}

using PlotSeriesSet = test::PlotTest;

TEST_F(PlotSeriesSet, NoSeriesDrawsNothingAndLeavesTheWidth)
{
    glLineWidth(3.0f);
    const test::Drawn drawn =
        test::read_drawn([] { plot_series_set({0.0, 0.0}, 0.1, nullptr, 0, 5, nullptr, 1001); });
    EXPECT_TRUE(drawn.segments.empty());
    EXPECT_EQ(line_width(), 3.0f);
}

TEST_F(PlotSeriesSet, SeriesAreRowsOfTheStrideInPaletteColoursWithTheirOwnScales)
{
    // Two rows of a 2 x 1001 array, as the frame driver keeps its history;
    // only samples 0 .. 3 of each row may be drawn.
    std::vector<double> values(2 * 1001, 50.0);
    const double row0[] = {0.1, 0.2, 0.3, 0.4};
    const double row1[] = {-0.4, 0.0, 0.8, -0.8};
    for (std::size_t i = 0; i < 4; ++i) {
        values[i] = row0[i];
        values[1001 + i] = row1[i];
    }
    const double yscales[] = {2.0, 0.5};
    const Point2 origin{-0.5, 0.05};
    const test::Drawn drawn = test::read_drawn(
        [&] { plot_series_set(origin, 0.1, yscales, 2, 3, values.data(), 1001); });

    ASSERT_EQ(drawn.segments.size(), 6u);
    for (std::size_t k = 0; k < 2; ++k) {
        const double* row = k == 0 ? row0 : row1;
        for (std::size_t i = 0; i < 3; ++i) {
            SCOPED_TRACE(testing::Message() << "series " << k << ", segment " << i);
            const test::Segment& s = drawn.segments[3 * k + i];
            const double x = origin.x + 0.1 * static_cast<double>(i);
            expect_point(s.from, {x, origin.y + yscales[k] * row[i]});
            expect_point(s.to, {x + 0.1, origin.y + yscales[k] * row[i + 1]});
            expect_colour(s.colour, plot_palette[k]);
        }
    }
    expect_colour(drawn.segments[0].colour, {1.0f, 0.0f, 0.0f, 0.0f});
    expect_colour(drawn.segments[3].colour, {0.0f, 1.0f, 0.0f, 0.0f});
    EXPECT_EQ(line_width(), 2.0f);
    expect_colour(test::current_colour(), plot_palette[1]);
}

}  // namespace
}  // namespace vibsim
