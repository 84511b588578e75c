// draw_origin_cross: black axes through a point, two segments of half-length
// 10 in the turned frame (not scaled: far beyond the window), 2.0 wide.
#include "shape_helpers.hpp"
#include "vibsim/draw.hpp"

namespace vibsim {

namespace {
constexpr double cross_half_length = 10.0;
}

void draw_origin_cross(const Point2& centre, double angle)
{
    const double cx = scale_coord(centre.x);
    const double cy = scale_coord(centre.y);

    const ShapeScope scope(ShapeScope::Matrix::push);
    glLineWidth(2.0f);
    set_colour(black);
    place(cx, cy, angle);
    glBegin(GL_LINES);
    glVertex2d(-cross_half_length, 0.0);
    glVertex2d(cross_half_length, 0.0);
    glVertex2d(0.0, -cross_half_length);
    glVertex2d(0.0, cross_half_length);
    glEnd();
}

}  // namespace vibsim
