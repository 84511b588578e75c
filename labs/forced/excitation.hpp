// The excitation of the forced oscillator in time: the wave, the support's
// motion and the force that the drive puts on the mass.
#pragma once

#include "forced/model.hpp"

namespace vibsim::forced {

// The wave's value at the fraction s of its period, 0 <= s < 1, for the
// three waves defined through the fraction; cosine gives cos(2 pi s). At a
// jump (square at s = 1/4 and 3/4, sawtooth at s = 0) it is the wave's value
// there as the model defines it: square +1, sawtooth -1.
double wave_value(Wave wave, double fraction);

// The fraction of the period at time t: omega t / (2 pi) less its whole periods.
double period_fraction(double omega, double t);

// The force on the mass from the excitation at time t [N]: A w(t) for
// force, K u + lambda u' for base, A omega^2 cos(omega t) for unbalance.
double excitation_force(const Model& model, double t);

// The force's one-sided limit at t: the value just before (left) or just
// after (right) it. It differs from excitation_force only at the jumps of
// the square and sawtooth waves, where a time within 2e-9 rad of the jump's
// phase counts as the jump. A step that starts or ends at a jump takes the
// force from inside the step.
enum class Limit { left, right };
double excitation_force_limit(const Model& model, double t, Limit limit);

// The excitation's time of the force's first jump after t (the square and
// sawtooth waves'), or infinity for a force without jumps.
double next_jump(const Model& model, double t);

// The support's displacement u = A cos(omega t) for base, 0 otherwise [m].
double support_displacement(const Model& model, double t);

}  // namespace vibsim::forced
