// rotate_translate: a turn of the current matrix followed by a translation
// along the turned axes.
#include "vibsim/draw.hpp"

#include <GL/gl.h>

namespace vibsim {

void rotate_translate(double angle, double tx, double ty)
{
    glRotated(angle / rad_per_deg, 0.0, 0.0, 1.0);
    glTranslated(tx, ty, 0.0);
}

}  // namespace vibsim
