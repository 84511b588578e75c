// The half-power bandwidth method (W. T. Thomson, Theory of Vibration with
// Applications, section 3.2). For a displacement response 1/|H|^2 =
// (omega0^2 - omega^2)^2 + (2 zeta omega0 omega)^2 is a parabola in
// u = omega^2, so the peak and the half-power points are read from the
// parabola through three samples of 1/|H|^2 against omega^2 (exact for that
// response). With the half-power points u1, u2 and the peak's u_p,
// R = (u2 - u1) / u_p = 4 zeta sqrt(1 - zeta^2) / (1 - 2 zeta^2), whence
// zeta^2 = (1 - 2 / sqrt(R^2 + 4)) / 2 and omega0^2 = u_p / (1 - 2 zeta^2).
#include "identify/half_power.hpp"

#include "identify/csv_lines.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vibsim::identify {

namespace {

// The parabola v = p0 + p1 (u - u1) + p2 (u - u1)^2 through three points.
struct Parabola {
    double u1;
    double p0;
    double p1;
    double p2;
};

Parabola through(double u0, double v0, double u1, double v1, double u2, double v2)
{
    const double d01 = (v1 - v0) / (u1 - u0);
    const double d12 = (v2 - v1) / (u2 - u1);
    const double p2 = (d12 - d01) / (u2 - u0);
    // The slope at u1 of the parabola through the three points.
    const double p1 = d01 + p2 * (u1 - u0);
    return {u1, v1, p1, p2};
}

// The level's crossing of the parabola of samples [i - 1, i + 1] nearest to
// u_near, within [lo, hi]; u_near itself when there is none.
double crossing(const Parabola& p, double level, double lo, double hi, double u_near)
{
    const double c = p.p0 - level;
    double roots[2] = {u_near, u_near};
    int count = 0;
    if (p.p2 == 0.0) {
        if (p.p1 != 0.0) roots[count++] = p.u1 - c / p.p1;
    } else {
        const double discriminant = p.p1 * p.p1 - 4.0 * p.p2 * c;
        if (discriminant >= 0.0) {
            const double root = std::sqrt(discriminant);
            // The root computed without cancellation, then the other from it.
            const double q = -0.5 * (p.p1 + (p.p1 >= 0.0 ? root : -root));
            if (q != 0.0) roots[count++] = p.u1 + c / q;
            roots[count++] = p.u1 + q / p.p2;
        }
    }
    double best = u_near;
    double distance = INFINITY;
    for (int k = 0; k < count; ++k) {
        if (!(roots[k] >= lo && roots[k] <= hi)) continue;
        if (std::fabs(roots[k] - u_near) < distance) {
            distance = std::fabs(roots[k] - u_near);
            best = roots[k];
        }
    }
    return best;
}

}  // namespace

ColumnChoice response_amplitude_column(std::string_view text)
{
    for (const std::string_view line : text_lines(text)) {
        if (line.find_first_not_of(" \t") == std::string_view::npos || line.front() == '#') continue;
        const std::vector<std::string> fields = split_fields(line, separator_of(line));
        for (const std::string& field : fields) {
            std::string name = field;
            for (char& c : name) {
                if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
            }
            if (name == "amplitude") return ColumnChoice{0, field};
        }
        break;
    }
    return ColumnChoice{2, {}};
}

RecordReading parse_response(std::string_view text, const std::string& file, const ColumnChoice& omega,
                             const ColumnChoice& amplitude)
{
    RecordReading reading = parse_columns(text, file, omega, amplitude);
    if (reading.error) return reading;
    Record& r = reading.record;
    if (r.t.front() > r.t.back()) {
        std::reverse(r.t.begin(), r.t.end());
        std::reverse(r.y.begin(), r.y.end());
    }
    for (std::size_t i = 1; i < r.t.size(); ++i) {
        if (r.t[i] > r.t[i - 1]) continue;
        RecordError error;
        error.file = file;
        error.problem = RecordProblem::not_increasing;
        error.column = r.t_name.empty() ? std::string("1") : r.t_name;
        char value[32];
        std::snprintf(value, sizeof value, "%.17g", r.t[i]);
        error.detail = value;
        reading.error = error;
        reading.record = Record{};
        return reading;
    }
    return reading;
}

std::optional<HalfPower> half_power(std::span<const double> omega, std::span<const double> amplitude,
                                    NoPeak& none)
{
    none = NoPeak::no_peak;
    const std::size_t n = std::min(omega.size(), amplitude.size());
    if (n < 3 || !(omega[0] >= 0.0)) return std::nullopt;
    std::size_t k = 0;
    for (std::size_t i = 1; i < n; ++i) {
        if (std::fabs(amplitude[i]) > std::fabs(amplitude[k])) k = i;
    }
    if (k == 0 || k + 1 == n || !(std::fabs(amplitude[k]) > 0.0)) return std::nullopt;
    auto u = [&](std::size_t i) { return omega[i] * omega[i]; };
    auto v = [&](std::size_t i) { return 1.0 / (amplitude[i] * amplitude[i]); };

    HalfPower result;
    const Parabola top = through(u(k - 1), v(k - 1), u(k), v(k), u(k + 1), v(k + 1));
    double u_peak = u(k);
    double v_peak = v(k);
    if (top.p2 > 0.0) {
        const double shift = -top.p1 / (2.0 * top.p2);
        if (std::fabs(shift) <= std::max(u(k + 1) - u(k), u(k) - u(k - 1))) {
            u_peak = u(k) + shift;
            v_peak = top.p0 + shift * (top.p1 + top.p2 * shift);
        }
    }
    if (!(v_peak > 0.0)) return std::nullopt;
    result.omega_peak = std::sqrt(u_peak);
    result.peak = 1.0 / std::sqrt(v_peak);

    // The half-power level 1/|H|^2 = 2 v_peak, on each side of the peak.
    none = NoPeak::band_not_covered;
    const double level = 2.0 * v_peak;
    std::size_t low = k;
    while (low > 0 && v(low) < level) --low;
    std::size_t high = k;
    while (high + 1 < n && v(high) < level) ++high;
    if (v(low) < level || v(high) < level) return std::nullopt;
    // Samples low and high are the first beyond the level; the parabola
    // through them, their inner neighbour and one more.
    auto side = [&](std::size_t outer, std::size_t inner, std::size_t third) {
        const Parabola p = through(u(outer), v(outer), u(inner), v(inner), u(third), v(third));
        const double lo = std::min(u(outer), u(inner));
        const double hi = std::max(u(outer), u(inner));
        const double linear = u(inner) + (level - v(inner)) * (u(outer) - u(inner)) / (v(outer) - v(inner));
        return crossing(p, level, lo, hi, linear);
    };
    const double u_low = side(low, low + 1, low + 2 <= k ? low + 2 : (low > 0 ? low - 1 : low + 2));
    const double u_high = side(high, high - 1, high >= k + 2 ? high - 2 : (high + 1 < n ? high + 1 : high - 2));
    result.omega_low = std::sqrt(u_low);
    result.omega_high = std::sqrt(u_high);
    const double r = (u_high - u_low) / u_peak;
    const double zeta_squared = 0.5 * (1.0 - 2.0 / std::sqrt(r * r + 4.0));
    result.zeta = std::sqrt(zeta_squared);
    result.omega0 = result.omega_peak / std::sqrt(1.0 - 2.0 * zeta_squared);
    result.omega_d = result.omega0 * std::sqrt(1.0 - zeta_squared);
    return result;
}

}  // namespace vibsim::identify
