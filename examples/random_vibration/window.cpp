#include "window.hpp"

#include "picture.hpp"

#include <vibsim/frame.hpp>

#include <GL/freeglut.h>

#include <cstdlib>

namespace vibsim::lab {

namespace {

constexpr unsigned char escape_key = 27;

Lab* shown_lab = nullptr;

void display()
{
    draw_picture(*shown_lab);
    end_frame();
}

void keyboard(unsigned char key, int, int) { press_key(key); }

// Mesa's software renderer may still hold queued drawing at exit; finishing
// it first keeps the exit clean.
void finish_drawing() { glFinish(); }

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
    case escape_key:
        std::exit(0);
    default:
        break;
    }
}

const Lab* lab_in_window() { return shown_lab; }

void run_window(Lab& lab, int* argc, char** argv, int width, int height)
{
    shown_lab = &lab;
    glutInitWindowSize(width, height);
    glutInit(argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow("vibsim-random: an oscillator shaken by white noise");
    std::atexit(finish_drawing);
    glutDisplayFunc(display);
    glutReshapeFunc(set_picture_view);
    glutKeyboardFunc(keyboard);
    glutMainLoop();
    std::exit(0);
}

}  // namespace vibsim::lab
