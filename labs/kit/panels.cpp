#include "kit/panels.hpp"

#include "platform/glyphs.hpp"

#include <vibsim/draw.hpp>

#include <GL/gl.h>

#include <cmath>
#include <cstdio>

namespace vibsim::kit {

void set_view(int width, int height, double aspect)
{
    double w = width;
    double h = width / aspect;
    if (h > height) {
        h = height;
        w = height * aspect;
    }
    glViewport(static_cast<GLint>((width - w) / 2.0), static_cast<GLint>((height - h) / 2.0),
               static_cast<GLsizei>(w), static_cast<GLsizei>(h));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-aspect, aspect, -1.0, 1.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
}

void begin_picture()
{
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
}

PanelScope::PanelScope(const Rect& r)
{
    glPushMatrix();
    glTranslated((r.x0 + r.x1) / 2.0, (r.y0 + r.y1) / 2.0, 0.0);
    glScaled((r.x1 - r.x0) / 2.0, (r.y1 - r.y0) / 2.0, 1.0);
    const GLdouble planes[4][4] = {
        {1.0, 0.0, 0.0, 1.0}, {-1.0, 0.0, 0.0, 1.0}, {0.0, 1.0, 0.0, 1.0}, {0.0, -1.0, 0.0, 1.0},
    };
    for (int i = 0; i < 4; ++i) {
        glClipPlane(GL_CLIP_PLANE0 + i, planes[i]);
        glEnable(GL_CLIP_PLANE0 + i);
    }
}

PanelScope::~PanelScope()
{
    for (int i = 0; i < 4; ++i) glDisable(GL_CLIP_PLANE0 + i);
    glPopMatrix();
}

EvenScope::EvenScope(const Rect& r)
    : half_width_((r.x1 - r.x0) / 2.0), half_height_((r.y1 - r.y0) / 2.0)
{
    glPushMatrix();
    glTranslated((r.x0 + r.x1) / 2.0, (r.y0 + r.y1) / 2.0, 0.0);
    glScaled(half_width_, half_width_, 1.0);
}

EvenScope::~EvenScope() { glPopMatrix(); }

std::string format(const char* pattern, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

void draw_frame(const Rect& r, const char* title)
{
    glLineWidth(1.0f);
    draw_rect_outline({r.x0, r.y0}, r.x1 - r.x0, r.y1 - r.y0, 0.0, frame);
    draw_label(r.x0, r.y1 + 0.025, title, text_pixels, ink);
}

double tick_step(double span, int most)
{
    double power = std::pow(10.0, std::floor(std::log10(span / most)));
    for (;;) {
        for (const double factor : {1.0, 2.0, 5.0}) {
            if (span / (factor * power) <= most) return factor * power;
        }
        power *= 10.0;
    }
}

std::string tick_text(double value, double step)
{
    return format(step < 1.0 ? (step < 0.1 ? "%.2f" : "%.1f") : "%.0f", value);
}

void time_like_axis(const Rect& r, double span, const char* unit)
{
    const double step = tick_step(span, 8);
    {
        PanelScope panel(r);
        glLineWidth(1.0f);
        for (double value = step; value < span; value += step) {
            const double u = -1.0 + 2.0 * value / span;
            draw_line({u, -1.0}, {u, 1.0}, rule);
        }
    }
    for (double value = 0.0; value <= span + 1e-9; value += step) {
        draw_label(r.x(-1.0 + 2.0 * value / span), r.y0 - 0.045, tick_text(value, step).c_str(), small_pixels,
                   muted, Align::centre);
    }
    draw_label(r.x1, r.y0 - 0.09, unit, small_pixels, muted, Align::right);
}

double plot_extent(double largest) { return largest > 0.0 && std::isfinite(largest) ? largest * 1.1 : 1.0; }

}  // namespace vibsim::kit
