#include "identify/identification.hpp"

#include <cstdlib>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace vibsim::identify {

namespace {

void add_field(std::string& text, double value)
{
    text += ',';
    if (!std::isfinite(value)) return;
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.17g", value);
    text += digits;
}

// The fewest significant digits (of 1 to 17) that read back as the same
// double.
std::string shortest(double value)
{
    if (!std::isfinite(value)) return "0";
    char digits[32];
    for (int precision = 1; precision <= 17; ++precision) {
        std::snprintf(digits, sizeof digits, "%.*g", precision, value);
        if (std::strtod(digits, nullptr) == value) break;
    }
    return digits;
}

}  // namespace

Identification identify_record(const Record& record)
{
    return identify_record(record, 0, record.t.size());
}

Identification identify_record(const Record& record, std::size_t first, std::size_t last)
{
    Identification result;
    result.decay = find_decay(record.t, record.y, first, last);
    NoDecay none = NoDecay::no_oscillation;
    result.decrement = log_decrement(result.decay, none);
    if (!result.decrement) {
        result.none = none;
        return result;
    }
    result.fit = fit_decay(record.t, record.y, result.decay, *result.decrement);
    if (!result.fit) result.none = NoDecay::fit_failed;
    return result;
}

Constants constants_for(double mass, double omega0, double zeta)
{
    return {mass * omega0 * omega0, 2.0 * zeta * mass * omega0};
}

std::vector<MethodResult> method_results(const Identification& identification)
{
    std::vector<MethodResult> results;
    if (const auto& d = identification.decrement) results.push_back({"log_decrement", d->omega0, d->zeta, d->omega_d});
    if (const auto& f = identification.fit) results.push_back({"fit", f->omega0, f->zeta, f->omega_d});
    return results;
}

MethodResult half_power_result(const HalfPower& half_power)
{
    return {"half_power", half_power.omega0, half_power.zeta, half_power.omega_d};
}

std::string result_csv(const std::vector<MethodResult>& results, std::optional<double> mass)
{
    const bool with_mass = mass && std::isfinite(*mass) && *mass > 0.0;
    std::string text = "method,omega0,zeta,omega_d,stiffness,damping\n";
    for (const MethodResult& result : results) {
        text += result.method;
        add_field(text, result.omega0);
        add_field(text, result.zeta);
        add_field(text, result.omega_d);
        if (with_mass) {
            const Constants constants = constants_for(*mass, result.omega0, result.zeta);
            add_field(text, constants.stiffness);
            add_field(text, constants.damping);
        } else {
            text += ",,";
        }
        text += '\n';
    }
    return text;
}

std::string simulator_link(double mass, const Constants& constants, double y0)
{
    return "index.html?mass=" + shortest(mass) + "&damping=" + shortest(constants.damping) +
           "&stiffness=" + shortest(constants.stiffness) + "&y0=" + shortest(y0) + "&v0=0";
}

std::optional<double> first_amplitude(const Identification& identification)
{
    if (!identification.fit) {
        if (identification.decay.extrema.empty()) return std::nullopt;
        return identification.decay.extrema.front().y - identification.decay.offset;
    }
    // y - c = e^(-alpha tau) R cos(omega_d tau - phi) turns where
    // tan(omega_d tau - phi) = -alpha / omega_d: every half-period from
    // tau_0 below, of which the last at or before tau = 0 (to a part in 1e9
    // of the period, for a release right at the start) is taken.
    const DecayFit& f = *identification.fit;
    const double alpha = f.zeta * f.omega0;
    const double phi = std::atan2(f.b, f.a);
    const double tau0 = (phi - std::atan(alpha / f.omega_d)) / f.omega_d;
    const double half_period = std::numbers::pi / f.omega_d;
    const double tau = tau0 - std::ceil(tau0 / half_period - 1e-9) * half_period;
    return fitted_value(f, f.t_start + tau) - f.c;
}

}  // namespace vibsim::identify
