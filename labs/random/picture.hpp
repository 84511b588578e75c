// The lab's picture: the response y(t) of the current record, the phase
// plane, the averaged amplitude spectrum with the scaled theoretical |H(omega)|
// and an arrow at Omega, the mass on its string, and their labels. The same
// picture fills the window and the off-screen PNG.
#pragma once

#include "random/lab.hpp"

namespace vibsim::random {

// The picture's shape, width over height; its coordinates run from
// -picture_aspect to +picture_aspect across and from -1 to +1 up.
inline constexpr double picture_aspect = 4.0 / 3.0;

// Sets the viewport to the largest rectangle of the picture's shape that fits
// a window of width x height pixels, centred, and the projection to the
// picture's coordinates.
void set_picture_view(int width, int height);

// Clears the window to white and draws the picture of the lab as it is.
void draw_picture(const Lab& lab);

}  // namespace vibsim::random
