// The motion against the exact solution of the forced equation, shorter
// steps for fast oscillators, the force's phase kept through a change of
// omega, and the work per cycle of the stepped steady state.
#include "forced/energy.hpp"
#include "forced/excitation.hpp"
#include "forced/motion.hpp"
#include "forced/response.hpp"
#include "forced/steady_state.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>

namespace vibsim::forced {
namespace {

using complex = std::complex<double>;

// y(t) = Re(Y e^{i omega t}) + C1 e^{s1 t} + C2 e^{s2 t}, the free part fitted
// to y0, v0; s1 != s2 (not critically damped).
struct ExactMotion {
    complex steady;
    double omega;
    complex s1, s2, c1, c2;

    double y(double t) const
    {
        return (steady * std::exp(complex(0.0, omega * t)) + c1 * std::exp(s1 * t) + c2 * std::exp(s2 * t)).real();
    }
};

ExactMotion exact_motion(const Model& model)
{
    ExactMotion exact;
    exact.omega = model.omega;
    // The excitation's complex amplitude on the mass, times H.
    const complex reference = model.drive == Drive::force ? complex(model.amplitude)
                              : model.drive == Drive::base
                                  ? model.amplitude * complex(model.stiffness, model.damping * model.omega)
                                  : complex(model.amplitude * model.omega * model.omega);
    exact.steady = reference / complex(model.stiffness - model.mass * model.omega * model.omega, model.damping * model.omega);
    const double sigma = model.damping / (2.0 * model.mass);
    const complex root = std::sqrt(complex(sigma * sigma - model.stiffness / model.mass));
    exact.s1 = -sigma + root;
    exact.s2 = -sigma - root;
    const complex y0 = model.initial_displacement - exact.steady;
    const complex v0 = model.initial_velocity - complex(0.0, model.omega) * exact.steady;
    exact.c2 = (v0 - exact.s1 * y0) / (exact.s2 - exact.s1);
    exact.c1 = y0 - exact.c2;
    return exact;
}

// The largest |y - exact| over 20 s, relative to the largest |exact|.
double error_over_20_s(const Model& model, bool* reduced = nullptr)
{
    const ExactMotion exact = exact_motion(model);
    Motion motion = make_motion(model);
    if (reduced) *reduced = motion.step_reduced;
    double error = 0.0;
    double peak = 0.0;
    for (int frame = 0; frame < 500; ++frame) {
        advance_frame(motion);
        const double y = exact.y(motion.time());
        error = std::fmax(error, std::fabs(motion.y - y));
        peak = std::fmax(peak, std::fabs(y));
    }
    return error / peak;
}

Model model_of(Drive drive, double lambda, double a, double omega, double y0 = 0.0, double v0 = 0.0)
{
    Model model;
    model.drive = drive;
    model.damping = lambda;
    model.amplitude = a;
    model.omega = omega;
    model.initial_displacement = y0;
    model.initial_velocity = v0;
    return model;
}

TEST(ForcedMotion, FollowsTheExactSolutionOver20Seconds)
{
    const Model models[] = {
        model_of(Drive::force, 0.2, 1.0, 1.8),
        model_of(Drive::force, 0.2, 1.0, 2.0, 0.3, -0.5),   // at resonance, from a displaced start
        model_of(Drive::force, 0.0, 1.0, 1.3, 0.1, 0.0),    // undamped
        model_of(Drive::force, 6.0, 2.0, 0.7, -0.2, 1.0),   // overdamped
        model_of(Drive::base, 0.2, 0.01, 3.0, 0.0, 0.05),
        model_of(Drive::unbalance, 0.5, 0.05, 20.0),
    };
    for (const Model& model : models) EXPECT_LT(error_over_20_s(model), 1e-6) << drive_name(model.drive) << " " << model.omega;
}

TEST(ForcedMotion, FastOscillatorsTakeShorterStepsAndStayAccurate)
{
    // omega0 = 400 rad/s: 0.01 s steps would leave the stability region and
    // blow up. The shorter steps keep the motion bounded and, once the
    // stiff transient has gone, accurate.
    Model stiff = model_of(Drive::force, 80.0, 1000.0, 3.0, 0.01, 0.0);
    stiff.stiffness = 160000.0;
    bool reduced = false;
    EXPECT_LT(error_over_20_s(stiff, &reduced), 1e-3);
    EXPECT_TRUE(reduced);
    // A fast drive on a slow oscillator needs them too.
    Model fast_drive = model_of(Drive::unbalance, 0.2, 1e-4, 150.0);
    EXPECT_LT(error_over_20_s(fast_drive, &reduced), 1e-6);
    EXPECT_TRUE(reduced);
    EXPECT_FALSE(make_motion(Model{}).step_reduced);

    // Beyond the most substeps, and for an unsound model, nothing moves
    // rather than filling the state with rubbish.
    Model too_fast = stiff;
    too_fast.stiffness = 1e14;
    for (Model model : {too_fast, model_of(Drive::force, -1.0, 1.0, 1.0, 0.5, 0.0)}) {
        model.initial_displacement = 0.5;
        Motion motion = make_motion(model);
        EXPECT_FALSE(motion.runnable);
        advance_frame(motion);
        EXPECT_EQ(motion.y, 0.5);
    }
}

TEST(ForcedMotion, ChangingOmegaCarriesTheWavesPhaseOn)
{
    for (const Wave wave : {Wave::cosine, Wave::triangle, Wave::sawtooth}) {
        Model model = model_of(Drive::force, 0.2, 1.0, 1.8);
        model.wave = wave;
        Motion motion = make_motion(model);
        for (int frame = 0; frame < 37; ++frame) advance_frame(motion);
        const double before = excitation_force(motion.model, motion.drive_time());
        set_frequency(motion, 2.7);
        EXPECT_EQ(motion.model.omega, 2.7);
        EXPECT_NEAR(excitation_force(motion.model, motion.drive_time()), before, 1e-12) << wave_name(wave);
        // And the new omega is the one that drives it: a quarter period on,
        // a cosine has moved by a quarter turn.
        if (wave == Wave::cosine) {
            const double phase = std::acos(before);
            const double later = motion.drive_time() + (std::numbers::pi / 2.0) / 2.7;
            EXPECT_NEAR(excitation_force(motion.model, later), std::cos(phase + std::numbers::pi / 2.0), 1e-9);
        }
    }
}

// The work of the excitation over one period of the stepped motion, started
// on the steady state and run on for thirty periods, by the trapezoidal
// rule on 4000 steps.
double stepped_input_work(const Model& model)
{
    const SteadyState steady = make_steady_state(model);
    const double period = 2.0 * std::numbers::pi / model.omega;
    constexpr int n = 4000;
    const double h = period / n;
    double y = steady_displacement(steady, 0.0);
    double v = steady_velocity(steady, 0.0);
    // Thirty periods first, for what the steady state's truncated series
    // leaves of a transient.
    for (int j = 0; j < 30 * n; ++j) step_across_jumps(model, (j % n) * h, h, y, v);
    const auto power = [&](double t) {
        // At a jump of the wave, the mean of its two sides.
        const double force =
            0.5 * (excitation_force_limit(model, t, Limit::left) + excitation_force_limit(model, t, Limit::right));
        if (model.drive != Drive::base) return force * v;
        // The support pushes the joint with K (u - y) + lambda (u' - y') and moves at u'.
        const double u = support_displacement(model, t);
        const double du = -model.amplitude * model.omega * std::sin(model.omega * t);
        return (model.stiffness * (u - y) + model.damping * (du - v)) * du;
    };
    double work = 0.5 * power(0.0);
    for (int j = 1; j <= n; ++j) {
        step_across_jumps(model, (j - 1) * h, h, y, v);
        work += (j == n ? 0.5 : 1.0) * power(j * h);
    }
    return work * h;
}

TEST(ForcedEnergy, InputEqualsDissipatedAtSteadyState)
{
    const Model cosine_models[] = {model_of(Drive::force, 0.2, 1.0, 1.8), model_of(Drive::base, 0.7, 0.01, 3.0),
                                   model_of(Drive::unbalance, 0.2, 0.05, 20.0)};
    for (const Model& model : cosine_models) {
        const CycleEnergy energy = cycle_energy(model, make_steady_state(model));
        const Response response = steady_response(model, model.omega);
        const double stretch = model.drive == Drive::base
                                   ? std::abs(response.complex_amplitude - model.amplitude)
                                   : response.amplitude;
        const double dissipated = std::numbers::pi * model.damping * model.omega * stretch * stretch;
        EXPECT_NEAR(energy.dissipated, dissipated, 1e-12 * dissipated) << drive_name(model.drive);
        EXPECT_NEAR(energy.input, dissipated, 1e-12 * dissipated) << drive_name(model.drive);
        EXPECT_NEAR(stepped_input_work(model), dissipated, 1e-6 * dissipated) << drive_name(model.drive);
    }
    // A square wave's harmonics each dissipate pi lambda k^2 omega |Y_k|^2.
    Model square = model_of(Drive::force, 0.2, 1.0, 0.9);
    square.wave = Wave::square;
    const CycleEnergy energy = cycle_energy(square, make_steady_state(square));
    EXPECT_NEAR(energy.input, energy.dissipated, 1e-9 * energy.dissipated);
    EXPECT_NEAR(stepped_input_work(square), energy.dissipated, 1e-4 * energy.dissipated);
}

}  // namespace
}  // namespace vibsim::forced
