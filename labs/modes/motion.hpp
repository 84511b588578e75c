// The chain's free and forced motion in time: the 2n first-order equations
//   y_i' = v_i,
//   v_i' = (f_i(t) - lambda_i v_i - k_{i-1} (y_i - y_{i-1}) - k_i (y_i - y_{i+1})) / m_i,
// stepped with the library's Runge-Kutta-Gill step, four steps a frame as
// the simulator does; and the motion's modal coordinates and energies.
#pragma once

#include "modes/chain.hpp"
#include "modes/frequencies.hpp"

#include <span>
#include <vector>

namespace vibsim::modes {

// Defaults of the starting shapes, sized for a picture that draws 1 m of
// displacement as about 0.1 world units: a peak of 1 m for a mode or a
// pluck, and a strike of 1 m/s (about 1 m of swing for frequencies near
// 1 rad/s, as the default chain has).
inline constexpr double default_amplitude = 1.0;  // m
inline constexpr double default_velocity = 1.0;   // m/s

inline constexpr double frame_step = 0.01;  // s, the step of a chain that is not stiff
inline constexpr int steps_per_frame = 4;
// The largest rate x step that the motion allows: a stiffer chain gets
// shorter steps, step = step_limit / rate.
inline constexpr double step_limit = 0.5;

// F cos(omega t) on one mass, when on.
struct Force {
    bool on = false;
    int mass = 1;         // 1 ... n
    double amplitude = 1.0;  // F [N]
    double omega = 1.0;   // [rad/s]
};

struct Motion {
    Chain chain;
    std::vector<double> state;  // y_1 ... y_n [m], then v_1 ... v_n [m/s]
    double time = 0.0;          // s
    double step = frame_step;   // s, of each of the four steps of a frame
    bool step_reduced = false;  // step < frame_step: the chain is too stiff for 0.01 s
    Force force;
};

// The chain at rest at time 0, with its step: frame_step, or shorter when
// the fastest rate of the motion, omega_n plus the largest lambda_i / m_i
// (a bound of every |s| of the damped chain's motions e^{st}), times
// frame_step exceeds step_limit; then step = step_limit / rate. (Without
// dampers the rate is omega_n; the dampers' share keeps a heavily damped
// chain, whose motion decays faster than it swings, from blowing up.)
Motion make_motion(const Chain& chain, double highest_frequency);

// Starting shapes; each sets time 0 and keeps the force as it is. False, and
// the motion left as it was, for a mode or mass outside 1 ... n, shapes not
// made for this chain, values that are not finite, or lists not of n values.
//   start_mode: y = amplitude phi_k, v = 0.
//   start_pluck: a triangle with its peak `amplitude` at mass j, straight
//     down to zero at both fixed ends (at positions 0 and n + 1), v = 0.
//   start_strike: everything at rest, v_j = velocity.
//   start_typed: the displacements and velocities given.
bool start_mode(Motion& motion, const Modes& modes, int k, double amplitude = default_amplitude);
bool start_pluck(Motion& motion, int j, double amplitude = default_amplitude);
bool start_strike(Motion& motion, int j, double velocity = default_velocity);
bool start_typed(Motion& motion, std::span<const double> displacements, std::span<const double> velocities);

// Four steps of motion.step; time advances by each step.
void advance_frame(Motion& motion);

// q_k = phi_k^T M x / phi_k^T M phi_k for k = 1 ... n, of x = the
// displacements (the modal coordinates) or the velocities (their rates).
std::vector<double> modal_coordinates(const Chain& chain, const Modes& modes, std::span<const double> x);

// The energy in each mode, 1/2 phi_k^T M phi_k (qdot_k^2 + omega_k^2 q_k^2),
// of a state (y then v); they add up to the total energy.
std::vector<double> modal_energies(const Chain& chain, const Modes& modes, std::span<const double> state);

// 1/2 sum m_i v_i^2 + 1/2 sum k_i (y_{i+1} - y_i)^2 (with the fixed ends).
double total_energy(const Chain& chain, std::span<const double> state);

}  // namespace vibsim::modes
