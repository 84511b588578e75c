// The lower panels of vibsim-identify's picture: ln h against the cycle
// number with the decrement's line ln h = intercept - delta n, the residual
// y - fit over the samples fitted, and a frequency response with its peak
// and half-power band.
#include "identify/picture.hpp"

#include "kit/labels.hpp"

#include <vibsim/draw.hpp>

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace vibsim::identify {

namespace {

using kit::Align;
using kit::draw_label;
using kit::muted;

void value_labels(const kit::Rect& r, double top, double bottom)
{
    draw_label(r.x0 - 0.01, r.y1 - 0.04, kit::format("%.3g", top).c_str(), kit::small_pixels, muted, Align::right);
    draw_label(r.x0 - 0.01, r.y0 + 0.01, kit::format("%.3g", bottom).c_str(), kit::small_pixels, muted, Align::right);
}

}  // namespace

void draw_log_heights(const Session& s, const kit::Rect& r)
{
    kit::draw_frame(r, "ln h of the peak-to-trough heights, and the line of slope −δ");
    if (!s.found.decrement || s.found.decrement->cycles.size() < 2) return;
    const Decrement& d = *s.found.decrement;
    const double span = std::max(d.cycles.back(), 0.5);
    kit::time_like_axis(r, span, "cycle n");
    const auto [low, high] = std::minmax_element(d.log_heights.begin(), d.log_heights.end());
    const double middle = (*low + *high) / 2.0;
    const double extent = kit::plot_extent(std::max((*high - *low) / 2.0, 0.1));
    {
        kit::PanelScope panel(r);
        const std::vector<double> ends{0.0, span};
        const std::vector<double> line{d.intercept, d.intercept - d.delta * span};
        glLineWidth(2.0f);
        draw_polyline(ends, line, 0.0, span, middle, extent, fit_blue);
        const double stretch = (r.x1 - r.x0) / (r.y1 - r.y0);
        for (std::size_t i = 0; i < d.cycles.size(); ++i) {
            glPushMatrix();
            glTranslated(-1.0 + 2.0 * d.cycles[i] / span, (d.log_heights[i] - middle) / extent, 0.0);
            glScaled(1.0, stretch, 1.0);
            draw_disc({0.0, 0.0}, 0.02, mark_red);
            glPopMatrix();
        }
    }
    value_labels(r, middle + extent, middle - extent);
}

void draw_residual(const Session& s, const kit::Rect& r)
{
    if (!s.found.fit) {
        kit::draw_frame(r, "The residual y − fit");
        return;
    }
    kit::draw_frame(r, kit::format("The residual y − fit, RMS %.3g", s.found.fit->residual_rms).c_str());
    const DecaySpan& d = s.found.decay;
    if (d.end <= d.begin + 1) return;
    const std::vector<double>& t = s.record.t;
    std::vector<double> times(t.begin() + static_cast<long>(d.begin), t.begin() + static_cast<long>(d.end));
    std::vector<double> residual(times.size());
    double largest = 0.0;
    for (std::size_t i = 0; i < times.size(); ++i) {
        residual[i] = s.record.y[d.begin + i] - fitted_value(*s.found.fit, times[i]);
        largest = std::max(largest, std::fabs(residual[i]));
    }
    const double t0 = times.front();
    const double t1 = times.back();
    kit::time_like_axis(r, t1 - t0, "t − t_release [s]");
    const double extent = kit::plot_extent(largest);
    {
        kit::PanelScope panel(r);
        glLineWidth(1.0f);
        draw_line({-1.0, 0.0}, {1.0, 0.0}, kit::frame);
        draw_polyline(times, residual, t0, t1, 0.0, extent, record_grey);
    }
    value_labels(r, extent, -extent);
}

void draw_response(const Session& s, const kit::Rect& r)
{
    kit::draw_frame(r, "The frequency response: amplitude against ω, the half-power band between the rules");
    const std::vector<double>& w = s.response.t;
    const std::vector<double>& a = s.response.y;
    if (w.size() < 2) return;
    const double w0 = w.front();
    const double w1 = w.back();
    kit::time_like_axis(r, w1 - w0, w0 == 0.0 ? "ω [rad/s]" : "ω − ω_first [rad/s]");
    const double top = kit::plot_extent(*std::max_element(a.begin(), a.end()));
    const auto u = [&](double omega) { return -1.0 + 2.0 * (omega - w0) / (w1 - w0); };
    {
        kit::PanelScope panel(r);
        glLineWidth(2.0f);
        draw_polyline(w, a, w0, w1, top / 2.0, top / 2.0, fit_blue);
        if (const auto& h = s.half_power) {
            glLineWidth(1.5f);
            for (const double omega : {h->omega_low, h->omega_high}) {
                draw_line({u(omega), -1.0}, {u(omega), 1.0}, envelope_green);
            }
            const double half = h->peak / std::sqrt(2.0);
            draw_line({-1.0, half / (top / 2.0) - 1.0}, {1.0, half / (top / 2.0) - 1.0}, kit::rule);
            draw_line({u(h->omega_peak), -1.0}, {u(h->omega_peak), 1.0}, mark_red);
        }
    }
    value_labels(r, top, 0.0);
}

}  // namespace vibsim::identify
