#include "random/window.hpp"

#include "kit/glut_window.hpp"
#include "random/picture.hpp"

#include <vibsim/frame.hpp>

#include <cstdlib>

namespace vibsim::random {

namespace {

Lab* shown_lab = nullptr;

void draw() { draw_picture(*shown_lab); }

}  // namespace

void press_key(unsigned char key)
{
    if (shown_lab == nullptr) return;
    switch (key) {
    case 's':
        advance(*shown_lab, steps_per_press);
        post_redisplay();
        break;
    case 'r':
        restart_average(*shown_lab);
        post_redisplay();
        break;
    case kit::escape_key:
        std::exit(0);
    default:
        break;
    }
}

const Lab* lab_in_window() { return shown_lab; }

void run_window(Lab& lab, int* argc, char** argv, int width, int height)
{
    shown_lab = &lab;
    kit::open_window(argc, argv, width, height, "vibsim-random: an oscillator shaken by white noise",
                {draw, set_picture_view, press_key});
}

}  // namespace vibsim::random
