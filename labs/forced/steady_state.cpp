// The periodic steady state through the Fourier series: the wave's
// harmonics by the trapezoidal analysis of one sampled period, each
// harmonic's response from the receptance at k omega, and one period of the
// steady motion synthesised from them and read between its samples by cubic
// Hermite interpolation (A. Ralston, P. Rabinowitz, A First Course in
// Numerical Analysis, 2nd ed., McGraw-Hill 1978, section 3.7).
#include "forced/steady_state.hpp"

#include "forced/excitation.hpp"
#include "forced/response.hpp"

#include <vibsim/fourier.hpp>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace vibsim::forced {

namespace {

constexpr std::size_t harmonic_slots = kept_harmonics + 1;

Harmonics empty_harmonics() { return {std::vector<double>(harmonic_slots, 0.0), std::vector<double>(harmonic_slots, 0.0)}; }

// A sample of the wave at j / analysis_intervals of its period; at a jump,
// the mean of its two sides, which the Fourier series converges to.
double analysis_sample(Wave wave, int j)
{
    constexpr int n = analysis_intervals;
    if (wave == Wave::square && (4 * j == n || 4 * j == 3 * n)) return 0.0;
    if (wave == Wave::sawtooth && (j == 0 || j == n)) return 0.0;
    if (j == n) return analysis_sample(wave, 0);
    return wave_value(wave, static_cast<double>(j) / n);
}

void clear_rounding(std::vector<double>& a, std::vector<double>& b)
{
    double largest = 0.0;
    for (std::size_t k = 0; k < a.size(); ++k) largest = std::max({largest, std::fabs(a[k]), std::fabs(b[k])});
    for (std::size_t k = 0; k < a.size(); ++k) {
        if (std::fabs(a[k]) < 1e-12 * largest) a[k] = 0.0;
        if (std::fabs(b[k]) < 1e-12 * largest) b[k] = 0.0;
    }
}

double harmonic_sum(const Harmonics& h, double theta)
{
    double sum = h.a[0];
    for (std::size_t k = 1; k < h.a.size(); ++k) {
        const double phase = static_cast<double>(k) * theta;
        sum += h.a[k] * std::cos(phase) + h.b[k] * std::sin(phase);
    }
    return sum;
}

// The harmonics of the derivative of a signal of fundamental omega.
Harmonics derivative(const Harmonics& h, double omega)
{
    Harmonics rate = empty_harmonics();
    for (std::size_t k = 1; k < h.a.size(); ++k) {
        const double k_omega = static_cast<double>(k) * omega;
        rate.a[k] = k_omega * h.b[k];
        rate.b[k] = -k_omega * h.a[k];
    }
    return rate;
}

std::vector<double> synthesised_period(const Harmonics& h)
{
    std::vector<double> samples(table_intervals + 1);
    fourier_series_synthesis(samples.data(), table_intervals, kept_harmonics, h.a.data(), h.b.data());
    samples[table_intervals] = samples[0];
    return samples;
}

bool all_finite(const Harmonics& h)
{
    const auto finite = [](double x) { return std::isfinite(x); };
    return std::all_of(h.a.begin(), h.a.end(), finite) && std::all_of(h.b.begin(), h.b.end(), finite);
}

}  // namespace

Harmonics wave_harmonics(Wave wave)
{
    Harmonics h = empty_harmonics();
    if (wave == Wave::cosine) {
        h.a[1] = 1.0;
        return h;
    }
    std::vector<double> samples(analysis_intervals + 1);
    for (int j = 0; j <= analysis_intervals; ++j) samples[static_cast<std::size_t>(j)] = analysis_sample(wave, j);
    fourier_series_analysis(samples.data(), analysis_intervals, kept_harmonics, h.a.data(), h.b.data());
    clear_rounding(h.a, h.b);
    return h;
}

