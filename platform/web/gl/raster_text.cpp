// Bitmap text for the browser: the raster position, glutBitmapCharacter with
// GLUT's 18-point Helvetica glyphs, and the attribute stack that draw_text
// brackets them with. A glyph is drawn as a desktop GL draws glBitmap: its
// lit pixels, unscaled, in the raster colour, with its origin on the raster
// position, which then advances by the glyph's width.
#include "bitmap_font.hpp"
#include "fixed_function.hpp"

#include <GL/glut.h>

#include <cmath>
#include <vector>

namespace vibsim::web {

namespace {

// With lighting on, the raster colour is the lit colour of the current
// material. No light is ever switched on, so it is the scene's ambient light
// (0.2) times the material's ambient reflectance (0.2), opaque: the dark grey
// 0.04 of the desktop's labels.
constexpr Rgba unlit_material_colour{0.04f, 0.04f, 0.04f, 1.0f};

struct SavedAttributes {
    GLbitfield mask;
    FixedFunctionState state;
};

std::vector<SavedAttributes>& attribute_stack()
{
    static std::vector<SavedAttributes> stack;
    return stack;
}

const BitmapFont* font_of(void* font)
{
    return font == GLUT_BITMAP_HELVETICA_18 ? &helvetica_18 : nullptr;
}

// The glyph's rows as runs of lit pixels, its bottom left corner at (x, y).
void add_glyph(const BitmapFont& font, const unsigned char* glyph, int x, int y, const Rgba& colour)
{
    const int width = glyph[0];
    const int row_bytes = (width + 7) / 8;
    const unsigned char* rows = glyph + 1;
    for (int row = 0; row < font.height; ++row) {
        const unsigned char* bits = rows + row * row_bytes;
        int run_start = -1;
        for (int column = 0; column <= width; ++column) {
            const bool lit = column < width && (bits[column / 8] & (0x80 >> (column % 8))) != 0;
            if (lit && run_start < 0) run_start = column;
            if (!lit && run_start >= 0) {
                add_pixel_run(x + run_start, x + column, y + row, colour);
                run_start = -1;
            }
        }
    }
}

}  // namespace

}  // namespace vibsim::web

using namespace vibsim::web;

// GLUT names its fonts by the address of a variable of its own.
void* glutBitmapHelvetica18 = nullptr;

void glRasterPos2f(GLfloat x, GLfloat y)
{
    FixedFunctionState& state = gl_state();
    bool inside = false;
    state.raster = to_window(x, y, &inside);
    state.raster_valid = inside;
    state.raster_colour = state.lighting ? unlit_material_colour : state.colour;
}

// The groups kept here: the current colour and raster position
// (GL_CURRENT_BIT), lighting's switch (GL_ENABLE_BIT, GL_LIGHTING_BIT),
// blending's (GL_ENABLE_BIT, GL_COLOR_BUFFER_BIT), the clip planes' switches
// (GL_ENABLE_BIT, GL_TRANSFORM_BIT) and the line width (GL_LINE_BIT).
void glPushAttrib(GLbitfield mask) { attribute_stack().push_back({mask, gl_state()}); }

void glPopAttrib()
{
    std::vector<SavedAttributes>& stack = attribute_stack();
    if (stack.empty()) return;
    const SavedAttributes saved = stack.back();
    stack.pop_back();
    FixedFunctionState& state = gl_state();
    if ((saved.mask & GL_CURRENT_BIT) != 0) {
        state.colour = saved.state.colour;
        state.raster_valid = saved.state.raster_valid;
        state.raster = saved.state.raster;
        state.raster_colour = saved.state.raster_colour;
    }
    if ((saved.mask & (GL_ENABLE_BIT | GL_LIGHTING_BIT)) != 0) state.lighting = saved.state.lighting;
    if ((saved.mask & (GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT)) != 0) state.blend = saved.state.blend;
    if ((saved.mask & (GL_ENABLE_BIT | GL_TRANSFORM_BIT)) != 0) {
        for (int i = 0; i < clip_plane_count; ++i) state.clip_enabled[i] = saved.state.clip_enabled[i];
    }
    if ((saved.mask & GL_LINE_BIT) != 0) state.line_width = saved.state.line_width;
}

// As freeglut does: characters 1 to 255, nothing where the raster position is
// invalid. Only the font the program uses is carried.
void glutBitmapCharacter(void* font, int character)
{
    const BitmapFont* f = font_of(font);
    if (f == nullptr || character < 1 || character > 255) return;
    const unsigned char* glyph = f->glyphs[character];
    FixedFunctionState& state = gl_state();
    if (glyph == nullptr || !state.raster_valid) return;
    // A desktop GL places the bitmap at the floor of the raster position less
    // the origin, with a small allowance for rounding.
    constexpr float allowance = 0.0001f;
    const int x = static_cast<int>(std::floor(state.raster.x + allowance - f->x_origin));
    const int y = static_cast<int>(std::floor(state.raster.y + allowance - f->y_origin));
    add_glyph(*f, glyph, x, y, state.raster_colour);
    state.raster.x += static_cast<float>(glyph[0]);
}
