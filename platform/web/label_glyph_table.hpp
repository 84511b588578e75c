// The random-vibration lab's label glyphs for the page: DejaVu Sans as
// FreeType renders it on the build machine, at each of the labels' pixel
// heights, written out by make_label_glyphs. Private to web/.
#pragma once

namespace vibsim::web {

struct LabelGlyph {
    char32_t code;
    int advance, left, top, width, rows;
    const unsigned char* coverage;  // rows * width bytes, top row first
};

struct LabelFace {
    int pixels, ascent, descent;
    const LabelGlyph* glyphs;  // by ascending code
    int count;
};

extern const LabelFace label_faces[];
extern const int label_face_count;

}  // namespace vibsim::web
