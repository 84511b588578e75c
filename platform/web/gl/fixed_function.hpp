// The fixed-function state that the browser's GL keeps on the program's
// behalf (WebGL has none of it), and the batch of window-space primitives
// that the immediate-mode calls turn into. Private to web/.
#pragma once

#include <array>
#include <vector>

namespace vibsim::web {

struct Rgba {
    float r = 1.0f, g = 1.0f, b = 1.0f, a = 1.0f;
};

// A point in window coordinates: pixels from the viewport's origin at the
// bottom left, as a GL rasteriser sees it after the viewport transform.
struct WindowPoint {
    float x = 0.0f, y = 0.0f;
};

// Column-major 4 x 4, as GL keeps its matrices.
using Matrix = std::array<float, 16>;

// GL's six user clip planes, kept in eye coordinates as glClipPlane stores
// them: a point is kept where a x + b y + c z + d w >= 0.
inline constexpr int clip_plane_count = 6;

struct FixedFunctionState {
    Rgba colour;               // the current colour
    bool lighting = false;     // GL_LIGHTING
    bool blend = false;        // GL_BLEND, with source alpha over the rest
    bool clip_enabled[clip_plane_count] = {};
    float clip_plane[clip_plane_count][4] = {};
    float line_width = 1.0f;   // as given to glLineWidth
    int viewport[4] = {0, 0, 0, 0};
    bool raster_valid = true;  // the current raster position and its colour
    WindowPoint raster;
    Rgba raster_colour;
};

FixedFunctionState& gl_state();

// False where the browser gave no WebGL context: the program then runs on
// without a picture, and nothing here touches WebGL.
bool has_context();

// Object coordinates through the model-view and projection matrices and the
// viewport. `inside` is false when the point lies outside the view volume.
WindowPoint to_window(float x, float y, bool* inside = nullptr);

// A vertex as primitives are assembled and clipped: where it lands in the
// window, its colour, and its distance from each clip plane (0 for a plane
// that is off).
struct Vertex {
    WindowPoint point;
    Rgba colour;
    float distance[clip_plane_count] = {};
};

// The part of the segment a-b, or of the convex polygon, on the kept side of
// every clip plane; false (or no vertices) when nothing is left.
bool clip_segment(Vertex& a, Vertex& b);
void clip_polygon(std::vector<Vertex>& polygon);

// The batch: drawn in the order added, at glFlush, glFinish and glClear.
// Whatever is added while blending is on is blended when drawn.
void add_line(WindowPoint a, WindowPoint b, const Rgba& ca, const Rgba& cb);
void add_triangle(WindowPoint a, WindowPoint b, WindowPoint c, const Rgba& ca, const Rgba& cb,
                  const Rgba& cc);
// A convex polygon of many vertices over few rows, of one colour, filled
// row by row as a GL rasteriser fills it (polygon_rows.cpp); false, and
// nothing added, for any other, which is left to WebGL's triangles.
bool add_polygon_rows(const std::vector<Vertex>& polygon);
// Pixels x0 .. x1 - 1 of window row y, filled exactly; and of rows y0 ..
// y1 - 1.
void add_pixel_run(int x0, int x1, int y, const Rgba& colour);
void add_pixel_rect(int x0, int x1, int y0, int y1, const Rgba& colour);
// A width x height image of RGBA bytes, rows from the bottom, on the pixels
// from (x, y) of the window, each pixel given its bytes (blended when
// blending is on).
void add_image(int x, int y, int width, int height, const unsigned char* rgba);
void draw_batch();

// The pixel images' textures (image_textures.cpp): the texture of an image
// bound, made when no texture holds it yet; at a clear, those that the
// picture before went without deleted; after the WebGL context is lost
// (with its textures), all forgotten.
void bind_image_texture(int width, int height, const std::vector<unsigned char>& rgba);
void forget_unused_textures();
void forget_all_textures();

}  // namespace vibsim::web
