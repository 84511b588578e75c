// vibsim-icon SIZE FILE: draws the programs' icon, a mass hanging on its
// spring under a ceiling, with the library's own shapes, off screen, and
// writes it as a SIZE x SIZE PNG. The build runs it for the icon theme's
// 48 x 48 and 256 x 256 pictures; vibsim.svg is the same drawing, scalable.
// The picture is anti-aliased by supersampling: drawn 16 times, moved each
// time by a point of a 4 x 4 grid inside one pixel, and averaged, so that the
// slanted lines of the spring have smooth edges at 48 pixels too (the
// accumulation-buffer method of Haeberli and Akeley, "The accumulation
// buffer: hardware support for high-quality rendering", SIGGRAPH 1990).
#include "kit/output_file.hpp"
#include "platform/offscreen.hpp"
#include "platform/program_name.hpp"

#include <vibsim/draw.hpp>

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using vibsim::Colour4;
using vibsim::Point2;

constexpr Colour4 background{0.93f, 0.95f, 0.98f, 0.0f};
constexpr Colour4 ceiling_grey{0.30f, 0.32f, 0.38f, 0.0f};
constexpr Colour4 spring_red{0.80f, 0.10f, 0.10f, 0.0f};
constexpr Colour4 mass_blue{0.13f, 0.33f, 0.72f, 0.0f};

// The spring's corners, from the ceiling down to the mass, in world units.
constexpr Point2 spring[] = {
    {0.0, 0.72}, {0.0, 0.66}, {0.2, 0.60},  {-0.2, 0.50}, {0.2, 0.40},
    {-0.2, 0.30}, {0.2, 0.20}, {-0.2, 0.10}, {0.0, 0.04},  {0.0, -0.10},
};

// Samples per pixel side.
constexpr int grid = 4;

// The drawing once, moved by (dx, dy) pixels.
void draw_shifted(int width, int height, double dx, double dy)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glTranslated(2.0 * dx / width, 2.0 * dy / height, 0.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    vibsim::draw_rect_filled({-1.0, -1.0}, 2.0, 2.0, 0.0, background);
    vibsim::draw_rect_filled({-0.6, 0.72}, 1.2, 0.12, 0.0, ceiling_grey);
    // The spring's width in pixels follows the picture's size: 8 at 256.
    glLineWidth(static_cast<GLfloat>(width) / 32.0f);
    for (std::size_t i = 1; i < std::size(spring); ++i) vibsim::draw_line(spring[i - 1], spring[i], spring_red);
    vibsim::draw_rect_filled({-0.38, -0.72}, 0.76, 0.62, 0.0, mass_blue);
}

void draw_icon(int width, int height)
{
    glViewport(0, 0, width, height);
    const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4;
    std::vector<unsigned char> sample(bytes);
    std::vector<unsigned> sum(bytes, 0);
    for (int i = 0; i < grid; ++i) {
        for (int j = 0; j < grid; ++j) {
            draw_shifted(width, height, (i + 0.5) / grid - 0.5, (j + 0.5) / grid - 0.5);
            glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, sample.data());
            for (std::size_t k = 0; k < bytes; ++k) sum[k] += sample[k];
        }
    }
    // The average, rounded, drawn back as the picture.
    constexpr unsigned samples = grid * grid;
    for (std::size_t k = 0; k < bytes; ++k) sample[k] = static_cast<unsigned char>((sum[k] + samples / 2) / samples);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glRasterPos2d(-1.0, -1.0);
    glDrawPixels(width, height, GL_RGBA, GL_UNSIGNED_BYTE, sample.data());
}

}  // namespace

int main(int argc, char** argv)
{
    vibsim::platform::set_program_name("vibsim-icon");
    const int size = argc == 3 ? std::atoi(argv[1]) : 0;
    if (size < 16 || size > 1024) {
        std::fprintf(stderr, "usage: vibsim-icon SIZE FILE (SIZE from 16 to 1024)\n");
        return 2;
    }
    std::string png;
    if (!vibsim::platform::png_picture(size, size, draw_icon, png)) return 1;
    std::string reason;
    if (vibsim::kit::write_file(argv[2], png, reason)) return 0;
    std::fprintf(stderr, "vibsim-icon: cannot write %s: %s\n", argv[2], reason.c_str());
    return 1;
}
