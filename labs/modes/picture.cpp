#include "modes/picture.hpp"

#include "platform/glyphs.hpp"
#include "kit/labels.hpp"
#include "modes/picture_layout.hpp"

#include <vibsim/draw.hpp>
#include <vibsim/plot.hpp>

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace vibsim::modes {

namespace {

using kit::Align;
using kit::draw_label;
using kit::format;
using kit::muted;
using kit::ink;

// The x of mass j (1 ... n) of a chain drawn from -0.99 to 0.99, as
// draw_mass_chain places it.
double mass_x(int j, int n)
{
    const double spacing = (0.99 - -0.99) / (n + 1);
    double x = -0.99;
    for (int i = 0; i < j; ++i) x += spacing;
    return x;
}

void draw_header(const Session& s)
{
    const Chain& c = s.chain;
    draw_label(-1.28, 0.91, "Modes of a chain of masses:  M·y″ + C·y′ + K·y = f(t)", kit::title_pixels, ink);
    char line[256];
    if (uniform(c)) {
        std::snprintf(line, sizeof line, "N = %d   m = %g kg   K = %g N/m   λ_1 = %g N/(m/s)", c.n, c.mass[0],
                      c.stiffness[0], c.damping[0]);
    } else {
        std::snprintf(line, sizeof line, "N = %d masses, springs and dampers as given", c.n);
    }
    draw_label(-1.28, 0.845, line, kit::text_pixels, muted);
    std::snprintf(line, sizeof line, "t = %.2f s", s.motion.time);
    draw_label(1.28, 0.91, line, kit::text_pixels, ink, Align::right);
    if (s.motion.step_reduced) {
        std::snprintf(line, sizeof line, "step %.3g s for this stiff chain: the motion is shown slowed down",
                      s.motion.step);
        draw_label(1.28, 0.845, line, kit::text_pixels, force_green, Align::right);
    }
}

std::string start_text(const Session& s)
{
    switch (s.start.kind) {
    case StartKind::mode: return "started in mode " + std::to_string(s.start.at);
    case StartKind::pluck: return "started with mass " + std::to_string(s.start.at) + " plucked";
    case StartKind::strike: return "started with mass " + std::to_string(s.start.at) + " struck";
    case StartKind::typed: return "started from y and v typed in";
    }
    return "";
}

void draw_chain(const Session& s)
{
    const int n = s.chain.n;
    kit::draw_frame(chain_rect, ("The chain in motion, " + start_text(s)).c_str());
    const double extent = kit::plot_extent(s.largest_displacement);
    {
        const kit::EvenScope panel(chain_rect);
        const double scale = panel.room(0.8) / extent;
        glLineWidth(2.0f);
        draw_mass_chain({-0.99, 0.0}, scale, n, s.motion.state.data());
        // The mass the keys pluck, strike or force, ringed; green while forced.
        const int j = s.chosen_mass;
        const bool forced = s.motion.force.on && s.motion.force.mass == j;
        glLineWidth(forced ? 3.0f : 1.5f);
        draw_circle({mass_x(j, n), scale * s.motion.state[static_cast<std::size_t>(j - 1)]}, 0.075,
                    forced ? force_green : mark_black);
    }
    const char* note = s.motion.force.on ? "ringed: the forced mass" : "ringed: the mass p and t act on";
    draw_label(chain_rect.x0, chain_rect.y0 - 0.05, note, kit::small_pixels, muted);
    draw_label(chain_rect.x1, chain_rect.y0 - 0.05, format("±%.3g m at the edges", extent / 0.8).c_str(),
               kit::small_pixels, muted, Align::right);
}

void draw_traces(const Session& s)
{
    const int n = s.chain.n;
    kit::draw_frame(traces_rect, "Modal coordinates q_k(t), one colour per mode");
    const double sweep = trace_frames * steps_per_frame * s.motion.step;
    kit::time_like_axis(traces_rect, sweep, "t [s] in the sweep");
    const double extent = kit::plot_extent(s.largest_coordinate);
    {
        kit::PanelScope panel(traces_rect);
        glLineWidth(1.0f);
        draw_line({-1.0, 0.0}, {1.0, 0.0}, kit::frame);
        const std::vector<double> yscales(static_cast<std::size_t>(n), 1.0 / extent);
        plot_series_set({-1.0, 0.0}, 2.0 / trace_frames, yscales.data(), n, s.traces_filled, s.traces.data(),
                        trace_stride);
        // The sweep's front.
        const double u = -1.0 + 2.0 * s.trace_index / trace_frames;
        glLineWidth(1.0f);
        draw_line({u, -1.0}, {u, 1.0}, kit::rule);
    }
    draw_label(traces_rect.x0 - 0.01, traces_rect.y1 - 0.03, format("%.3g", extent).c_str(), kit::small_pixels,
               muted, Align::right);
    draw_label(traces_rect.x0 - 0.01, traces_rect.y(0.0) - 0.01, "0", kit::small_pixels, muted, Align::right);
}

// Mode k's shape as a small chain in its cell of the grid.
void draw_shapes(const Session& s)
{
    const int n = s.chain.n;
    kit::draw_frame(shapes_rect, "Mode shapes φ_k, natural frequencies ω_k [rad/s]");
    const int rows = std::min(n, 7);
    const int columns = (n + rows - 1) / rows;
    const double width = (shapes_rect.x1 - shapes_rect.x0) / columns;
    const double height = (shapes_rect.y1 - shapes_rect.y0) / rows;
    for (int k = 1; k <= n; ++k) {
        const int column = (k - 1) / rows;
        const int row = (k - 1) % rows;
        const double x0 = shapes_rect.x0 + column * width;
        const double y1 = shapes_rect.y1 - row * height;
        const kit::Rect cell{x0 + 0.1 * width, y1 - height, x0 + width, y1 - 0.3 * height};
        {
            const kit::EvenScope panel(cell);
            glLineWidth(1.5f);
            draw_mass_chain({-0.99, 0.0}, panel.room(0.7), n, s.modes.shape(k).data());
        }
        const Colour4& colour = plot_palette[k - 1];
        draw_label(x0 + 0.01, y1 - 0.3 * height + 0.005, std::to_string(k).c_str(), kit::small_pixels,
                   colour.red + colour.green > 1.8f ? ink : colour);
        draw_label(x0 + width - 0.01, y1 - 0.3 * height + 0.005,
                   format("ω = %.4g", s.modes.omega[static_cast<std::size_t>(k - 1)]).c_str(), kit::small_pixels,
                   muted, Align::right);
    }
}

void draw_notes(const Session& s)
{
    const char* keys = "Keys:  s advance   1-9 n N mode   p pluck   t strike   [ ] mass   f force   - + ω   Esc quit";
    draw_label(-1.28, -0.975, keys, kit::small_pixels, ink);
    if (s.motion.force.on) {
        draw_label(1.28, -0.975,
                   ("forcing F cos(ωt) on mass " + std::to_string(s.motion.force.mass) +
                    format(", ω = %.4g rad/s", s.motion.force.omega))
                       .c_str(),
                   kit::small_pixels, force_green, Align::right);
    }
}

}  // namespace

void set_picture_view(int width, int height) { kit::set_view(width, height, picture_aspect); }

void draw_picture(const Session& session)
{
    kit::begin_picture();
    draw_header(session);
    draw_chain(session);
    draw_traces(session);
    draw_determinant(session);
    draw_shapes(session);
    draw_energies(session);
    draw_response(session);
    draw_notes(session);
}

}  // namespace vibsim::modes
