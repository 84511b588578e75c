// Closed-form steady response of m y'' + lambda y' + K y = f to harmonic
// excitation through the receptance H = 1 / (K - m w^2 + i lambda w), and the
// peaks of the force, base and unbalance magnifications (S. S. Rao,
// Mechanical Vibrations, 6th ed., Pearson 2017, sections 3.4, 3.6, 3.7).
#include "forced/response.hpp"

#include <cmath>
#include <limits>

namespace vibsim::forced {

namespace {

constexpr double not_a_number = std::numeric_limits<double>::quiet_NaN();
constexpr double infinity = std::numeric_limits<double>::infinity();

// |K + i lambda omega|, the spring and damper's force per unit stretch.
double support_stiffness(const Model& model, double omega) { return std::hypot(model.stiffness, model.damping * omega); }

}  // namespace

std::complex<double> receptance(const Model& model, double omega)
{
    const std::complex<double> dynamic_stiffness(model.stiffness - model.mass * omega * omega, model.damping * omega);
    if (dynamic_stiffness == 0.0) return {infinity, not_a_number};
    return 1.0 / dynamic_stiffness;
}

Response steady_response(const Model& model, double omega)
{
    Response response;
    const double real = model.stiffness - model.mass * omega * omega;
    const double imaginary = model.damping * omega;
    if (real == 0.0 && imaginary == 0.0) {
        response.finite = false;
        response.complex_amplitude = {not_a_number, not_a_number};
        response.amplitude = response.magnification = response.transmitted_force = infinity;
        response.phase = not_a_number;
        return response;
    }
    const double magnitude = 1.0 / std::hypot(real, imaginary);  // |H|
    const std::complex<double> h = receptance(model, omega);
    // The lag of the receptance, atan2 of a non-negative imaginary part: in
    // [0, pi] and continuous through resonance.
    const double lag = std::atan2(imaginary, real);
    const double a = model.amplitude;
    const double joint = support_stiffness(model, omega);
    switch (model.drive) {
    case Drive::force:
        response.complex_amplitude = a * h;
        response.magnification = model.stiffness * magnitude;
        response.phase = lag;
        break;
    case Drive::base:
        response.complex_amplitude = a * std::complex<double>(model.stiffness, imaginary) * h;
        response.magnification = joint * magnitude;
        // The support's displacement leads the force it sends through the
        // joint by atan(lambda omega / K).
        response.phase = lag - std::atan2(imaginary, model.stiffness);
        break;
    case Drive::unbalance:
        response.complex_amplitude = a * omega * omega * h;
        response.magnification = model.mass * omega * omega * magnitude;
        response.phase = lag;
        break;
    }
    // |Y| per unit A: |H|, |K + i lambda omega| |H| or omega^2 |H|.
    const double per_amplitude = model.drive == Drive::force ? magnitude
                                 : model.drive == Drive::base ? joint * magnitude
                                                              : omega * omega * magnitude;
    response.amplitude = a * per_amplitude;
    // Through the joint: (K + i lambda omega) Z; for base Z = Y - A =
    // A m omega^2 H, taken in this form to avoid the cancellation of Y
    // against A below resonance.
    const double relative = model.drive == Drive::base ? a * model.mass * omega * omega * magnitude : response.amplitude;
    response.transmitted_force = joint * relative;
    return response;
}

Readouts readouts(const Model& model)
{
    Readouts out{};
    const double omega0 = natural_frequency(model);
    const double zeta = damping_ratio(model);
    out.natural_frequency = omega0;
    out.damping_ratio = zeta;
    out.ratio = model.omega / omega0;
    out.response = steady_response(model, model.omega);
    out.damped_frequency = zeta < 1.0 ? omega0 * std::sqrt(1.0 - zeta * zeta) : not_a_number;
    out.quality_factor = zeta > 0.0 ? 1.0 / (2.0 * zeta) : infinity;
    const double below_peak = 1.0 - 2.0 * zeta * zeta;  // > 0 where force and unbalance peak
    switch (model.drive) {
    case Drive::force:
        out.peak_frequency = below_peak > 0.0 ? omega0 * std::sqrt(below_peak) : not_a_number;
        break;
    case Drive::unbalance:
        out.peak_frequency = below_peak > 0.0 ? omega0 / std::sqrt(below_peak) : not_a_number;
        break;
    case Drive::base:
        // r^2 = (sqrt(1 + 8 zeta^2) - 1) / (4 zeta^2), without the cancellation.
        out.peak_frequency = omega0 * std::sqrt(2.0 / (std::sqrt(1.0 + 8.0 * zeta * zeta) + 1.0));
        break;
    }
    // The free motion's slowest rate: sigma = lambda / (2 m) up to critical
    // damping, omega0^2 / (sigma + sqrt(sigma^2 - omega0^2)) beyond.
    const double sigma = model.damping / (2.0 * model.mass);
    if (sigma == 0.0)
        out.decay_time = infinity;
    else if (zeta <= 1.0)
        out.decay_time = 1.0 / sigma;
    else
        out.decay_time = (sigma + std::sqrt((sigma - omega0) * (sigma + omega0))) / (omega0 * omega0);
    return out;
}

}  // namespace vibsim::forced
