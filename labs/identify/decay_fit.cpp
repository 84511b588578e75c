// Fitting a free decay by Levenberg-Marquardt (levenberg_marquardt.hpp),
// with the parameters (c, a, b, omega0, zeta), so that the covariance gives
// the errors of omega0 and zeta directly.
#include "identify/decay_fit.hpp"

#include "identify/levenberg_marquardt.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vibsim::identify {

namespace {

constexpr std::size_t parameter_count = 5;

// Samples taken a block at a time: e^(-alpha tau) cos and sin of omega_d tau
// come exactly at each block's first sample, and within an evenly spaced
// block by rotating and shrinking by the one step's factor, which costs a
// few products instead of an exponential and a sine. A block whose
// timestamps stray from even steps by more than a billionth of a step is
// computed sample by sample.
constexpr std::size_t block_size = 32;
constexpr double even_tolerance = 1e-9;

struct Samples {
    std::span<const double> t;
    std::span<const double> y;
    double t_start;
};

// ec = e^(-alpha tau) cos(omega_d tau) and es = e^(-alpha tau) sin(omega_d tau)
// for samples [from, to) of at most block_size.
void envelope_terms(const Samples& s, double alpha, double omega_d, std::size_t from, std::size_t to, double* ec,
                    double* es)
{
    const double tau0 = s.t[from] - s.t_start;
    const double h = to - from > 1 ? s.t[from + 1] - s.t[from] : 0.0;
    bool even = to - from > 2;
    for (std::size_t i = from + 2; even && i < to; ++i) {
        const double nominal = tau0 + static_cast<double>(i - from) * h;
        even = std::fabs((s.t[i] - s.t_start) - nominal) <= even_tolerance * h;
    }
    if (!even) {
        for (std::size_t i = from; i < to; ++i) {
            const double tau = s.t[i] - s.t_start;
            const double envelope = std::exp(-alpha * tau);
            ec[i - from] = envelope * std::cos(omega_d * tau);
            es[i - from] = envelope * std::sin(omega_d * tau);
        }
        return;
    }
    const double shrink = std::exp(-alpha * h);
    const double turn_c = shrink * std::cos(omega_d * h);
    const double turn_s = shrink * std::sin(omega_d * h);
    const double envelope = std::exp(-alpha * tau0);
    double c = envelope * std::cos(omega_d * tau0);
    double z = envelope * std::sin(omega_d * tau0);
    for (std::size_t i = from; i < to; ++i) {
        ec[i - from] = c;
        es[i - from] = z;
        const double next_c = c * turn_c - z * turn_s;
        z = z * turn_c + c * turn_s;
        c = next_c;
    }
}

// The normal equations at x = (c, a, b, omega0, zeta); a sum that is not
// finite outside 0 < omega0 and -1 < zeta < 1.
NormalEquations normal_equations(const Samples& s, const std::vector<double>& x, bool jacobian)
{
    NormalEquations e;
    const double c = x[0];
    const double a = x[1];
    const double b = x[2];
    const double omega0 = x[3];
    const double zeta = x[4];
    if (!(omega0 > 0.0) || !(zeta > -1.0 && zeta < 1.0)) {
        e.squares = std::numeric_limits<double>::infinity();
        return e;
    }
    const double root = std::sqrt(1.0 - zeta * zeta);
    const double alpha = zeta * omega0;
    const double omega_d = omega0 * root;
    double squares = 0.0;
    double jtj[parameter_count][parameter_count] = {};
    double jtr[parameter_count] = {};
    double ecs[block_size];
    double ess[block_size];
    for (std::size_t from = 0; from < s.t.size(); from += block_size) {
        const std::size_t to = std::min(from + block_size, s.t.size());
        envelope_terms(s, alpha, omega_d, from, to, ecs, ess);
        for (std::size_t i = from; i < to; ++i) {
            const double tau = s.t[i] - s.t_start;
            const double ec = ecs[i - from];
            const double es = ess[i - from];
            const double r = c + a * ec + b * es - s.y[i];
            squares += r * r;
            if (!jacobian) continue;
            // d/d alpha and d/d omega_d, then by the chain rule.
            const double d_alpha = -tau * (a * ec + b * es);
            const double d_omega = tau * (b * ec - a * es);
            const double j[parameter_count] = {1.0, ec, es, zeta * d_alpha + root * d_omega,
                                               omega0 * d_alpha - omega0 * zeta / root * d_omega};
            for (std::size_t p = 0; p < parameter_count; ++p) {
                jtr[p] += j[p] * r;
                for (std::size_t q = 0; q <= p; ++q) jtj[p][q] += j[p] * j[q];
            }
        }
    }
    e.squares = squares;
    if (jacobian) {
        e.jtj.assign(parameter_count * parameter_count, 0.0);
        e.jtr.assign(jtr, jtr + parameter_count);
        for (std::size_t p = 0; p < parameter_count; ++p) {
            for (std::size_t q = 0; q <= p; ++q) {
                e.jtj[p * parameter_count + q] = jtj[p][q];
                e.jtj[q * parameter_count + p] = jtj[p][q];
            }
        }
    }
    return e;
}

// c, a and b for omega0 and zeta held: the linear least-squares solution.
std::optional<std::vector<double>> linear_start(const Samples& s, double omega0, double zeta)
{
    const double alpha = zeta * omega0;
    const double omega_d = omega0 * std::sqrt(1.0 - zeta * zeta);
    std::vector<double> m(9, 0.0);
    double r[3] = {0.0, 0.0, 0.0};
    for (std::size_t i = 0; i < s.t.size(); ++i) {
        const double tau = s.t[i] - s.t_start;
        const double envelope = std::exp(-alpha * tau);
        const double f[3] = {1.0, envelope * std::cos(omega_d * tau), envelope * std::sin(omega_d * tau)};
        for (std::size_t p = 0; p < 3; ++p) {
            r[p] += f[p] * s.y[i];
            for (std::size_t q = 0; q < 3; ++q) m[p * 3 + q] += f[p] * f[q];
        }
    }
    const std::vector<double> inverse = scaled_inverse(m, 3);
    if (inverse.empty()) return std::nullopt;
    std::vector<double> x(parameter_count, 0.0);
    for (std::size_t p = 0; p < 3; ++p) {
        for (std::size_t q = 0; q < 3; ++q) x[p] += inverse[p * 3 + q] * r[q];
    }
    x[3] = omega0;
    x[4] = zeta;
    return x;
}

}  // namespace

