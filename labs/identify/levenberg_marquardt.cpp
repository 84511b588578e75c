// The Levenberg-Marquardt method as J. J. More implemented it in MINPACK's
// lmder ("The Levenberg-Marquardt algorithm: implementation and theory",
// Numerical Analysis, Lecture Notes in Mathematics 630, Springer 1978): a
// trust region of radius delta in the norm scaled by D (the largest column
// norms of J met so far), the parameter mu found by a safeguarded Newton
// iteration on ||D p(mu)|| - delta, and the radius updated from the ratio of
// actual to predicted reduction. Here the steps come from the normal
// equations, which are small, instead of a QR factorisation of J.
#include "identify/levenberg_marquardt.hpp"

#include <vibsim/lu.hpp>

#include <algorithm>
#include <cmath>
#include <limits>

namespace vibsim::identify {

namespace {

constexpr double initial_factor = 100.0;
constexpr double ftol = 1e-15;
constexpr double xtol = 1e-13;
constexpr double least_ratio = 1e-4;

// p = -(A + mu D^2)^-1 g, with the inverse kept for the Newton step.
bool step(const NormalEquations& e, const std::vector<double>& d, double mu, std::vector<double>& p,
          std::vector<double>& inverse)
{
    const std::size_t n = d.size();
    std::vector<double> a = e.jtj;
    for (std::size_t i = 0; i < n; ++i) a[i * n + i] += mu * d[i] * d[i];
    inverse = scaled_inverse(a, static_cast<int>(n));
    if (inverse.empty()) return false;
    p.assign(n, 0.0);
    for (std::size_t i = 0; i < n; ++i) {
        double s = 0.0;
        for (std::size_t j = 0; j < n; ++j) s += inverse[i * n + j] * e.jtr[j];
        p[i] = -s;
    }
    return true;
}

// ||D p|| - delta and its derivative in mu, -(D q)^T M (D q) / ||q|| with
// q = D p and M the inverse of the step's matrix.
double phi_slope(const std::vector<double>& d, const std::vector<double>& p, const std::vector<double>& inverse)
{
    const std::size_t n = d.size();
    std::vector<double> dq(n);
    double qn = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        dq[i] = d[i] * d[i] * p[i];
        qn += (d[i] * p[i]) * (d[i] * p[i]);
    }
    qn = std::sqrt(qn);
    double s = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        for (std::size_t j = 0; j < n; ++j) s += dq[i] * inverse[i * n + j] * dq[j];
    }
    return qn > 0.0 ? -s / qn : 0.0;
}

double scaled_norm(const std::vector<double>& d, const std::vector<double>& v)
{
    double s = 0.0;
    for (std::size_t i = 0; i < d.size(); ++i) s += (d[i] * v[i]) * (d[i] * v[i]);
    return std::sqrt(s);
}

// MINPACK's lmpar on the normal equations: the step within delta (to 10 %),
// and the parameter mu that gives it.
std::vector<double> trust_step(const NormalEquations& e, const std::vector<double>& d, double delta, double& mu)
{
    const std::size_t n = d.size();
    std::vector<double> p;
    std::vector<double> inverse;
    double lower = 0.0;
    if (step(e, d, 0.0, p, inverse)) {
        const double phi = scaled_norm(d, p) - delta;
        if (phi <= 0.1 * delta) {
            mu = 0.0;
            return p;
        }
        const double slope = phi_slope(d, p, inverse);
        if (slope < 0.0) lower = -phi / slope;
    }
    double gnorm = 0.0;
    for (std::size_t i = 0; i < n; ++i) gnorm += (e.jtr[i] / d[i]) * (e.jtr[i] / d[i]);
    gnorm = std::sqrt(gnorm);
    double upper = gnorm / delta;
    if (upper == 0.0) upper = std::numeric_limits<double>::min() / std::min(delta, 0.1);
    mu = std::clamp(mu, lower, upper);
    if (mu == 0.0) mu = gnorm / std::max(scaled_norm(d, p), std::numeric_limits<double>::min());
    for (int iteration = 1; iteration <= 10; ++iteration) {
        if (mu == 0.0) mu = std::max(std::numeric_limits<double>::min(), 0.001 * upper);
        if (!step(e, d, mu, p, inverse)) {
            mu = std::max(10.0 * mu, lower);
            continue;
        }
        const double qn = scaled_norm(d, p);
        const double phi = qn - delta;
        if (std::fabs(phi) <= 0.1 * delta || (lower == 0.0 && phi < 0.0 && iteration > 1) || iteration == 10) break;
        const double slope = phi_slope(d, p, inverse);
        if (!(slope < 0.0)) break;
        const double correction = -(phi / slope) * (qn / delta);
        if (phi > 0.0) lower = std::max(lower, mu);
        if (phi < 0.0) upper = std::min(upper, mu);
        mu = std::max(lower, mu + correction);
    }
    return p;
}

}  // namespace

