#include "modes/session.hpp"

#include "modes/response.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>

namespace vibsim::modes {

namespace {

// Samples the newest state's modal coordinates into the traces.
void record(Session& s)
{
    const std::span<const double> y(s.motion.state.data(), static_cast<std::size_t>(s.chain.n));
    const std::vector<double> q = modal_coordinates(s.chain, s.modes, y);
    for (int k = 0; k < s.chain.n; ++k) {
        const double value = q[static_cast<std::size_t>(k)];
        s.traces[static_cast<std::size_t>(k * trace_stride + s.trace_index)] = value;
        if (std::isfinite(value)) s.largest_coordinate = std::max(s.largest_coordinate, std::fabs(value));
    }
    for (const double value : y) {
        if (std::isfinite(value)) s.largest_displacement = std::max(s.largest_displacement, std::fabs(value));
    }
    s.traces_filled = std::max(s.traces_filled, s.trace_index);
}

bool apply_start(Motion& motion, const Modes& modes, const Start& start)
{
    switch (start.kind) {
    case StartKind::mode: return start_mode(motion, modes, start.at);
    case StartKind::pluck: return start_pluck(motion, start.at);
    case StartKind::strike: return start_strike(motion, start.at);
    case StartKind::typed: return start_typed(motion, start.displacements, start.velocities);
    }
    return false;
}

}  // namespace

double highest_frequency(const Session& session)
{
    const double top = session.modes.omega.empty() ? 0.0 : session.modes.omega.back();
    return top > 0.0 && std::isfinite(top) ? top : 1.0;
}

bool open_session(Session& session, const Chain& chain, const Start& start, const Force& force)
{
    Session opened;
    opened.chain = chain;
    opened.modes = chain_modes(chain);
    opened.motion = make_motion(chain, opened.modes.omega.empty() ? 0.0 : opened.modes.omega.back());
    opened.motion.force = force;
    opened.chosen_mass = std::clamp(force.mass, 1, chain.n);
    if (start.kind == StartKind::pluck || start.kind == StartKind::strike) {
        opened.chosen_mass = std::clamp(start.at, 1, chain.n);
    }
    if (!restart(opened, start)) return false;
    const double top = 1.15 * highest_frequency(opened);
    opened.determinant.resize(curve_points + 1);
    for (int i = 0; i <= curve_points; ++i) {
        opened.determinant[static_cast<std::size_t>(i)] = characteristic_determinant(chain, top * i / curve_points);
    }
    session = std::move(opened);
    update_response(session);
    return true;
}

bool restart(Session& session, const Start& start)
{
    Motion motion = session.motion;
    if (!apply_start(motion, session.modes, start)) return false;
    session.motion = std::move(motion);
    session.start = start;
    session.traces.assign(static_cast<std::size_t>(session.chain.n * trace_stride), 0.0);
    session.trace_index = 0;
    session.traces_filled = 0;
    session.largest_coordinate = 0.0;
    session.largest_displacement = 0.0;
    record(session);
    return true;
}

void step_frame(Session& session)
{
    advance_frame(session.motion);
    session.trace_index = session.trace_index == trace_frames ? 0 : session.trace_index + 1;
    record(session);
}

void update_response(Session& session)
{
    const int mass = session.motion.force.mass;
    if (mass == session.response_mass && !session.response.empty()) return;
    const Chain& chain = session.chain;
    const double top = 1.5 * highest_frequency(session);
    std::vector<double> amplitudes(static_cast<std::size_t>(chain.n));
    session.response.assign(curve_points + 1, std::numeric_limits<double>::quiet_NaN());
    for (int i = 0; i <= curve_points; ++i) {
        if (steady_amplitudes(chain, mass, 1.0, top * i / curve_points, amplitudes)) {
            session.response[static_cast<std::size_t>(i)] = amplitudes[static_cast<std::size_t>(mass - 1)];
        }
    }
    session.response_mass = mass;
}

}  // namespace vibsim::modes
