// vibsim-identify's picture: the record with the fit over it, the envelope
// e^(-zeta omega0 t) and the peaks and troughs marked, the part analysed
// between two rules; the logarithms of the peak-to-trough heights against
// the cycle number with their line; the residual of the fit; and the values
// found with their errors. With a frequency response, its curve and the
// half-power band. The same picture fills the window and the PNG.
#pragma once

#include "identify/session.hpp"
#include "kit/panels.hpp"

#include <vibsim/geometry.hpp>

#include <span>

namespace vibsim::identify {

// The picture's shape, width over height.
inline constexpr double picture_aspect = 4.0 / 3.0;

inline constexpr kit::Rect record_rect{-1.22, 0.08, 1.28, 0.66};
inline constexpr kit::Rect lower_left_rect{-1.22, -0.80, -0.10, -0.18};
inline constexpr kit::Rect lower_right_rect{0.16, -0.80, 1.28, -0.18};

inline constexpr Colour4 record_grey{0.45f, 0.45f, 0.5f, 0.0f};
inline constexpr Colour4 fit_blue{0.0f, 0.3f, 0.9f, 0.0f};
inline constexpr Colour4 envelope_green{0.0f, 0.55f, 0.15f, 0.0f};
inline constexpr Colour4 mark_red{0.85f, 0.1f, 0.1f, 0.0f};

void set_picture_view(int width, int height);
void draw_picture(const Session& session);

// The lower panels (picture_panels.cpp).
void draw_log_heights(const Session& session, const kit::Rect& r);
void draw_residual(const Session& session, const kit::Rect& r);
void draw_response(const Session& session, const kit::Rect& r);

// The polyline through (x[i], y[i]) mapped to a panel's -1 ... +1 from
// [x_low, x_high] and [-extent, +extent] about `middle`, thinned to at most
// a few thousand segments.
void draw_polyline(std::span<const double> x, std::span<const double> y, double x_low, double x_high,
                   double middle, double extent, const Colour4& colour);

}  // namespace vibsim::identify
