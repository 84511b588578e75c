#include "vibsim/frame.hpp"

#include <GL/freeglut.h>

namespace vibsim {

void begin_frame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
}

void end_frame()
{
    glFlush();
    glutSwapBuffers();
}

void post_redisplay() { glutPostRedisplay(); }

void check_normal_damage()
{
    if (glutLayerGet(GLUT_NORMAL_DAMAGED) == 0) damage_hook();
}

void damage_hook() {}

}  // namespace vibsim
