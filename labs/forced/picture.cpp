#include "forced/picture.hpp"

#include "forced/excitation.hpp"
#include "forced/picture_layout.hpp"
#include "forced/response.hpp"
#include "kit/labels.hpp"

#include <vibsim/draw.hpp>
#include <vibsim/plot.hpp>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>

namespace vibsim::forced {

namespace {

using kit::Align;
using kit::draw_label;
using kit::format;
using kit::ink;
using kit::muted;

void draw_header(const Session& s)
{
    const Model& m = s.model;
    draw_label(-1.28, 0.91, "Forced vibration:  m·y″ + λ·y′ + K·y = f(t)", kit::title_pixels, ink);
    char line[256];
    std::snprintf(line, sizeof line, "m = %g kg   λ = %g N/(m/s)   K = %g N/m   %s A = %g   ω = %.4g rad/s%s%s",
                  m.mass, m.damping, m.stiffness, drive_name(m.drive), m.amplitude, m.omega,
                  m.drive == Drive::force ? "   wave " : "", m.drive == Drive::force ? wave_name(m.wave) : "");
    draw_label(-1.28, 0.845, line, kit::text_pixels, muted);
    draw_label(1.28, 0.91, format("t = %.2f s", s.motion.time()).c_str(), kit::text_pixels, ink, Align::right);
    if (const char* cause = step_cause(s.motion)) {
        std::snprintf(line, sizeof line, "step %.3g s (%s): shown slowed down", 0.01 / s.motion.substeps, cause);
        draw_label(1.28, 0.785, line, kit::text_pixels, force_green, Align::right);
    }
}

// The mass on its spring and damper over the ground or the moving support,
// with the force's arrow or the turning rotor.
void draw_mass(const Session& s)
{
    kit::draw_frame(mass_rect, "The mass and its drive");
    const Model& m = s.model;
    const double t = s.motion.drive_time();
    const double extent = kit::plot_extent(s.largest_displacement);
    const kit::EvenScope panel(mass_rect);
    const double room = panel.room(1.0);
    const double scale = 0.25 * room / extent;
    const double support = -0.8 * room + (m.drive == Drive::base ? scale * support_displacement(m, t) : 0.0);
    const double y = std::isfinite(s.motion.y) ? std::clamp(scale * s.motion.y, -0.5 * room, 0.5 * room) : 0.0;
    const double mass_bottom = 0.1 * room + y;
    glLineWidth(2.0f);
    draw_rect_filled({-0.8, support - 0.08}, 1.6, 0.08, 0.0, m.drive == Drive::base ? steady_orange : kit::frame);
    // The spring as a zigzag on the left, the damper as a piston on the right.
    const int turns = 8;
    for (int i = 0; i < turns; ++i) {
        const double y0 = support + (mass_bottom - support) * i / turns;
        const double y1 = support + (mass_bottom - support) * (i + 1) / turns;
        draw_line({-0.35 + (i % 2 ? 0.1 : -0.1), y0}, {-0.35 + (i % 2 ? -0.1 : 0.1), y1}, ink);
    }
    const double mid = 0.5 * (support + mass_bottom);
    draw_line({0.35, support}, {0.35, mid}, ink);
    draw_rect_outline({0.25, mid - 0.05}, 0.2, 0.12, 0.0, ink);
    draw_line({0.35, mid + 0.02}, {0.35, mass_bottom}, ink);
    draw_rect_filled({-0.5, mass_bottom}, 1.0, 0.4, 0.0, curve_blue);
    const double centre = mass_bottom + 0.2;
    const double reach = std::max(s.largest_force, 1e-300);
    if (m.drive == Drive::force) {
        const double f = excitation_force(m, t) / reach;
        const double length = 0.3 * room * std::fabs(f);
        if (std::fabs(f) > 1e-3) draw_arrow({0.0, centre + 0.2 + (f > 0 ? length : 0.0), 0.0}, length,
                                            f > 0 ? std::numbers::pi / 2 : -std::numbers::pi / 2, force_green);
    } else if (m.drive == Drive::unbalance) {
        const double angle = m.omega * t;
        draw_circle({0.0, centre}, 0.15, mark_black);
        draw_line({0.0, centre}, {0.15 * std::sin(angle), centre + 0.15 * std::cos(angle)}, force_green);
        draw_disc({0.15 * std::sin(angle), centre + 0.15 * std::cos(angle)}, 0.04, force_green);
    }
}

// Dashes of every other pair of samples.
void plot_dashed(const double* values, int n, double yscale)
{
    for (int i = 0; i + 1 <= n; i += 4) {
        const int j = std::min(i + 2, n);
        for (int k = i; k < j; ++k) {
            draw_line({-1.0 + 2.0 * k / trace_frames, yscale * values[k]},
                      {-1.0 + 2.0 * (k + 1) / trace_frames, yscale * values[k + 1]}, steady_orange);
        }
    }
}

void draw_traces(const Session& s)
{
    kit::draw_frame(traces_rect, "y(t) blue, its steady state dashed, the force green");
    kit::time_like_axis(traces_rect, trace_frames * steps_per_frame * frame_step, "t [s]");
    const double extent = kit::plot_extent(s.largest_displacement);
    const double force_extent = kit::plot_extent(s.largest_force);
    {
        kit::PanelScope panel(traces_rect);
        glLineWidth(1.0f);
        draw_line({-1.0, 0.0}, {1.0, 0.0}, kit::frame);
        plot_series({-1.0, 0.0}, 2.0 / trace_frames, 1.0 / force_extent, s.traces_filled,
                    s.traces.data() + 2 * trace_stride, force_green);
        glLineWidth(2.0f);
        plot_dashed(s.traces.data() + trace_stride, s.traces_filled, 1.0 / extent);
        plot_series({-1.0, 0.0}, 2.0 / trace_frames, 1.0 / extent, s.traces_filled, s.traces.data(), curve_blue);
        const double u = -1.0 + 2.0 * s.trace_index / trace_frames;
        glLineWidth(1.0f);
        draw_line({u, -1.0}, {u, 1.0}, kit::rule);
    }
    draw_label(traces_rect.x0 - 0.01, traces_rect.y1 - 0.04, format("%.3g m", extent).c_str(), kit::text_pixels,
               curve_blue, Align::right);
    draw_label(traces_rect.x1, traces_rect.y1 + 0.01, format("force ±%.3g N", force_extent).c_str(),
               kit::text_pixels, force_green, Align::right);
}

std::string number(double x, const char* unit)
{
    if (std::isnan(x)) return "none";
    if (std::isinf(x)) return "∞";
    return format("%.4g", x) + unit;
}

void draw_readouts(const Session& s)
{
    const Readouts r = readouts(s.model);
    const double x = -1.28;
    double y = -0.60;
    const auto line = [&](const std::string& text) {
        draw_label(x, y, text.c_str(), kit::text_pixels, ink);
        y -= 0.062;
    };
    line("r = ω/ω0 = " + number(r.ratio, "") + "    ζ = " + number(r.damping_ratio, ""));
    line("amplitude |Y| = " + (r.response.finite ? number(r.response.amplitude, " m") : std::string("∞")) +
         "    lag φ = " + number(r.response.phase, " rad"));
    line("magnification = " + (r.response.finite ? number(r.response.magnification, "") : std::string("∞")) +
         "    Q = " + number(r.quality_factor, ""));
    line("ω0 = " + number(r.natural_frequency, " rad/s") + "    ωd = " + number(r.damped_frequency, " rad/s"));
    line("peak at " + number(r.peak_frequency, " rad/s") + "    decay time τ = " + number(r.decay_time, " s"));
}

void draw_keys()
{
    draw_label(-1.28, -0.975,
               "s advance   - + ω   d drive   w wave   g shaker   r restart   m constants   j y0 v0   Esc quit",
               kit::text_pixels, ink);
}

}  // namespace

const char* step_cause(const Motion& motion)
{
    if (!motion.step_reduced) return nullptr;
    const Model& m = motion.model;
    const double h = frame_step;
    if (m.omega * h > drive_step_limit &&
        m.omega / drive_step_limit >= (natural_frequency(m) + m.damping / m.mass) / step_limit)
        return "fast drive";
    return m.damping / m.mass > natural_frequency(m) ? "heavily damped" : "stiff";
}

void set_picture_view(int width, int height) { kit::set_view(width, height, picture_aspect); }

void draw_picture(const Session& session)
{
    kit::begin_picture();
    draw_header(session);
    draw_mass(session);
    draw_traces(session);
    draw_response(session);
    draw_phasors(session);
    draw_energy(session);
    draw_spectra(session);
    draw_readouts(session);
    draw_keys();
}

}  // namespace vibsim::forced
