// Where the panels of vibsim-modes' picture stand, and their colours.
#pragma once

#include "kit/panels.hpp"

#include <vibsim/geometry.hpp>

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

}  // namespace vibsim::modes
