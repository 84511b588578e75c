#include "random/lab.hpp"

#include <vibsim/fourier.hpp>
#include <vibsim/normal_random.hpp>
#include <vibsim/runge_kutta_gill_staged.hpp>

#include <algorithm>
#include <cmath>

namespace vibsim::random {

namespace {

// The tag of the first stage: the one stage in which a new force is drawn.
// Stages 2 to 4 are tagged 1, 2 and 3.
constexpr int force_drawing_stage = 0;

void store_sample(Lab& lab)
{
    lab.record[static_cast<std::size_t>(lab.last_sample)] = lab.state[0];
    lab.record[static_cast<std::size_t>(Lab::record_stride + lab.last_sample)] = lab.state[1];
    lab.largest_displacement = std::max(lab.largest_displacement, std::fabs(lab.state[0]));
    lab.largest_velocity = std::max(lab.largest_velocity, std::fabs(lab.state[1]));
}

void step(Lab& lab)
{
    const Oscillator& o = lab.oscillator;
    auto rhs = [&lab, &o](int i, double, const double* s, int stage) -> double {
        if (i == 0) {
            if (stage == force_drawing_stage) lab.force = o.force_deviation * normal_random();
            return s[1];
        }
        return (lab.force - (o.damping * s[1] + o.stiffness * s[0])) / o.mass;
    };
    runge_kutta_gill_staged(lab.time, time_step, lab.state.data(), lab.state.data(), 2,
                            force_drawing_stage, rhs);
    lab.time = lab.time + time_step;
}

void add_record_to_average(Lab& lab)
{
    std::vector<double> a(highest_harmonic + 1);
    std::vector<double> b(highest_harmonic + 1);
    fourier_series_analysis(lab.record.data(), record_intervals, highest_harmonic, a.data(), b.data());
    for (int k = 0; k <= highest_harmonic; ++k) {
        const auto i = static_cast<std::size_t>(k);
        lab.amplitude_sum[i] += std::hypot(a[i], b[i]);
    }
    ++lab.records_averaged;
}

}  // namespace

Frequencies frequencies(const Oscillator& o)
{
    return oscillator_frequencies(o.mass, o.damping, o.stiffness);
}

void start_lab(Lab& lab, const Oscillator& oscillator)
{
    lab.oscillator = oscillator;
    lab.state = {oscillator.initial_displacement, oscillator.initial_velocity};
    lab.time = 0.0;
    lab.force = 0.0;
    lab.last_sample = 0;
    lab.largest_displacement = 0.0;
    lab.largest_velocity = 0.0;
    restart_average(lab);
    store_sample(lab);
}

void advance(Lab& lab, int steps)
{
    for (int i = 0; i < steps; ++i) {
        // A full record stays in view until the next step begins the next one,
        // whose first sample is the last of the full one.
        if (lab.last_sample == record_intervals) {
            lab.last_sample = 0;
            store_sample(lab);
        }
        step(lab);
        ++lab.last_sample;
        store_sample(lab);
        if (lab.last_sample == record_intervals) add_record_to_average(lab);
    }
}

void run_records(Lab& lab, int count)
{
    const int target = lab.records_averaged + count;
    while (lab.records_averaged < target) {
        advance(lab, record_intervals - (lab.last_sample == record_intervals ? 0 : lab.last_sample));
    }
}

void restart_average(Lab& lab)
{
    std::fill(lab.amplitude_sum.begin(), lab.amplitude_sum.end(), 0.0);
    lab.records_averaged = 0;
}

double averaged_amplitude(const Lab& lab, int k)
{
    if (lab.records_averaged == 0) return 0.0;
    return lab.amplitude_sum[static_cast<std::size_t>(k)] / lab.records_averaged;
}

bool diverged(const Lab& lab)
{
    if (!std::isfinite(lab.state[0]) || !std::isfinite(lab.state[1])) return true;
    return std::any_of(lab.amplitude_sum.begin(), lab.amplitude_sum.end(),
                       [](double sum) { return !std::isfinite(sum); });
}

}  // namespace vibsim::random
