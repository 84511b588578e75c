// What vibsim-forced shows: the model, its motion from y0 v0 with the
// steady state beside it, the sweeping traces of y, the steady y and the
// force, and the shaker's sweep as its points arrive. The window, the
// picture and the page all work on one session.
#pragma once

#include "forced/model.hpp"
#include "forced/motion.hpp"
#include "forced/steady_state.hpp"
#include "forced/sweep.hpp"

#include <vector>

namespace vibsim::forced {

// Frames in one sweep of the traces: 10 s.
inline constexpr int trace_frames = 250;
inline constexpr int trace_stride = trace_frames + 1;

enum class ShakerState { idle, running, complete, undamped, lightly_damped };

struct Session {
    Model model;
    Motion motion;
    Harmonics unit_wave;  // wave_harmonics(effective_wave(model))
    SteadyState steady;
    // Samples s = 0 ... trace_frames of the sweep: y, the steady y and the
    // force on the mass.
    std::vector<double> traces;  // [0 .. 3 * trace_stride)
    int trace_index = 0;
    int traces_filled = 0;
    double largest_displacement = 0.0;  // |y|, |y_s| seen: the traces' scale
    double largest_force = 0.0;         // |f| seen
    // The shaker.
    SweepRange range;
    ShakerState shaker = ShakerState::idle;
    Sweep measured;       // the points so far
    int next_point = 0;   // the next frequency's index
    double shaker_phase = 0.0;
};

// The model at y0 v0 with the shaker's range; the sweep not started.
void open_session(Session& session, const Model& model, const SweepRange& range);

// Back to y0 v0 at time 0, the traces cleared.
void restart(Session& session);

// A new model (a drive, a wave or constants); the motion restarts when
// `keep_motion` is false, otherwise it goes on from where it is. The shaker
// stops.
void change_model(Session& session, const Model& model, bool keep_motion);

// A new omega, the motion going on with the force's phase carried on.
void change_frequency(Session& session, double omega);

// One frame: four steps, the traces' next sample, and while the shaker
// runs its next frequency.
void step_frame(Session& session);

// The shaker's frequency i of its range.
double shaker_frequency(const SweepRange& range, int i);

// Starts the shaker from y0 v0, or stops it while it runs.
void toggle_shaker(Session& session);

// Runs the shaker to its end at once (for the picture off screen and the
// page's file).
void finish_shaker(Session& session);

}  // namespace vibsim::forced
