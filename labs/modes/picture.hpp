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

// The least size, in pixels, at which the picture's labels stand apart: in
// a smaller window the whole picture, its labels too, is drawn at this size
// and shrunk into the window.
inline constexpr int least_picture_width = 1024;
inline constexpr int least_picture_height = 768;

// The picture of the session in a window (or an image) of width x height
// pixels: of its shape, centred, on white; at least of the least size or
// shrunk from it (picture_fit.cpp on the desktop, drawn as it is on the
// page, whose canvas has the least size).
void show_picture(int width, int height, const Session& session);

// The panels of the lower half (picture_curves.cpp).
void draw_determinant(const Session& session);
void draw_energies(const Session& session);
void draw_response(const Session& session);

}  // namespace vibsim::modes
