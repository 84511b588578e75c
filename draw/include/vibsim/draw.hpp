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

}  // namespace vibsim
