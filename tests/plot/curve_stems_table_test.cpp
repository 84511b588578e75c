// plot_xy_curve, plot_stems and plot_series_table on the real GL of a test
// window: what they draw, in which colours, and the line width they leave.
#include "vibsim/plot.hpp"

#include "plot_readback.hpp"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

namespace vibsim {
namespace {

using test::expect_colour;
using test::expect_point;

float line_width() { return test::read_gl_state().line_width; }

using PlotVariants = test::PlotTest;

TEST_F(PlotVariants, XyCurveDrawsTheSecondRowAgainstTheFirstInBlack)
{
    const double rows[] = {0.1, 0.4, -0.2, 0.3,  // x samples
                           -0.5, 0.2, 0.6, 0.0};  // y samples, from offset 4
    const Point2 o{0.1, -0.1};
    const test::Drawn drawn = test::read_drawn([&] { plot_xy_curve(o, 2.0, 0.5, 3, rows, 4); });
    ASSERT_EQ(drawn.segments.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        expect_point(drawn.segments[i].from, {o.x + 2.0 * rows[i], o.y + 0.5 * rows[4 + i]});
        expect_point(drawn.segments[i].to, {o.x + 2.0 * rows[i + 1], o.y + 0.5 * rows[5 + i]});
        expect_colour(drawn.segments[i].colour, {0.0f, 0.0f, 0.0f, 0.0f});
    }
    EXPECT_EQ(line_width(), 2.0f);

    glLineWidth(1.0f);
    EXPECT_TRUE(test::read_drawn([&] { plot_xy_curve(o, 1, 1, 0, rows, 4); }).segments.empty());
    EXPECT_EQ(line_width(), 2.0f);
}

TEST_F(PlotVariants, StemsRiseAndHangFromTheBaselineInRed)
{
    const double values[] = {0.0, 0.5, -0.4};
    const Point2 o{-0.3, 0.2};
    const test::Drawn drawn = test::read_drawn([&] { plot_stems(o, 0.25, 0.5, 2, values); });
    ASSERT_EQ(drawn.segments.size(), 3u);  // a zero sample still has its stem
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const double x = o.x + 0.25 * static_cast<double>(i);
        expect_point(drawn.segments[i].from, {x, o.y});
        expect_point(drawn.segments[i].to, {x, o.y + 0.5 * values[i]});
        expect_colour(drawn.segments[i].colour, colour_red);
    }

    const auto stems = [&](int n) {
        return test::read_drawn([&] { plot_stems(o, 1, 1, n, values); }).segments.size();
    };
    EXPECT_EQ(stems(0), 1u);
    glLineWidth(1.0f);
    EXPECT_EQ(stems(-1), 0u);
    EXPECT_EQ(line_width(), 2.0f);
}

TEST_F(PlotVariants, SeriesTableDrawsWhatTheSeriesSetDraws)
{
    std::vector<double> values(3 * 7);
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = 0.1 * static_cast<double>(i % 9) - 0.35;
    const double yscales[] = {1.5, 0.7, -1.1};
    const Point2 o{-0.8, 0.05};
    const auto table = test::capture_feedback(
        [&] { plot_series_table(o, 0.3, yscales, 5, 3, values.data(), 7); });
    const auto set = test::capture_feedback(
        [&] { plot_series_set(o, 0.3, yscales, 3, 5, values.data(), 7); });
    ASSERT_EQ(table.size(), 15u);
    const auto flat = [](const std::vector<test::FeedbackToken>& tokens) {
        std::vector<double> f;
        for (const auto& t : tokens) {
            for (const auto& v : t.vertices) f.insert(f.end(), {v.x, v.y, v.red, v.green, v.blue});
        }
        return f;
    };
    EXPECT_EQ(flat(table), flat(set));

    // No series: still the width, and no lighting switch.
    glLineWidth(3.0f);
    glDisable(GL_LIGHTING);
    const auto none = [] { plot_series_table({0, 0}, 1, nullptr, 5, 0, nullptr, 1); };
    EXPECT_TRUE(test::capture_feedback(none).empty());
    EXPECT_EQ(line_width(), 2.0f);
    EXPECT_FALSE(test::read_gl_state().lighting);
}

}  // namespace
}  // namespace vibsim
