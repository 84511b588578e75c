#include "random/spectrum_csv.hpp"

#include "random/response.hpp"

#include <cmath>
#include <cstdio>
#include <vector>

namespace vibsim::random {

namespace {

// ",value" with 17 significant digits, which read back as the same double;
// "," alone for a value that is not finite.
void add_field(std::string& text, double value, bool first = false)
{
    if (!first) text += ',';
    if (!std::isfinite(value)) return;
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.17g", value);
    text += digits;
}

}  // namespace

std::string spectrum_csv(const Lab& lab)
{
    std::vector<double> magnitudes(highest_harmonic + 1);
    for (int k = 0; k <= highest_harmonic; ++k) {
        magnitudes[static_cast<std::size_t>(k)] = response_magnitude(lab.oscillator, harmonic_frequency(k));
    }
    const double scale = spectrum_scale(lab, magnitudes);
    std::string text = "omega_rad_per_s,averaged_amplitude_m,scaled_H_m\n";
    for (int k = 0; k <= highest_harmonic; ++k) {
        add_field(text, harmonic_frequency(k), true);
        add_field(text, averaged_amplitude(lab, k));
        add_field(text, scale * magnitudes[static_cast<std::size_t>(k)]);
        text += '\n';
    }
    return text;
}

}  // namespace vibsim::random
