// draw_line: one segment in a given colour, with the line width in force.
#include "shape_helpers.hpp"
#include "vibsim/draw.hpp"

namespace vibsim {

void draw_line(const Point2& from, const Point2& to, const Colour4& colour)
{
    const double x0 = scale_coord(from.x);
    const double y0 = scale_coord(from.y);
    const double x1 = scale_coord(to.x);
    const double y1 = scale_coord(to.y);

    const ShapeScope scope;
    set_colour(colour);
    glBegin(GL_LINES);
    glVertex2d(x0, y0);
    glVertex2d(x1, y1);
    glEnd();
}

}  // namespace vibsim
