// draw_grid: a black grid of 2n + 1 vertical and 2n + 1 horizontal lines
// centred on a point and turned about it, 1.0 wide; each line is a glBegin /
// glEnd pair of its own, the vertical ones left to right first, then the
// horizontal ones bottom to top.
#include "shape_helpers.hpp"
#include "vibsim/draw.hpp"

namespace vibsim {

void draw_grid(const Point2& centre, double angle, int n, double dx, double dy)
{
    const double cx = scale_coord(centre.x);
    const double cy = scale_coord(centre.y);
    const double sx = scale_coord(dx);
    const double sy = scale_coord(dy);
    const double half_w = n * sx;
    const double half_h = n * sy;

    const ShapeScope scope(ShapeScope::Matrix::push);
    set_colour(black);
    glLineWidth(1.0f);
    place(cx, cy, angle);
    for (int i = -n; i <= n; ++i) {
        const double x = i * sx;
        glBegin(GL_LINES);
        glVertex2d(x, -half_h);
        glVertex2d(x, half_h);
        glEnd();
    }
    for (int i = -n; i <= n; ++i) {
        const double y = i * sy;
        glBegin(GL_LINES);
        glVertex2d(-half_w, y);
        glVertex2d(half_w, y);
        glEnd();
    }
}

}  // namespace vibsim
