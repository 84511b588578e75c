// The forced oscillator's motion in time: y' = v, v' = (f(t) - lambda v - K y) / m
// stepped with the library's Runge-Kutta-Gill step, four steps of 0.01 s a
// frame, each split into equal shorter steps when the motion is too fast
// for 0.01 s.
#pragma once

#include "forced/model.hpp"

namespace vibsim::forced {

inline constexpr double frame_step = 0.01;  // s, the step of the time traces and the time file
inline constexpr int steps_per_frame = 4;
// The largest rate x step that the motion allows: for the free motion's
// rate, as in the modes lab; for the drive's omega, less, since the force
// itself has to be followed to the accuracy of the time traces.
inline constexpr double step_limit = 0.5;
inline constexpr double drive_step_limit = 0.1;
// The most shorter steps a 0.01 s step is split into; a model that needs
// more (omega0 beyond about 5e4 rad/s, or omega beyond 1e4 rad/s) is not
// stepped at all.
inline constexpr int most_substeps = 1000;

struct Motion {
    Model model;
    double y = 0.0;     // [m]
    double v = 0.0;     // [m/s]
    long long steps = 0;  // 0.01 s steps taken since the start
    // The excitation's time less the motion's: the force is
    // excitation_force(model, time() + drive_origin), so that a change of
    // omega keeps the wave's phase going on.
    double drive_origin = 0.0;
    int substeps = 1;           // steps of 0.01 s / substeps taken for each 0.01 s
    bool step_reduced = false;  // substeps > 1, said on screen
    bool runnable = true;       // false: too fast to step, or an unsound model

    double time() const { return static_cast<double>(steps) * frame_step; }
    double drive_time() const { return time() + drive_origin; }
};

// The model at y0, v0 and time 0, with its substeps: the least n for which
// (omega0 + lambda / m) x 0.01 s / n <= step_limit (omega0 + lambda / m
// bounds every |s| of the free motions e^{st}) and omega x 0.01 s / n <=
// drive_step_limit.
Motion make_motion(const Model& model);

// Back to y0, v0 at time 0, the model and its steps kept.
void restart(Motion& motion);

// A new omega, the wave's phase carried on from where it is now; the
// substeps follow the new rate.
void set_frequency(Motion& motion, double omega);

// One step of 0.01 s (its substeps each one Runge-Kutta-Gill step, the force
// evaluated at each stage's own time); advance_frame takes four. Nothing
// moves when the motion is not runnable.
void advance_step(Motion& motion);
void advance_frame(Motion& motion);

// One Runge-Kutta-Gill step of length h of m y'' + lambda y' + K y = f from
// (y, v) at the excitation's time drive_time. Stages at the step's start and
// end take the force's one-sided limit from inside the step.
void gill_step(const Model& model, double drive_time, double h, double& y, double& v);

// The same time h in one step, or split at the force's jumps inside it into
// steps that each see a continuous force (a jump within 1e-9 rad of the
// step's ends counts as at the end); the motion and the sweep step with it.
void step_across_jumps(const Model& model, double drive_time, double h, double& y, double& v);

}  // namespace vibsim::forced
