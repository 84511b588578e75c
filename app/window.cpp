#include "window.hpp"

#include "frame.hpp"
#include "keys.hpp"
#include "texts.hpp"
#include "platform/event_loop.hpp"
#include "platform/window_title.hpp"

#include <GL/freeglut.h>

#include <cstdlib>

namespace vibsim {

namespace {

// Mesa's software renderer may still hold queued drawing when the process
// exits; finishing it before the library's own statics are destroyed keeps
// the exit clean.
void finish_drawing() { glFinish(); }

}  // namespace

void init_window(int* argc, char** argv)
{
    open_window(argc, argv);
    platform::run_event_loop();
}

void open_window(int* argc, char** argv)
{
    glutInitWindowSize(800, 800);
    glutInit(argc, argv);
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
    create_main_window();
    std::atexit(finish_drawing);
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutKeyboardFunc(keyboard);
    set_clear_colour();
}

void create_main_window()
{
    glutCreateWindow(texts().window_title);
    platform::set_window_title(texts().window_title);
}

void set_clear_colour() { glClearColor(1.0f, 1.0f, 1.0f, 1.0f); }

void reshape(int width, int height)
{
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
}

}  // namespace vibsim
