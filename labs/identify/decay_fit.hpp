// The least-squares fit of a free decay
//   y = c + e^(-zeta omega0 tau) (a cos omega_d tau + b sin omega_d tau),
// tau = t - t_start, omega_d = omega0 sqrt(1 - zeta^2).
#pragma once

#include "identify/decay.hpp"
#include "identify/log_decrement.hpp"

#include <optional>
#include <span>

namespace vibsim::identify {

struct DecayFit {
    double c = 0.0;
    double a = 0.0;
    double b = 0.0;
    double omega0 = 0.0;
    double zeta = 0.0;
    double omega_d = 0.0;
    double t_start = 0.0;  // the time origin of tau
    // The standard errors from the covariance s^2 (J^T J)^-1, s^2 the sum of
    // squares over the samples less the 5 parameters; NaN when J^T J is
    // singular.
    double c_error = 0.0;
    double a_error = 0.0;
    double b_error = 0.0;
    double omega0_error = 0.0;
    double zeta_error = 0.0;
    double omega_d_error = 0.0;
    double residual_rms = 0.0;  // over the samples fitted
    int evaluations = 0;
};

// The model's value at time t.
double fitted_value(const DecayFit& fit, double t);

// The fit over the decay's samples [begin, end), started from the
// decrement's omega0 and zeta with c, a and b the linear least-squares
// values for them. Nothing when it does not converge to 0 < zeta < 1.
std::optional<DecayFit> fit_decay(std::span<const double> t, std::span<const double> y, const DecaySpan& decay,
                                  const Decrement& start);

}  // namespace vibsim::identify
