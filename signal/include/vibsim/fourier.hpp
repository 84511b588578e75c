// Discrete Fourier series and a trapezoidal Fourier transform pair over
// equally spaced samples in caller-owned arrays.
//
// y holds the samples y[0] ... y[n] of n equal intervals (y[0] the start and
// y[n] the end of the period or record); a and b hold the coefficients
// a[0] ... a[m] and b[0] ... b[m] of the harmonics or frequency points
// 0 ... m. The sample array comes first and the coefficient arrays last,
// whichever is input and which output.
//
// Each routine carries the phase of its sines and cosines by adding the
// step p * 2pi / n term by term and wrapping once past 2pi, with its own
// stored decimal for 2pi; results are fixed to the last bit by both.
//
// n < 1 or m < 0 describe no signal: the routines then return at once and
// write nothing.
#pragma once

namespace vibsim {

// 2pi as the series pair stores it (about 4.1e-13 above 2pi).
inline constexpr double series_two_pi = 6.28318530718;
// 2pi as the transform pair stores it (about 1.4e-14 above 2pi).
inline constexpr double transform_two_pi = 6.2831853071796;

// Fourier-series coefficients of one period sampled at y[0 ... n]: a[0] the
// trapezoidal mean, a[k] and b[k] (k = 1 ... m) the cosine and sine
// coefficients; b[0] = 0. The end samples weigh half an interior sample.
void fourier_series_analysis(const double* y, int n, int m, double* a, double* b);

// The samples y[0 ... n-1] of one period from such coefficients:
// y[i] = a[0] + sum over k = 1 ... m of a[k] cos(2pi k i/n) + b[k] sin(2pi k i/n).
// b[0] is not read and y[n] not written.
void fourier_series_synthesis(double* y, int n, int m, const double* a, const double* b);

// The trapezoidal Fourier integral of y[0 ... n] sampled at the interval h,
// at the angular frequencies w_k = 2pi k/(n h), k = 0 ... m: a[k] + i b[k] is
// the integral of y(t) exp(-i w_k t) over the record; b[0] = 0.
void fourier_transform(const double* y, double h, int n, int m, double* a, double* b);

// The interior samples y[1 ... n-1] rebuilt from a spectrum a, b given at the
// angular-frequency step dw: the trapezoidal (1/pi) integral from 0 to m dw of
// a(w) cos(w t) - b(w) sin(w t). y[0] and y[n] are not written; b[0] and b[m]
// are not read. After fourier_transform with interval h, dw = 2pi/(n h) and
// m = n/2 bring back a record whose harmonics lie below n/2.
void inverse_fourier_transform(double* y, double dw, int n, int m, const double* a, const double* b);

}  // namespace vibsim
