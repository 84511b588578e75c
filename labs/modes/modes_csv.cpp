#include "modes/modes_csv.hpp"

#include "modes/response.hpp"

#include <cstdio>
#include <vector>

namespace vibsim::modes {

namespace {

void append_number(std::string& text, double x)
{
    char field[32];
    std::snprintf(field, sizeof field, "%.17g", x);
    text += field;
}

void append_names(std::string& text, const char* name, int n)
{
    for (int i = 1; i <= n; ++i) text += std::string(",") + name + std::to_string(i);
    text += "\n";
}

}  // namespace

std::string modes_csv(const Chain& chain, const Modes& modes)
{
    std::string text = "k,omega,omega_uniform,omega_string";
    append_names(text, "phi_", modes.n);
    const bool closed_form = uniform(chain) && chain.n == modes.n;
    const bool complete = modes.n >= 0 && modes.omega.size() == static_cast<std::size_t>(modes.n) &&
                          modes.shapes.size() == modes.omega.size() * modes.omega.size();
    for (int k = 1; complete && k <= modes.n; ++k) {
        text += std::to_string(k) + ",";
        append_number(text, modes.omega[static_cast<std::size_t>(k - 1)]);
        text += ",";
        if (closed_form) append_number(text, uniform_frequency(chain, k));
        text += ",";
        if (closed_form) append_number(text, string_frequency(chain, k));
        for (const double phi : modes.shape(k)) {
            text += ",";
            // A node of the shape is written 0, not -0: adding +0 clears the sign.
            append_number(text, phi + 0.0);
        }
        text += "\n";
    }
    return text;
}

std::string response_csv(const Chain& chain, const Modes& modes, int force_at, double force)
{
    const int n = sound_chain(chain) ? chain.n : 0;
    std::string text = "omega";
    append_names(text, "amp_", n);
    const double highest = modes.omega.empty() ? 0.0 : modes.omega.back();
    std::vector<double> amplitudes(static_cast<std::size_t>(n > 0 ? n : 0));
    for (int line = 0; line < response_lines; ++line) {
        const double omega = response_frequency(highest, line);
        append_number(text, omega);
        const bool steady = steady_amplitudes(chain, force_at, force, omega, amplitudes);
        for (const double amplitude : amplitudes) {
            text += ",";
            if (steady) append_number(text, amplitude);
        }
        text += "\n";
    }
    return text;
}

}  // namespace vibsim::modes
