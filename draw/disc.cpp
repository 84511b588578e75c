// draw_disc: a filled disc as a 100-sided polygon, counter-clockwise from the
// point at angle 0; the first vertex is not repeated.
#include "shape_helpers.hpp"
#include "vibsim/draw.hpp"

#include <cmath>

namespace vibsim {

void draw_disc(const Point2& centre, double radius, const Colour4& colour)
{
    const double cx = scale_coord(centre.x);
    const double cy = scale_coord(centre.y);
    const double r = scale_coord(radius);
    const double step = angle_step();

    const ShapeScope scope(ShapeScope::Matrix::push);
    glTranslated(cx, cy, 0.0);
    set_colour(colour);
    glBegin(GL_POLYGON);
    for (int i = 0; i < circle_segments; ++i) {
        const double theta = i * step;
        glVertex2d(r * std::cos(theta), r * std::sin(theta));
    }
    glEnd();
}

}  // namespace vibsim
