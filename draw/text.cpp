// draw_text: a zero-terminated byte string in a GLUT bitmap font at an
// unscaled raster position, inside a push and pop of the current attributes.
#include "vibsim/draw.hpp"

#include <GL/freeglut.h>

namespace vibsim {

void draw_text(float x, float y, void* font, const char* text)
{
    glPushAttrib(GL_CURRENT_BIT);
    glRasterPos2f(x, y);
    for (const char* p = text; *p != '\0'; ++p) {
        // The byte as a signed character, widened: bytes 0x80 to 0xFF reach the
        // font as negative codes.
        glutBitmapCharacter(font, static_cast<int>(static_cast<signed char>(*p)));
    }
    glPopAttrib();
}

}  // namespace vibsim
