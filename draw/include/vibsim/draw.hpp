// 2-D shape primitives drawn with the fixed-function OpenGL interface in
// immediate mode, in the plane z = 0, into the caller's matrices.
//
// Every shape passes its coordinates and lengths through scale_coord, turns
// lighting off while it draws and leaves it enabled, and leaves the model-view
// matrix as it found it. Angles are in radians, counter-clockwise.
#pragma once

#include "vibsim/geometry.hpp"

namespace vibsim {

inline constexpr double coord_scale = 400.0;       // factor of scale_coord
inline constexpr double pi_value = 3.1415926536;   // pi to ten decimals
inline constexpr double rad_per_deg = 0.01745329252;
inline constexpr int circle_segments = 100;        // angle steps of round shapes
inline constexpr double arrow_shaft_width = 0.02;  // full width of an arrow's shaft
inline constexpr double arrow_head_length = 0.1;   // from an arrow's tip back to its notch

// x multiplied by coord_scale, then divided by it: x up to the rounding of the
// product.
double scale_coord(double x);

// One segment in the given colour, with the line width in force.
void draw_line(const Point2& from, const Point2& to, const Colour4& colour);

// A filled 100-sided disc, counter-clockwise from (centre.x + radius, centre.y).
void draw_disc(const Point2& centre, double radius, const Colour4& colour);

// Black axes through `centre`, turned by `angle`: two segments 20 units long,
// far beyond the window, drawn 2.0 wide. Leaves the line width at 2.0.
void draw_origin_cross(const Point2& centre, double angle);

// A black grid of 2n + 1 vertical lines dx apart and 2n + 1 horizontal lines
// dy apart centred on `centre`, turned by `angle`, drawn 1.0 wide. Leaves the
// line width at 1.0.
void draw_grid(const Point2& centre, double angle, int n, double dx, double dy);

// A zero-terminated byte string in a GLUT bitmap font with its first
// character at (x, y), unscaled. Takes the raster colour from the current
// colour and restores the current attributes afterwards.
void draw_text(float x, float y, void* font, const char* text);

// Turns the current matrix by `angle`, then translates it by (tx, ty) along
// the turned axes, unscaled. No push or pop: the caller brackets it.
void rotate_translate(double angle, double tx, double ty);

// The outline of a 100-sided circle, counter-clockwise from
// (centre.x + radius, centre.y), with the line width in force.
void draw_circle(const Point2& centre, double radius, const Colour4& colour);

// An ellipse with semi-axes a along its own x axis and b along its own y axis,
// turned by `angle` about its centre. Its points are equally spaced in the
// polar angle about the centre; a zero semi-axis collapses it onto the centre.
// The outline uses the line width in force.
void draw_ellipse_filled(const Point2& centre, double a, double b, double angle,
                         const Colour4& colour);
void draw_ellipse_outline(const Point2& centre, double a, double b, double angle,
                          const Colour4& colour);

// A width x height rectangle with a corner at `corner`, turned by `angle`
// about that corner; with angle 0 and positive sides it is the lower left one.
// The outline uses the line width in force.
void draw_rect_filled(const Point2& corner, double width, double height, double angle,
                      const Colour4& colour);
void draw_rect_outline(const Point2& corner, double width, double height, double angle,
                       const Colour4& colour);

// A filled arrow with its tip at (tip.x, tip.y), pointing along `angle`: a
// head of two swept-back barbs reaching 1.5 * arrow_head_length behind the
// tip and 0.4 * arrow_head_length to each side, and a shaft arrow_shaft_width
// wide from the notch back to `length` behind the tip. The head keeps its size
// when `length` is shorter than it; the shaft then has no length.
void draw_arrow(const Point3& tip, double length, double angle, const Colour4& colour);

}  // namespace vibsim
