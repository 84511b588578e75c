#include "panels.hpp"

#include <vibsim/draw.hpp>
#include <vibsim/plot.hpp>

#include <GL/freeglut.h>

#include <array>
#include <cmath>

namespace vibsim::gallery {

namespace {

constexpr Colour4 black{0.0f, 0.0f, 0.0f, 0.0f};
constexpr Colour4 red{1.0f, 0.0f, 0.0f, 0.0f};
constexpr Colour4 green{0.0f, 0.7f, 0.0f, 0.0f};
constexpr Colour4 blue{0.0f, 0.0f, 1.0f, 0.0f};
constexpr Colour4 orange{1.0f, 0.55f, 0.0f, 0.0f};
constexpr Colour4 purple{0.6f, 0.0f, 0.8f, 0.0f};
constexpr Colour4 teal{0.0f, 0.6f, 0.6f, 0.0f};

constexpr double pi = 3.14159265358979;

void lines()
{
    // A fan of segments from one point, in the palette's colours.
    glLineWidth(3.0f);
    const Point2 hub{-0.8, -0.8};
    for (int i = 0; i < 7; ++i) {
        const double angle = i * (pi / 2.0) / 6.0;
        const Point2 end{hub.x + 1.6 * std::cos(angle), hub.y + 1.6 * std::sin(angle)};
        draw_line(hub, end, plot_palette[static_cast<std::size_t>(i * 3 % 18)]);
    }
}

void discs()
{
    draw_disc({-0.45, 0.4}, 0.45, red);
    draw_disc({0.45, 0.25}, 0.3, blue);
    draw_disc({0.0, -0.5}, 0.2, green);
    draw_disc({0.6, -0.55}, 0.1, orange);
}

void circles()
{
    glLineWidth(2.0f);
    for (int i = 1; i <= 4; ++i) draw_circle({-0.05 * i, 0.0}, 0.2 * i, i % 2 == 0 ? blue : teal);
}

void ellipses_filled()
{
    // The same ellipse turned by 0, 60 and 120 degrees about its centre.
    const Colour4 colours[] = {orange, purple, teal};
    for (int i = 0; i < 3; ++i) draw_ellipse_filled({0.0, 0.0}, 0.85, 0.3, i * pi / 3.0, colours[i]);
}

void ellipses_outlined()
{
    glLineWidth(2.0f);
    for (int i = 0; i < 6; ++i) draw_ellipse_outline({0.0, 0.0}, 0.85, 0.35, i * pi / 6.0, purple);
}

void rectangles_filled()
{
    // Rectangles turned about their lower left corner, the first unturned.
    const Colour4 colours[] = {blue, green, orange};
    for (int i = 0; i < 3; ++i) draw_rect_filled({-0.5, -0.7}, 1.2, 0.45, i * pi / 6.0, colours[i]);
}

void rectangles_outlined()
{
    glLineWidth(2.0f);
    for (int i = 0; i < 5; ++i) draw_rect_outline({0.05, -0.55}, 0.85, 0.45, i * pi / 5.0, red);
}

void arrows()
{
    // Eight directions with lengths from 0.45 to 0.87 around one point, and
    // one arrow shorter than its head (0.05): the head alone.
    for (int i = 0; i < 8; ++i) {
        const double angle = i * pi / 4.0;
        const double length = 0.45 + 0.06 * i;
        const Point3 tip{0.1 + length * std::cos(angle), 0.1 + length * std::sin(angle), 0.0};
        draw_arrow(tip, length, angle, plot_palette[static_cast<std::size_t>(i * 2 % 18)]);
    }
    draw_arrow({-0.75, -0.8, 0.0}, 0.05, pi / 2.0, black);
}

void origin_crosses()
{
    // One cross level, one turned by 30 degrees; their axes reach to the
    // panel's edges.
    draw_origin_cross({-0.3, -0.3}, 0.0);
    draw_origin_cross({0.4, 0.4}, pi / 6.0);
}

void grids()
{
    draw_grid({0.0, 0.0}, 0.0, 4, 0.2, 0.2);
    draw_grid({0.2, 0.2}, pi / 8.0, 2, 0.25, 0.12);
}

void texts()
{
    glDisable(GL_LIGHTING);
    glColor3f(0.0f, 0.0f, 0.0f);
    draw_text(-0.9f, 0.6f, GLUT_BITMAP_HELVETICA_18, "Helvetica 18");
    glColor3f(0.8f, 0.0f, 0.0f);
    draw_text(-0.9f, 0.25f, GLUT_BITMAP_TIMES_ROMAN_24, "Times 24");
    glColor3f(0.0f, 0.0f, 0.8f);
    draw_text(-0.9f, -0.1f, GLUT_BITMAP_9_BY_15, "fixed 9x15");
    glColor3f(0.0f, 0.5f, 0.0f);
    draw_text(-0.9f, -0.45f, GLUT_BITMAP_HELVETICA_12, "Helvetica 12");
    glColor3f(0.4f, 0.4f, 0.4f);
    draw_text(-0.9f, -0.75f, GLUT_BITMAP_HELVETICA_10, "y(t) = A sin wt");
}

void rotate_translations()
{
    // A ring of squares: each one placed by turning the matrix and moving
    // along the turned x axis.
    for (int i = 0; i < 12; ++i) {
        glPushMatrix();
        rotate_translate(i * pi / 6.0, 0.7, 0.0);
        draw_rect_filled({-0.1, -0.1}, 0.2, 0.2, 0.0, plot_palette[static_cast<std::size_t>(i)]);
        glPopMatrix();
    }
    glPushMatrix();
    rotate_translate(pi / 4.0, 0.0, 0.0);
    draw_rect_outline({-0.3, -0.3}, 0.6, 0.6, 0.0, black);
    glPopMatrix();
}

void mass_chain()
{
    // Five masses in the second mode shape of a string.
    std::array<double, 5> shape{};
    for (std::size_t i = 0; i < shape.size(); ++i) shape[i] = std::sin(2.0 * pi * (i + 1.0) / 6.0);
    glLineWidth(2.0f);
    draw_mass_chain({-0.99, 0.0}, 0.6, static_cast<int>(shape.size()), shape.data());
}

// Sampled curves shared by the plots: 81 samples over x = -0.9 ... 0.9.
constexpr int last_sample = 80;
constexpr double sample_dx = 1.8 / last_sample;

double damped(int i, double phase)
{
    const double t = i / static_cast<double>(last_sample);
    return std::exp(-2.0 * t) * std::cos(4.0 * pi * t + phase);
}

void series()
{
    std::array<double, last_sample + 1> values{};
    for (int i = 0; i <= last_sample; ++i) values[static_cast<std::size_t>(i)] = damped(i, 0.0);
    plot_series({-0.9, 0.0}, sample_dx, 0.8, last_sample, values.data(), blue);
}

// count series of the same damped wave at phases spread over half a turn,
// one row per series.
template <std::size_t count>
std::array<double, count*(last_sample + 1)> phased_rows()
{
    std::array<double, count*(last_sample + 1)> values{};
    for (std::size_t k = 0; k < count; ++k) {
        for (int i = 0; i <= last_sample; ++i) {
            values[k * (last_sample + 1) + static_cast<std::size_t>(i)] = damped(i, k * pi / count);
        }
    }
    return values;
}

void series_set()
{
    const auto values = phased_rows<3>();
    const double yscales[] = {0.8, 0.6, 0.4};
    plot_series_set({-0.9, 0.0}, sample_dx, yscales, 3, last_sample, values.data(), last_sample + 1);
}

void series_table()
{
    const auto values = phased_rows<4>();
    const double yscales[] = {0.8, 0.7, 0.6, 0.5};
    plot_series_table({-0.9, 0.0}, sample_dx, yscales, last_sample, 4, values.data(), last_sample + 1);
}

void xy_curve()
{
    // A Lissajous figure of frequencies 3 : 2, x in the first row, y in the
    // second.
    constexpr int last = 200;
    std::array<double, 2 * (last + 1)> values{};
    for (int i = 0; i <= last; ++i) {
        const double t = 2.0 * pi * i / last;
        values[static_cast<std::size_t>(i)] = std::sin(3.0 * t);
        values[static_cast<std::size_t>(last + 1 + i)] = std::sin(2.0 * t + pi / 4.0);
    }
    plot_xy_curve({0.0, 0.0}, 0.85, 0.85, last, values.data(), last + 1);
}

void stems()
{
    // The amplitudes of a lightly damped resonance, as a spectrum.
    std::array<double, 25> values{};
    for (std::size_t k = 0; k < values.size(); ++k) {
        const double w = k / 8.0;
        values[k] = 1.0 / std::hypot(1.0 - w * w, 0.25 * w);
    }
    plot_stems({-0.9, -0.85}, 1.8 / 24.0, 0.4, 24, values.data());
}

constexpr Panel all_panels[] = {
    {"draw_line", lines},
    {"draw_disc", discs},
    {"draw_circle", circles},
    {"draw_ellipse_filled", ellipses_filled},
    {"draw_ellipse_outline", ellipses_outlined},
    {"draw_rect_filled", rectangles_filled},
    {"draw_rect_outline", rectangles_outlined},
    {"draw_arrow", arrows},
    {"draw_origin_cross", origin_crosses},
    {"draw_grid", grids},
    {"draw_text", texts},
    {"rotate_translate", rotate_translations},
    {"draw_mass_chain", mass_chain},
    {"plot_series", series},
    {"plot_series_set", series_set},
    {"plot_series_table", series_table},
    {"plot_xy_curve", xy_curve},
    {"plot_stems", stems},
};

}  // namespace

std::span<const Panel> panels() { return all_panels; }

}  // namespace vibsim::gallery
