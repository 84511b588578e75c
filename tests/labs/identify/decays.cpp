#include "decays.hpp"

#include <cmath>
#include <random>

namespace identify_test {

vibsim::identify::Record decay_record(const DecayCase& c)
{
    vibsim::identify::Record record;
    std::mt19937 generator(c.seed);
    std::normal_distribution<double> noise(0.0, 1.0);
    std::uniform_real_distribution<double> jitter(-c.jitter, c.jitter);
    const double alpha = c.zeta * c.omega0;
    const double omega_d = c.omega0 * std::sqrt(1.0 - c.zeta * c.zeta);
    const long count = std::lround((c.rest + c.duration) / c.step);
    for (long i = 0; i <= count; ++i) {
        const double t = static_cast<double>(i) * c.step + (c.jitter > 0.0 ? jitter(generator) * c.step : 0.0);
        const double tau = std::max(0.0, t - c.rest);
        // Released from rest: y = A e^(-alpha tau) (cos + alpha/omega_d sin).
        const double y = c.amplitude * std::exp(-alpha * tau) *
                         (std::cos(omega_d * tau) + alpha / omega_d * std::sin(omega_d * tau));
        record.t.push_back(t);
        record.y.push_back(c.offset + y + (c.noise > 0.0 ? c.noise * noise(generator) : 0.0));
    }
    return record;
}

}  // namespace identify_test
