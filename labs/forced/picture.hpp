// vibsim-forced's picture: the mass and its drive, the sweeping traces of
// y, its steady state and the force, the frequency response with the
// shaker's points, the phasors, the work per cycle and, for a periodic
// wave, the line spectra. The same picture fills the window, the off-screen
// PNG and the page.
#pragma once

#include "forced/session.hpp"

namespace vibsim::forced {

inline constexpr double picture_aspect = 4.0 / 3.0;

void set_picture_view(int width, int height);
void draw_picture(const Session& session);

// The panels of the lower half (picture_panels.cpp).
void draw_response(const Session& session);
void draw_phasors(const Session& session);
void draw_energy(const Session& session);
void draw_spectra(const Session& session);

// Why the step is shortened, or nullptr: "stiff", "damped" or "fast drive".
const char* step_cause(const Motion& motion);

}  // namespace vibsim::forced
