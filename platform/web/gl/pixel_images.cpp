// Pixel images for the browser: glDrawPixels of RGBA bytes at the raster
// position, as the random-vibration lab draws its labels, with glRasterPos2d
// and glBitmap's move of the raster position by whole pixels. WebGL has
// none of them. The image goes to the batch whole, its pixels blended when
// blending is on.
#include "fixed_function.hpp"

#include <GL/gl.h>

#include <cmath>

using namespace vibsim::web;

void glRasterPos2d(GLdouble x, GLdouble y) { glRasterPos2f(static_cast<GLfloat>(x), static_cast<GLfloat>(y)); }

// Only the move: the programs draw no bitmap with it.
void glBitmap(GLsizei, GLsizei, GLfloat, GLfloat, GLfloat xmove, GLfloat ymove, const GLubyte*)
{
    FixedFunctionState& state = gl_state();
    if (!state.raster_valid) return;
    state.raster.x += xmove;
    state.raster.y += ymove;
}

// GL_RGBA images of unsigned bytes, rows from the bottom. A desktop GL
// fills the pixels whose centres lie in the image's rectangle from the
// raster position: column ceil(x - 0.5) onwards.
void glDrawPixels(GLsizei width, GLsizei height, GLenum format, GLenum type, const void* pixels)
{
    const FixedFunctionState& state = gl_state();
    if (format != GL_RGBA || type != GL_UNSIGNED_BYTE || !state.raster_valid || pixels == nullptr) return;
    const int x0 = static_cast<int>(std::ceil(state.raster.x - 0.5f));
    const int y0 = static_cast<int>(std::ceil(state.raster.y - 0.5f));
    add_image(x0, y0, width, height, static_cast<const unsigned char*>(pixels));
}

// The pixel store modes (the unpacking alignment) would only matter to WebGL,
// which draws no pixel images here; there is nothing of the client's to keep.
void glPixelStorei(GLenum, GLint) {}
void glPushClientAttrib(GLbitfield) {}
void glPopClientAttrib() {}

// Blending is source alpha over the rest, the one blending the programs use,
// which the batch sets itself where it draws blended runs.
void glBlendFunc(GLenum, GLenum) {}
