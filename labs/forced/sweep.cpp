// The stepped-sine shaker. Each frequency runs on from the state the last
// one left, the force's phase carried on, for whole periods until the
// transient's envelope, predicted from its decay rate and checked against
// the analytic steady state, lies below the measuring accuracy; the first
// harmonic of y is then taken by the trapezoidal Fourier analysis of one
// period sampled at the step, which divides the period exactly (D. J. Ewins,
// Modal Testing, 2nd ed., Research Studies Press 2000, section 3.5).
#include "forced/sweep.hpp"

#include "forced/motion.hpp"
#include "forced/response.hpp"

#include <vibsim/fourier.hpp>

#include <cmath>
#include <complex>
#include <numbers>

namespace vibsim::forced {

namespace {

constexpr double two_pi = 2.0 * std::numbers::pi;
// The most rate x step of the shaker's motion: smaller than the display's
// step_limit, for the measuring accuracy.
constexpr double sweep_step_limit = 0.125;
// Settling is predicted, run and checked at most this many times.
constexpr int most_settle_rounds = 20;

// The transient's size: for an underdamped oscillator its envelope
// sqrt(y^2 + ((v + sigma y) / omega_d)^2), which decays exactly as
// e^{-sigma t}; otherwise sqrt(y^2 + (v / omega0)^2).
double transient_size(const Model& model, double y, double v)
{
    const double omega0 = natural_frequency(model);
    const double zeta = damping_ratio(model);
    if (zeta < 1.0) {
        const double sigma = model.damping / (2.0 * model.mass);
        const double omega_d = omega0 * std::sqrt(1.0 - zeta * zeta);
        return std::hypot(y, (v + sigma * y) / omega_d);
    }
    return std::hypot(y, v / omega0);
}

// Wraps a lag into (near - pi, near + pi].
double near_to(double lag, double near)
{
    return lag - two_pi * std::ceil((lag - near - std::numbers::pi) / two_pi);
}

}  // namespace

SweepRange default_sweep(const Model& model)
{
    const double omega0 = natural_frequency(model);
    return {0.2 * omega0, 3.0 * omega0, 50};
}

bool sound_sweep(const SweepRange& range)
{
    return std::isfinite(range.low) && std::isfinite(range.high) && range.low > 0.0 && range.low < range.high &&
           range.count >= 2 && range.count <= most_sweep_frequencies;
}

bool sweep_point(const Model& base_model, const Harmonics& unit_wave, double omega, double& y_io, double& v_io,
                 double& phase_io, SweepPoint& point)
{
    Model model = base_model;
    model.omega = omega;
    if (!invalid_field(model).empty() || model.damping <= 0.0) return false;
    const SteadyState steady = make_steady_state(model, unit_wave, false);
    if (!steady.finite) return false;

    const double period = two_pi / omega;
    const double rate = natural_frequency(model) + model.damping / model.mass;
    const double per_period = std::fmax(sweep_steps_per_period, std::ceil(period * rate / sweep_step_limit));
    if (per_period > static_cast<double>(most_settle_steps)) return false;
    const auto n = static_cast<long long>(per_period);
    const double h = period / static_cast<double>(n);

    // The closed form, and the force's first harmonic that the lag is
    // measured from: arg(a1 - i b1) of the wave; the excitation's own
    // reference for base and unbalance.
    const Response exact = steady_response(model, omega);
    const std::complex<double> wave_first(unit_wave.a[1], -unit_wave.b[1]);
    const bool waved = model.drive == Drive::force;
    point.omega = omega;
    point.amplitude_exact = exact.amplitude * (waved ? std::abs(wave_first) : 1.0);
    point.phase_exact = exact.phase;
    const double reference = waved ? std::arg(wave_first) : 0.0;

    double y = y_io;
    double v = v_io;
    double start = phase_io / omega;  // the excitation's time
    const double decay = 1.0 / readouts(model).decay_time;
    const double accuracy = steady.periodic ? periodic_settle_accuracy : settle_accuracy;
    const double target = std::fmax(accuracy * point.amplitude_exact, 1e-300);
    long long taken = 0;
    for (int round = 0;; ++round) {
        const double size =
            transient_size(model, y - steady_displacement(steady, start), v - steady_velocity(steady, start));
        // A periodic wave's steady velocity is known only to the truncation
        // of its series, too coarsely to be checked against: its settling
        // is the predicted one alone.
        if (size <= target || (steady.periodic && round == 1)) break;
        if (round == most_settle_rounds) return false;
        // Past critical damping the slow part's decay is not a pure
        // exponential at first: half as long again.
        const double margin = damping_ratio(model) >= 1.0 ? 1.5 : 1.0;
        const double periods = std::fmax(1.0, std::ceil(margin * std::log(size / target) / decay / period));
        if (periods * per_period > static_cast<double>(most_settle_steps - taken)) return false;
        const auto steps = static_cast<long long>(periods) * n;
        for (long long j = 0; j < steps; ++j) step_across_jumps(model, start + static_cast<double>(j) * h, h, y, v);
        start += static_cast<double>(steps) * h;
        taken += steps;
    }

    std::vector<double> samples(static_cast<std::size_t>(n) + 1);
    samples[0] = y;
    for (long long j = 0; j < n; ++j) {
        step_across_jumps(model, start + static_cast<double>(j) * h, h, y, v);
        samples[static_cast<std::size_t>(j) + 1] = y;
    }
    double a[2];
    double b[2];
    fourier_series_analysis(samples.data(), static_cast<int>(n), 1, a, b);
    // The harmonic against cos(omega (t - start)), turned to cos(omega t).
    const std::complex<double> measured =
        std::complex<double>(a[1], -b[1]) * std::polar(1.0, -omega * start);
    point.amplitude = std::abs(measured);
    point.phase = near_to(reference - std::arg(measured), point.phase_exact);

    y_io = y;
    v_io = v;
    const double end = start + static_cast<double>(n) * h;
    phase_io = two_pi * (end / period - std::floor(end / period));
    return true;
}

Sweep run_sweep(const Model& model, const SweepRange& range)
{
    Sweep sweep;
    sweep.y = model.initial_displacement;
    sweep.v = model.initial_velocity;
    if (!invalid_field(model).empty() || !sound_sweep(range)) return sweep;
    if (model.damping == 0.0) {
        sweep.end = SweepEnd::undamped;
        return sweep;
    }
    const Harmonics unit_wave = wave_harmonics(effective_wave(model));
    double phase = 0.0;
    sweep.end = SweepEnd::complete;
    for (int i = 0; i < range.count; ++i) {
        const double omega = i + 1 == range.count
                                 ? range.high
                                 : range.low + (range.high - range.low) * i / (range.count - 1);
        SweepPoint point;
        if (!sweep_point(model, unit_wave, omega, sweep.y, sweep.v, phase, point)) {
            sweep.end = SweepEnd::lightly_damped;
            break;
        }
        sweep.points.push_back(point);
    }
    return sweep;
}

}  // namespace vibsim::forced
