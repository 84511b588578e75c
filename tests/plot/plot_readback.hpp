// What a plot drew, read back through GL feedback in world units: its
// segments and its discs, in drawing order, with their colours.
#pragma once

#include "vibsim/geometry.hpp"

#include "gl_feedback.hpp"
#include "gl_window.hpp"

#include <GL/gl.h>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace vibsim::test {

// Feedback comes back in single precision: a few millionths of a world unit.
inline constexpr double plot_tolerance = 1e-5;

struct Segment {
    Point2 from, to;
    Colour4 colour;
};

struct Disc {
    Point2 centre;  // the mean of the polygon's vertices
    double radius;  // their mean distance from it
    int vertices;
    Colour4 colour;
};

struct Drawn {
    std::vector<Segment> segments;
    std::vector<Disc> discs;
    bool segments_first = true;  // no segment after the first disc
};

inline Colour4 colour_of(const FeedbackVertex& v)
{
    return {static_cast<float>(v.red), static_cast<float>(v.green), static_cast<float>(v.blue),
            static_cast<float>(v.alpha)};
}

// Runs `draw` in feedback mode under a projection of -half .. +half.
inline Drawn read_drawn(const std::function<void()>& draw, double half_extent = 1.0)
{
    std::vector<FeedbackToken> tokens;
    {
        const ScopedOrtho ortho(half_extent);
        tokens = capture_feedback(draw);
    }
    const auto world = [&](const FeedbackVertex& v) {
        return Point2{world_from_pixel(v.x, half_extent), world_from_pixel(v.y, half_extent)};
    };
    Drawn drawn;
    bool seen_polygon = false;
    for (const FeedbackToken& t : tokens) {
        if (t.kind == TokenKind::line) {
            drawn.segments.push_back(
                {world(t.vertices[0]), world(t.vertices[1]), colour_of(t.vertices[0])});
            drawn.segments_first = drawn.segments_first && !seen_polygon;
        }
        seen_polygon = seen_polygon || t.kind == TokenKind::polygon;
    }
    for (const std::vector<FeedbackVertex>& polygon : polygon_vertex_sets(tokens)) {
        Point2 c{0.0, 0.0};
        for (const FeedbackVertex& v : polygon) {
            const Point2 w = world(v);
            c.x += w.x / static_cast<double>(polygon.size());
            c.y += w.y / static_cast<double>(polygon.size());
        }
        double r = 0.0;
        for (const FeedbackVertex& v : polygon) {
            const Point2 w = world(v);
            r += std::hypot(w.x - c.x, w.y - c.y) / static_cast<double>(polygon.size());
        }
        drawn.discs.push_back({c, r, static_cast<int>(polygon.size()), colour_of(polygon[0])});
    }
    return drawn;
}

inline void expect_point(Point2 actual, Point2 expected, double half_extent = 1.0)
{
    EXPECT_NEAR(actual.x, expected.x, plot_tolerance * half_extent);
    EXPECT_NEAR(actual.y, expected.y, plot_tolerance * half_extent);
}

inline void expect_colour(const Colour4& actual, const Colour4& expected)
{
    EXPECT_EQ(actual.red, expected.red);
    EXPECT_EQ(actual.green, expected.green);
    EXPECT_EQ(actual.blue, expected.blue);
    EXPECT_EQ(actual.alpha, expected.alpha);
}

inline Colour4 current_colour()
{
    const GlState state = read_gl_state();
    return {state.colour[0], state.colour[1], state.colour[2], state.colour[3]};
}

// Each test starts from reset_gl_state() on the test window.
class PlotTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        VIBSIM_REQUIRE_GL_WINDOW();
        reset_gl_state();
    }
    // Nothing drawn in render mode may stay queued until exit (Mesa would
    // compile shaders after its compiler was torn down).
    void TearDown() override { glFinish(); }
};

}  // namespace vibsim::test
