// The logarithmic decrement of a free decay from its peaks and troughs.
#pragma once

#include "identify/decay.hpp"

#include <optional>
#include <vector>

namespace vibsim::identify {

struct Decrement {
    double delta = 0.0;   // the logarithmic decrement per cycle
    double zeta = 0.0;    // delta / sqrt(4 pi^2 + delta^2)
    double period = 0.0;  // the damped period, s
    double omega_d = 0.0; // 2 pi / period
    double omega0 = 0.0;  // omega_d / sqrt(1 - zeta^2)
    // The peak-to-trough heights of neighbouring extrema against the cycle
    // number (0, 0.5, 1, ...), and the line ln h = intercept - delta n.
    std::vector<double> cycles;
    std::vector<double> log_heights;
    double intercept = 0.0;
};

// The decrement of the extrema of a decay. Nothing, with the reason in
// `none`, when the heights do not decrease.
std::optional<Decrement> log_decrement(const DecaySpan& decay, NoDecay& none);

}  // namespace vibsim::identify
