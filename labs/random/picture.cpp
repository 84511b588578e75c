#include "random/picture.hpp"

#include "platform/glyphs.hpp"
#include "kit/labels.hpp"
#include "kit/panels.hpp"
#include "random/response.hpp"

#include <vibsim/draw.hpp>
#include <vibsim/plot.hpp>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

namespace vibsim::random {

namespace {

constexpr Colour4 response_blue{0.0f, 0.3f, 0.9f, 0.0f};
constexpr Colour4 stem_red{0.85f, 0.0f, 0.0f, 0.0f};
constexpr Colour4 arrow_green{0.0f, 0.55f, 0.15f, 0.0f};

constexpr kit::Rect response_rect{-1.10, 0.12, 0.12, 0.74};
constexpr kit::Rect phase_rect{0.44, 0.18, 1.28, 0.74};
constexpr kit::Rect spectrum_rect{-1.10, -0.86, 0.12, -0.12};
constexpr kit::Rect chain_rect{0.44, -0.42, 1.28, -0.12};

void draw_response(const Lab& lab)
{
    kit::draw_frame(response_rect, "Response y(t) of the current record of 10.24 s");
    kit::time_like_axis(response_rect, record_seconds, "t [s]");
    const double extent = kit::plot_extent(lab.largest_displacement);
    {
        kit::PanelScope panel(response_rect);
        glLineWidth(1.0f);
        draw_line({-1.0, 0.0}, {1.0, 0.0}, kit::frame);
        const double yscales[] = {1.0 / extent};
        plot_series_set({-1.0, 0.0}, 2.0 / record_intervals, yscales, 1, lab.last_sample, lab.record.data(),
                        Lab::record_stride);
    }
    kit::draw_label(response_rect.x0 - 0.01, response_rect.y1 - 0.03, kit::format("%.3g m", extent).c_str(), kit::small_pixels,
               kit::muted, kit::Align::right);
    kit::draw_label(response_rect.x0 - 0.01, response_rect.y(0.0) - 0.01, "0", kit::small_pixels, kit::muted, kit::Align::right);
    kit::draw_label(response_rect.x0 - 0.01, response_rect.y0, kit::format("-%.3g m", extent).c_str(), kit::small_pixels, kit::muted,
               kit::Align::right);
}

void draw_phase_plane(const Lab& lab)
{
    kit::draw_frame(phase_rect, "Phase plane: velocity v against y");
    const double y_extent = kit::plot_extent(lab.largest_displacement);
    const double v_extent = kit::plot_extent(lab.largest_velocity);
    {
        kit::PanelScope panel(phase_rect);
        glLineWidth(1.0f);
        draw_line({-1.0, 0.0}, {1.0, 0.0}, kit::frame);
        draw_line({0.0, -1.0}, {0.0, 1.0}, kit::frame);
        plot_xy_curve({0.0, 0.0}, 1.0 / y_extent, 1.0 / v_extent, lab.last_sample, lab.record.data(),
                      Lab::record_stride);
    }
    // The present state, as a dot of the same size across and up.
    const auto now = static_cast<std::size_t>(lab.last_sample);
    const double x = phase_rect.x(lab.record[now] / y_extent);
    const double y = phase_rect.y(lab.record[Lab::record_stride + now] / v_extent);
    if (std::fabs(x) < picture_aspect && std::fabs(y) < 1.0) draw_disc({x, y}, 0.012, stem_red);
    kit::draw_label(phase_rect.x1 - 0.015, phase_rect.y(0.0) + 0.015, "y", kit::text_pixels, kit::muted, kit::Align::right);
    kit::draw_label(phase_rect.x(0.0) + 0.015, phase_rect.y1 - 0.05, "v", kit::text_pixels, kit::muted);
    kit::draw_label(phase_rect.x0, phase_rect.y0 - 0.05, kit::format("across: y, ±%.3g m at the edges", y_extent).c_str(),
               kit::small_pixels, kit::muted);
    kit::draw_label(phase_rect.x0, phase_rect.y0 - 0.095, kit::format("up: v, ±%.3g m/s at the edges", v_extent).c_str(),
               kit::small_pixels, kit::muted);
}

void draw_chain(const Lab& lab)
{
    kit::draw_frame(chain_rect, "The mass on its string");
    // The same scale across and up, so that the masses stay round; the
    // string runs from x = -0.99 to +0.99.
    const kit::EvenScope panel(chain_rect);
    const double displacement = lab.state[0];
    glLineWidth(2.0f);
    draw_mass_chain({-0.99, 0.0}, panel.room(0.85) / kit::plot_extent(lab.largest_displacement), 1, &displacement);
}

// The frequencies the spectrum shows: harmonics 0 ... the returned index,
// some three and a half times the oscillator's own frequency.
int shown_harmonics(const Frequencies& f)
{
    const double own = f.has_damped && f.damped > 0.0 ? f.damped : f.natural;
    const double bins = 3.5 * own / harmonic_frequency(1);
    if (!(bins > 12.0)) return 12;
    return static_cast<int>(std::min<double>(highest_harmonic, std::ceil(bins)));
}

// The spectrum panel's numbers: the averaged amplitudes of the harmonics
// shown, |H| fitted to them eight times as finely, and the plot's height.
struct SpectrumPlot {
    static constexpr int per_harmonic = 8;
    int last = 0;                    // the highest harmonic shown
    std::vector<double> amplitudes;  // harmonics 0 ... last
    std::vector<double> curve;       // the fitted |H| at harmonic_frequency(1) j / per_harmonic
    double scale = 0.0;              // the fit's factor on |H|
    double extent = 0.0;             // the plot's height, in metres
};

SpectrumPlot spectrum_plot(const Lab& lab, int last)
{
    SpectrumPlot plot;
    plot.last = last;
    plot.amplitudes.resize(static_cast<std::size_t>(last) + 1);
    std::vector<double> magnitudes(highest_harmonic + 1);
    for (int k = 0; k <= highest_harmonic; ++k) {
        magnitudes[static_cast<std::size_t>(k)] = response_magnitude(lab.oscillator, harmonic_frequency(k));
    }
    double largest = 0.0;
    for (int k = 0; k <= last; ++k) {
        plot.amplitudes[static_cast<std::size_t>(k)] = averaged_amplitude(lab, k);
        largest = std::max(largest, plot.amplitudes[static_cast<std::size_t>(k)]);
    }
    plot.scale = spectrum_scale(lab, magnitudes);

    // The plot's height takes in the curve's peak, which falls between
    // harmonics.
    constexpr int per_harmonic = SpectrumPlot::per_harmonic;
    plot.curve.resize(static_cast<std::size_t>(last * per_harmonic) + 1);
    double peak = largest;
    for (std::size_t j = 0; j < plot.curve.size(); ++j) {
        plot.curve[j] = plot.scale * response_magnitude(lab.oscillator, harmonic_frequency(1) * j / per_harmonic);
        if (std::isfinite(plot.curve[j])) peak = std::max(peak, plot.curve[j]);
    }
    plot.extent = kit::plot_extent(peak);
    // An undamped oscillator's |H| is infinite at omega0: drawn up to the top.
    for (double& h : plot.curve) h = std::isfinite(h) ? h : 2.0 * plot.extent;
    return plot;
}

void draw_spectrum(const Lab& lab)
{
    kit::draw_frame(spectrum_rect, "Averaged amplitude spectrum of y, and |H(ω)| fitted to it");
    const Frequencies f = frequencies(lab.oscillator);
    const int last = shown_harmonics(f);
    const double top_frequency = harmonic_frequency(last);
    kit::time_like_axis(spectrum_rect, top_frequency, "ω [rad/s]");

    if (lab.records_averaged == 0) {
        kit::draw_label(spectrum_rect.x(0.0), spectrum_rect.y(0.0),
                   kit::format("the first record is being taken: %.0f%%", 100.0 * lab.last_sample / record_intervals)
                       .c_str(),
                   kit::text_pixels, kit::muted, kit::Align::centre);
        return;
    }
    const SpectrumPlot plot = spectrum_plot(lab, last);
    const double scale = plot.scale;
    const double extent = plot.extent;
    constexpr int per_harmonic = SpectrumPlot::per_harmonic;

    // The plot fills the panel up to 0.6 of its height; the arrow stands
    // above it.
    constexpr double baseline = -0.95;
    const double dx = 2.0 / last;
    const double yscale = (0.6 - baseline) / extent;
    {
        kit::PanelScope panel(spectrum_rect);
        plot_stems({-1.0, baseline}, dx, yscale, last, plot.amplitudes.data());
        plot_series({-1.0, baseline}, dx / per_harmonic, yscale, last * per_harmonic, plot.curve.data(),
                    response_blue);
    }

    // The arrow points down at Omega, from the top of the panel.
    if (f.has_damped && f.damped > 0.0 && f.damped < top_frequency) {
        const double x = spectrum_rect.x(-1.0 + 2.0 * f.damped / top_frequency);
        const double y = spectrum_rect.y(0.66);
        glPushMatrix();
        glTranslated(x, y, 0.0);
        glScaled(0.5, 0.5, 1.0);
        draw_arrow({0.0, 0.0, 0.0}, 0.2, -std::numbers::pi / 2.0, arrow_green);
        glPopMatrix();
        kit::draw_label(x + 0.025, spectrum_rect.y(0.82), kit::format("Ω = %.4f rad/s", f.damped).c_str(), kit::text_pixels,
                   arrow_green);
    }

    kit::draw_label(spectrum_rect.x1 - 0.02, spectrum_rect.y(0.45),
               (std::to_string(lab.records_averaged) + (lab.records_averaged == 1 ? " record" : " records") +
                " averaged (red stems)")
                   .c_str(),
               kit::small_pixels, stem_red, kit::Align::right);
    kit::draw_label(spectrum_rect.x1 - 0.02, spectrum_rect.y(0.32),
               kit::format("%.3g · |1 / (K − mω² + iλω)|  (blue)", scale).c_str(), kit::small_pixels, response_blue,
               kit::Align::right);
    kit::draw_label(spectrum_rect.x0 - 0.01, spectrum_rect.y(0.6) - 0.01, kit::format("%.3g m", extent).c_str(),
               kit::small_pixels, kit::muted, kit::Align::right);
    kit::draw_label(spectrum_rect.x0 - 0.01, spectrum_rect.y(baseline) - 0.01, "0", kit::small_pixels, kit::muted, kit::Align::right);
}

void draw_header(const Lab& lab)
{
    const Oscillator& o = lab.oscillator;
    const Frequencies f = frequencies(o);
    kit::draw_label(-1.28, 0.91, "Random vibration:  m·y″ + λ·y′ + K·y = f(t),  f white noise", kit::title_pixels, kit::ink);
    char line[256];
    std::snprintf(line, sizeof line, "m = %g kg   λ = %g N/(m/s)   K = %g N/m   σ(f) = %g N", o.mass, o.damping,
                  o.stiffness, o.force_deviation);
    kit::draw_label(-1.28, 0.845, line, kit::text_pixels, kit::muted);
    if (f.has_damped) {
        std::snprintf(line, sizeof line, "ω0 = %.4f rad/s   ζ = %.4f   Ω = %.4f rad/s", f.natural, f.damping_ratio,
                      f.damped);
    } else {
        std::snprintf(line, sizeof line, "ω0 = %.4f rad/s   ζ = %.4f  (overdamped: no Ω)", f.natural,
                      f.damping_ratio);
    }
    kit::draw_label(1.28, 0.845, line, kit::text_pixels, kit::muted, kit::Align::right);
    std::snprintf(line, sizeof line, "t = %.2f s", lab.time);
    kit::draw_label(1.28, 0.91, line, kit::text_pixels, kit::ink, kit::Align::right);
}

void draw_notes()
{
    const double x = chain_rect.x0;
    double y = -0.56;
    const char* lines[] = {
        "Each step of 0.01 s draws one force value",
        "from the normal tables and holds it over the",
        "step's four Runge–Kutta–Gill stages.",
        "A record of 1024 steps is analysed into",
        "harmonics ω_k = 2πk / 10.24 s, k = 0 … 512.",
        "Keys:  s  advance (hold to run)",
        "           r  restart the average    Esc  quit",
    };
    int index = 0;
    for (const char* text : lines) {
        if (index == 5) y -= 0.03;
        kit::draw_label(x, y, text, kit::small_pixels, index >= 5 ? kit::ink : kit::muted);
        y -= 0.055;
        ++index;
    }
}

}  // namespace

void set_picture_view(int width, int height) { kit::set_view(width, height, picture_aspect); }

void draw_picture(const Lab& lab)
{
    kit::begin_picture();
    draw_header(lab);
    draw_response(lab);
    draw_phase_plane(lab);
    draw_spectrum(lab);
    draw_chain(lab);
    draw_notes();
}

}  // namespace vibsim::random
