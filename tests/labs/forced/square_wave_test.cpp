// Periodic waves through the Fourier series: the analysed harmonics against
// the waves' known series, the square wave's periodic steady state against
// the exact piecewise solution, and the motion settling onto it.
#include "forced/motion.hpp"
#include "forced/steady_state.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

namespace vibsim::forced {
namespace {

constexpr double pi = std::numbers::pi;

TEST(ForcedWaves, HarmonicsMatchTheKnownSeries)
{
    // square 4/(k pi) sin(k pi/2) cos; triangle 8/(k pi)^2 cos for odd k;
    // sawtooth -2/(k pi) sin. Within 2e-4 of the fundamental.
    const Harmonics square = wave_harmonics(Wave::square);
    const Harmonics triangle = wave_harmonics(Wave::triangle);
    const Harmonics sawtooth = wave_harmonics(Wave::sawtooth);
    for (const Harmonics* h : {&square, &triangle, &sawtooth}) {
        EXPECT_NEAR(h->a[0], 0.0, 1e-12);
        EXPECT_EQ(h->a.size(), static_cast<std::size_t>(kept_harmonics + 1));
    }
    for (int k = 1; k <= kept_harmonics; ++k) {
        const auto at = static_cast<std::size_t>(k);
        const double odd = k % 2 == 1 ? 1.0 : 0.0;
        EXPECT_NEAR(square.a[at], 4.0 / (k * pi) * std::sin(k * pi / 2.0), 2e-4 * 4.0 / pi) << k;
        EXPECT_NEAR(square.b[at], 0.0, 1e-12) << k;
        EXPECT_NEAR(triangle.a[at], odd * 8.0 / (k * k * pi * pi), 2e-4 * 8.0 / (pi * pi)) << k;
        EXPECT_NEAR(triangle.b[at], 0.0, 1e-12) << k;
        EXPECT_NEAR(sawtooth.a[at], 0.0, 1e-12) << k;
        EXPECT_NEAR(sawtooth.b[at], -2.0 / (k * pi), 2e-4 * 2.0 / pi) << k;
    }
    const Harmonics cosine = wave_harmonics(Wave::cosine);
    EXPECT_EQ(cosine.a[1], 1.0);
    EXPECT_EQ(cosine.a[3], 0.0);
}

// The exact periodic response to the square wave: on each half period the
// force is a constant +-A, the motion A/K plus a free motion, and the state
// at the half period's end is minus the one at its start.
// y(t) of the exact periodic solution for m y'' + lambda y' + K y = A sq(omega t).
double exact_square(const Model& model, double t)
{
    const double m = model.mass, k = model.stiffness, a = model.amplitude;
    const double sigma = model.damping / (2.0 * m);
    const double omega_d = std::sqrt(k / m - sigma * sigma);
    const double half = pi / model.omega;
    // Phi(tau), the free motion's transition matrix.
    const auto phi = [&](double tau) {
        const double e = std::exp(-sigma * tau);
        const double c = std::cos(omega_d * tau);
        const double s = std::sin(omega_d * tau);
        return std::array<double, 4>{e * (c + sigma / omega_d * s), e * s / omega_d,
                                     -e * (k / m) / omega_d * s, e * (c - sigma / omega_d * s)};
    };
    // With x(0) = x0 at the half period's start and p = A/K: x(half) =
    // Phi (x0 - p) + p = -x0, so (Phi + I) x0 = (Phi - I) p.
    const std::array<double, 4> f = phi(half);
    const double p = a / k;
    const double m11 = f[0] + 1.0, m12 = f[1], m21 = f[2], m22 = f[3] + 1.0;
    const double r1 = (f[0] - 1.0) * p, r2 = f[2] * p;
    const double det = m11 * m22 - m12 * m21;
    const double y0 = (r1 * m22 - m12 * r2) / det;
    const double v0 = (m11 * r2 - m21 * r1) / det;
    // The half period holding t, counted from -T/4, and its sign.
    const double from = t + half / 2.0;
    const double halves = std::floor(from / half);
    const double tau = from - halves * half;
    const double sign = std::fmod(halves, 2.0) == 0.0 ? 1.0 : -1.0;
    const std::array<double, 4> g = phi(tau);
    return sign * (g[0] * (y0 - p) + g[1] * v0 + p);
}

Model square_model(double omega)
{
    Model model;
    model.wave = Wave::square;
    model.omega = omega;
    return model;
}

TEST(ForcedWaves, SquareWaveSteadyStateMatchesTheExactPiecewiseSolution)
{
    // 0.4 rad/s puts the fifth harmonic on omega0 = 2.
    for (const double omega : {0.4, 0.9, 1.8, 5.0}) {
        const Model model = square_model(omega);
        const SteadyState table = make_steady_state(model, true);
        const SteadyState summed = make_steady_state(model, false);
        const double period = 2.0 * pi / omega;
        double peak = 0.0;
        double error = 0.0;
        double summed_error = 0.0;
        for (int j = 0; j < 997; ++j) {
            const double t = 3.0 * period + period * j / 997.0;
            const double exact = exact_square(model, t);
            peak = std::fmax(peak, std::fabs(exact));
            error = std::fmax(error, std::fabs(steady_displacement(table, t) - exact));
            summed_error = std::fmax(summed_error, std::fabs(steady_displacement(summed, t) - exact));
        }
        EXPECT_LT(error, 2e-3 * peak) << omega;
        EXPECT_LT(summed_error, 2e-3 * peak) << omega;
    }
}

TEST(ForcedWaves, MotionSettlesOntoThePeriodicSteadyState)
{
    // 150 s are 15 decay times: the transient is e^-15 of its start. Steps
    // split at the jumps keep the motion within 1e-4 of the peak; steps
    // across them would leave errors of some 3e-3.
    for (const Wave wave : {Wave::square, Wave::sawtooth, Wave::triangle}) {
        Model model = square_model(1.8);
        model.wave = wave;
        model.initial_displacement = 0.4;
        const SteadyState steady = make_steady_state(model);
        Motion motion = make_motion(model);
        while (motion.time() < 150.0) advance_frame(motion);
        double peak = 0.0;
        double error = 0.0;
        for (int frame = 0; frame < 250; ++frame) {
            advance_frame(motion);
            const double y = steady_displacement(steady, motion.drive_time());
            peak = std::fmax(peak, std::fabs(y));
            error = std::fmax(error, std::fabs(motion.y - y));
        }
        EXPECT_LT(error, 1e-4 * peak) << wave_name(wave);
    }
}

}  // namespace
}  // namespace vibsim::forced
