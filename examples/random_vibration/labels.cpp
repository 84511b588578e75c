#include "labels.hpp"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstdint>
#include <string>
#include <vector>

namespace vibsim::lab {

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
        std::fprintf(stderr, "vibsim-random: FreeType does not start; the picture has no labels\n");
        return nullptr;
    }
    for (const char* file : font_files) {
        if (FT_New_Face(font.library, file, 0, &font.face) == 0) return font.face;
        font.face = nullptr;
    }
    std::fprintf(stderr, "vibsim-random: no DejaVu Sans font (fonts-dejavu-core); the picture has no labels\n");
    return nullptr;
}

// The code points of UTF-8 text; a malformed byte stands for itself.
std::vector<char32_t> code_points(const char* text)
{
    std::vector<char32_t> points;
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (*p != 0) {
        char32_t c = *p;
        int extra = 0;
        if (c >= 0xF0) {
            c &= 0x07;
            extra = 3;
        } else if (c >= 0xE0) {
            c &= 0x0F;
            extra = 2;
        } else if (c >= 0xC0) {
            c &= 0x1F;
            extra = 1;
        }
        ++p;
        for (int i = 0; i < extra && (*p & 0xC0) == 0x80; ++i, ++p) c = (c << 6) | (*p & 0x3F);
        points.push_back(c);
    }
    return points;
}

}  // namespace

bool labels_available() { return loaded_face() != nullptr; }

void draw_label(double x, double y, const char* text, int pixels, const Colour4& colour, Align align)
{
    const FT_Face face = loaded_face();
    if (face == nullptr || pixels <= 0) return;
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels));
    const int ascent = static_cast<int>(face->size->metrics.ascender >> 6);
    const int descent = static_cast<int>(-(face->size->metrics.descender >> 6));
    const int height = ascent + descent;

    // First the width, then the glyphs into an image of that width, its rows
    // from the top.
    const std::vector<char32_t> points = code_points(text);
    int width = 0;
    for (const char32_t c : points) {
        if (FT_Load_Char(face, c, FT_LOAD_DEFAULT) == 0) width += static_cast<int>(face->glyph->advance.x >> 6);
    }
    if (width <= 0 || height <= 0) return;
    std::vector<std::uint8_t> coverage(static_cast<std::size_t>(width) * height);
    int pen = 0;
    for (const char32_t c : points) {
        if (FT_Load_Char(face, c, FT_LOAD_RENDER) != 0) continue;
        const FT_GlyphSlot glyph = face->glyph;
        const FT_Bitmap& bitmap = glyph->bitmap;
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            const int y_image = ascent - glyph->bitmap_top + static_cast<int>(row);
            if (y_image < 0 || y_image >= height) continue;
            for (unsigned column = 0; column < bitmap.width; ++column) {
                const int x_image = pen + glyph->bitmap_left + static_cast<int>(column);
                if (x_image < 0 || x_image >= width) continue;
                std::uint8_t& cell = coverage[static_cast<std::size_t>(y_image) * width + x_image];
                cell = std::max(cell, bitmap.buffer[row * static_cast<unsigned>(bitmap.pitch) + column]);
            }
        }
        pen += static_cast<int>(glyph->advance.x >> 6);
    }

    // GL takes the rows from the bottom up.
    std::vector<std::uint8_t> rgba(coverage.size() * 4);
    const auto red = static_cast<std::uint8_t>(colour.red * 255.0f + 0.5f);
    const auto green = static_cast<std::uint8_t>(colour.green * 255.0f + 0.5f);
    const auto blue = static_cast<std::uint8_t>(colour.blue * 255.0f + 0.5f);
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            const std::size_t to = (static_cast<std::size_t>(height - 1 - row) * width + column) * 4;
            rgba[to] = red;
            rgba[to + 1] = green;
            rgba[to + 2] = blue;
            rgba[to + 3] = coverage[static_cast<std::size_t>(row) * width + column];
        }
    }

    int shift = 0;
    if (align == Align::centre) shift = width / 2;
    if (align == Align::right) shift = width;
    glPushAttrib(GL_CURRENT_BIT | GL_COLOR_BUFFER_BIT);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glRasterPos2d(x, y);
    // Moves the raster position by whole pixels, from the baseline point to
    // the image's lower left corner.
    glBitmap(0, 0, 0.0f, 0.0f, static_cast<float>(-shift), static_cast<float>(-descent), nullptr);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glDrawPixels(width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    glPopClientAttrib();
    glPopAttrib();
}

}  // namespace vibsim::lab
