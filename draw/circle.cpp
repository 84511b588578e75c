// draw_circle: the outline of a 100-sided circle in one line loop, each side
// given as the pair of its end points; the loop's closing segment is the side
// from the last point back to the first.
#include "shape_helpers.hpp"
#include "vibsim/draw.hpp"

#include <cmath>

namespace vibsim {

void draw_circle(const Point2& centre, double radius, const Colour4& colour)
{
    const double cx = scale_coord(centre.x);
    const double cy = scale_coord(centre.y);
    const double r = scale_coord(radius);
    const double step = angle_step();

    const ShapeScope scope(ShapeScope::Matrix::push);
    glTranslated(cx, cy, 0.0);
    set_colour(colour);
    glBegin(GL_LINE_LOOP);
    Point2 cur{r, 0.0};
    for (int i = 1; i < circle_segments; ++i) {
        const Point2 prev = cur;
        const double theta = i * step;
        cur = {std::cos(theta) * r, std::sin(theta) * r};
        glVertex2d(prev.x, prev.y);
        glVertex2d(cur.x, cur.y);
    }
    glEnd();
}

}  // namespace vibsim
