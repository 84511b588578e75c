// The lower panels of vibsim-modes' picture: D(omega) on a compressed scale
// that keeps its sign, sign(D) log(1 + |D| / D0), so that every root shows
// however far apart the values between them are; the modal energies as
// stems; and the forced mass's steady amplitude over omega on a log scale.
#include "modes/picture.hpp"

#include "platform/glyphs.hpp"
#include "kit/labels.hpp"
#include "modes/picture_layout.hpp"

#include <vibsim/draw.hpp>
#include <vibsim/plot.hpp>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace vibsim::modes {

namespace {

using kit::Align;
using kit::draw_label;
using kit::format;
using kit::muted;

// Rules at omega_1 ... omega_n of a panel whose axis runs from 0 to `top`,
// each in its mode's colour.
void mark_frequencies(const Session& s, double top)
{
    glLineWidth(1.0f);
    for (int k = 1; k <= s.chain.n; ++k) {
        const double u = -1.0 + 2.0 * s.modes.omega[static_cast<std::size_t>(k - 1)] / top;
        draw_line({u, -1.0}, {u, 1.0}, plot_palette[static_cast<std::size_t>(k - 1)]);
    }
}

// sign(D) log(1 + |D| / D0) with D0 a millionth of the largest |D| shown,
// scaled to 1 at the largest.
std::vector<double> compressed(const std::vector<double>& values)
{
    double largest = 0.0;
    for (const double v : values) {
        if (std::isfinite(v)) largest = std::max(largest, std::fabs(v));
    }
    std::vector<double> out(values.size(), 0.0);
    if (!(largest > 0.0)) return out;
    const double d0 = largest * 1e-6;
    const double top = std::log1p(largest / d0);
    for (std::size_t i = 0; i < values.size(); ++i) {
        const double v = std::isfinite(values[i]) ? values[i] : 0.0;
        out[i] = std::copysign(std::log1p(std::fabs(v) / d0), v) / top;
    }
    return out;
}

}  // namespace

void draw_determinant(const Session& s)
{
    kit::draw_frame(determinant_rect, "D(ω) = det(K − ω²M) as sign(D)·log(1 + |D|/D0)");
    const double top = 1.15 * highest_frequency(s);
    kit::time_like_axis(determinant_rect, top, "ω [rad/s]");
    const std::vector<double> curve = compressed(s.determinant);
    {
        kit::PanelScope panel(determinant_rect);
        glLineWidth(1.0f);
        draw_line({-1.0, 0.0}, {1.0, 0.0}, kit::frame);
        mark_frequencies(s, top);
        plot_series({-1.0, 0.0}, 2.0 / curve_points, 0.9, curve_points, curve.data(), curve_blue);
        for (int k = 1; k <= s.chain.n; ++k) {
            const double u = -1.0 + 2.0 * s.modes.omega[static_cast<std::size_t>(k - 1)] / top;
            draw_disc({u, 0.0}, 0.02, mark_black);
        }
    }
    draw_label(determinant_rect.x0 - 0.01, determinant_rect.y(0.9) - 0.01, "+", kit::small_pixels, muted,
               Align::right);
    draw_label(determinant_rect.x0 - 0.01, determinant_rect.y(-0.9) - 0.01, "−", kit::small_pixels, muted,
               Align::right);
}

void draw_energies(const Session& s)
{
    const int n = s.chain.n;
    const std::vector<double> energies = modal_energies(s.chain, s.modes, s.motion.state);
    double largest = 0.0;
    for (const double e : energies) {
        if (std::isfinite(e)) largest = std::max(largest, e);
    }
    const double extent = kit::plot_extent(largest);
    kit::draw_frame(energy_rect, format("Modal energies, top %.3g J", extent).c_str());
    const double dx = 2.0 / n;
    {
        kit::PanelScope panel(energy_rect);
        plot_stems({-1.0 + dx / 2.0, -0.95}, dx, 1.8 / extent, n - 1, energies.data());
    }
    for (int k = 1; k <= n; ++k) {
        if (n > 7 && k != 1 && k % 5 != 0) continue;
        draw_label(energy_rect.x(-1.0 + dx * (k - 0.5)), energy_rect.y0 - 0.045, std::to_string(k).c_str(),
                   kit::small_pixels, muted, Align::centre);
    }
}

void draw_response(const Session& s)
{
    kit::draw_frame(response_rect, "Forced mass's amplitude");
    if (!s.motion.force.on) {
        draw_label(response_rect.x(0.0), response_rect.y(0.0), "forcing off: f turns it on", kit::text_pixels,
                   muted, Align::centre);
        return;
    }
    const double top = 1.5 * highest_frequency(s);
    // log10 of the amplitude for F = 1 N, four decades below the largest.
    double highest = -1e300;
    for (const double a : s.response) {
        if (a > 0.0 && std::isfinite(a)) highest = std::max(highest, std::log10(a));
    }
    if (highest < -1e299) highest = 0.0;
    const double ceiling = std::ceil(highest);
    const double floor = ceiling - 4.0;
    std::vector<double> points;  // omega, then the log amplitude, of each point that has one
    std::vector<double> logs;
    for (int i = 0; i <= curve_points; ++i) {
        const double a = s.response[static_cast<std::size_t>(i)];
        if (!(a > 0.0) || !std::isfinite(a)) continue;
        points.push_back(top * i / curve_points);
        logs.push_back(std::max(std::log10(a), floor));
    }
    const int count = static_cast<int>(points.size());
    points.insert(points.end(), logs.begin(), logs.end());
    const double omega = s.motion.force.omega;
    kit::time_like_axis(response_rect, top, "ω [rad/s]");
    {
        kit::PanelScope panel(response_rect);
        mark_frequencies(s, top);
        if (count > 1) {
            constexpr double per_decade = 2.0 / 4.0 * 0.95;
            plot_xy_curve({-1.0, -1.0 - per_decade * floor}, 2.0 / top, per_decade, count - 1, points.data(),
                          count);
        }
    }
    if (omega <= top) {
        // The forcing frequency: an arrow pointing down at it.
        const double x = response_rect.x(-1.0 + 2.0 * omega / top);
        glPushMatrix();
        glTranslated(x, response_rect.y(0.8), 0.0);
        glScaled(0.4, 0.4, 1.0);
        draw_arrow({0.0, 0.0, 0.0}, 0.2, -std::numbers::pi / 2.0, force_green);
        glPopMatrix();
    }
    draw_label(response_rect.x0 - 0.01, response_rect.y1 - 0.03, format("1e%.0f", ceiling).c_str(),
               kit::small_pixels, muted, Align::right);
    draw_label(response_rect.x0 - 0.01, response_rect.y0, format("1e%.0f", floor).c_str(), kit::small_pixels, muted,
               Align::right);
}

}  // namespace vibsim::modes
