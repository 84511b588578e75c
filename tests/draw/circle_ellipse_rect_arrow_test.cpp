// draw_circle, the ellipses, the rectangles, draw_arrow and rotate_translate
// on the real GL of a test window, read back through GL feedback.
#include "vibsim/draw.hpp"

#include "gl_feedback.hpp"
#include "gl_window.hpp"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

namespace vibsim {
namespace {

using test::FeedbackToken;

constexpr double tolerance = 1e-5;  // feedback is single precision
constexpr Colour4 teal{0.0f, 0.6f, 0.4f, 0.0f};
const double step = 2.0 * pi_value / circle_segments;

Point2 world(const test::FeedbackVertex& v)
{
    return {test::world_from_pixel(v.x), test::world_from_pixel(v.y)};
}

bool near(Point2 a, Point2 b) { return std::hypot(a.x - b.x, a.y - b.y) < tolerance; }

bool has_vertex(const FeedbackToken& t, Point2 p)
{
    bool found = false;
    for (const test::FeedbackVertex& v : t.vertices) found = found || near(world(v), p);
    return found;
}

// What `draw` drew, after checking what every shape leaves: lighting on, the
// caller's matrix (here the identity) and line width, and its own colour.
std::vector<FeedbackToken> drawn(const std::function<void()>& draw)
{
    test::reset_gl_state();
    glLineWidth(3.0f);
    const test::GlState before = test::read_gl_state();
    auto tokens = test::capture_feedback(draw);
    const test::GlState s = test::read_gl_state();
    EXPECT_TRUE(s.lighting && s.modelview_depth == 1 && s.line_width == 3.0f);
    EXPECT_EQ(s.modelview, before.modelview);
    EXPECT_EQ(s.colour, (std::array<float, 4>{teal.red, teal.green, teal.blue, teal.alpha}));
    return tokens;
}

class MoreShapes : public ::testing::Test {
protected:
    void SetUp() override
    {
        VIBSIM_REQUIRE_GL_WINDOW();
        test::reset_gl_state();
    }
    void TearDown() override { glFinish(); }
};

TEST_F(MoreShapes, CircleIs99SidesAsVertexPairsClosedByTheLoop)
{
    const Point2 c{0.2, -0.1};
    const auto at = [&](int i) {
        return Point2{c.x + 0.5 * std::cos(i * step), c.y + 0.5 * std::sin(i * step)};
    };
    const auto tokens = drawn([&] { draw_circle(c, 0.5, teal); });
    ASSERT_EQ(tokens.size(), 198u);  // one loop of 198 vertices: 198 segments
    for (int i = 0; i < 100; ++i) {  // the sides are the even ones and the closing one
        const FeedbackToken& side = tokens[i < 99 ? 2 * static_cast<std::size_t>(i) : 197];
        const bool ends =
            near(world(side.vertices[0]), at(i)) && near(world(side.vertices[1]), at((i + 1) % 100));
        EXPECT_TRUE(ends) << "side " << i;
    }
}

// Filled and outlined, turned or not: 101 points at the polar angles i * step
// of the shape's frame, each on (x/a)^2 + (y/b)^2 = 1; the outline starts with
// the pair (a, 0), (a, 0).
TEST_F(MoreShapes, EllipsePointsLieOnItAtEvenPolarAngles)
{
    struct Case { Point2 c; double a, b, angle; };
    for (const Case e : {Case{{0.0, 0.0}, 0.8, 0.4, 0.0}, Case{{0.3, -0.2}, 0.5, 0.7, 0.7},
                         Case{{-0.4, 0.1}, 0.5, 0.5, 2.0}}) {
        SCOPED_TRACE(testing::Message() << "a " << e.a << ", b " << e.b);
        const auto filled = drawn([&] { draw_ellipse_filled(e.c, e.a, e.b, e.angle, teal); });
        const auto outline = drawn([&] { draw_ellipse_outline(e.c, e.a, e.b, e.angle, teal); });
        // The 101-gon comes back as the fan (v[i+1], v[i+2], v[0]), i = 0 .. 98.
        ASSERT_EQ(filled.size(), 99u);
        ASSERT_EQ(outline.size(), 202u);
        const double u = std::cos(e.angle);
        const double v = std::sin(e.angle);
        EXPECT_TRUE(near(world(outline[0].vertices[0]), {e.c.x + e.a * u, e.c.y + e.a * v}));
        for (std::size_t i = 0; i <= 100; ++i) {
            const auto& in_fan = i == 0 ? filled[0].vertices[2]
                                 : i == 100 ? filled[98].vertices[1] : filled[i - 1].vertices[0];
            for (const Point2 p : {world(in_fan), world(outline[2 * i + 1].vertices[0])}) {
                const double x = (p.x - e.c.x) * u + (p.y - e.c.y) * v;
                const double y = -(p.x - e.c.x) * v + (p.y - e.c.y) * u;
                const double turn = std::atan2(y, x) - static_cast<double>(i) * step;
                EXPECT_NEAR(x * x / (e.a * e.a) + y * y / (e.b * e.b), 1.0, 1e-4) << i;
                EXPECT_NEAR(std::remainder(turn, 2 * std::numbers::pi), 0.0, 1e-4) << i;
            }
        }
    }
}

// With a zero semi-axis the polar radius is 0 / 0 where the other axis's term
// vanishes: that point goes to the centre like all the others, not to NaN.
TEST_F(MoreShapes, FlatEllipseCollapsesOntoItsCentre)
{
    for (const double a : {0.3, 0.0}) {
        const auto tokens = drawn([&] { draw_ellipse_outline({0.1, 0.2}, a, 0.0, 0.4, teal); });
        ASSERT_EQ(tokens.size(), 202u);
        for (std::size_t i = 1; i < 201; ++i) {
            EXPECT_TRUE(near(world(tokens[i].vertices[0]), {0.1, 0.2}) &&
                        near(world(tokens[i].vertices[1]), {0.1, 0.2}))
                << "a " << a << ", segment " << i;
        }
    }
}

TEST_F(MoreShapes, RectanglesTurnAboutTheirCorner)
{
    const auto filled = drawn([] { draw_rect_filled({0.1, 0.2}, 0.3, 0.4, pi_value / 2, teal); });
    const auto outline = drawn([] { draw_rect_outline({0.1, 0.2}, 0.3, 0.4, pi_value / 2, teal); });
    ASSERT_EQ(filled.size(), 2u);
    ASSERT_EQ(outline.size(), 4u);
    const Point2 corners[] = {{0.1, 0.2}, {0.1, 0.5}, {-0.3, 0.5}, {-0.3, 0.2}};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_TRUE(near(world(outline[i].vertices[0]), corners[i])) << i;
        EXPECT_TRUE(has_vertex(filled[0], corners[i]) || has_vertex(filled[1], corners[i])) << i;
    }
}

TEST_F(MoreShapes, ArrowHeadKeepsItsSizeAndTheShaftNeverTurnsBack)
{
    for (const double length : {0.5, 0.05, std::nan("")}) {
        SCOPED_TRACE(length);
        // z = 5 lies outside the view volume: the tip's z must not be drawn.
        const auto t = drawn([&] { draw_arrow({0.0, 0.0, 5.0}, length, 0.0, teal); });
        ASSERT_EQ(t.size(), 4u);  // the shaft's two triangles, then the two barbs
        const double back = length == 0.5 ? -0.5 : -0.1;
        for (const Point2 p : {Point2{-0.1, -0.01}, {back, -0.01}, {back, 0.01}, {-0.1, 0.01}}) {
            EXPECT_TRUE(has_vertex(t[0], p) || has_vertex(t[1], p));
        }
        for (const double y : {0.04, -0.04}) {
            const FeedbackToken& barb = t[y > 0 ? 2 : 3];
            EXPECT_TRUE(has_vertex(barb, {0, 0}) && has_vertex(barb, {-0.1, 0}) &&
                        has_vertex(barb, {-0.15, y}));
        }
    }
}

TEST_F(MoreShapes, RotateTranslateMovesAlongTheTurnedAxesAndPushesNothing)
{
    rotate_translate(pi_value / 2, 1.0, 0.0);
    const test::GlState s = test::read_gl_state();  // (0, 0) lands at (0, 1)
    EXPECT_TRUE(std::abs(s.modelview[12]) < 1e-6 && std::abs(s.modelview[13] - 1.0) < 1e-6);
    EXPECT_TRUE(s.modelview_depth == 1 && !s.lighting);
}

}  // namespace
}  // namespace vibsim
