#include "identify/picture.hpp"

#include "identify/messages.hpp"
#include "kit/labels.hpp"

#include <vibsim/draw.hpp>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace vibsim::identify {

namespace {

using kit::Align;
using kit::draw_label;
using kit::ink;
using kit::muted;

std::string printed(const char* pattern, double a, double b = 0.0, double c = 0.0, double d = 0.0)
{
    char line[256];
    std::snprintf(line, sizeof line, pattern, a, b, c, d);
    return line;
}

void draw_header(const Session& s)
{
    draw_label(-1.30, 0.93, "Identification of a free decay:  y = c + e^(−ζω₀t)(a cos ω_d t + b sin ω_d t)",
               kit::title_pixels, ink);
    const std::string what = s.is_exercise ? std::string("exercise record") : s.file;
    if (!s.record.t.empty()) {
        draw_label(1.30, 0.93, printed("%.0f samples", static_cast<double>(s.record.t.size())).c_str(),
                   kit::text_pixels, muted, Align::right);
    }
    // The values found, in two lines, or why there are none.
    const platform::Language english = platform::Language::english;
    std::string first = what;
    std::string second;
    if (s.is_exercise && !s.worked_shown) {
        first = "Exercise: find ω₀ and ζ from this record (key a to answer, w to see the worked identification)";
    } else if (s.record.t.empty()) {
        first = s.response_file.empty() ? "No record yet: choose a record's file (CSV of time and value)" : "";
    } else if (const auto& m = s.found.decrement) {
        first = printed("Log decrement: δ = %.5g   ζ = %.5g   ω₀ = %.6g rad/s   ω_d = %.6g rad/s", m->delta, m->zeta,
                        m->omega0, m->omega_d);
        if (const auto& f = s.found.fit) {
            second = printed("Fit: ω₀ = %.7g ± %.2g rad/s   ζ = %.6g ± %.2g", f->omega0, f->omega0_error, f->zeta,
                             f->zeta_error);
        }
    }
    if (!s.is_exercise || s.worked_shown) {
        if (s.found.none && !s.record.t.empty()) second = no_decay_text(*s.found.none, english);
    }
    if (const auto& h = s.half_power) {
        const std::string line = printed("Half power: ζ = %.5g   ω₀ = %.6g rad/s", h->zeta, h->omega0);
        (first.empty() ? first : second.empty() ? second : second += "    ") += line;
    } else if (s.no_peak) {
        second = no_peak_text(*s.no_peak, s.response_file, english);
    }
    if (s.mass && !s.is_exercise && s.found.fit) {
        const Constants c = constants_for(*s.mass, s.found.fit->omega0, s.found.fit->zeta);
        draw_label(1.30, 0.785, printed("m = %g kg:  K = %.6g N/m   λ = %.5g N/(m/s)", *s.mass, c.stiffness, c.damping)
                                    .c_str(),
                   kit::text_pixels, ink, Align::right);
    }
    draw_label(-1.30, 0.855, first.c_str(), kit::text_pixels, ink);
    draw_label(-1.30, 0.785, second.c_str(), kit::text_pixels, ink);
}

// The record, the part analysed between two rules, and over it, once the
// identification may be shown, the fit, the envelope and the extrema.
void draw_record(const Session& s)
{
    kit::draw_frame(record_rect, "The record y(t), the fit and the envelope e^(−ζω₀(t − t₀)); peaks and troughs ●");
    const std::vector<double>& t = s.record.t;
    const std::vector<double>& y = s.record.y;
    if (t.size() < 2) return;
    const double t0 = t.front();
    const double t1 = t.back();
    kit::time_like_axis(record_rect, t1 - t0, t0 == 0.0 ? "t [s]" : "t − t_first [s]");
    const auto [low, high] = std::minmax_element(y.begin(), y.end());
    const double middle = (*low + *high) / 2.0;
    const double extent = kit::plot_extent((*high - *low) / 2.0);
    const auto u = [&](double time) { return -1.0 + 2.0 * (time - t0) / (t1 - t0); };
    const auto v = [&](double value) { return (value - middle) / extent; };
    const bool worked = !s.is_exercise || s.worked_shown;
    {
        kit::PanelScope panel(record_rect);
        glLineWidth(1.0f);
        draw_polyline(t, y, t0, t1, middle, extent, record_grey);
        // The part analysed.
        if (s.last > s.first) {
            glLineWidth(2.0f);
            draw_line({u(t[s.first]), -1.0}, {u(t[s.first]), 1.0}, kit::frame);
            draw_line({u(t[s.last - 1]), -1.0}, {u(t[s.last - 1]), 1.0}, kit::frame);
        }
        const DecaySpan& d = s.found.decay;
        if (worked && s.found.fit && d.end > d.begin) {
            const DecayFit& f = *s.found.fit;
            const std::size_t begin = d.begin;
            const std::size_t end = d.end;
            std::vector<double> times(t.begin() + static_cast<long>(begin), t.begin() + static_cast<long>(end));
            std::vector<double> model(times.size());
            std::vector<double> upper(times.size());
            std::vector<double> lower(times.size());
            const double amplitude = std::hypot(f.a, f.b);
            for (std::size_t i = 0; i < times.size(); ++i) {
                model[i] = fitted_value(f, times[i]);
                const double envelope = amplitude * std::exp(-f.zeta * f.omega0 * (times[i] - f.t_start));
                upper[i] = f.c + envelope;
                lower[i] = f.c - envelope;
            }
            glLineWidth(2.0f);
            draw_polyline(times, model, t0, t1, middle, extent, fit_blue);
            glLineWidth(1.5f);
            draw_polyline(times, upper, t0, t1, middle, extent, envelope_green);
            draw_polyline(times, lower, t0, t1, middle, extent, envelope_green);
        }
        if (worked) {
            for (const Extremum& e : d.extrema) {
                const double r = 0.012;
                // A disc scaled back to round in the panel's stretched units.
                glPushMatrix();
                glTranslated(u(e.t), v(e.y), 0.0);
                glScaled(1.0, (record_rect.x1 - record_rect.x0) / (record_rect.y1 - record_rect.y0), 1.0);
                draw_disc({0.0, 0.0}, r, mark_red);
                glPopMatrix();
            }
        }
    }
    draw_label(record_rect.x0 - 0.01, record_rect.y1 - 0.04, kit::format("%.3g", middle + extent).c_str(),
               kit::small_pixels, muted, Align::right);
    draw_label(record_rect.x0 - 0.01, record_rect.y0 + 0.01, kit::format("%.3g", middle - extent).c_str(),
               kit::small_pixels, muted, Align::right);
    if (s.last > s.first) {
        draw_label(record_rect.x1, record_rect.y1 + 0.025,
                   printed("analysed: %.3g s to %.3g s", t[s.first], t[s.last - 1]).c_str(), kit::text_pixels, muted,
                   Align::right);
    }
}

void draw_notes(const Session& s)
{
    const char* keys = s.is_exercise ? "Keys:  [ ] start   - + end   r whole record   a answer   w worked   Esc quit"
                                     : "Keys:  [ ] start of the part analysed   - + its end   r whole record   Esc quit";
    draw_label(-1.30, -0.975, keys, kit::text_pixels, ink);
}

}  // namespace

void draw_polyline(std::span<const double> x, std::span<const double> y, double x_low, double x_high, double middle,
                   double extent, const Colour4& colour)
{
    const std::size_t n = std::min(x.size(), y.size());
    if (n < 2 || !(x_high > x_low) || !(extent > 0.0)) return;
    const std::size_t stride = std::max<std::size_t>(1, n / 4000);
    const auto point = [&](std::size_t i) {
        return Point2{-1.0 + 2.0 * (x[i] - x_low) / (x_high - x_low), (y[i] - middle) / extent};
    };
    Point2 from = point(0);
    for (std::size_t i = stride; i < n; i += stride) {
        const Point2 to = point(i);
        draw_line(from, to, colour);
        from = to;
    }
}

void set_picture_view(int width, int height) { kit::set_view(width, height, picture_aspect); }

void draw_picture(const Session& session)
{
    kit::begin_picture();
    draw_header(session);
    if (!session.record.t.empty()) {
        draw_record(session);
        const bool worked = !session.is_exercise || session.worked_shown;
        if (worked) {
            draw_log_heights(session, lower_left_rect);
            draw_residual(session, lower_right_rect);
        }
    } else {
        draw_response(session, record_rect);
    }
    draw_notes(session);
}

}  // namespace vibsim::identify
