#include "kit/labels.hpp"

#include "platform/glyphs.hpp"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <cstdint>
#include <string>
#include <vector>

namespace vibsim::kit {

namespace {

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

bool labels_available() { return platform::glyphs_available(); }

void draw_label(double x, double y, const char* text, int pixels, const Colour4& colour, Align align)
{
    platform::LineMetrics line{};
    if (!platform::glyphs_available() || !platform::line_metrics(pixels, line)) return;
    const int ascent = line.ascent;
    const int height = line.ascent + line.descent;
    const int descent = line.descent;

    // The glyphs, then an image as wide as their advances with their
    // coverage in it, its rows from the top.
    struct Placed {
        platform::Glyph glyph;
        std::vector<std::uint8_t> coverage;
    };
    std::vector<Placed> placed;
    int width = 0;
    for (const char32_t c : code_points(text)) {
        platform::Glyph g{};
        if (!platform::glyph(c, pixels, g)) continue;
        std::vector<std::uint8_t> coverage;
        for (int row = 0; row < g.rows; ++row) {
            const unsigned char* from = g.coverage + static_cast<std::ptrdiff_t>(row) * g.pitch;
            coverage.insert(coverage.end(), from, from + g.width);
        }
        g.pitch = g.width;
        placed.push_back({g, std::move(coverage)});
        width += g.advance;
    }
    if (width <= 0 || height <= 0) return;
    std::vector<std::uint8_t> coverage(static_cast<std::size_t>(width) * height);
    int pen = 0;
    for (const Placed& p : placed) {
        const platform::Glyph& g = p.glyph;
        for (int row = 0; row < g.rows; ++row) {
            const int y_image = ascent - g.top + row;
            if (y_image < 0 || y_image >= height) continue;
            for (int column = 0; column < g.width; ++column) {
                const int x_image = pen + g.left + column;
                if (x_image < 0 || x_image >= width) continue;
                std::uint8_t& cell = coverage[static_cast<std::size_t>(y_image) * width + x_image];
                cell = std::max(cell, p.coverage[static_cast<std::size_t>(row) * g.width + column]);
            }
        }
        pen += g.advance;
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

}  // namespace vibsim::kit
