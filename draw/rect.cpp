// draw_rect_filled and draw_rect_outline: a rectangle anchored at a corner and
// turned about it, its vertices (0, 0), (W, 0), (W, H), (0, H) in the turned
// frame.
#include "shape_helpers.hpp"
#include "vibsim/draw.hpp"

namespace vibsim {

namespace {

void draw_rect(GLenum mode, const Point2& corner, double width, double height, double angle,
               const Colour4& colour)
{
    const double px = scale_coord(corner.x);
    const double py = scale_coord(corner.y);
    const double w = scale_coord(width);
    const double h = scale_coord(height);

    const ShapeScope scope(ShapeScope::Matrix::push);
    place(px, py, angle);
    set_colour(colour);
    glBegin(mode);
    glVertex2d(0.0, 0.0);
    glVertex2d(w, 0.0);
    glVertex2d(w, h);
    glVertex2d(0.0, h);
    glEnd();
}

}  // namespace

void draw_rect_filled(const Point2& corner, double width, double height, double angle,
                      const Colour4& colour)
{
    draw_rect(GL_POLYGON, corner, width, height, angle, colour);
}

void draw_rect_outline(const Point2& corner, double width, double height, double angle,
                       const Colour4& colour)
{
    draw_rect(GL_LINE_LOOP, corner, width, height, angle, colour);
}

}  // namespace vibsim