double fitted_value(const DecayFit& fit, double t)
{
    const double tau = t - fit.t_start;
    return fit.c + std::exp(-fit.zeta * fit.omega0 * tau) *
                       (fit.a * std::cos(fit.omega_d * tau) + fit.b * std::sin(fit.omega_d * tau));
}

std::optional<DecayFit> fit_decay(std::span<const double> t, std::span<const double> y, const DecaySpan& decay,
                                  const Decrement& start)
{
    if (decay.end <= decay.begin || decay.end - decay.begin <= parameter_count || decay.end > t.size() ||
        decay.end > y.size()) {
        return std::nullopt;
    }
    const std::size_t count = decay.end - decay.begin;
    const Samples s{t.subspan(decay.begin, count), y.subspan(decay.begin, count), t[decay.begin]};
    const std::optional<std::vector<double>> x0 = linear_start(s, start.omega0, start.zeta);
    if (!x0) return std::nullopt;
    const LeastSquaresSolution solution = levenberg_marquardt(
        [&s](const std::vector<double>& x, bool jacobian) { return normal_equations(s, x, jacobian); }, *x0);
    const std::vector<double>& x = solution.x;
    if (!solution.converged || !(x[4] > 0.0 && x[4] < 1.0) || !std::isfinite(solution.at_x.squares)) {
        return std::nullopt;
    }
    DecayFit fit;
    fit.c = x[0];
    fit.a = x[1];
    fit.b = x[2];
    fit.omega0 = x[3];
    fit.zeta = x[4];
    const double root = std::sqrt(1.0 - fit.zeta * fit.zeta);
    fit.omega_d = fit.omega0 * root;
    fit.t_start = s.t_start;
    fit.evaluations = solution.evaluations;
    fit.residual_rms = std::sqrt(solution.at_x.squares / static_cast<double>(count));
    const double variance = solution.at_x.squares / static_cast<double>(count - parameter_count);
    const std::vector<double>& inverse = solution.inverse;
    auto covariance = [&](std::size_t p, std::size_t q) {
        return inverse.empty() ? std::numeric_limits<double>::quiet_NaN()
                               : variance * inverse[p * parameter_count + q];
    };
    fit.c_error = std::sqrt(covariance(0, 0));
    fit.a_error = std::sqrt(covariance(1, 1));
    fit.b_error = std::sqrt(covariance(2, 2));
    fit.omega0_error = std::sqrt(covariance(3, 3));
    fit.zeta_error = std::sqrt(covariance(4, 4));
    // omega_d = omega0 sqrt(1 - zeta^2): its gradient in (omega0, zeta).
    const double g0 = root;
    const double g1 = -fit.omega0 * fit.zeta / root;
    fit.omega_d_error =
        std::sqrt(g0 * g0 * covariance(3, 3) + 2.0 * g0 * g1 * covariance(3, 4) + g1 * g1 * covariance(4, 4));
    return fit;
}

}  // namespace vibsim::identify
