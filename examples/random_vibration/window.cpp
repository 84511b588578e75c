#include "window.hpp"

#include "picture.hpp"

#include <vibsim/frame.hpp>

#include <GL/freeglut.h>
#include <X11/Xlib.h>

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

void keyboard(unsigned char key, int, int)
{
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

// Mesa's software renderer may still hold queued drawing at exit; finishing
// it first keeps the exit clean.
void finish_drawing() { glFinish(); }

}  // namespace

bool display_opens(std::string& reason)
{
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0') {
        reason = "it needs an X display, and DISPLAY is not set";
        return false;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        reason = std::string("the X display '") + name + "' does not answer";
        return false;
    }
    XCloseDisplay(display);
    return true;
}

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
