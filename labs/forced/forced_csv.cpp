#include "forced/forced_csv.hpp"

#include "forced/excitation.hpp"
#include "forced/motion.hpp"
#include "forced/response.hpp"
#include "forced/steady_state.hpp"

#include <cmath>
#include <complex>
#include <cstdio>
#include <limits>
#include <numbers>

namespace vibsim::forced {

namespace {

// A value that add_field writes as an empty field.
constexpr double missing = std::numeric_limits<double>::quiet_NaN();

// ",value" with 17 significant digits; "," alone for a value that is not
// finite. A zero is written 0, not -0: adding +0 clears the sign.
void add_field(std::string& text, double value, bool first = false)
{
    if (!first) text += ',';
    if (!std::isfinite(value)) return;
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.17g", value + 0.0);
    text += digits;
}

// The lag of a harmonic a cos + b sin behind the cosine, -arg(a - i b), in
// (-pi, pi].
double lag(double a, double b)
{
    const double angle = -std::arg(std::complex<double>(a, -b));
    return angle == -std::numbers::pi ? std::numbers::pi : angle;
}

}  // namespace

std::string frf_csv_line(const Model& model, double omega)
{
    const Response response = steady_response(model, omega);
    std::string line;
    add_field(line, omega, true);
    add_field(line, omega / natural_frequency(model));
    if (response.finite) {
        add_field(line, response.amplitude);
        add_field(line, response.phase);
        add_field(line, response.magnification);
        add_field(line, response.transmitted_force);
    } else {
        line += ",,,,";
    }
    line += '\n';
    return line;
}

std::string frf_csv(const Model& model)
{
    std::string text = "omega,r,amplitude,phase,magnification,transmitted_force\n";
    if (!invalid_field(model).empty()) return text;
    const double highest = 3.0 * natural_frequency(model);
    for (int i = 0; i < frf_lines; ++i) text += frf_csv_line(model, highest * i / (frf_lines - 1));
    return text;
}

long long time_csv_lines(double duration)
{
    if (!(duration > 0.0 && duration <= longest_duration)) return 0;
    return static_cast<long long>(std::floor(duration / frame_step + 1e-9)) + 1;
}

std::string time_csv(const Model& model, double duration)
{
    std::string text = "t,y,v,force,y_steady\n";
    const long long lines = time_csv_lines(duration);
    if (lines == 0 || !invalid_field(model).empty()) return text;
    Motion motion = make_motion(model);
    const SteadyState steady = make_steady_state(model);
    for (long long i = 0; i < lines; ++i) {
        if (i > 0) advance_step(motion);
        const double t = motion.time();
        add_field(text, t, true);
        add_field(text, motion.runnable ? motion.y : missing);
        add_field(text, motion.runnable ? motion.v : missing);
        add_field(text, excitation_force(model, t));
        add_field(text, steady_displacement(steady, t));
        text += '\n';
    }
    return text;
}

std::string sweep_csv(const Sweep& sweep)
{
    std::string text = "omega,amplitude,phase,amplitude_exact,phase_exact\n";
    for (const SweepPoint& point : sweep.points) {
        add_field(text, point.omega, true);
        add_field(text, point.amplitude);
        add_field(text, point.phase);
        add_field(text, point.amplitude_exact);
        add_field(text, point.phase_exact);
        text += '\n';
    }
    return text;
}

std::string fourier_csv(const Model& model)
{
    std::string text = "k,omega,force_amplitude,force_phase,amplitude,phase\n";
    if (!invalid_field(model).empty()) return text;
    const SteadyState steady = make_steady_state(model, false);
    for (int k = 0; k <= fourier_harmonics; ++k) {
        const auto at = static_cast<std::size_t>(k);
        const double fa = steady.force.a[at];
        const double fb = steady.force.b[at];
        const double ya = steady.response.a[at];
        const double yb = steady.response.b[at];
        text += std::to_string(k);
        add_field(text, k * model.omega);
        add_field(text, std::hypot(fa, fb));
        add_field(text, lag(fa, fb));
        add_field(text, std::isfinite(ya) && std::isfinite(yb) ? std::hypot(ya, yb) : missing);
        add_field(text, std::isfinite(ya) && std::isfinite(yb) ? lag(ya, yb) : missing);
        text += '\n';
    }
    return text;
}

}  // namespace vibsim::forced
