#include "vibsim/shape_scope.hpp"

#include <GL/gl.h>

namespace vibsim {

namespace {
// Scopes open now; drawing happens on the one thread that owns the GL context.
int open_scopes = 0;
}  // namespace

ShapeScope::ShapeScope(Matrix matrix) : pushed_(matrix == Matrix::push)
{
    if (open_scopes++ == 0) glDisable(GL_LIGHTING);
    if (pushed_) glPushMatrix();
}

ShapeScope::~ShapeScope()
{
    if (pushed_) glPopMatrix();
    if (--open_scopes == 0) glEnable(GL_LIGHTING);
}

}  // namespace vibsim
