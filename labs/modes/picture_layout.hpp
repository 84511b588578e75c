// Where the panels of vibsim-modes' picture stand, and their colours.
#pragma once

#include "kit/panels.hpp"

#include <vibsim/geometry.hpp>

#include <array>
#include <cstddef>

namespace vibsim::modes {

inline constexpr kit::Rect chain_rect{-1.24, 0.34, -0.04, 0.74};
inline constexpr kit::Rect traces_rect{0.16, 0.34, 1.28, 0.74};
inline constexpr kit::Rect determinant_rect{-1.24, -0.22, -0.04, 0.18};
inline constexpr kit::Rect shapes_rect{0.16, -0.86, 1.28, 0.18};
inline constexpr kit::Rect energy_rect{-1.24, -0.80, -0.70, -0.40};
inline constexpr kit::Rect response_rect{-0.56, -0.80, -0.04, -0.40};

inline constexpr Colour4 curve_blue{0.0f, 0.3f, 0.9f, 0.0f};
inline constexpr Colour4 force_green{0.0f, 0.55f, 0.15f, 0.0f};
inline constexpr Colour4 mark_black{0.1f, 0.1f, 0.15f, 0.0f};

// Mode k's colour in the traces, the frequency rules and the shapes' numbers
// is mode_colours[k - 1]: the first three are the library's red, green and
// blue, the others dark enough to read on white and far apart from each
// other, from the forcing's green and from the black of the marks, so that
// no two modes of a chain look alike.
inline constexpr std::array<Colour4, 21> mode_colours = {{
    {1.00f, 0.00f, 0.00f, 0.0f},  // red
    {0.00f, 1.00f, 0.00f, 0.0f},  // green
    {0.00f, 0.00f, 1.00f, 0.0f},  // blue
    {1.00f, 0.55f, 0.00f, 0.0f},  // orange
    {0.55f, 0.00f, 0.75f, 0.0f},  // purple
    {0.00f, 0.70f, 0.75f, 0.0f},  // teal
    {0.55f, 0.30f, 0.05f, 0.0f},  // brown
    {1.00f, 0.00f, 0.70f, 0.0f},  // magenta
    {0.50f, 0.50f, 0.00f, 0.0f},  // olive
    {0.45f, 0.65f, 1.00f, 0.0f},  // sky blue
    {0.55f, 0.00f, 0.15f, 0.0f},  // wine
    {0.60f, 0.85f, 0.00f, 0.0f},  // lime
    {0.00f, 0.25f, 0.45f, 0.0f},  // navy
    {1.00f, 0.45f, 0.55f, 0.0f},  // pink
    {0.85f, 0.75f, 0.00f, 0.0f},  // mustard
    {0.45f, 0.45f, 0.85f, 0.0f},  // slate blue
    {0.75f, 0.35f, 0.00f, 0.0f},  // rust
    {0.35f, 0.75f, 0.55f, 0.0f},  // sea green
    {0.80f, 0.55f, 0.95f, 0.0f},  // lilac
    {0.55f, 0.55f, 0.55f, 0.0f},  // grey
    {0.30f, 0.15f, 0.35f, 0.0f},  // aubergine
}};

inline const Colour4& mode_colour(int k) { return mode_colours[static_cast<std::size_t>(k - 1)]; }

}  // namespace vibsim::modes
