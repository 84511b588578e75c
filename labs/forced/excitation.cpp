#include "forced/excitation.hpp"

#include <cmath>
#include <limits>
#include <numbers>

namespace vibsim::forced {

double wave_value(Wave wave, double s)
{
    switch (wave) {
    case Wave::cosine:
        return std::cos(2.0 * std::numbers::pi * s);
    case Wave::square:
        return s <= 0.25 || s >= 0.75 ? 1.0 : -1.0;
    case Wave::triangle:
        return s <= 0.5 ? 1.0 - 4.0 * s : 4.0 * s - 3.0;
    case Wave::sawtooth:
        return 2.0 * s - 1.0;
    }
    return 0.0;
}

double period_fraction(double omega, double t)
{
    const double periods = omega * t / (2.0 * std::numbers::pi);
    const double s = periods - std::floor(periods);
    return s < 1.0 ? s : 0.0;
}

double excitation_force(const Model& model, double t)
{
    const double a = model.amplitude;
    const double w = model.omega;
    switch (model.drive) {
    case Drive::force:
        // The square wave's sign is that of cos(omega t) itself, so that its
        // jumps fall where the cosine's zeros do.
        if (model.wave == Wave::cosine) return a * std::cos(w * t);
        if (model.wave == Wave::square) return std::cos(w * t) >= 0.0 ? a : -a;
        return a * wave_value(model.wave, period_fraction(w, t));
    case Drive::base:
        return a * (model.stiffness * std::cos(w * t) - model.damping * w * std::sin(w * t));
    case Drive::unbalance:
        return a * w * w * std::cos(w * t);
    }
    return 0.0;
}

double excitation_force_limit(const Model& model, double t, Limit limit)
{
    constexpr double jump_width = 2e-9;  // rad
    const double a = model.amplitude;
    const double w = model.omega;
    const bool right = limit == Limit::right;
    if (model.drive == Drive::force && model.wave == Wave::square && std::fabs(std::cos(w * t)) <= jump_width) {
        // The cosine falling through zero (sin > 0) leaves +1 for -1.
        const bool falling = std::sin(w * t) > 0.0;
        return falling == right ? -a : a;
    }
    if (model.drive == Drive::force && model.wave == Wave::sawtooth) {
        const double s = period_fraction(w, t);
        if (s <= jump_width / (2.0 * std::numbers::pi) || s >= 1.0 - jump_width / (2.0 * std::numbers::pi))
            return right ? -a : a;
    }
    return excitation_force(model, t);
}

double next_jump(const Model& model, double t)
{
    const double w = model.omega;
    constexpr double pi = std::numbers::pi;
    if (model.drive != Drive::force || !(model.wave == Wave::square || model.wave == Wave::sawtooth))
        return std::numeric_limits<double>::infinity();
    // Square: omega t = pi/2 + n pi; sawtooth: omega t = 2 pi n.
    const double first = model.wave == Wave::square ? pi / 2.0 : 0.0;
    const double spacing = model.wave == Wave::square ? pi : 2.0 * pi;
    double n = std::floor((w * t - first) / spacing) + 1.0;
    double jump = (first + n * spacing) / w;
    while (jump <= t) {
        n += 1.0;
        jump = (first + n * spacing) / w;
    }
    return jump;
}

double support_displacement(const Model& model, double t)
{
    return model.drive == Drive::base ? model.amplitude * std::cos(model.omega * t) : 0.0;
}

}  // namespace vibsim::forced
