#include "modes/chain.hpp"

#include <cmath>
#include <cstdio>
#include <numbers>

namespace vibsim::modes {

namespace {

std::string number_text(double x)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", x);
    return text;
}

// The first entry of a list outside [lowest, largest_value] (NaN included),
// or also outside {0} when zero_allowed, named with its number, or "".
std::string range_fault(const std::vector<double>& values, const char* symbol, int first_index, double lowest,
                        bool zero_allowed = false)
{
    for (std::size_t i = 0; i < values.size(); ++i) {
        const double x = values[i];
        if ((x >= lowest && x <= largest_value) || (zero_allowed && x == 0.0)) continue;
        return std::string(symbol) + "_" + std::to_string(first_index + static_cast<int>(i)) + " = " +
               number_text(x) + ": " + (zero_allowed ? std::string(symbol) + " = 0 or " : std::string()) +
               number_text(lowest) + " ≤ " + symbol + " ≤ " + number_text(largest_value);
    }
    return "";
}

std::string length_fault(const std::vector<double>& values, const char* symbol, int wanted)
{
    if (static_cast<int>(values.size()) == wanted) return "";
    return std::string("#") + symbol + " = " + std::to_string(values.size()) + ": " + std::to_string(wanted);
}

}  // namespace

std::string expand_values(std::span<const double> given, int count, const char* symbol,
                          std::vector<double>& values)
{
    if (given.size() == 1 && count >= 1) {
        values.assign(static_cast<std::size_t>(count), given[0]);
        return "";
    }
    if (count >= 1 && given.size() == static_cast<std::size_t>(count)) {
        values.assign(given.begin(), given.end());
        return "";
    }
    return std::string("#") + symbol + " = " + std::to_string(given.size()) + ": 1 or " + std::to_string(count);
}

std::string check_chain(const Chain& chain)
{
    if (chain.n < 1 || chain.n > most_masses)
        return "N = " + std::to_string(chain.n) + ": 1 ≤ N ≤ " + std::to_string(most_masses);
    for (const std::string& fault : {length_fault(chain.mass, "m", chain.n),
                                     length_fault(chain.damping, "λ", chain.n),
                                     length_fault(chain.stiffness, "k", chain.n + 1),
                                     range_fault(chain.mass, "m", 1, smallest_value),
                                     range_fault(chain.damping, "λ", 1, 0.0),
                                     range_fault(chain.stiffness, "k", 0, smallest_value, true)})
        if (!fault.empty()) return fault;
    return "";
}

std::string make_chain(int n, std::span<const double> masses, std::span<const double> dampers,
                       std::span<const double> springs, Chain& chain)
{
    if (n < 1 || n > most_masses) return "N = " + std::to_string(n) + ": 1 ≤ N ≤ " + std::to_string(most_masses);
    Chain made;
    made.n = n;
    for (const std::string& fault : {expand_values(masses, n, "m", made.mass),
                                     expand_values(dampers, n, "λ", made.damping),
                                     expand_values(springs, n + 1, "k", made.stiffness), check_chain(made)})
        if (!fault.empty()) return fault;
    chain = std::move(made);
    return "";
}

bool sound_chain(const Chain& chain)
{
    if (chain.n < 1 || chain.n > most_masses) return false;
    const auto n = static_cast<std::size_t>(chain.n);
    if (chain.mass.size() != n || chain.damping.size() != n || chain.stiffness.size() != n + 1) return false;
    const auto within = [](double x, double lowest) { return x >= lowest && x <= largest_value; };
    for (std::size_t i = 0; i < n; ++i)
        if (!within(chain.mass[i], smallest_value) || !within(chain.damping[i], 0.0)) return false;
    for (const double k : chain.stiffness)
        if (!within(k, smallest_value) && k != 0.0) return false;
    return true;
}

bool uniform(const Chain& chain)
{
    for (const double m : chain.mass)
        if (m != chain.mass.front()) return false;
    for (const double k : chain.stiffness)
        if (k != chain.stiffness.front()) return false;
    return !chain.mass.empty() && !chain.stiffness.empty();
}

double uniform_frequency(const Chain& chain, int k)
{
    if (k < 1 || k > chain.n || chain.mass.empty() || chain.stiffness.empty()) return std::nan("");
    const double angle = k * std::numbers::pi / (2.0 * (chain.n + 1));
    return 2.0 * std::sqrt(chain.stiffness[0] / chain.mass[0]) * std::sin(angle);
}

double string_frequency(const Chain& chain, int k)
{
    if (k < 1 || k > chain.n || chain.mass.empty() || chain.stiffness.empty()) return std::nan("");
    return k * std::numbers::pi * std::sqrt(chain.stiffness[0] / chain.mass[0]) / (chain.n + 1);
}

}  // namespace vibsim::modes
