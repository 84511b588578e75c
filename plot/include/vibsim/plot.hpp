// Pictures of arrays of numbers: a string of point masses and sampled series,
// drawn through draw_line and draw_disc in the colours of plot_palette.
#pragma once

#include "vibsim/geometry.hpp"

#include <array>

namespace vibsim {

// Colour k draws series k of a set and mass k of a chain.
extern const std::array<Colour4, 21> plot_palette;

inline constexpr double chain_right_x = 0.99;  // x of every chain's right fixed end
inline constexpr double end_radius = 0.01;     // discs at the fixed ends
inline constexpr double mass_radius = 0.04;    // disc of each mass

// n masses at equal intervals between `left` and (chain_right_x, left.y), mass
// i lifted by scale * disp[i]; the string in red, mass i in plot_palette[i].
// Uses the line width in force; n must not exceed 21.
void draw_mass_chain(const Point2& left, double scale, int n, const double* disp);

// The polyline through values[0 .. n], sample i at x = origin.x + i * dx and
// y = origin.y + yscale * values[i]. Sets the line width to 2.0.
void plot_series(const Point2& origin, double dx, double yscale, int n, const double* values,
                 const Colour4& colour);

// `count` series, series k from values[k * stride .. k * stride + n], scaled by
// yscales[k] and drawn in plot_palette[k]. count must not exceed 21.
void plot_series_set(const Point2& origin, double dx, const double* yscales, int count, int n,
                     const double* values, int stride);

}  // namespace vibsim