std::vector<double> scaled_inverse(const std::vector<double>& a, int n)
{
    const auto size = static_cast<std::size_t>(n);
    std::vector<double> s(size);
    for (std::size_t i = 0; i < size; ++i) {
        const double diagonal = a[i * size + i];
        if (!(diagonal > 0.0) || !std::isfinite(diagonal)) return {};
        s[i] = 1.0 / std::sqrt(diagonal);
    }
    std::vector<double> m(size * size);
    for (std::size_t i = 0; i < size; ++i) {
        for (std::size_t j = 0; j < size; ++j) m[i * size + j] = s[i] * a[i * size + j] * s[j];
    }
    const double determinant = lu_invert(n, m.data(), n);
    if (!(std::fabs(determinant) > lu_singular_bound)) return {};
    for (std::size_t i = 0; i < size; ++i) {
        for (std::size_t j = 0; j < size; ++j) m[i * size + j] *= s[i] * s[j];
    }
    return m;
}

LeastSquaresSolution levenberg_marquardt(const LeastSquaresProblem& problem, std::vector<double> x0,
                                         int most_evaluations)
{
    LeastSquaresSolution solution;
    const std::size_t n = x0.size();
    solution.x = std::move(x0);
    NormalEquations e = problem(solution.x, true);
    solution.evaluations = 1;
    if (!std::isfinite(e.squares)) {
        solution.at_x = e;
        return solution;
    }
    std::vector<double> d(n, 0.0);
    double delta = 0.0;
    double mu = 0.0;
    bool first = true;
    while (solution.evaluations < most_evaluations && !solution.converged) {
        for (std::size_t i = 0; i < n; ++i) {
            const double column = std::sqrt(std::max(0.0, e.jtj[i * n + i]));
            d[i] = std::max(d[i], column);
            if (d[i] == 0.0) d[i] = 1.0;
        }
        const double xnorm = scaled_norm(d, solution.x);
        if (first) delta = xnorm > 0.0 ? initial_factor * xnorm : initial_factor;
        const double fnorm = std::sqrt(e.squares);
        if (fnorm == 0.0) {
            solution.converged = true;
            break;
        }
        double ratio = 0.0;
        while (ratio < least_ratio && solution.evaluations < most_evaluations) {
            const std::vector<double> p = trust_step(e, d, delta, mu);
            std::vector<double> trial = solution.x;
            for (std::size_t i = 0; i < n; ++i) trial[i] += p[i];
            const double pnorm = scaled_norm(d, p);
            if (first) delta = std::min(delta, pnorm);
            // The trial's products come at little more than its sum, whose
            // exponentials and sines cost most: they are kept for the next
            // iteration when it is taken.
            NormalEquations at_trial = problem(trial, true);
            const double squares1 = at_trial.squares;
            ++solution.evaluations;
            const double fnorm1 =
                std::isfinite(squares1) ? std::sqrt(squares1) : std::numeric_limits<double>::infinity();
            const double actual = 0.1 * fnorm1 < fnorm ? 1.0 - (fnorm1 / fnorm) * (fnorm1 / fnorm) : -1.0;
            // ||J p||^2 from the normal equations.
            double jp = 0.0;
            for (std::size_t i = 0; i < n; ++i) {
                for (std::size_t j = 0; j < n; ++j) jp += p[i] * e.jtj[i * n + j] * p[j];
            }
            const double temp1 = std::sqrt(std::max(0.0, jp)) / fnorm;
            const double temp2 = std::sqrt(mu) * pnorm / fnorm;
            const double predicted = temp1 * temp1 + 2.0 * temp2 * temp2;
            const double directional = -(temp1 * temp1 + temp2 * temp2);
            ratio = predicted != 0.0 ? actual / predicted : 0.0;
            if (ratio <= 0.25) {
                double temp = actual >= 0.0 ? 0.5 : 0.5 * directional / (directional + 0.5 * actual);
                if (0.1 * fnorm1 >= fnorm || temp < 0.1) temp = 0.1;
                delta = temp * std::min(delta, pnorm / 0.1);
                mu /= temp;
            } else if (mu == 0.0 || ratio >= 0.75) {
                delta = pnorm / 0.5;
                mu *= 0.5;
            }
            if (ratio >= least_ratio) {
                solution.x = trial;
                e = std::move(at_trial);
                first = false;
            }
            const bool small_reduction = std::fabs(actual) <= ftol && predicted <= ftol && 0.5 * ratio <= 1.0;
            const bool small_step = delta <= xtol * scaled_norm(d, solution.x);
            if (small_reduction || small_step || !std::isfinite(delta) || delta == 0.0) {
                solution.converged = true;
                break;
            }
        }
    }
    solution.at_x = e;
    solution.inverse = scaled_inverse(e.jtj, static_cast<int>(n));
    return solution;
}

}  // namespace vibsim::identify
