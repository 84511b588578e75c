// The closed forms against the textbook's dimensionless formulas in r and
// zeta, their special points, the readouts' peaks and decay, and the check
// of the model's fields.
#include "forced/model.hpp"
#include "forced/response.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace vibsim::forced {
namespace {

constexpr double pi = std::numbers::pi;

Model model_of(Drive drive, double m, double lambda, double k, double a, double omega)
{
    Model model;
    model.drive = drive;
    model.mass = m;
    model.damping = lambda;
    model.stiffness = k;
    model.amplitude = a;
    model.omega = omega;
    return model;
}

void expect_relative(double actual, double expected, double tolerance, const char* what)
{
    EXPECT_LE(std::fabs(actual - expected), tolerance * std::fabs(expected)) << what << " " << actual << " vs " << expected;
}

TEST(ForcedResponse, EachDriveMatchesTheDimensionlessFormulas)
{
    const double zetas[] = {0.02, 0.3, 1.5};
    const double ratios[] = {0.25, 0.9, 1.0, 1.7, 4.0};
    for (const double zeta : zetas) {
        for (const double r : ratios) {
            const double m = 2.5;
            const double k = 7.0;
            const double omega0 = std::sqrt(k / m);
            const double lambda = 2.0 * zeta * std::sqrt(m * k);
            const double omega = r * omega0;
            const double a = 0.3;
            const double d = std::sqrt((1.0 - r * r) * (1.0 - r * r) + (2.0 * zeta * r) * (2.0 * zeta * r));
            const double joint = std::sqrt(1.0 + (2.0 * zeta * r) * (2.0 * zeta * r));
            const double lag = std::atan2(2.0 * zeta * r, 1.0 - r * r);

            const Response force = steady_response(model_of(Drive::force, m, lambda, k, a, omega), omega);
            expect_relative(force.amplitude, a / k / d, 1e-12, "force amplitude");
            expect_relative(force.phase, lag, 1e-12, "force phase");
            expect_relative(force.magnification, 1.0 / d, 1e-12, "force magnification");
            expect_relative(force.transmitted_force, a * joint / d, 1e-12, "force transmitted");
            expect_relative(std::abs(force.complex_amplitude), force.amplitude, 1e-12, "force |Y|");

            const Response base = steady_response(model_of(Drive::base, m, lambda, k, a, omega), omega);
            expect_relative(base.amplitude, a * joint / d, 1e-12, "base amplitude");
            expect_relative(base.phase,
                            std::atan2(2.0 * zeta * r * r * r, 1.0 - r * r + (2.0 * zeta * r) * (2.0 * zeta * r)),
                            1e-12, "base phase");
            expect_relative(base.magnification, joint / d, 1e-12, "base transmissibility");
            expect_relative(base.transmitted_force, k * a * r * r * joint / d, 1e-12, "base transmitted");

            const Response unbalance = steady_response(model_of(Drive::unbalance, m, lambda, k, a, omega), omega);
            expect_relative(unbalance.amplitude, a / m * r * r / d, 1e-12, "unbalance amplitude");
            expect_relative(unbalance.phase, lag, 1e-12, "unbalance phase");
            expect_relative(unbalance.magnification, r * r / d, 1e-12, "unbalance magnification");
            expect_relative(unbalance.transmitted_force, a * omega * omega * joint / d, 1e-12, "unbalance transmitted");
        }
    }
}

TEST(ForcedResponse, SpecialPointsAndContinuousPhase)
{
    // omega0 = 2 exactly: K - m omega0^2 is exactly 0 there.
    for (const double lambda : {0.01, 0.2, 3.0}) {
        EXPECT_EQ(steady_response(model_of(Drive::force, 1.0, lambda, 4.0, 1.0, 2.0), 2.0).phase, pi / 2.0);
        const double root2 = std::sqrt(2.0) * 2.0;
        expect_relative(steady_response(model_of(Drive::base, 1.0, lambda, 4.0, 0.01, root2), root2).magnification, 1.0,
                        1e-12, "transmissibility at sqrt 2 omega0");
        const Model unbalance = model_of(Drive::unbalance, 1.0, lambda, 4.0, 0.05, 1.0);
        EXPECT_NEAR(steady_response(unbalance, 2e4).magnification, 1.0, 1e-7);
        EXPECT_NEAR(steady_response(unbalance, 2e6).magnification, 1.0, 1e-11);
    }
    // The lag climbs from 0 to pi without a jump, for force and unbalance.
    for (const Drive drive : {Drive::force, Drive::unbalance, Drive::base}) {
        const Model model = model_of(drive, 1.0, 0.04, 4.0, 1.0, 1.0);
        double last = steady_response(model, 1e-3).phase;
        for (int i = 1; i <= 6000; ++i) {
            const double phase = steady_response(model, 1e-3 + i * 1e-3).phase;
            EXPECT_LT(std::fabs(phase - last), 0.05) << drive_name(drive) << " at " << i;
            if (drive != Drive::base) {
                EXPECT_GE(phase, 0.0);
                EXPECT_LE(phase, pi);
            }
            last = phase;
        }
    }
    const Response undamped = steady_response(model_of(Drive::force, 1.0, 0.0, 4.0, 1.0, 2.0), 2.0);
    EXPECT_FALSE(undamped.finite);
    EXPECT_TRUE(std::isinf(undamped.amplitude));
}

TEST(ForcedResponse, ReadoutsPeakWhereTheCurveDoesAndDecayAsTheFreeMotion)
{
    for (const Drive drive : {Drive::force, Drive::base, Drive::unbalance}) {
        for (const double zeta : {0.05, 0.4}) {
            Model model = model_of(drive, 2.0, 2.0 * zeta * std::sqrt(2.0 * 8.0), 8.0, 1.0, 1.0);
            const Readouts out = readouts(model);
            ASSERT_TRUE(std::isfinite(out.peak_frequency)) << drive_name(drive);
            const double peak = steady_response(model, out.peak_frequency).magnification;
            for (const double beside : {1.0 - 1e-4, 1.0 + 1e-4})
                EXPECT_GT(peak, steady_response(model, out.peak_frequency * beside).magnification) << drive_name(drive);
            EXPECT_NEAR(out.quality_factor, 1.0 / (2.0 * zeta), 1e-12);
        }
    }
    // Past zeta = 1/sqrt 2 the force's magnification has no peak.
    EXPECT_TRUE(std::isnan(readouts(model_of(Drive::force, 1.0, 3.0, 4.0, 1.0, 1.0)).peak_frequency));
    // The decay time's rate -1/tau is a root of m s^2 + lambda s + K, the
    // slower one past critical damping.
    for (const double lambda : {0.2, 4.0, 9.0}) {
        const Model model = model_of(Drive::force, 1.0, lambda, 4.0, 1.0, 1.0);
        const double tau = readouts(model).decay_time;
        const double sigma = lambda / 2.0;
        if (lambda < 4.0) {
            EXPECT_NEAR(tau, 1.0 / sigma, 1e-12);
        } else {
            EXPECT_NEAR((1.0 / tau - lambda) / tau + 4.0, 0.0, 1e-9) << lambda;
        }
        if (lambda > 4.0) {
            EXPECT_GT(tau, 1.0 / sigma);
        }
    }
    EXPECT_TRUE(std::isinf(readouts(model_of(Drive::force, 1.0, 0.0, 4.0, 1.0, 1.0)).decay_time));
}

TEST(ForcedModel, NamesTheFirstFieldThatCannotBeSimulated)
{
    const double nan = std::nan("");
    const double inf = HUGE_VAL;
    EXPECT_EQ(invalid_field(Model{}), "");
    const auto with = [](auto change) {
        Model model;
        change(model);
        return invalid_field(model);
    };
    EXPECT_EQ(with([](Model& m) { m.mass = 0.0; }), "mass");
    EXPECT_EQ(with([&](Model& m) { m.mass = nan; }), "mass");
    EXPECT_EQ(with([](Model& m) { m.damping = -1e-9; }), "damping");
    EXPECT_EQ(with([](Model& m) { m.damping = 0.0; }), "");
    EXPECT_EQ(with([](Model& m) { m.stiffness = 0.0; }), "stiffness");
    EXPECT_EQ(with([&](Model& m) { m.stiffness = inf; }), "stiffness");
    EXPECT_EQ(with([](Model& m) { m.amplitude = -1.0; }), "amplitude");
    EXPECT_EQ(with([](Model& m) { m.amplitude = 0.0; }), "");
    EXPECT_EQ(with([](Model& m) { m.omega = 0.0; }), "frequency");
    EXPECT_EQ(with([&](Model& m) { m.omega = -inf; }), "frequency");
    EXPECT_EQ(with([](Model& m) { m.drive = Drive::base; m.wave = Wave::square; }), "wave");
    EXPECT_EQ(with([](Model& m) { m.drive = Drive::unbalance; m.wave = Wave::sawtooth; }), "wave");
    EXPECT_EQ(with([](Model& m) { m.wave = Wave::triangle; }), "");
    EXPECT_EQ(with([](Model& m) { m.wave = static_cast<Wave>(7); }), "wave");
    EXPECT_EQ(with([](Model& m) { m.drive = static_cast<Drive>(-1); }), "drive");
    EXPECT_EQ(with([&](Model& m) { m.initial_displacement = nan; }), "y0");
    EXPECT_EQ(with([&](Model& m) { m.initial_velocity = inf; }), "v0");
    // omega0 overflows, or the unbalance's A omega^2 does.
    EXPECT_EQ(with([](Model& m) { m.mass = 1e-300; m.stiffness = 1e300; }), "stiffness");
    EXPECT_EQ(with([](Model& m) { m.drive = Drive::unbalance; m.amplitude = 1e10; m.omega = 1e300; }), "amplitude");

    for (const Drive drive : {Drive::force, Drive::base, Drive::unbalance}) EXPECT_EQ(parse_drive(drive_name(drive)), drive);
    for (const Wave wave : {Wave::cosine, Wave::square, Wave::triangle, Wave::sawtooth})
        EXPECT_EQ(parse_wave(wave_name(wave)), wave);
    EXPECT_FALSE(parse_drive("Force"));
    EXPECT_FALSE(parse_wave(""));
}

}  // namespace
}  // namespace vibsim::forced
