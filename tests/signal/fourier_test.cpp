#include "vibsim/fourier.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace vibsim {
namespace {

constexpr double untouched = 99.0;

// n + 1 samples of f over one period, the end equal to the start.
template <class F>
std::vector<double> periodic_samples(int n, F f)
{
    std::vector<double> y(n + 1);
    for (int j = 0; j < n; ++j) y[j] = f(2.0 * std::numbers::pi * j / n);
    y[n] = y[0];
    return y;
}

TEST(FourierSeries, ConstantSamplesGiveTheirMeanAndNoHarmonics)
{
    const int n = 8;
    const std::vector<double> y(n + 1, 0.5);
    std::vector<double> a(n + 2, untouched), b(n + 2, untouched);
    fourier_series_analysis(y.data(), n, n, a.data(), b.data());
    EXPECT_EQ(a[0], 0.5);
    EXPECT_EQ(b[0], 0.0);
    // The stored 2pi, 4.1e-13 too large, shows in the 13th digit.
    for (int k = 1; k < n; ++k) EXPECT_TRUE(std::fabs(a[k]) < 1e-12 && std::fabs(b[k]) < 1e-12) << k;
    EXPECT_NEAR(a[n], 1.0, 1e-12) << "the n-th harmonic aliases the mean";
    // Its phase step is the stored 2pi itself, which is never wrapped to 0.
    double sine_sum = 0.0;
    for (int j = 1; j < n; ++j) sine_sum = sine_sum + std::sin(series_two_pi) * 0.5;
    EXPECT_EQ(b[n], 2.0 * sine_sum / n);
    EXPECT_EQ(a[n + 1], untouched);

    std::fill(a.begin(), a.end(), untouched);
    fourier_transform(y.data(), 0.25, n, 0, a.data(), b.data());
    EXPECT_EQ(a[0], 0.5 * n * 0.25);
    EXPECT_EQ(a[1], untouched) << "m = 0 writes a[0] and b[0] only";
}

TEST(FourierSeries, TrigonometricPolynomialComesBack)
{
    const int n = 16;
    const std::vector<double> y = periodic_samples(
        n, [](double t) { return 0.75 + 1.5 * std::cos(t) - 0.5 * std::sin(2 * t) + 0.25 * std::cos(3 * t); });
    double a[4], b[4];
    fourier_series_analysis(y.data(), n, 3, a, b);
    EXPECT_TRUE(std::fabs(a[1] - 1.5) + std::fabs(b[2] + 0.5) + std::fabs(a[3] - 0.25) < 1e-12);

    std::vector<double> back(n + 1, untouched);
    fourier_series_synthesis(back.data(), n, 3, a, b);
    for (int i = 0; i < n; ++i) EXPECT_NEAR(back[i], y[i], 1e-12) << i;
    EXPECT_EQ(back[n], untouched);
}

TEST(FourierTransform, RecordComesBackThroughTheInverse)
{
    const int n = 16;
    const double h = 0.1;
    const std::vector<double> y =
        periodic_samples(n, [](double t) { return 0.5 + 2.0 * std::cos(t) + 1.5 * std::sin(3 * t); });
    double a[n / 2 + 1], b[n / 2 + 1];
    fourier_transform(y.data(), h, n, n / 2, a, b);
    // Of y(t) exp(-i w t): n h / 2 times each cosine and -n h / 2 times each sine amplitude.
    EXPECT_NEAR(a[0], 0.8, 1e-14);
    EXPECT_NEAR(a[1], 1.6, 1e-14);
    EXPECT_NEAR(b[3], -1.2, 1e-14);

    std::vector<double> back(n + 1, untouched);
    inverse_fourier_transform(back.data(), transform_two_pi / (n * h), n, n / 2, a, b);
    EXPECT_TRUE(back[0] == untouched && back[n] == untouched);
    for (int i = 1; i < n; ++i) EXPECT_NEAR(back[i], y[i], 1e-13) << i;
}

TEST(FourierSeries, SynthesisTermsAreWorkedBitForBit)
{
    const double a[] = {0.5, 0.25, -2.0, 0.75};
    const double b[] = {untouched, 3.0, 5.0, -1.5};
    double y[6] = {};
    fourier_series_synthesis(y, 5, 0, a, b);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(y[i], 0.5);

    fourier_series_synthesis(y, 5, 3, a, b);
    EXPECT_EQ(y[0], 0.5 + 0.25 + -2.0 + 0.75) << "phase 0: the cosine coefficients alone";
    // Sample 3: the phases 3T/5, 3T/5 + 3T/5 - T, and that + 3T/5.
    const double step = 3.0 * series_two_pi / 5.0;
    const double phase[] = {0.0, step, step + step - series_two_pi, step + step - series_two_pi + step};
    double want = a[0];
    for (int k = 1; k <= 3; ++k) want = (b[k] * std::sin(phase[k]) + a[k] * std::cos(phase[k])) + want;
    EXPECT_EQ(y[3], want);

    std::fill(y, y + 6, untouched);
    inverse_fourier_transform(y, 0.3, 5, 1, a, b);
    for (int i = 1; i < 5; ++i) EXPECT_EQ(y[i], (0.5 + 0.25) * 0.3 / transform_two_pi);
    EXPECT_EQ(y[0], untouched);
}

TEST(FourierSeries, NoIntervalsOrNoHarmonicsWriteNothing)
{
    const double in[2] = {1.0, 2.0};
    double y[2] = {untouched, untouched}, a[2] = {untouched, untouched}, b[2] = {untouched, untouched};
    fourier_series_analysis(in, 0, 1, a, b);
    fourier_transform(in, 0.1, 1, -1, a, b);
    fourier_series_synthesis(y, 0, 1, in, in);
    inverse_fourier_transform(y, 0.1, -3, 1, in, in);
    for (const double v : {y[0], y[1], a[0], a[1], b[0], b[1]}) EXPECT_EQ(v, untouched);
}

}  // namespace
}  // namespace vibsim
