// draw_ellipse_filled and draw_ellipse_outline: an ellipse by its polar
// equation about the centre, r(t) = A B / sqrt(A^2 sin^2 t + B^2 cos^2 t),
// at 101 polar angles t = 0, step, ..., 100 step equally spaced over a turn
// (the last falls back on the first).
#include "shape_helpers.hpp"
#include "vibsim/draw.hpp"

#include <cmath>

namespace vibsim {

namespace {

// The point of the ellipse at polar angle theta. The radius is 0 / 0 where
// both terms under the root vanish, which takes a zero semi-axis: the point is
// then the centre, where the other points of such a flat ellipse lie too,
// rather than a NaN vertex.
Point2 ellipse_point(double a, double b, double theta)
{
    const double s = std::sin(theta);
    const double c = std::cos(theta);
    const double den = a * a * (s * s) + b * b * (c * c);
    const double r = den == 0.0 ? 0.0 : a * b / std::sqrt(den);
    return {r * c, r * s};
}

struct EllipseFrame {
    double cx, cy, a, b, step;
};

EllipseFrame scaled(const Point2& centre, double a, double b)
{
    return {scale_coord(centre.x), scale_coord(centre.y), scale_coord(a), scale_coord(b),
            angle_step()};
}

}  // namespace

void draw_ellipse_filled(const Point2& centre, double a, double b, double angle,
                         const Colour4& colour)
{
    const EllipseFrame e = scaled(centre, a, b);

    const ShapeScope scope(ShapeScope::Matrix::push);
    place(e.cx, e.cy, angle);
    set_colour(colour);
    glBegin(GL_POLYGON);
    for (int i = 0; i <= circle_segments; ++i) {
        const Point2 p = ellipse_point(e.a, e.b, i * e.step);
        glVertex2d(p.x, p.y);
    }
    glEnd();
}

// Each side is given as the pair of its end points, starting with the pair
// (A, 0), (A, 0): 202 vertices in one line loop.
void draw_ellipse_outline(const Point2& centre, double a, double b, double angle,
                          const Colour4& colour)
{
    const EllipseFrame e = scaled(centre, a, b);

    const ShapeScope scope(ShapeScope::Matrix::push);
    place(e.cx, e.cy, angle);
    set_colour(colour);
    glBegin(GL_LINE_LOOP);
    Point2 cur{e.a, 0.0};
    for (int i = 0; i <= circle_segments; ++i) {
        const Point2 prev = cur;
        cur = ellipse_point(e.a, e.b, i * e.step);
        glVertex2d(prev.x, prev.y);
        glVertex2d(cur.x, cur.y);
    }
    glEnd();
}

}  // namespace vibsim
