// draw_disc: a filled disc as a 100-sided polygon, counter-clockwise from the
// point at angle 0; the first vertex is not repeated.
#include "shape_helpers.hpp"
#include "vibsim/draw.hpp"

#include <cmath>

namespace vibsim {

namespace {

// cos and sin of i * angle_step(), i = 0 ... circle_segments - 1, computed
// once: a chain of masses draws hundreds of discs a frame, and each vertex
// is r times the very doubles it would compute itself.
struct UnitCircle {
    double cos[circle_segments];
    double sin[circle_segments];
};

const UnitCircle& unit_circle()
{
    static const UnitCircle circle = [] {
        UnitCircle u{};
        const double step = angle_step();
        for (int i = 0; i < circle_segments; ++i) {
            const double theta = i * step;
            u.cos[i] = std::cos(theta);
            u.sin[i] = std::sin(theta);
        }
        return u;
    }();
    return circle;
}

}  // namespace

void draw_disc(const Point2& centre, double radius, const Colour4& colour)
{
    const double cx = scale_coord(centre.x);
    const double cy = scale_coord(centre.y);
    const double r = scale_coord(radius);
    const UnitCircle& unit = unit_circle();

    const ShapeScope scope(ShapeScope::Matrix::push);
    glTranslated(cx, cy, 0.0);
    set_colour(colour);
    glBegin(GL_POLYGON);
    for (int i = 0; i < circle_segments; ++i) glVertex2d(r * unit.cos[i], r * unit.sin[i]);
    glEnd();
}

}  // namespace vibsim
