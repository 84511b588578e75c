#include "gl_window.hpp"

#include <GL/freeglut.h>

#include <cstdlib>

namespace vibsim::test {

bool open_gl_window()
{
    static const bool opened = [] {
        const char* display = std::getenv("DISPLAY");
        if (display == nullptr || *display == '\0') return false;
        int argc = 1;
        char name[] = "vibsim-test";
        char* argv[] = {name, nullptr};
        glutInitWindowSize(800, 800);
        glutInit(&argc, argv);
        glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
        glutCreateWindow("vibsim test");
        // Drawing still queued at exit would be compiled after Mesa's own
        // statics are gone; finish it first.
        std::atexit([] { glFinish(); });
        glViewport(0, 0, 800, 800);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        return true;
    }();
    return opened;
}

}  // namespace vibsim::test
