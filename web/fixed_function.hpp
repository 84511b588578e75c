// The fixed-function state that the browser's GL keeps on the program's
// behalf (WebGL has none of it), and the batch of window-space primitives
// that the immediate-mode calls turn into. Private to web/.
#pragma once

#include <array>

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

struct FixedFunctionState {
    Rgba colour;               // the current colour
    bool lighting = false;     // GL_LIGHTING
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

// The batch: drawn in the order added, at glFlush, glFinish and glClear.
void add_line(WindowPoint a, WindowPoint b, const Rgba& ca, const Rgba& cb);
void add_triangle(WindowPoint a, WindowPoint b, WindowPoint c, const Rgba& ca, const Rgba& cb,
                  const Rgba& cc);
// Pixels x0 .. x1 - 1 of window row y, filled exactly.
void add_pixel_run(int x0, int x1, int y, const Rgba& colour);
void draw_batch();

}  // namespace vibsim::web
