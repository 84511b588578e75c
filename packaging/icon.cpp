// vibsim-icon SIZE FILE: draws the programs' icon, a mass hanging on its
// spring under a ceiling, with the library's own shapes, off screen, and
// writes it as a SIZE x SIZE PNG. The build runs it for the icon theme's
// 48 x 48 and 256 x 256 pictures; vibsim.svg is the same drawing, scalable.
#include "offscreen.hpp"
#include "output_file.hpp"
#include "program_name.hpp"

#include <vibsim/draw.hpp>

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

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

void draw_icon(int width, int height)
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
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

}  // namespace

int main(int argc, char** argv)
{
    vibsim::lab::set_program_name("vibsim-icon");
    const int size = argc == 3 ? std::atoi(argv[1]) : 0;
    if (size < 16 || size > 1024) {
        std::fprintf(stderr, "usage: vibsim-icon SIZE FILE (SIZE from 16 to 1024)\n");
        return 2;
    }
    std::string png;
    if (!vibsim::lab::png_picture(size, size, draw_icon, png)) return 1;
    std::string reason;
    if (vibsim::lab::write_file(argv[2], png, reason)) return 0;
    std::fprintf(stderr, "vibsim-icon: cannot write %s: %s\n", argv[2], reason.c_str());
    return 1;
}
