// The lab's label glyphs in the page: the table that make_label_glyphs wrote
// from the desktop's FreeType rendering, in place of FreeType itself.
#include "platform/glyphs.hpp"
#include "label_glyph_table.hpp"

#include <algorithm>

namespace vibsim::platform {

namespace {

const web::LabelFace* face_at(int pixels)
{
    for (int i = 0; i < web::label_face_count; ++i) {
        if (web::label_faces[i].pixels == pixels) return &web::label_faces[i];
    }
    return nullptr;
}

}  // namespace

bool glyphs_available() { return true; }

bool line_metrics(int pixels, LineMetrics& metrics)
{
    const web::LabelFace* face = face_at(pixels);
    if (face == nullptr) return false;
    metrics = {face->ascent, face->descent};
    return true;
}

bool glyph(char32_t code, int pixels, Glyph& g)
{
    const web::LabelFace* face = face_at(pixels);
    if (face == nullptr) return false;
    const web::LabelGlyph* end = face->glyphs + face->count;
    const web::LabelGlyph* found = std::lower_bound(
        face->glyphs, end, code, [](const web::LabelGlyph& entry, char32_t c) { return entry.code < c; });
    if (found == end || found->code != code) return false;
    g = {found->advance, found->left, found->top, found->width, found->rows, found->width, found->coverage};
    return true;
}

}  // namespace vibsim::platform
