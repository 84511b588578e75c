// draw_line, draw_disc, draw_origin_cross and draw_grid on the real GL of a
// test window: what they draw, read back through GL feedback, and what they
// leave in the GL state.
#include "vibsim/draw.hpp"
#include "vibsim/shape_scope.hpp"

#include "gl_feedback.hpp"
#include "gl_window.hpp"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <vector>

namespace vibsim {
namespace {

using test::FeedbackToken;
using test::FeedbackVertex;
using test::TokenKind;

// Feedback comes back in single precision: a few millionths of a world unit.
constexpr double tolerance = 1e-5;
constexpr Colour4 black{0.0f, 0.0f, 0.0f, 0.0f};
constexpr Colour4 red{1.0f, 0.0f, 0.0f, 0.0f};

Point2 world(const FeedbackVertex& v, double half_extent = 1.0)
{
    return {test::world_from_pixel(v.x, half_extent), test::world_from_pixel(v.y, half_extent)};
}

void expect_at(const FeedbackVertex& v, Point2 p, double half_extent = 1.0)
{
    const Point2 w = world(v, half_extent);
    EXPECT_NEAR(w.x, p.x, tolerance * half_extent);
    EXPECT_NEAR(w.y, p.y, tolerance * half_extent);
}

void expect_colour(const FeedbackVertex& v, const Colour4& c)
{
    EXPECT_EQ(v.red, c.red);
    EXPECT_EQ(v.green, c.green);
    EXPECT_EQ(v.blue, c.blue);
    EXPECT_EQ(v.alpha, c.alpha);
}

void expect_segment(const FeedbackToken& token, Point2 from, Point2 to, const Colour4& colour,
                    double half_extent = 1.0)
{
    ASSERT_EQ(token.kind, TokenKind::line);
    expect_at(token.vertices[0], from, half_extent);
    expect_at(token.vertices[1], to, half_extent);
    expect_colour(token.vertices[0], colour);
    expect_colour(token.vertices[1], colour);
}

void expect_current_colour(const Colour4& c)
{
    const test::GlState state = test::read_gl_state();
    EXPECT_EQ(state.colour, (std::array<float, 4>{c.red, c.green, c.blue, c.alpha}));
}

float line_width() { return test::read_gl_state().line_width; }
bool lighting() { return test::read_gl_state().lighting; }

// The vertex that every triangle of a fan shares: the polygon's first vertex.
FeedbackVertex fan_apex(const std::vector<FeedbackToken>& triangles)
{
    for (const FeedbackVertex& candidate : triangles.front().vertices) {
        bool in_all = true;
        for (const FeedbackToken& t : triangles) {
            bool here = false;
            for (const FeedbackVertex& v : t.vertices) {
                here = here || (v.x == candidate.x && v.y == candidate.y);
            }
            in_all = in_all && here;
        }
        if (in_all) return candidate;
    }
    ADD_FAILURE() << "the triangles share no vertex";
    return {};
}

double signed_area(const FeedbackToken& triangle)
{
    const FeedbackVertex& a = triangle.vertices[0];
    const FeedbackVertex& b = triangle.vertices[1];
    const FeedbackVertex& c = triangle.vertices[2];
    return 0.5 * ((b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y));
}

class Shapes : public ::testing::Test {
protected:
    void SetUp() override
    {
        VIBSIM_REQUIRE_GL_WINDOW();
        test::reset_gl_state();
    }
    // Finish what was drawn in render mode now: work still queued at exit would
    // make Mesa compile shaders after its compiler was torn down.
    void TearDown() override { glFinish(); }
};

TEST_F(Shapes, LineIsOneSegmentInItsColourWithTheWidthInForce)
{
    glLineWidth(3.0f);
    const Colour4 colour{0.2f, 0.4f, 0.6f, 0.0f};
    const auto tokens =
        test::capture_feedback([&] { draw_line({-0.5, 0.25}, {0.75, -0.125}, colour); });
    ASSERT_EQ(tokens.size(), 1u);
    expect_segment(tokens[0], {-0.5, 0.25}, {0.75, -0.125}, colour);

    EXPECT_TRUE(lighting());
    EXPECT_EQ(line_width(), 3.0f);
    expect_current_colour(colour);
}

TEST_F(Shapes, DiscIsA100GonCounterClockwiseFromAngleZero)
{
    const Point2 centre{0.25, -0.5};
    const double r = 0.3;
    const Colour4 colour{0.0f, 0.6f, 1.0f, 0.0f};
    const auto tokens = test::capture_feedback([&] { draw_disc(centre, r, colour); });

    // Mesa hands the polygon back as a fan of 98 triangles around vertex 0.
    ASSERT_EQ(tokens.size(), 98u);
    const auto polygons = test::polygon_vertex_sets(tokens);
    ASSERT_EQ(polygons.size(), 1u);
    ASSERT_EQ(polygons[0].size(), 100u);
    expect_at(fan_apex(tokens), {centre.x + r, centre.y});

    const double step = 2.0 * pi_value / circle_segments;
    EXPECT_NEAR(99 * step, 6.2203534541, 1e-10);
    for (int i = 0; i < circle_segments; ++i) {
        const Point2 expected{centre.x + r * std::cos(i * step), centre.y + r * std::sin(i * step)};
        int matches = 0;
        for (const FeedbackVertex& v : polygons[0]) {
            const Point2 w = world(v);
            matches += std::hypot(w.x - expected.x, w.y - expected.y) < tolerance ? 1 : 0;
        }
        EXPECT_EQ(matches, 1) << "vertex " << i;
    }
    for (const FeedbackToken& t : tokens) {
        EXPECT_GT(signed_area(t), 0.0) << "counter-clockwise";
        for (const FeedbackVertex& v : t.vertices) expect_colour(v, colour);
    }

    EXPECT_TRUE(lighting());
    expect_current_colour(colour);
}

TEST_F(Shapes, DiscWithNegativeRadiusStartsOnTheOppositeSide)
{
    const auto tokens = test::capture_feedback([] { draw_disc({0.1, 0.2}, -0.3, red); });
    ASSERT_EQ(tokens.size(), 98u);
    ASSERT_EQ(test::polygon_vertex_sets(tokens).at(0).size(), 100u);
    expect_at(fan_apex(tokens), {-0.2, 0.2});
    for (const FeedbackToken& t : tokens) EXPECT_GT(signed_area(t), 0.0);
}

TEST_F(Shapes, DiscIsDrawnInTheCallersMatrix)
{
    glTranslated(0.1, 0.2, 0.0);
    glScaled(0.5, 0.5, 1.0);
    const auto tokens = test::capture_feedback([] { draw_disc({0.4, 0.0}, 0.2, red); });
    ASSERT_EQ(tokens.size(), 98u);
    expect_at(fan_apex(tokens), {0.1 + 0.5 * 0.6, 0.2});
}

TEST_F(Shapes, CrossIsTwoBlackAxesOfTwentyUnitsTurnedAboutItsCentre)
{
    glLineWidth(5.0f);
    const double half = 20.0;  // a projection wide enough to see the whole cross
    const test::ScopedOrtho ortho(half);
    for (const double angle : {0.0, 0.5, -2.0, pi_value / 2.0}) {
        for (const Point2 c : {Point2{0.0, 0.0}, Point2{3.0, -2.0}}) {
            SCOPED_TRACE(testing::Message()
                         << "angle " << angle << ", centre " << c.x << ", " << c.y);
            const auto tokens = test::capture_feedback([&] { draw_origin_cross(c, angle); });
            ASSERT_EQ(tokens.size(), 2u);
            for (const FeedbackToken& t : tokens) {
                const Point2 a = world(t.vertices[0], half);
                const Point2 b = world(t.vertices[1], half);
                EXPECT_NEAR(std::hypot(b.x - a.x, b.y - a.y), 20.0, tolerance * half);
            }
            const double u = std::cos(angle);
            const double v = std::sin(angle);
            expect_segment(tokens[0], {c.x - 10 * u, c.y - 10 * v}, {c.x + 10 * u, c.y + 10 * v},
                           black, half);
            expect_segment(tokens[1], {c.x + 10 * v, c.y - 10 * u}, {c.x - 10 * v, c.y + 10 * u},
                           black, half);
        }
    }
    EXPECT_TRUE(lighting());
    EXPECT_EQ(line_width(), 2.0f);
    expect_current_colour(black);
}

TEST_F(Shapes, CrossSpansTheWholeWindow)
{
    const auto tokens = test::capture_feedback([] { draw_origin_cross({0.3, -0.2}, 0.0); });
    ASSERT_EQ(tokens.size(), 2u);
    expect_segment(tokens[0], {-1.0, -0.2}, {1.0, -0.2}, black);
    expect_segment(tokens[1], {0.3, -1.0}, {0.3, 1.0}, black);
}

TEST_F(Shapes, GridOf30IsVerticalsLeftToRightThenHorizontalsBottomToTop)
{
    glLineWidth(3.0f);
    const Point2 c{0.05, -0.1};
    const double dx = 0.03;
    const double dy = 0.02;
    const auto tokens = test::capture_feedback([&] { draw_grid(c, 0.0, 30, dx, dy); });
    ASSERT_EQ(tokens.size(), 122u);
    for (int i = -30; i <= 30; ++i) {
        SCOPED_TRACE(i);
        const double x = c.x + i * dx;
        const double y = c.y + i * dy;
        const auto k = static_cast<std::size_t>(i + 30);
        expect_segment(tokens[k], {x, c.y - 0.6}, {x, c.y + 0.6}, black);
        expect_segment(tokens[k + 61], {c.x - 0.9, y}, {c.x + 0.9, y}, black);
    }
    EXPECT_TRUE(lighting());
    EXPECT_EQ(line_width(), 1.0f);
    expect_current_colour(black);
}

TEST_F(Shapes, GridTurnsCounterClockwiseAboutItsCentre)
{
    const Point2 c{0.1, 0.2};
    const double angle = 0.5;
    const auto tokens = test::capture_feedback([&] { draw_grid(c, angle, 2, 0.1, 0.15); });
    ASSERT_EQ(tokens.size(), 10u);
    const auto turned = [&](double x, double y) {
        return Point2{c.x + x * std::cos(angle) - y * std::sin(angle),
                      c.y + x * std::sin(angle) + y * std::cos(angle)};
    };
    for (int i = -2; i <= 2; ++i) {
        SCOPED_TRACE(i);
        expect_segment(tokens[static_cast<std::size_t>(i + 2)], turned(i * 0.1, -0.3),
                       turned(i * 0.1, 0.3), black);
        expect_segment(tokens[static_cast<std::size_t>(i + 7)], turned(-0.2, i * 0.15),
                       turned(0.2, i * 0.15), black);
    }
}

TEST_F(Shapes, GridOfZeroIsTwoZeroLengthSegmentsAtTheCentre)
{
    const auto tokens = test::capture_feedback([] { draw_grid({0.1, 0.2}, 0.3, 0, 0.1, 0.1); });
    ASSERT_EQ(tokens.size(), 2u);
    for (const FeedbackToken& t : tokens) expect_segment(t, {0.1, 0.2}, {0.1, 0.2}, black);
}

TEST_F(Shapes, GridOfMinusOneDrawsNothingButStillSetsItsState)
{
    glLineWidth(4.0f);
    const auto tokens = test::capture_feedback([] { draw_grid({0.0, 0.0}, 0.0, -1, 0.1, 0.1); });
    EXPECT_TRUE(tokens.empty());
    EXPECT_TRUE(lighting());
    EXPECT_EQ(line_width(), 1.0f);
    expect_current_colour(black);
}

TEST_F(Shapes, EveryShapeLeavesLightingOnAndTheCallersMatrixAsItWas)
{
    const std::vector<std::pair<const char*, std::function<void()>>> shapes = {
        {"line", [] { draw_line({0.0, 0.0}, {0.5, 0.5}, red); }},
        {"disc", [] { draw_disc({0.2, 0.1}, 0.1, red); }},
        {"cross", [] { draw_origin_cross({0.2, 0.1}, 0.7); }},
        {"grid", [] { draw_grid({0.2, 0.1}, 0.7, 3, 0.1, 0.05); }},
        {"empty grid", [] { draw_grid({0.2, 0.1}, 0.7, -1, 0.1, 0.05); }},
    };
    for (const auto& [name, draw] : shapes) {
        SCOPED_TRACE(name);
        test::reset_gl_state();
        glPushMatrix();
        glTranslated(0.1, -0.2, 0.0);
        glRotated(30.0, 0.0, 0.0, 1.0);
        glScaled(0.5, 0.7, 1.0);
        const test::GlState before = test::read_gl_state();
        ASSERT_FALSE(before.lighting);
        draw();
        const test::GlState after = test::read_gl_state();
        EXPECT_TRUE(after.lighting);
        EXPECT_EQ(after.modelview, before.modelview);
        EXPECT_EQ(after.modelview_depth, 2);
    }
}

TEST_F(Shapes, NestedShapesSwitchLightingOnlyAtTheOutermostScope)
{
    test::reset_gl_state();
    glEnable(GL_LIGHTING);
    std::vector<FeedbackToken> tokens;
    {
        const ShapeScope outer;
        EXPECT_FALSE(lighting());
        tokens = test::capture_feedback([] {
            draw_line({0.0, 0.0}, {0.5, 0.5}, red);
            draw_disc({0.2, 0.1}, 0.1, red);
        });
        EXPECT_FALSE(lighting()) << "inner shapes keep drawing unlit";
        {
            const ShapeScope inner(ShapeScope::Matrix::push);
            glTranslated(0.3, 0.0, 0.0);
        }
        EXPECT_EQ(test::read_gl_state().modelview_depth, 1) << "the inner scope restored the matrix";
    }
    EXPECT_TRUE(lighting());
    // Unlit: the colours arrive as given, not darkened by the lighting model.
    ASSERT_FALSE(tokens.empty());
    for (const FeedbackToken& token : tokens) expect_colour(token.vertices[0], red);
}

// Rows of pure red in the middle column of the back buffer after a horizontal
// red line across it drawn with the width in force.
int rows_of_red_line()
{
    draw_line({-0.5, 0.00125}, {0.5, 0.00125}, red);
    glFinish();
    std::array<GLubyte, 3 * 61> column{};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(400, 370, 1, 61, GL_RGB, GL_UNSIGNED_BYTE, column.data());
    int rows = 0;
    for (std::size_t i = 0; i < 61; ++i) {
        rows += column[3 * i] == 255 && column[3 * i + 1] == 0 && column[3 * i + 2] == 0 ? 1 : 0;
    }
    return rows;
}

TEST_F(Shapes, ALineAfterTheCrossIsTwoPixelsWideAndAfterTheGridOne)
{
    glClearColor(1.0f, 1.0f, 1.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    // Both leave the middle column of the window clear of their own lines.
    draw_origin_cross({0.9, 0.9}, 0.0);
    EXPECT_EQ(rows_of_red_line(), 2);

    glClear(GL_COLOR_BUFFER_BIT);
    glLineWidth(5.0f);
    draw_grid({0.9, 0.9}, 0.0, 1, 0.01, 0.01);
    EXPECT_EQ(rows_of_red_line(), 1);
}

}  // namespace
}  // namespace vibsim
