// The lower panels of vibsim-forced's picture: the magnification and the
// phase lag over r = omega / omega0 on one shared axis with the shaker's
// points, the phasors of the steady state's forces, the work per cycle,
// and the line spectra of a periodic force and its response over |H|.
#include "forced/picture.hpp"

#include "forced/energy.hpp"
#include "forced/picture_layout.hpp"
#include "forced/response.hpp"
#include "kit/labels.hpp"

#include <vibsim/draw.hpp>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>
#include <vector>

namespace vibsim::forced {

namespace {

using kit::Align;
using kit::draw_label;
using kit::format;
using kit::ink;
using kit::muted;

constexpr double top_ratio = 3.0;  // r at the response's right edge
constexpr int curve_points = 300;

// The panel's u of r = omega / omega0.
double u_of(double ratio) { return -1.0 + 2.0 * ratio / top_ratio; }

void mark(double ratio, const Colour4& colour)
{
    if (!(ratio >= 0.0 && ratio <= top_ratio)) return;
    draw_line({u_of(ratio), -1.0}, {u_of(ratio), 1.0}, colour);
}

}  // namespace

void draw_response(const Session& s)
{
    kit::draw_frame(response_rect, "Magnification (blue) and phase lag (red) over r = ω/ω0");
    const double omega0 = natural_frequency(s.model);
    const Readouts r = readouts(s.model);
    std::vector<double> magnification(curve_points + 1), phase(curve_points + 1);
    double largest = 0.0;
    for (int i = 0; i <= curve_points; ++i) {
        const Response response = steady_response(s.model, omega0 * top_ratio * i / curve_points);
        magnification[static_cast<std::size_t>(i)] = response.finite ? response.magnification : NAN;
        phase[static_cast<std::size_t>(i)] = response.finite ? response.phase : NAN;
        if (response.finite && std::isfinite(response.magnification))
            largest = std::max(largest, response.magnification);
    }
    const double extent = kit::plot_extent(std::min(largest, 50.0));
    const auto v_of = [&](double value) { return -1.0 + 2.0 * std::min(value / extent, 1.05); };
    const auto v_of_phase = [](double lag) { return -1.0 + 2.0 * lag / std::numbers::pi; };
    {
        kit::PanelScope panel(response_rect);
        glLineWidth(1.0f);
        mark(1.0, mark_black);
        mark(r.damped_frequency / omega0, muted);
        mark(r.peak_frequency / omega0, steady_orange);
        glLineWidth(2.0f);
        for (int i = 0; i < curve_points; ++i) {
            const auto a = static_cast<std::size_t>(i), b = a + 1;
            const double u0 = -1.0 + 2.0 * i / curve_points, u1 = -1.0 + 2.0 * (i + 1) / curve_points;
            if (std::isfinite(magnification[a]) && std::isfinite(magnification[b]))
                draw_line({u0, v_of(magnification[a])}, {u1, v_of(magnification[b])}, curve_blue);
            if (std::isfinite(phase[a]) && std::isfinite(phase[b]))
                draw_line({u0, v_of_phase(phase[a])}, {u1, v_of_phase(phase[b])}, phase_red);
        }
        // The shaker's measured points, as magnifications at their omega:
        // each measured first harmonic against the closed form's, which for
        // a periodic wave is the force's first harmonic's response.
        for (const SweepPoint& p : s.measured.points) {
            const Response curve = steady_response(s.model, p.omega);
            const double scale = p.amplitude_exact > 0.0 ? curve.magnification / p.amplitude_exact : 0.0;
            draw_circle({u_of(p.omega / omega0), v_of(p.amplitude * scale)}, 0.03, mark_black);
            draw_circle({u_of(p.omega / omega0), v_of_phase(p.phase)}, 0.03, mark_black);
        }
        // The operating point.
        if (r.response.finite) {
            draw_disc({u_of(r.ratio), v_of(r.response.magnification)}, 0.04, curve_blue);
            draw_disc({u_of(r.ratio), v_of_phase(r.response.phase)}, 0.04, phase_red);
        }
    }
    for (int k = 0; k <= 3; ++k) {
        draw_label(response_rect.x(u_of(k)), response_rect.y0 - 0.06, std::to_string(k).c_str(), kit::text_pixels,
                   muted, Align::centre);
    }
    draw_label(response_rect.x0 - 0.01, response_rect.y1 - 0.04, format("%.3g", extent).c_str(), kit::text_pixels,
               curve_blue, Align::right);
    draw_label(response_rect.x1 + 0.01, response_rect.y1 - 0.04, "π", kit::text_pixels, phase_red);
    draw_label(response_rect.x0, response_rect.y0 - 0.12, "ω0 black, ωd grey, peak orange; rings measured",
               kit::text_pixels, muted);
    const char* note = s.shaker == ShakerState::running          ? "shaker running"
                       : s.shaker == ShakerState::complete       ? "shaker done"
                       : s.shaker == ShakerState::undamped       ? "no shaker: undamped, the transient never dies"
                       : s.shaker == ShakerState::lightly_damped ? "shaker stopped: too lightly damped to settle"
                                                                 : nullptr;
    if (note) draw_label(response_rect.x0 + 0.02, response_rect.y1 - 0.05, note, kit::text_pixels, force_green);
}

void draw_phasors(const Session& s)
{
    kit::draw_frame(phasor_rect, "Phasors at ωt");
    const Model& m = s.model;
    const Response r = steady_response(m, m.omega);
    if (!r.finite) return;
    const double w = m.omega;
    const std::complex<double> turn = std::polar(1.0, w * s.motion.drive_time());
    const std::complex<double> z = m.drive == Drive::base ? r.complex_amplitude - m.amplitude : r.complex_amplitude;
    // On the mass: spring -K Z, damper -i lambda omega Z, inertia m omega^2 Y,
    // and the excitation closing them to zero.
    const std::complex<double> spring = -m.stiffness * z * turn;
    const std::complex<double> damper = -std::complex<double>(0.0, m.damping * w) * z * turn;
    const std::complex<double> inertia = m.mass * w * w * r.complex_amplitude * turn;
    const std::complex<double> excitation = -(spring + damper + inertia);
    // The polygon's corners, centred in the panel and scaled to fill it.
    const std::complex<double> parts[] = {spring, damper, inertia, excitation};
    std::complex<double> corners[5] = {};
    for (int i = 0; i < 4; ++i) corners[i + 1] = corners[i] + parts[i];
    double x0 = 0.0, x1 = 0.0, y0 = 0.0, y1 = 0.0;
    for (const std::complex<double>& c : corners) {
        x0 = std::min(x0, c.real());
        x1 = std::max(x1, c.real());
        y0 = std::min(y0, c.imag());
        y1 = std::max(y1, c.imag());
    }
    {
        const kit::EvenScope panel(phasor_rect);
        const double half = std::max({x1 - x0, (y1 - y0) / panel.room(1.0), 1e-300}) / 2.0;
        const double scale = 0.85 / half;
        const std::complex<double> middle((x0 + x1) / 2.0, (y0 + y1) / 2.0);
        const Colour4 colours[] = {curve_blue, phase_red, mark_black, force_green};
        glLineWidth(3.0f);
        for (int i = 0; i < 4; ++i) {
            const std::complex<double> a = (corners[i] - middle) * scale, b = (corners[i + 1] - middle) * scale;
            draw_line({a.real(), a.imag()}, {b.real(), b.imag()}, colours[i]);
        }
    }
    draw_label(phasor_rect.x0, phasor_rect.y0 - 0.06, "spring", kit::text_pixels, curve_blue);
    draw_label(phasor_rect.x0 + 0.22, phasor_rect.y0 - 0.06, "damper", kit::text_pixels, phase_red);
    draw_label(phasor_rect.x0, phasor_rect.y0 - 0.12, "inertia", kit::text_pixels, mark_black);
    draw_label(phasor_rect.x0 + 0.22, phasor_rect.y0 - 0.12, "excitation", kit::text_pixels, force_green);
}

void draw_energy(const Session& s)
{
    kit::draw_frame(energy_rect, "Work per cycle [J]");
    const CycleEnergy e = cycle_energy(s.model, s.steady);
    const double top = kit::plot_extent(std::max(e.input, e.dissipated));
    if (std::isfinite(top)) {
        const kit::PanelScope panel(energy_rect);
        const auto bar = [&](double x, double value, const Colour4& c) {
            if (std::isfinite(value)) draw_rect_filled({x, -1.0}, 0.6, 2.0 * value / top, 0.0, c);
        };
        bar(-0.8, e.input, force_green);
        bar(0.2, e.dissipated, phase_red);
    }
    draw_label(energy_rect.x(-0.5), energy_rect.y0 - 0.06, "input", kit::text_pixels, force_green, Align::centre);
    draw_label(energy_rect.x(0.5), energy_rect.y0 - 0.06, "damper", kit::text_pixels, phase_red, Align::centre);
    draw_label(energy_rect.x(-0.5), energy_rect.y0 - 0.12, format("%.4g", e.input).c_str(), kit::text_pixels, ink,
               Align::centre);
    draw_label(energy_rect.x(0.5), energy_rect.y0 - 0.12, format("%.4g", e.dissipated).c_str(), kit::text_pixels,
               ink, Align::centre);
}

void draw_spectra(const Session& s)
{
    if (!s.steady.periodic) {
        draw_label(spectra_rect.x0, spectra_rect.y1 - 0.04, "Line spectra: for a force wave other than cosine (key w)",
                   kit::text_pixels, muted);
        return;
    }
    constexpr int shown = 15;
    kit::draw_frame(spectra_rect, "Harmonics 1…15: force green, response blue, |H| orange");
    const auto size = [](const Harmonics& h, int k) {
        return std::hypot(h.a[static_cast<std::size_t>(k)], h.b[static_cast<std::size_t>(k)]);
    };
    double force_top = 0.0, response_top = 0.0, h_top = 0.0;
    for (int k = 1; k <= shown; ++k) {
        force_top = std::max(force_top, size(s.steady.force, k));
        if (std::isfinite(size(s.steady.response, k))) response_top = std::max(response_top, size(s.steady.response, k));
        h_top = std::max(h_top, std::abs(receptance(s.model, k * s.model.omega)));
    }
    const kit::PanelScope panel(spectra_rect);
    glLineWidth(3.0f);
    for (int k = 1; k <= shown; ++k) {
        const double u = -1.0 + 2.0 * (k - 0.5) / shown;
        if (force_top > 0.0) draw_line({u - 0.02, -1.0}, {u - 0.02, -1.0 + 2.0 * size(s.steady.force, k) / force_top}, force_green);
        const double y = size(s.steady.response, k);
        if (response_top > 0.0 && std::isfinite(y)) draw_line({u + 0.02, -1.0}, {u + 0.02, -1.0 + 2.0 * y / response_top}, curve_blue);
    }
    glLineWidth(1.5f);
    if (h_top > 0.0 && std::isfinite(h_top)) {
        for (int k = 1; k < shown; ++k) {
            const double u0 = -1.0 + 2.0 * (k - 0.5) / shown, u1 = -1.0 + 2.0 * (k + 0.5) / shown;
            draw_line({u0, -1.0 + 2.0 * std::abs(receptance(s.model, k * s.model.omega)) / h_top},
                      {u1, -1.0 + 2.0 * std::abs(receptance(s.model, (k + 1) * s.model.omega)) / h_top}, steady_orange);
        }
    }
}

}  // namespace vibsim::forced
