#include "forced/session.hpp"

#include "forced/excitation.hpp"

#include <algorithm>
#include <cmath>

namespace vibsim::forced {

namespace {

void record(Session& s)
{
    const double t = s.motion.drive_time();
    const double values[3] = {s.motion.y, steady_displacement(s.steady, t), excitation_force(s.model, t)};
    for (int k = 0; k < 3; ++k) s.traces[static_cast<std::size_t>(k * trace_stride + s.trace_index)] = values[k];
    for (int k = 0; k < 2; ++k)
        if (std::isfinite(values[k])) s.largest_displacement = std::max(s.largest_displacement, std::fabs(values[k]));
    if (std::isfinite(values[2])) s.largest_force = std::max(s.largest_force, std::fabs(values[2]));
    s.traces_filled = std::max(s.traces_filled, s.trace_index);
}

void clear_traces(Session& s)
{
    s.traces.assign(3 * trace_stride, 0.0);
    s.trace_index = 0;
    s.traces_filled = 0;
    s.largest_displacement = 0.0;
    s.largest_force = 0.0;
    record(s);
}

void stop_shaker(Session& s)
{
    s.shaker = ShakerState::idle;
    s.measured = Sweep{};
    s.next_point = 0;
}

// The shaker's next frequency, and its end when it has none left.
void shaker_step(Session& s)
{
    if (s.next_point >= s.range.count) {
        s.shaker = ShakerState::complete;
        return;
    }
    SweepPoint point;
    if (!sweep_point(s.model, s.unit_wave, shaker_frequency(s.range, s.next_point), s.measured.y, s.measured.v,
                     s.shaker_phase, point)) {
        s.shaker = ShakerState::lightly_damped;
        return;
    }
    s.measured.points.push_back(point);
    ++s.next_point;
    if (s.next_point >= s.range.count) s.shaker = ShakerState::complete;
}

}  // namespace

void open_session(Session& session, const Model& model, const SweepRange& range)
{
    session.range = range;
    change_model(session, model, false);
}

void restart(Session& session)
{
    restart(session.motion);
    clear_traces(session);
}

void change_model(Session& session, const Model& model, bool keep_motion)
{
    const Motion before = session.motion;
    session.model = model;
    session.unit_wave = wave_harmonics(effective_wave(model));
    session.steady = make_steady_state(model, session.unit_wave, true);
    session.motion = make_motion(model);
    if (keep_motion) {
        session.motion.y = before.y;
        session.motion.v = before.v;
        session.motion.steps = before.steps;
        session.motion.drive_origin = before.drive_origin;
    }
    stop_shaker(session);
    clear_traces(session);
}

void change_frequency(Session& session, double omega)
{
    set_frequency(session.motion, omega);
    session.model.omega = session.motion.model.omega;
    session.steady = make_steady_state(session.model, session.unit_wave, true);
}

void step_frame(Session& session)
{
    advance_frame(session.motion);
    session.trace_index = session.trace_index == trace_frames ? 0 : session.trace_index + 1;
    record(session);
    if (session.shaker == ShakerState::running) shaker_step(session);
}

double shaker_frequency(const SweepRange& range, int i)
{
    return i + 1 == range.count ? range.high : range.low + (range.high - range.low) * i / (range.count - 1);
}

void toggle_shaker(Session& session)
{
    if (session.shaker == ShakerState::running) {
        session.shaker = ShakerState::idle;
        return;
    }
    stop_shaker(session);
    session.measured.y = session.model.initial_displacement;
    session.measured.v = session.model.initial_velocity;
    session.shaker_phase = 0.0;
    session.shaker = session.model.damping == 0.0 ? ShakerState::undamped : ShakerState::running;
}

void finish_shaker(Session& session)
{
    if (session.shaker != ShakerState::running) toggle_shaker(session);
    while (session.shaker == ShakerState::running) shaker_step(session);
}

}  // namespace vibsim::forced
