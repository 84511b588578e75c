// draw_arrow: a filled arrow drawn in its own frame, tip at the origin and
// pointing along +x: a shaft polygon from the notch D behind the tip back to
// the arrow's length, then two barb triangles that share the edge from the tip
// to the notch and sweep back to 1.5 D behind the tip, 0.4 D to each side.
#include "shape_helpers.hpp"
#include "vibsim/draw.hpp"

namespace vibsim {

void draw_arrow(const Point3& tip, double length, double angle, const Colour4& colour)
{
    const double px = scale_coord(tip.x);
    const double py = scale_coord(tip.y);
    const double len = scale_coord(length);
    const double w = scale_coord(arrow_shaft_width);
    const double d = scale_coord(arrow_head_length);
    double rest = len - d;  // the shaft behind the notch; never negative or NaN
    if (!(rest >= 0.0)) rest = 0.0;

    const ShapeScope scope(ShapeScope::Matrix::push);
    set_colour(colour);
    place(px, py, angle);

    glBegin(GL_POLYGON);
    glVertex2d(-d, -0.5 * w);
    glVertex2d(-d - rest, -0.5 * w);
    glVertex2d(-d - rest, 0.5 * w);
    glVertex2d(-d, 0.5 * w);
    glEnd();

    const double h = 0.5 * d;
    const double k = 0.4 * d;
    glBegin(GL_POLYGON);
    glVertex2d(0.0, 0.0);
    glVertex2d(-d, 0.0);
    glVertex2d(-d - h, k);
    glEnd();
    glBegin(GL_POLYGON);
    glVertex2d(0.0, 0.0);
    glVertex2d(-d, 0.0);
    glVertex2d(-d - h, -k);
    glEnd();
}

}  // namespace vibsim
