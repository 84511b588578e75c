// The logarithmic decrement (W. T. Thomson, Theory of Vibration with
// Applications, section 2.7): the heights h between neighbouring peaks and
// troughs fall by e^-delta a cycle whatever the offset, so delta is the
// slope of a weighted least-squares line through ln h against the cycle
// number, each point weighted by h^2, the inverse of its variance under an
// even noise. The damped period is twice the slope of the extrema's times
// against their half-cycle count.
#include "identify/log_decrement.hpp"

#include <cmath>
#include <numbers>

namespace vibsim::identify {

namespace {

struct Line {
    double intercept;
    double slope;
};

// The weighted least-squares line through (x, y); sums taken about the
// weighted means.
std::optional<Line> fitted_line(const std::vector<double>& x, const std::vector<double>& y,
                                const std::vector<double>& w)
{
    double sw = 0.0;
    double sx = 0.0;
    double sy = 0.0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        sw += w[i];
        sx += w[i] * x[i];
        sy += w[i] * y[i];
    }
    if (!(sw > 0.0)) return std::nullopt;
    const double mx = sx / sw;
    const double my = sy / sw;
    double sxx = 0.0;
    double sxy = 0.0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        sxx += w[i] * (x[i] - mx) * (x[i] - mx);
        sxy += w[i] * (x[i] - mx) * (y[i] - my);
    }
    if (!(sxx > 0.0)) return std::nullopt;
    const double slope = sxy / sxx;
    return Line{my - slope * mx, slope};
}

}  // namespace

std::optional<Decrement> log_decrement(const DecaySpan& decay, NoDecay& none)
{
    none = decay.none.value_or(NoDecay::no_oscillation);
    if (decay.none || decay.extrema.size() < 3) return std::nullopt;
    Decrement d;
    std::vector<double> weights;
    std::vector<double> halves;
    std::vector<double> times;
    for (std::size_t j = 0; j < decay.extrema.size(); ++j) {
        halves.push_back(static_cast<double>(j));
        times.push_back(decay.extrema[j].t);
        if (j + 1 == decay.extrema.size()) break;
        const double h = std::fabs(decay.extrema[j + 1].y - decay.extrema[j].y);
        d.cycles.push_back(0.5 * static_cast<double>(j));
        d.log_heights.push_back(std::log(h));
        weights.push_back(h * h);
    }
    const std::optional<Line> heights = fitted_line(d.cycles, d.log_heights, weights);
    const std::optional<Line> timing = fitted_line(halves, times, std::vector<double>(halves.size(), 1.0));
    if (!heights || !timing || !(timing->slope > 0.0)) {
        none = NoDecay::irregular;
        return std::nullopt;
    }
    d.delta = -heights->slope;
    d.intercept = heights->intercept;
    if (!(d.delta > 0.0)) {
        none = NoDecay::growing;
        return std::nullopt;
    }
    const double two_pi = 2.0 * std::numbers::pi;
    d.zeta = d.delta / std::sqrt(two_pi * two_pi + d.delta * d.delta);
    d.period = 2.0 * timing->slope;
    d.omega_d = two_pi / d.period;
    d.omega0 = d.omega_d / std::sqrt(1.0 - d.zeta * d.zeta);
    return d;
}

}  // namespace vibsim::identify
