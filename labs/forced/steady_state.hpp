// The periodic steady state of the forced oscillator: the harmonics of the
// force and of the response, and the steady motion in time built from them.
#pragma once

#include "forced/model.hpp"

#include <vector>

namespace vibsim::forced {

// Intervals of the one period of a wave that its harmonics are analysed from.
inline constexpr int analysis_intervals = 2048;
// Harmonics kept of a periodic wave: the response's k-th harmonic falls as
// 1/k^3 beyond resonance for the square wave, so the ones left out add less
// than 2e-5 of the fundamental to the steady state.
inline constexpr int kept_harmonics = 127;
// Intervals of the one period of the steady state that is synthesised.
inline constexpr int table_intervals = 2048;

// Harmonics 0 ... kept_harmonics of a periodic signal at the fundamental
// omega: x(t) = a[0] + sum a[k] cos(k omega t) + b[k] sin(k omega t).
struct Harmonics {
    std::vector<double> a;
    std::vector<double> b;
};

// The harmonics of the wave of unit amplitude. A cosine has a[1] = 1 alone;
// the other waves are analysed from analysis_intervals intervals of one
// period, a jump sampled at the mean of its two sides. Coefficients below
// 1e-12 of the largest are the rounding of ones that vanish, and are 0.
Harmonics wave_harmonics(Wave wave);

// The harmonics of the force on the mass at the model's omega.
Harmonics force_harmonics(const Model& model, const Harmonics& unit_wave);

// The response's harmonics: each force harmonic times H(k omega). Not finite
// where an undamped oscillator has k omega exactly at omega0.
Harmonics response_harmonics(const Model& model, const Harmonics& force);

// The steady motion y_s(t) at the model's omega, starting from the
// excitation's own t = 0.
struct SteadyState {
    bool finite = true;  // false: undamped, a harmonic exactly at resonance
    double omega = 1.0;
    bool periodic = false;  // a wave other than cosine: y_s from the table
    double real = 0.0;       // cosine: y_s = Re(Y e^{i omega t}) ...
    double imaginary = 0.0;  // ... with Y = real + i imaginary
    Harmonics force;
    Harmonics response;
    // A periodic wave's y_s and v_s at t = j T / table_intervals, j =
    // 0 ... table_intervals (the last repeating the first), synthesised from
    // the response's harmonics; empty when made without the table.
    std::vector<double> displacement_table;
    std::vector<double> velocity_table;
};

// with_table false leaves out the synthesised table: y_s is then summed
// from the harmonics directly, which costs less when only a few values are
// wanted. unit_wave, when given, is wave_harmonics(effective_wave(model)).
SteadyState make_steady_state(const Model& model, bool with_table = true);
SteadyState make_steady_state(const Model& model, const Harmonics& unit_wave, bool with_table);

double steady_displacement(const SteadyState& steady, double t);
double steady_velocity(const SteadyState& steady, double t);

}  // namespace vibsim::forced
