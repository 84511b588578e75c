// The work per cycle of the steady state: what the excitation puts in and
// what the damper takes out.
#pragma once

#include "forced/steady_state.hpp"

namespace vibsim::forced {

struct CycleEnergy {
    double input = 0.0;        // [J] the excitation's work in one period
    double dissipated = 0.0;   // [J] the damper's, pi lambda k^2 omega |Z_k|^2 summed over the harmonics
};

// From the steady state's harmonics. The excitation's work is that of the
// force on the mass along y for force and unbalance, and that of the
// support's force (K + i lambda omega)(-Z) along u for base, where the
// damper's stretch is Z = Y - A. Infinite parts when the steady state is not
// finite.
CycleEnergy cycle_energy(const Model& model, const SteadyState& steady);

}  // namespace vibsim::forced
