#include "modes/picture.hpp"

#include "platform/glyphs.hpp"
#include "kit/labels.hpp"
#include "modes/picture_layout.hpp"

#include <vibsim/draw.hpp>
#include <vibsim/plot.hpp>

#include <GL/gl.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <span>
#include <string>

namespace vibsim::modes {

namespace {

using kit::Align;
using kit::draw_label;
using kit::format;
using kit::muted;
using kit::ink;

// The x of mass j (0 ... n + 1, the ends included) of a chain drawn from
// -0.99 to chain_right_x, accumulated as draw_chain_of places them.
double mass_x(int j, int n)
{
    const double spacing = (chain_right_x - -0.99) / (n + 1);
    double x = -0.99;
    for (int i = 0; i < j; ++i) x += spacing;
    return j == n + 1 ? chain_right_x : x;
}

constexpr Colour4 string_red{1.0f, 0.0f, 0.0f, 0.0f};

// The chain as the library's draw_mass_chain draws it (a red string between
// the fixed ends, mass i lifted by scale * disp[i] in plot_palette[i]), but
// with a segment for each spring that is not 0 only: a mass held by no
// spring stands free.
void draw_chain_of(const Chain& c, double scale, std::span<const double> disp)
{
    const int n = c.n;
    const auto at = [&](int j) -> Point2 {
        const double y = j == 0 || j == n + 1 ? 0.0 : scale * disp[static_cast<std::size_t>(j - 1)];
        return {mass_x(j, n), y};
    };
    for (int j = 0; j <= n; ++j) {
        if (c.stiffness[static_cast<std::size_t>(j)] != 0.0) draw_line(at(j), at(j + 1), string_red);
    }
    draw_disc(at(0), end_radius, string_red);
    draw_disc(at(n + 1), end_radius, string_red);
    for (int j = 1; j <= n; ++j) draw_disc(at(j), mass_radius, plot_palette[static_cast<std::size_t>(j - 1)]);
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
        std::snprintf(line, sizeof line, "step %.3g s for this %s chain: the motion is shown slowed down",
                      s.motion.step, s.motion.damping_sets_step ? "heavily damped" : "stiff");
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
    const int j = s.chosen_mass;
    const bool forced = s.motion.force.on && s.motion.force.mass == j;
    {
        const kit::EvenScope panel(chain_rect);
        const double scale = panel.room(0.8) / extent;
        glLineWidth(2.0f);
        draw_chain_of(s.chain, scale, s.motion.state);
        // The mass the keys pluck, strike or force, ringed; green while
        // forced. A forced mass that the keys have left has a green ring of
        // its own.
        const auto ring = [&](int mass, bool green) {
            glLineWidth(green ? 3.0f : 1.5f);
            draw_circle({mass_x(mass, n), scale * s.motion.state[static_cast<std::size_t>(mass - 1)]}, 0.075,
                        green ? force_green : mark_black);
        };
        ring(j, forced);
        if (s.motion.force.on && !forced && s.motion.force.mass >= 1 && s.motion.force.mass <= n)
            ring(s.motion.force.mass, true);
    }
    const char* note = !s.motion.force.on ? "ringed: the mass p and t act on"
                       : forced           ? "ringed: the forced mass, which p and t act on"
                                          : "black ring: the mass p and t act on; green: the forced mass";
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
        for (int k = 1; k <= n; ++k) {
            plot_series({-1.0, 0.0}, 2.0 / trace_frames, 1.0 / extent, s.traces_filled,
                        s.traces.data() + static_cast<std::ptrdiff_t>(k - 1) * trace_stride, mode_colour(k));
        }
        // The sweep's front.
        const double u = -1.0 + 2.0 * s.trace_index / trace_frames;
        glLineWidth(1.0f);
        draw_line({u, -1.0}, {u, 1.0}, kit::rule);
    }
    draw_label(traces_rect.x0 - 0.01, traces_rect.y1 - 0.03, format("%.3g", extent).c_str(), kit::small_pixels,
               muted, Align::right);
    draw_label(traces_rect.x0 - 0.01, traces_rect.y(0.0) - 0.01, "0", kit::small_pixels, muted, Align::right);
}

// Mode k's shape as a small chain in its cell of the grid: its number and
// frequency in a band at the cell's top, the chain below it, scaled so that
// its masses stay inside their part of the cell.
void draw_shapes(const Session& s)
{
    const int n = s.chain.n;
    kit::draw_frame(shapes_rect, "Mode shapes φ_k, natural frequencies ω_k [rad/s]");
    const int rows = std::min(n, 7);
    const int columns = (n + rows - 1) / rows;
    const double width = (shapes_rect.x1 - shapes_rect.x0) / columns;
    const double height = (shapes_rect.y1 - shapes_rect.y0) / rows;
    // The band of the labels, as tall as the small print at the picture's
    // least size, and a gap under it.
    constexpr double label_band = 0.045;
    constexpr double gap = 0.006;
    for (int k = 1; k <= n; ++k) {
        const int column = (k - 1) / rows;
        const int row = (k - 1) % rows;
        const double x0 = shapes_rect.x0 + column * width;
        const double y1 = shapes_rect.y1 - row * height;
        // The small chain ends short of the cell's right edge, so that its
        // end never sits on the panel's frame.
        const kit::Rect cell{x0 + 0.1 * width, y1 - height + gap, x0 + 0.96 * width, y1 - label_band - gap};
        {
            const kit::EvenScope panel(cell);
            glLineWidth(1.5f);
            const double room = std::max(panel.room(1.0) - mass_radius * 1.2, 0.0);
            draw_chain_of(s.chain, room, s.modes.shape(k));
        }
        const Colour4& colour = mode_colour(k);
        const double baseline = y1 - label_band + 0.01;
        draw_label(x0 + 0.01, baseline, std::to_string(k).c_str(), kit::small_pixels,
                   colour.red + colour.green > 1.8f ? ink : colour);
        draw_label(x0 + width - 0.01, baseline,
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
