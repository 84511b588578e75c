// The stepped-sine shaker: its measured points against the closed form, and
// the sweeps it refuses or stops.
#include "forced/response.hpp"
#include "forced/sweep.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace vibsim::forced {
namespace {

Model model_of(Drive drive, double lambda, double a)
{
    Model model;
    model.drive = drive;
    model.damping = lambda;
    model.amplitude = a;
    return model;
}

void expect_measured(const Sweep& sweep, int count, double amplitude_tolerance, double phase_tolerance, const char* what)
{
    ASSERT_EQ(sweep.end, SweepEnd::complete) << what;
    ASSERT_EQ(sweep.points.size(), static_cast<std::size_t>(count)) << what;
    for (const SweepPoint& point : sweep.points) {
        EXPECT_NEAR(point.amplitude, point.amplitude_exact, amplitude_tolerance * point.amplitude_exact)
            << what << " at " << point.omega;
        EXPECT_NEAR(point.phase, point.phase_exact, phase_tolerance) << what << " at " << point.omega;
    }
}

TEST(ForcedSweep, MeasuresTheClosedFormForEachDrive)
{
    // The default: 50 frequencies from 0.2 to 3 omega0, zeta = 0.05.
    const Model standard;
    const Sweep sweep = run_sweep(standard, default_sweep(standard));
    expect_measured(sweep, 50, 1e-3, 1e-3, "default");
    EXPECT_DOUBLE_EQ(sweep.points.front().omega, 0.4);
    EXPECT_EQ(sweep.points.back().omega, 6.0);
    for (const SweepPoint& point : sweep.points) {
        const Response exact = steady_response(standard, point.omega);
        EXPECT_EQ(point.amplitude_exact, exact.amplitude);
        EXPECT_EQ(point.phase_exact, exact.phase);
    }

    // zeta = 0.02, base and unbalance, an overdamped oscillator, a range
    // descending through resonance's neighbourhood from above.
    expect_measured(run_sweep(model_of(Drive::force, 0.08, 1.0), {1.5, 2.5, 11}), 11, 1e-3, 1e-3, "zeta 0.02");
    expect_measured(run_sweep(model_of(Drive::base, 0.4, 0.01), {0.5, 8.0, 8}), 8, 1e-3, 1e-3, "base");
    expect_measured(run_sweep(model_of(Drive::unbalance, 0.3, 0.05), {0.5, 20.0, 8}), 8, 1e-3, 1e-3, "unbalance");
    expect_measured(run_sweep(model_of(Drive::force, 12.0, 1.0), {0.1, 10.0, 6}), 6, 1e-3, 1e-3, "overdamped");
}

TEST(ForcedSweep, MeasuresAPeriodicWavesFirstHarmonic)
{
    for (const Wave wave : {Wave::square, Wave::sawtooth}) {
        Model model = model_of(Drive::force, 0.2, 1.0);
        model.wave = wave;
        expect_measured(run_sweep(model, {0.4, 6.0, 12}), 12, 1e-3, 1e-3, wave_name(wave));
    }
}

TEST(ForcedSweep, RefusesOrStopsWhatCannotBeMeasured)
{
    const Sweep undamped = run_sweep(model_of(Drive::force, 0.0, 1.0), {0.4, 6.0, 5});
    EXPECT_EQ(undamped.end, SweepEnd::undamped);
    EXPECT_TRUE(undamped.points.empty());

    // So lightly damped that it would take 10^9 s to settle: stopped at
    // once, not run.
    const Sweep light = run_sweep(model_of(Drive::force, 1e-8, 1.0), {0.4, 6.0, 5});
    EXPECT_EQ(light.end, SweepEnd::lightly_damped);
    EXPECT_TRUE(light.points.empty());

    const SweepRange unsound[] = {{0.0, 1.0, 5}, {2.0, 1.0, 5}, {1.0, 1.0, 5}, {1.0, 2.0, 1},
                                  {1.0, NAN, 5}, {1.0, 2.0, most_sweep_frequencies + 1}};
    for (const SweepRange& range : unsound) {
        EXPECT_FALSE(sound_sweep(range));
        EXPECT_EQ(run_sweep(Model{}, range).end, SweepEnd::unsound);
    }
    Model bad;
    bad.mass = -1.0;
    EXPECT_EQ(run_sweep(bad, {1.0, 2.0, 3}).end, SweepEnd::unsound);
}

}  // namespace
}  // namespace vibsim::forced