Harmonics force_harmonics(const Model& model, const Harmonics& unit_wave)
{
    Harmonics force = empty_harmonics();
    const double a = model.amplitude;
    switch (model.drive) {
    case Drive::force:
        for (std::size_t k = 0; k < harmonic_slots && k < unit_wave.a.size(); ++k) {
            force.a[k] = a * unit_wave.a[k];
            force.b[k] = a * unit_wave.b[k];
        }
        break;
    case Drive::base:  // K u + lambda u' = A (K cos - lambda omega sin)
        force.a[1] = a * model.stiffness;
        force.b[1] = -a * model.damping * model.omega;
        break;
    case Drive::unbalance:
        force.a[1] = a * model.omega * model.omega;
        break;
    }
    return force;
}

Harmonics response_harmonics(const Model& model, const Harmonics& force)
{
    Harmonics y = empty_harmonics();
    y.a[0] = force.a[0] / model.stiffness;
    for (std::size_t k = 1; k < harmonic_slots && k < force.a.size(); ++k) {
        // a cos + b sin = Re((a - i b) e^{i k omega t}).
        const std::complex<double> f(force.a[k], -force.b[k]);
        if (f == 0.0) continue;
        const std::complex<double> response = f * receptance(model, static_cast<double>(k) * model.omega);
        y.a[k] = response.real();
        y.b[k] = -response.imag();
    }
    return y;
}

SteadyState make_steady_state(const Model& model, bool with_table)
{
    return make_steady_state(model, wave_harmonics(effective_wave(model)), with_table);
}

SteadyState make_steady_state(const Model& model, const Harmonics& unit_wave, bool with_table)
{
    SteadyState steady;
    steady.omega = model.omega;
    steady.periodic = effective_wave(model) != Wave::cosine;
    steady.force = force_harmonics(model, unit_wave);
    steady.response = response_harmonics(model, steady.force);
    steady.finite = all_finite(steady.response);
    if (!steady.periodic) {
        const Response closed = steady_response(model, model.omega);
        steady.finite = closed.finite;
        steady.real = closed.complex_amplitude.real();
        steady.imaginary = closed.complex_amplitude.imag();
    } else if (with_table && steady.finite) {
        steady.displacement_table = synthesised_period(steady.response);
        steady.velocity_table = synthesised_period(derivative(steady.response, model.omega));
    }
    return steady;
}

double steady_displacement(const SteadyState& steady, double t)
{
    const double w = steady.omega;
    if (!steady.periodic) return steady.real * std::cos(w * t) - steady.imaginary * std::sin(w * t);
    const double s = period_fraction(w, t);
    if (steady.displacement_table.empty()) return harmonic_sum(steady.response, 2.0 * std::numbers::pi * s);
    const double p = s * table_intervals;
    const auto i = std::min(static_cast<std::size_t>(p), static_cast<std::size_t>(table_intervals - 1));
    const double u = p - static_cast<double>(i);
    const double h = 2.0 * std::numbers::pi / w / table_intervals;
    const std::vector<double>& y = steady.displacement_table;
    const std::vector<double>& v = steady.velocity_table;
    const double u2 = u * u;
    const double u3 = u2 * u;
    return (2.0 * u3 - 3.0 * u2 + 1.0) * y[i] + (u3 - 2.0 * u2 + u) * h * v[i] + (3.0 * u2 - 2.0 * u3) * y[i + 1] +
           (u3 - u2) * h * v[i + 1];
}

double steady_velocity(const SteadyState& steady, double t)
{
    const double w = steady.omega;
    if (!steady.periodic) return -w * (steady.real * std::sin(w * t) + steady.imaginary * std::cos(w * t));
    const double s = period_fraction(w, t);
    if (steady.velocity_table.empty()) return harmonic_sum(derivative(steady.response, w), 2.0 * std::numbers::pi * s);
    const double p = s * table_intervals;
    const auto i = std::min(static_cast<std::size_t>(p), static_cast<std::size_t>(table_intervals - 1));
    const double u = p - static_cast<double>(i);
    return (1.0 - u) * steady.velocity_table[i] + u * steady.velocity_table[i + 1];
}

}  // namespace vibsim::forced
