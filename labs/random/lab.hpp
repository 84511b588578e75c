// The random-vibration lab: the oscillator m*y'' + lambda*y' + K*y = f(t)
// driven by a white-noise force, recorded in records of 1024 steps of 0.01 s
// whose amplitude spectra are averaged.
//
// Each step draws one force value from normal_random and holds it over the
// step's four stages: the staged Runge-Kutta-Gill step tells the right-hand
// side which stage asks, and the force is drawn only in the first.
#pragma once

#include <vibsim/oscillator.hpp>

#include <array>
#include <numbers>
#include <vector>

namespace vibsim::random {

struct Oscillator {
    double mass = 1.0;             // m [kg]
    double damping = 0.2;          // lambda [N/(m/s)]
    double stiffness = 4.0;        // K [N/m]
    double initial_displacement = 0.0;  // y0 [m]
    double initial_velocity = 0.0;      // v0 [m/s]
    double force_deviation = 1.0;  // sigma [N], the standard deviation of f
};

inline constexpr double time_step = 0.01;           // s
inline constexpr int record_intervals = 1024;       // steps per record
inline constexpr int highest_harmonic = record_intervals / 2;
inline constexpr double record_seconds = record_intervals * time_step;  // 10.24 s

// omega_k = 2 pi k / 10.24 s, the angular frequency of harmonic k.
inline double harmonic_frequency(int k) { return 2.0 * std::numbers::pi * k / record_seconds; }

// omega0, zeta and, for zeta <= 1, Omega of the oscillator, by the
// library's formulas (vibsim/oscillator.hpp) that the simulator prints.
using Frequencies = OscillatorFrequencies;
Frequencies frequencies(const Oscillator& oscillator);

struct Lab {
    Oscillator oscillator;
    std::array<double, 2> state{};  // y, v
    double time = 0.0;
    double force = 0.0;             // held over the step being taken
    // The current record: y in samples 0 ... 1024, then v in samples
    // record_stride + 0 ... record_stride + 1024.
    static constexpr int record_stride = record_intervals + 1;
    std::vector<double> record = std::vector<double>(2 * record_stride);
    int last_sample = 0;            // index of the newest sample of the record
    // Sum over the records since the last restart of each harmonic's
    // amplitude sqrt(a_k^2 + b_k^2) (|a_0| for k = 0), and their number.
    std::vector<double> amplitude_sum = std::vector<double>(highest_harmonic + 1);
    int records_averaged = 0;
    // Largest |y| and |v| seen since the last restart: the plots' scales.
    double largest_displacement = 0.0;
    double largest_velocity = 0.0;
};

// A lab at t = 0 in the state (y0, v0), with an empty average.
void start_lab(Lab& lab, const Oscillator& oscillator);

// Takes `steps` steps. A full record is analysed and added to the average as
// soon as its last sample is in; the next step starts a new record from it.
void advance(Lab& lab, int steps);

// Runs until `count` more records have been averaged.
void run_records(Lab& lab, int count);

// Forgets the average; the motion goes on.
void restart_average(Lab& lab);

// The averaged amplitude of harmonic k; 0 before the first record.
double averaged_amplitude(const Lab& lab, int k);

// True when the computed motion has run off to infinity or NaN (the steps
// are too long for the oscillator): its state or its average is no longer a
// finite number.
bool diverged(const Lab& lab);

}  // namespace vibsim::random
