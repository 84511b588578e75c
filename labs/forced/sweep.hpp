// The stepped-sine shaker: the oscillator driven at one frequency after
// another, each run on from the state the previous one left, until the
// transient has died away; then the first harmonic of y measured over one
// whole period of the force.
#pragma once

#include "forced/model.hpp"
#include "forced/steady_state.hpp"

#include <vector>

namespace vibsim::forced {

struct SweepRange {
    double low = 0.0;   // [rad/s], 0 < low < high
    double high = 0.0;  // [rad/s]
    int count = 0;      // frequencies, both ends included, >= 2
};

// 50 frequencies from 0.2 omega0 to 3 omega0.
SweepRange default_sweep(const Model& model);

// The most frequencies one sweep takes.
inline constexpr int most_sweep_frequencies = 10000;

// The sweep's range is sound: finite, 0 < low < high, 2 <= count <=
// most_sweep_frequencies.
bool sound_sweep(const SweepRange& range);

// Steps of the shaker's motion in one period of the force (at least; more
// when omega0 is fast against omega).
inline constexpr int sweep_steps_per_period = 256;
// The transient's amplitude, relative to the steady amplitude, below which
// a frequency is measured: for a cosine, and for a periodic wave, whose
// steady state is known only to the truncation of its series.
inline constexpr double settle_accuracy = 1e-6;
inline constexpr double periodic_settle_accuracy = 1e-4;
// The most steps that one frequency may take to settle; a more lightly
// damped oscillator is left unmeasured.
inline constexpr long long most_settle_steps = 4'000'000;

struct SweepPoint {
    double omega = 0.0;            // [rad/s]
    double amplitude = 0.0;        // measured first harmonic of y [m]
    double phase = 0.0;            // its lag behind the force's first harmonic [rad]
    double amplitude_exact = 0.0;  // the closed form's [m]
    double phase_exact = 0.0;      // [rad]
};

enum class SweepEnd {
    complete,        // every frequency measured
    undamped,        // lambda = 0: the transient never dies away, nothing measured
    lightly_damped,  // a frequency would not settle within most_settle_steps; points up to it kept
    unsound,         // the model or the range cannot be swept
};

struct Sweep {
    SweepEnd end = SweepEnd::unsound;
    std::vector<SweepPoint> points;
    double y = 0.0;  // the state the sweep ended in
    double v = 0.0;
};

// The whole sweep, from the model's y0, v0 and its drive and wave at each
// frequency of the range.
Sweep run_sweep(const Model& model, const SweepRange& range);

// One frequency of the sweep from (y, v) at the excitation's phase `phase`
// [rad]: settles, measures, and leaves (y, v, phase) where it stopped. False
// (and nothing changed) when it would not settle within most_settle_steps.
// unit_wave is wave_harmonics(effective_wave(model)).
bool sweep_point(const Model& model, const Harmonics& unit_wave, double omega, double& y, double& v, double& phase,
                 SweepPoint& point);

}  // namespace vibsim::forced
