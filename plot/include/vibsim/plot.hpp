// Pictures of arrays of numbers: a string of point masses, sampled series,
// curves of one series against another and stem plots, drawn through
// draw_line and draw_disc.
#pragma once

#include "vibsim/geometry.hpp"

#include <array>

namespace vibsim {

// Colour k draws series k of a set and mass k of a chain.
extern const std::array<Colour4, 21> plot_palette;

inline constexpr Colour4 colour_red{1.0f, 0.0f, 0.0f, 0.0f};    // the stems of plot_stems
inline constexpr Colour4 curve_colour{0.0f, 0.0f, 0.0f, 0.0f};  // the curve of plot_xy_curve

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

// The plots below set the line width to 2.0 even when they draw nothing.

// The polyline through the points (origin.x + xscale * values[i],
// origin.y + yscale * values[offset + i]), i = 0 .. n, in curve_colour: the
// series at `offset` against the one at 0 of the same array.
void plot_xy_curve(const Point2& origin, double xscale, double yscale, int n,
                   const double* values, int offset);

// n + 1 vertical stems in colour_red, stem i at x = origin.x + i * dx from the
// baseline y = origin.y to origin.y + yscale * values[i]; a zero sample still
// draws its stem, of no length.
void plot_stems(const Point2& origin, double dx, double yscale, int n, const double* values);

// The picture of plot_series_set with the sample and series counts the other
// way round: `count` series, series k from values[k * stride .. k * stride + n]
// scaled by yscales[k] in plot_palette[k]. count must not exceed 21.
void plot_series_table(const Point2& origin, double dx, const double* yscales, int n, int count,
                       const double* values, int stride);

}  // namespace vibsim
