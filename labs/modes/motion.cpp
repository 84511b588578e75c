// The chain's motion in time, stepped with the library's fourth-order
// Runge-Kutta-Gill step (S. Gill, Proc. Cambridge Philos. Soc. 47, 1951),
// and its modal decomposition q_k = phi_k^T M y / phi_k^T M phi_k.
#include "modes/motion.hpp"

#include <vibsim/runge_kutta_gill.hpp>

#include <algorithm>
#include <cmath>

namespace vibsim::modes {

namespace {

bool all_finite(std::span<const double> values)
{
    return std::all_of(values.begin(), values.end(), [](double x) { return std::isfinite(x); });
}

std::size_t count(const Motion& motion) { return static_cast<std::size_t>(motion.chain.n); }

void begin(Motion& motion)
{
    motion.state.assign(2 * count(motion), 0.0);
    motion.time = 0.0;
}

}  // namespace

Motion make_motion(const Chain& chain, double highest_frequency)
{
    Motion motion;
    if (!sound_chain(chain)) {
        motion.chain.n = 0;  // no motion: every start is refused
        return motion;
    }
    motion.chain = chain;
    double fastest_decay = 0.0;
    for (int i = 0; i < chain.n; ++i) {
        const auto at = static_cast<std::size_t>(i);
        fastest_decay = std::max(fastest_decay, chain.damping[at] / chain.mass[at]);
    }
    const double rate = highest_frequency + fastest_decay;
    if (rate * frame_step > step_limit) {
        motion.step = step_limit / rate;
        motion.step_reduced = true;
    }
    begin(motion);
    return motion;
}

bool start_mode(Motion& motion, const Modes& modes, int k, double amplitude)
{
    const int n = motion.chain.n;
    if (modes.n != n || k < 1 || k > n || modes.shapes.size() != count(motion) * count(motion) ||
        !std::isfinite(amplitude))
        return false;
    begin(motion);
    const std::span<const double> shape = modes.shape(k);
    for (std::size_t i = 0; i < count(motion); ++i) motion.state[i] = amplitude * shape[i];
    return true;
}

bool start_pluck(Motion& motion, int j, double amplitude)
{
    const int n = motion.chain.n;
    if (j < 1 || j > n || !std::isfinite(amplitude)) return false;
    begin(motion);
    // Mass i sits at position i, the fixed ends at 0 and n + 1.
    for (int i = 1; i <= n; ++i) {
        const double share = i <= j ? static_cast<double>(i) / j : static_cast<double>(n + 1 - i) / (n + 1 - j);
        motion.state[static_cast<std::size_t>(i - 1)] = amplitude * share;
    }
    return true;
}

bool start_strike(Motion& motion, int j, double velocity)
{
    const int n = motion.chain.n;
    if (j < 1 || j > n || !std::isfinite(velocity)) return false;
    begin(motion);
    motion.state[count(motion) + static_cast<std::size_t>(j - 1)] = velocity;
    return true;
}

bool start_typed(Motion& motion, std::span<const double> displacements, std::span<const double> velocities)
{
    if (!sound_chain(motion.chain) || displacements.size() != count(motion) || velocities.size() != count(motion) || !all_finite(displacements) ||
        !all_finite(velocities))
        return false;
    begin(motion);
    std::copy(displacements.begin(), displacements.end(), motion.state.begin());
    std::copy(velocities.begin(), velocities.end(),
              motion.state.begin() + static_cast<std::ptrdiff_t>(count(motion)));
    return true;
}

void advance_frame(Motion& motion)
{
    const Chain& chain = motion.chain;
    const int n = chain.n;
    if (!sound_chain(chain) || motion.state.size() != 2 * count(motion)) return;
    // A force that names no mass of the chain, or is not finite, acts as
    // off rather than filling the state with NaN.
    Force force = motion.force;
    force.on = force.on && force.mass >= 1 && force.mass <= n && std::isfinite(force.amplitude) &&
               std::isfinite(force.omega);
    const double* const m = chain.mass.data();
    const double* const c = chain.damping.data();
    const double* const k = chain.stiffness.data();
    const auto rhs = [n, m, c, k, &force](int i, double t, const double* s) -> double {
        if (i < n) return s[n + i];
        const int at = i - n;
        const double y = s[at];
        const double left = at > 0 ? s[at - 1] : 0.0;
        const double right = at + 1 < n ? s[at + 1] : 0.0;
        const double applied = force.on && at == force.mass - 1 ? force.amplitude * std::cos(force.omega * t) : 0.0;
        return (applied - c[at] * s[n + at] - k[at] * (y - left) - k[at + 1] * (y - right)) / m[at];
    };
    for (int step = 0; step < steps_per_frame; ++step) {
        runge_kutta_gill(motion.time, motion.step, motion.state.data(), motion.state.data(), 2 * n, rhs);
        motion.time += motion.step;
    }
}

std::vector<double> modal_coordinates(const Chain& chain, const Modes& modes, std::span<const double> x)
{
    const auto n = static_cast<std::size_t>(chain.n);
    std::vector<double> q(sound_chain(chain) ? n : 0, 0.0);
    if (q.empty() || modes.n != chain.n || modes.shapes.size() != n * n || x.size() < n) return q;
    for (int k = 1; k <= chain.n; ++k) {
        const std::span<const double> phi = modes.shape(k);
        double along = 0.0;
        double norm = 0.0;
        for (std::size_t i = 0; i < n; ++i) {
            along += phi[i] * chain.mass[i] * x[i];
            norm += phi[i] * chain.mass[i] * phi[i];
        }
        q[static_cast<std::size_t>(k - 1)] = along / norm;
    }
    return q;
}

std::vector<double> modal_energies(const Chain& chain, const Modes& modes, std::span<const double> state)
{
    const auto n = static_cast<std::size_t>(chain.n);
    std::vector<double> energy(sound_chain(chain) ? n : 0, 0.0);
    if (energy.empty() || modes.n != chain.n || modes.shapes.size() != n * n || state.size() < 2 * n) return energy;
    const std::vector<double> q = modal_coordinates(chain, modes, state.first(n));
    const std::vector<double> rate = modal_coordinates(chain, modes, state.subspan(n, n));
    for (int k = 1; k <= chain.n; ++k) {
        const std::span<const double> phi = modes.shape(k);
        double modal_mass = 0.0;
        for (std::size_t i = 0; i < n; ++i) modal_mass += phi[i] * chain.mass[i] * phi[i];
        const auto at = static_cast<std::size_t>(k - 1);
        const double omega = modes.omega[at];
        energy[at] = 0.5 * modal_mass * (rate[at] * rate[at] + omega * omega * q[at] * q[at]);
    }
    return energy;
}

double total_energy(const Chain& chain, std::span<const double> state)
{
    const auto n = static_cast<std::size_t>(chain.n);
    if (!sound_chain(chain) || state.size() < 2 * n) return 0.0;
    double energy = 0.0;
    for (std::size_t i = 0; i < n; ++i) energy += 0.5 * chain.mass[i] * state[n + i] * state[n + i];
    for (std::size_t i = 0; i <= n; ++i) {
        const double left = i > 0 ? state[i - 1] : 0.0;
        const double right = i < n ? state[i] : 0.0;
        energy += 0.5 * chain.stiffness[i] * (right - left) * (right - left);
    }
    return energy;
}

}  // namespace vibsim::modes
