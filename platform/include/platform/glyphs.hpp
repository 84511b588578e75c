// The glyphs the labels are made of: anti-aliased coverage bitmaps of DejaVu
// Sans at the labels' pixel heights. On the desktop FreeType renders them
// from the installed font (x11/freetype_glyphs.cpp); the page takes the very
// same bitmaps from a table that this code, run on the build machine, writes.
#pragma once

namespace vibsim::platform {

// The labels' heights in pixels: the title, the text and the small print.
inline constexpr int title_pixels = 20;
inline constexpr int text_pixels = 15;
inline constexpr int small_pixels = 13;
inline constexpr int label_pixel_sizes[] = {small_pixels, text_pixels, title_pixels};

struct Glyph {
    int advance;  // pixels the pen moves on
    int left;     // the bitmap's left edge from the pen, in pixels
    int top;      // the bitmap's top row above the baseline, in pixels
    int width;
    int rows;
    int pitch;    // bytes from one row to the next, top row first
    const unsigned char* coverage;  // 0 (none) ... 255 (full) per pixel
};

// The ascent and descent of the font's lines at `pixels`, both positive.
struct LineMetrics {
    int ascent;
    int descent;
};

// False, with the reason on standard error once, when there is no font.
bool glyphs_available();

// False when the font is not available at that height.
bool line_metrics(int pixels, LineMetrics& metrics);

// The glyph of `code` at `pixels`; false when the font gives none. Its
// coverage stays valid until the next call.
bool glyph(char32_t code, int pixels, Glyph& glyph);

}  // namespace vibsim::platform
