// Harmonic analysis and synthesis of equally spaced samples: Fourier-series
// coefficients and a Fourier transform pair whose integrals are taken by the
// trapezoidal rule, with the phase carried by an accumulator rather than
// recomputed from the product of the indices.
#include "vibsim/fourier.hpp"

#include <cmath>

namespace vibsim {

namespace {

// The phase step of outer index p: p * 2pi / n in floating point.
double phase_step(long long p, double two_pi, int n)
{
    return static_cast<double>(p) * two_pi / static_cast<double>(n);
}

// Moves the phase on by one step, wrapping it once when it passes 2pi. A
// step above 2pi (a harmonic above n) is not wrapped further.
void advance_phase(double& theta, double step, double two_pi)
{
    theta += step;
    if (theta > two_pi) theta -= two_pi;
}

// y[1] + ... + y[n-1], in increasing index.
double interior_sum(const double* y, int n)
{
    double sum = 0.0;
    for (int j = 1; j < n; ++j) sum += y[j];
    return sum;
}

// The cosine and sine sums of harmonic k over the interior samples.
struct HarmonicSums {
    double cosine = 0.0;
    double sine = 0.0;
};

HarmonicSums harmonic_sums(const double* y, int n, long long k, double two_pi)
{
    const double step = phase_step(k, two_pi, n);
    double theta = 0.0;
    HarmonicSums sums;
    for (int j = 1; j < n; ++j) {
        advance_phase(theta, step, two_pi);
        sums.cosine = sums.cosine + std::cos(theta) * y[j];
        sums.sine = sums.sine + std::sin(theta) * y[j];
    }
    return sums;
}

bool describes_a_signal(int n, int m) { return n >= 1 && m >= 0; }

// Loops that run up to m inclusive count in long long: an int counter would
// overflow on its last increment when m is INT_MAX.

}  // namespace

void fourier_series_analysis(const double* y, int n, int m, double* a, double* b)
{
    if (!describes_a_signal(n, m)) return;
    // 2.0 * n is the double of n + n, without the overflow of the integer sum.
    a[0] = (2.0 * interior_sum(y, n) + y[0] + y[n]) / (2.0 * n);
    b[0] = 0.0;
    for (long long k = 1; k <= m; ++k) {
        const HarmonicSums sums = harmonic_sums(y, n, k, series_two_pi);
        a[k] = (2.0 * sums.cosine + y[0] + y[n]) / n;
        b[k] = 2.0 * sums.sine / n;
    }
}

void fourier_series_synthesis(double* y, int n, int m, const double* a, const double* b)
{
    if (!describes_a_signal(n, m)) return;
    for (int i = 0; i < n; ++i) {
        const double step = phase_step(i, series_two_pi, n);
        double theta = 0.0;
        double sum = a[0];
        for (long long k = 1; k <= m; ++k) {
            advance_phase(theta, step, series_two_pi);
            sum = (b[k] * std::sin(theta) + a[k] * std::cos(theta)) + sum;
        }
        y[i] = sum;
    }
}

void fourier_transform(const double* y, double h, int n, int m, double* a, double* b)
{
    if (!describes_a_signal(n, m)) return;
    a[0] = (2.0 * interior_sum(y, n) + y[0] + y[n]) * h / 2.0;
    b[0] = 0.0;
    for (long long k = 1; k <= m; ++k) {
        const HarmonicSums sums = harmonic_sums(y, n, k, transform_two_pi);
        a[k] = (2.0 * sums.cosine + y[0] + y[n]) * h / 2.0;
        b[k] = -sums.sine * h;
    }
}

void inverse_fourier_transform(double* y, double dw, int n, int m, const double* a, const double* b)
{
    if (!describes_a_signal(n, m)) return;
    for (int i = 1; i < n; ++i) {
        const double step = phase_step(i, transform_two_pi, n);
        double theta = 0.0;
        double sum = 0.0;
        for (int k = 1; k < m; ++k) {
            advance_phase(theta, step, transform_two_pi);
            sum = sum + (a[k] * std::cos(theta) - b[k] * std::sin(theta));
        }
        y[i] = (2.0 * sum + a[0] + a[m]) * dw / transform_two_pi;
    }
}

}  // namespace vibsim
