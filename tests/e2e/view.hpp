// Where the parts of vibsim's picture lie in a window of a given size, and
// how the tests find them: the projection is the identity, so world x and y
// run from -1 to +1 across the whole window whatever its shape.
#pragma once

#include "picture.hpp"

#include <cmath>
#include <optional>

namespace vibsim::e2e {

// Pixel column of world x, and pixel row (from the top) of world y.
inline double pixel_x(double world_x, int width) { return (world_x + 1.0) / 2.0 * width; }
inline double pixel_y(double world_y, int height) { return (1.0 - world_y) / 2.0 * height; }

// The default view: 0.5 drawing units per metre (and per m/s), 0.004 per
// frame, curves from x = -0.99, the string from x = 0 to x = 0.99 with the
// mass at its middle.
inline constexpr double default_vertical_scale = 0.5;
inline constexpr double default_time_scale = 0.004;
inline constexpr double curve_start_x = -0.99;
inline constexpr double mass_x = 0.495;
inline constexpr double chain_right_x = 0.99;
inline constexpr double mass_radius = 0.04;
inline constexpr double grid_cell_height = 0.2;  // metres per cell

// An oscillator so slow (omega0 = 0.01 rad/s, no damping) that over the few
// seconds of simulated time a test covers the mass stays at y0 to within a
// pixel and the velocity stays 0: the picture is fixed by the view alone.
inline constexpr const char* slow_constants = "1 0 0.0001\n";
inline constexpr double slow_y0 = 0.9;
inline constexpr const char* slow_initial_conditions = "0.9 0\n";

// The mass disc: the only filled red disc in the right half of the window.
inline std::optional<Disc> mass_disc(const Picture& p)
{
    // The disc is 0.08 world units tall; thinner red (the string) is not it.
    const int min_run = static_cast<int>(std::lround(mass_radius * p.height * 0.6));
    return find_disc(p, {p.width / 2 + 2, 0, p.width, p.height}, is_red, min_run);
}

// Columns of the left half that hold `colour` within a band of rows around
// world height `world_y`: the extent of a curve drawn at that height. The
// string's left end, a small red disc at x = 0, is left out.
inline std::optional<Extent> curve_at(const Picture& p, double world_y, ColourClass colour)
{
    const int row = static_cast<int>(std::lround(pixel_y(world_y, p.height)));
    const int end_disc_left = static_cast<int>(pixel_x(-0.02, p.width));
    return horizontal_extent(p, {0, row - 5, end_disc_left, row + 6}, colour);
}

}  // namespace vibsim::e2e
