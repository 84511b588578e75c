// glutLayerGet, which emscripten's GLUT lacks. The page has no overlay, and
// its normal plane is never reported damaged, as freeglut does not report it
// either: every query answers 0 (for GLUT_LAYER_IN_USE, GLUT_NORMAL).
#include <GL/glut.h>

int glutLayerGet(GLenum /*query*/) { return 0; }
