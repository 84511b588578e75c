// The forced motion stepped with the library's fourth-order Runge-Kutta-Gill
// step (S. Gill, Proc. Cambridge Philos. Soc. 47, 1951), the right-hand side
// evaluating the force at each stage's own time.
#include "forced/motion.hpp"

#include "forced/excitation.hpp"

#include <vibsim/runge_kutta_gill.hpp>

#include <cmath>
#include <numbers>

namespace vibsim::forced {

namespace {

void choose_substeps(Motion& motion)
{
    motion.runnable = invalid_field(motion.model).empty();
    const Model& model = motion.model;
    const double rate = natural_frequency(model) + model.damping / model.mass;
    const double needed =
        std::ceil(std::fmax(rate * frame_step / step_limit, model.omega * frame_step / drive_step_limit));
    motion.runnable = motion.runnable && needed <= most_substeps;
    motion.substeps = motion.runnable && needed > 1.0 ? static_cast<int>(needed) : 1;
    motion.step_reduced = motion.substeps > 1;
}

}  // namespace

Motion make_motion(const Model& model)
{
    Motion motion;
    motion.model = model;
    choose_substeps(motion);
    restart(motion);
    return motion;
}

void restart(Motion& motion)
{
    motion.y = motion.model.initial_displacement;
    motion.v = motion.model.initial_velocity;
    motion.steps = 0;
    motion.drive_origin = 0.0;
}

void set_frequency(Motion& motion, double omega)
{
    if (!std::isfinite(omega) || omega <= 0.0) return;
    // The phase omega (t + origin) reduced to one period, then the origin
    // that gives the same phase at the new omega.
    const double phase = 2.0 * std::numbers::pi * period_fraction(motion.model.omega, motion.drive_time());
    motion.model.omega = omega;
    motion.drive_origin = phase / omega - motion.time();
    choose_substeps(motion);
}

void gill_step(const Model& model, double drive_time, double h, double& y, double& v)
{
    const double m = model.mass;
    const double lambda = model.damping;
    const double k = model.stiffness;
    // The force is the same for both components of a stage: computed for
    // the first (i = 0) and kept for the second.
    // A stage at the step's start or end takes the force's limit from
    // inside the step, which matters where a wave jumps right there.
    double force = 0.0;
    const double end = drive_time + h;
    const auto rhs = [&](int i, double t, const double* s) -> double {
        if (i == 0) {
            force = t == drive_time ? excitation_force_limit(model, t, Limit::right)
                    : t == end      ? excitation_force_limit(model, t, Limit::left)
                                    : excitation_force(model, t);
            return s[1];
        }
        return (force - lambda * s[1] - k * s[0]) / m;
    };
    double state[2] = {y, v};
    runge_kutta_gill(drive_time, h, state, state, 2, rhs);
    y = state[0];
    v = state[1];
}

void step_across_jumps(const Model& model, double drive_time, double h, double& y, double& v)
{
    const double margin = 1e-9 / model.omega;
    const double end = drive_time + h;
    double from = drive_time;
    for (double jump = next_jump(model, from + margin); jump < end - margin; jump = next_jump(model, from + margin)) {
        gill_step(model, from, jump - from, y, v);
        from = jump;
    }
    gill_step(model, from, end - from, y, v);
}

void advance_step(Motion& motion)
{
    if (!motion.runnable) return;
    const double h = frame_step / motion.substeps;
    const double start = motion.drive_time();
    for (int j = 0; j < motion.substeps; ++j) step_across_jumps(motion.model, start + j * h, h, motion.y, motion.v);
    ++motion.steps;
}

void advance_frame(Motion& motion)
{
    for (int step = 0; step < steps_per_frame; ++step) advance_step(motion);
}

}  // namespace vibsim::forced
