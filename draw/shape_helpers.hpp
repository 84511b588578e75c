// Small steps shared by the shape primitives: the bracket they draw inside,
// setting a colour, placing the shape's frame. Private to the drawing library.
#pragma once

#include "vibsim/draw.hpp"
#include "vibsim/geometry.hpp"
#include "vibsim/shape_scope.hpp"

#include <GL/gl.h>

namespace vibsim {

inline void set_colour(const Colour4& colour)
{
    glColor4f(colour.red, colour.green, colour.blue, colour.alpha);
}

// Moves the origin to (cx, cy), already scaled, and turns the frame
// counter-clockwise by `angle` radians.
inline void place(double cx, double cy, double angle)
{
    glTranslated(cx, cy, 0.0);
    glRotated(angle / rad_per_deg, 0.0, 0.0, 1.0);
}

// The angle between neighbouring points of every round shape, in radians.
inline double angle_step() { return 2.0 * pi_value / circle_segments; }

inline constexpr Colour4 black{0.0f, 0.0f, 0.0f, 0.0f};

}  // namespace vibsim
