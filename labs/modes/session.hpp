// What vibsim-modes shows: the chain, its modes, its motion from a starting
// shape (a mode, a pluck, a strike, or displacements and velocities typed
// in) with or without the harmonic force,
// and the sweeping traces of the motion's modal coordinates, as the
// simulator sweeps its y(t) and v(t). The window and the picture both work
// on one session.
#pragma once

#include "modes/chain.hpp"
#include "modes/frequencies.hpp"
#include "modes/motion.hpp"

#include <vector>

namespace vibsim::modes {

enum class StartKind { mode, pluck, strike, typed };

struct Start {
    StartKind kind = StartKind::mode;
    int at = 1;  // the mode k, or the mass j plucked or struck
    // Typed: y_1 ... y_n [m] and v_1 ... v_n [m/s].
    std::vector<double> displacements;
    std::vector<double> velocities;
};

// Frames in one sweep of the traces.
inline constexpr int trace_frames = 250;
inline constexpr int trace_stride = trace_frames + 1;

// The grid of the D(omega) and response curves.
inline constexpr int curve_points = 400;

struct Session {
    Chain chain;
    Modes modes;
    Motion motion;
    Start start;
    int chosen_mass = 1;  // plucked, struck or forced by the keys
    // Modal coordinate q_k at sample s of the sweep: traces[(k - 1) * trace_stride + s].
    std::vector<double> traces;
    int trace_index = 0;     // the newest sample
    int traces_filled = 0;   // the last sample written in this sweep or an earlier one
    double largest_coordinate = 0.0;    // |q| seen since the start: the traces' scale
    double largest_displacement = 0.0;  // |y| seen since the start: the chain's scale
    // omega_n, the top of the curves, and the curves on their grid of
    // curve_points + 1 points from 0 to 1.15 omega_n (D) and 1.5 omega_n
    // (the forced mass's steady amplitude, NaN where there is none).
    std::vector<double> determinant;
    std::vector<double> response;
    int response_mass = 0;  // the mass the response curve belongs to
};

// The chain's modes, its motion (the force as given, its mass the chosen
// one) and the starting shape; false when the start does not fit the chain.
bool open_session(Session& session, const Chain& chain, const Start& start, const Force& force);

// A new starting shape: time 0, the traces cleared; the force stays. False,
// and nothing changed, when it does not fit the chain.
bool restart(Session& session, const Start& start);

// One frame of motion (four steps), and the traces' next sample.
void step_frame(Session& session);

// The highest natural frequency, omega_n.
double highest_frequency(const Session& session);

// The steady response curve of the forced mass, computed again when the
// forced mass has changed.
void update_response(Session& session);

}  // namespace vibsim::modes
