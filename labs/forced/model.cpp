#include "forced/model.hpp"

#include <array>
#include <cmath>
#include <utility>

namespace vibsim::forced {

namespace {

constexpr std::array<std::pair<const char*, Drive>, 3> drives{
    {{"force", Drive::force}, {"base", Drive::base}, {"unbalance", Drive::unbalance}}};
constexpr std::array<std::pair<const char*, Wave>, 4> waves{
    {{"cosine", Wave::cosine}, {"square", Wave::square}, {"triangle", Wave::triangle}, {"sawtooth", Wave::sawtooth}}};

bool known(Drive drive) { return drive == Drive::force || drive == Drive::base || drive == Drive::unbalance; }

bool known(Wave wave)
{
    return wave == Wave::cosine || wave == Wave::square || wave == Wave::triangle || wave == Wave::sawtooth;
}

}  // namespace

const char* drive_name(Drive drive)
{
    for (const auto& [name, value] : drives)
        if (value == drive) return name;
    return "";
}

const char* wave_name(Wave wave)
{
    for (const auto& [name, value] : waves)
        if (value == wave) return name;
    return "";
}

std::optional<Drive> parse_drive(std::string_view word)
{
    for (const auto& [name, value] : drives)
        if (word == name) return value;
    return std::nullopt;
}

std::optional<Wave> parse_wave(std::string_view word)
{
    for (const auto& [name, value] : waves)
        if (word == name) return value;
    return std::nullopt;
}

std::string invalid_field(const Model& model)
{
    using std::isfinite;
    if (!isfinite(model.mass) || model.mass <= 0.0) return "mass";
    if (!isfinite(model.damping) || model.damping < 0.0) return "damping";
    if (!isfinite(model.stiffness) || model.stiffness <= 0.0) return "stiffness";
    if (!known(model.drive)) return "drive";
    if (!isfinite(model.amplitude) || model.amplitude < 0.0) return "amplitude";
    if (!isfinite(model.omega) || model.omega <= 0.0) return "frequency";
    if (!known(model.wave) || (model.wave != Wave::cosine && model.drive != Drive::force)) return "wave";
    if (!isfinite(model.initial_displacement)) return "y0";
    if (!isfinite(model.initial_velocity)) return "v0";
    const double omega0 = natural_frequency(model);
    if (!isfinite(omega0) || omega0 <= 0.0) return "stiffness";
    const double reach = model.drive == Drive::unbalance ? model.amplitude * model.omega * model.omega
                         : model.drive == Drive::base    ? model.amplitude * std::hypot(model.stiffness, model.damping * model.omega)
                                                         : model.amplitude;
    if (!isfinite(reach)) return "amplitude";
    return "";
}

Wave effective_wave(const Model& model) { return model.drive == Drive::force ? model.wave : Wave::cosine; }

double natural_frequency(const Model& model) { return std::sqrt(model.stiffness / model.mass); }

double damping_ratio(const Model& model)
{
    return model.damping / (2.0 * std::sqrt(model.mass) * std::sqrt(model.stiffness));
}

}  // namespace vibsim::forced
