/* The browser's GLUT: emscripten's, which implements the freeglut API the
   program uses under the header name GL/glut.h. The pieces it lacks
   (glutBitmapCharacter's fonts, glutLayerGet) are in this folder's sources. */
#ifndef VIBSIM_WEB_FREEGLUT_H
#define VIBSIM_WEB_FREEGLUT_H
#include <GL/glut.h>
#endif
