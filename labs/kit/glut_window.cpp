#include "kit/glut_window.hpp"

#include "platform/event_loop.hpp"

#include <vibsim/frame.hpp>

#include <GL/freeglut.h>

#include <cstdlib>

namespace vibsim::kit {

namespace {

WindowHandlers handlers_in_use{};

void display()
{
    handlers_in_use.draw();
    end_frame();
}

void keyboard(unsigned char key, int, int) { handlers_in_use.key(key); }

// Mesa's software renderer may still hold queued drawing at exit; finishing
// it first keeps the exit clean.
void finish_drawing() { glFinish(); }

}  // namespace

void open_window(int* argc, char** argv, int width, int height, const char* title, const WindowHandlers& handlers)
{
    handlers_in_use = handlers;
    glutInitWindowSize(width, height);
    glutInit(argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow(title);
    std::atexit(finish_drawing);
    glutDisplayFunc(display);
    glutReshapeFunc(handlers.reshape);
    glutKeyboardFunc(keyboard);
    platform::run_event_loop();
}

}  // namespace vibsim::kit
