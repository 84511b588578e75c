#include "platform/glyphs.hpp"

#include "platform/program_name.hpp"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>

namespace vibsim::platform {

namespace {

// DejaVu Sans, from Debian's fonts-dejavu-core, has the Greek letters too.
constexpr const char* font_files[] = {
    "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
    "/usr/share/fonts/TTF/DejaVuSans.ttf",
    "/usr/share/fonts/dejavu/DejaVuSans.ttf",
};

struct Font {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    bool tried = false;

    ~Font()
    {
        if (face != nullptr) FT_Done_Face(face);
        if (library != nullptr) FT_Done_FreeType(library);
    }
};

Font font;

FT_Face loaded_face()
{
    if (font.tried) return font.face;
    font.tried = true;
    if (FT_Init_FreeType(&font.library) != 0) {
        std::fprintf(stderr, "%s: FreeType does not start; the picture has no labels\n", program_name());
        return nullptr;
    }
    for (const char* file : font_files) {
        if (FT_New_Face(font.library, file, 0, &font.face) == 0) return font.face;
        font.face = nullptr;
    }
    std::fprintf(stderr, "%s: no DejaVu Sans font (fonts-dejavu-core); the picture has no labels\n",
                 program_name());
    return nullptr;
}

FT_Face face_at(int pixels)
{
    const FT_Face face = loaded_face();
    if (face == nullptr || pixels <= 0) return nullptr;
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels)) != 0) return nullptr;
    return face;
}

}  // namespace

bool glyphs_available() { return loaded_face() != nullptr; }

bool line_metrics(int pixels, LineMetrics& metrics)
{
    const FT_Face face = face_at(pixels);
    if (face == nullptr) return false;
    metrics.ascent = static_cast<int>(face->size->metrics.ascender >> 6);
    metrics.descent = static_cast<int>(-(face->size->metrics.descender >> 6));
    return true;
}

bool glyph(char32_t code, int pixels, Glyph& g)
{
    const FT_Face face = face_at(pixels);
    if (face == nullptr || FT_Load_Char(face, code, FT_LOAD_RENDER) != 0) return false;
    const FT_GlyphSlot slot = face->glyph;
    g.advance = static_cast<int>(slot->advance.x >> 6);
    g.left = slot->bitmap_left;
    g.top = slot->bitmap_top;
    g.width = static_cast<int>(slot->bitmap.width);
    g.rows = static_cast<int>(slot->bitmap.rows);
    g.pitch = slot->bitmap.pitch;
    g.coverage = slot->bitmap.buffer;
    return true;
}

}  // namespace vibsim::platform
