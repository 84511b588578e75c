// vibsim-modes' picture: the chain in motion with the struck, plucked or
// forced mass marked, the sweeping traces of the modal coordinates, D(omega)
// with its roots, the mode shapes as small chains, the modal energies as
// stems and, with the forcing on, the response curve over omega with the
// natural frequencies and the forcing frequency. The same picture fills the
// window and the off-screen PNG.
#pragma once

#include "modes/session.hpp"

namespace vibsim::modes {

// The picture's shape, width over height; its coordinates run from
// -picture_aspect to +picture_aspect across and from -1 to +1 up.
inline constexpr double picture_aspect = 4.0 / 3.0;

// Sets the viewport and projection for a window of width x height pixels.
void set_picture_view(int width, int height);

// Clears the window to white and draws the picture of the session as it is.
void draw_picture(const Session& session);

// The panels of the lower half (picture_curves.cpp).
void draw_determinant(const Session& session);
void draw_energies(const Session& session);
void draw_response(const Session& session);

}  // namespace vibsim::modes
