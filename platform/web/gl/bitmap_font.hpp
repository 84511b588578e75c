// A GLUT bitmap font as glBitmap draws it: per character its advance, which
// is also its width, then `height` rows of pixels, bottom row first, each row
// (width + 7) / 8 bytes with the leftmost pixel in the top bit.
#pragma once

namespace vibsim::web {

struct BitmapFont {
    int height;
    float x_origin;  // the glyph's origin within its bitmap, in pixels
    float y_origin;
    const unsigned char* const* glyphs;  // 256 entries; null where there is none
};

// GLUT_BITMAP_HELVETICA_18, generated at build time from freeglut's own data.
extern const BitmapFont helvetica_18;

}  // namespace vibsim::web
