// Where the panels of vibsim-forced's picture stand, and their colours.
#pragma once

#include "kit/panels.hpp"

#include <vibsim/geometry.hpp>

namespace vibsim::forced {

inline constexpr kit::Rect mass_rect{-1.28, 0.30, -0.62, 0.74};
inline constexpr kit::Rect traces_rect{-0.40, 0.30, 1.28, 0.74};
inline constexpr kit::Rect response_rect{-1.20, -0.42, -0.04, 0.14};
inline constexpr kit::Rect phasor_rect{0.14, -0.42, 0.62, 0.14};
inline constexpr kit::Rect energy_rect{0.84, -0.42, 1.28, 0.14};
inline constexpr kit::Rect spectra_rect{0.14, -0.90, 1.28, -0.66};

inline constexpr Colour4 curve_blue{0.0f, 0.3f, 0.9f, 0.0f};
inline constexpr Colour4 steady_orange{0.9f, 0.45f, 0.0f, 0.0f};
inline constexpr Colour4 force_green{0.0f, 0.55f, 0.15f, 0.0f};
inline constexpr Colour4 phase_red{0.8f, 0.1f, 0.2f, 0.0f};
inline constexpr Colour4 mark_black{0.1f, 0.1f, 0.15f, 0.0f};

}  // namespace vibsim::forced
