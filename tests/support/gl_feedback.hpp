// Reading back what a drawing call drew and what it left in the GL state, on
// the real GL of the test window (see gl_window.hpp).
//
// capture_feedback runs a drawing callable in GL feedback mode (GL_3D_COLOR)
// and returns the tokens that GL produced, in order. What Mesa gives back, in
// short (see shared/notes/headless-testing.md):
//   - every line segment is one `line` token of 2 vertices (GL_LINE_TOKEN and
//     GL_LINE_RESET_TOKEN alike);
//   - every polygon is split into triangles: a convex n-gon comes back as n - 2
//     `polygon` tokens of 3 vertices, a fan around its first vertex
//     (polygon_vertex_sets puts them together again);
//   - every glBitmap (one per glutBitmapCharacter) is one `bitmap` token at the
//     raster position, and glPassThrough(v) one `pass_through` token;
//   - anything outside the view volume is clipped away, so draw inside the
//     window or set a projection for the test (ScopedOrtho).
// Vertices are in window pixels, origin at the bottom left, with their RGBA
// colour; the line width is not in the feedback (read it with read_gl_state).
//
// A test that draws in render mode (glClear, glReadPixels, text) should call
// glFinish() before the program ends, e.g. in its fixture's TearDown: Mesa's
// llvmpipe compiles shaders for work still queued when freeglut closes the
// display at exit, after its compiler's own statics are gone, and the process
// then dies with SIGSEGV or SIGFPE although every test passed.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <vector>

namespace vibsim::test {

enum class TokenKind { point, line, polygon, bitmap, draw_pixel, copy_pixel, pass_through };

struct FeedbackVertex {
    double x, y, z;                  // window pixels, z in depth range 0 .. 1
    double red, green, blue, alpha;  // as GL returned them (floats, converted exactly)
};

struct FeedbackToken {
    TokenKind kind;
    std::vector<FeedbackVertex> vertices;  // none for pass_through
    bool line_reset = false;               // a GL_LINE_RESET_TOKEN
    double pass_through_value = 0.0;       // the value of a pass_through token
};

// Runs `draw` in feedback mode and parses the result. Throws std::length_error
// when the tokens do not fit into `capacity` floats.
std::vector<FeedbackToken> capture_feedback(const std::function<void()>& draw,
                                            std::size_t capacity = std::size_t{1} << 20);

// Runs `draw` in selection mode under one name and returns the number of hit
// records: 1 when anything it drew lay in the view volume, else 0. A
// glRasterPos to a valid position counts as a hit even when nothing is drawn
// there, which feedback does not show.
int selection_hits(const std::function<void()>& draw);

// The tokens of one kind, in order.
std::vector<FeedbackToken> tokens_of_kind(const std::vector<FeedbackToken>& tokens, TokenKind kind);

// The polygons that GL split into triangle fans, put together again: each run
// of consecutive polygon tokens that all share a vertex with the run's first
// token is one polygon; its distinct vertices are returned in first-seen
// order. Polygons drawn one after another must not share a vertex.
std::vector<std::vector<FeedbackVertex>> polygon_vertex_sets(
    const std::vector<FeedbackToken>& tokens);

// Window pixels of the 800 x 800 test window to world units, for a projection
// that maps -half_extent .. +half_extent onto the window in both directions
// (the identity projection: half_extent 1, world = pixel / 400 - 1).
inline constexpr int window_pixels = 800;
double world_from_pixel(double pixel, double half_extent = 1.0);

// Sets glOrtho(-h, h, -h, h, -1, 1) as the projection for its lifetime and
// restores the previous projection afterwards, leaving GL_MODELVIEW current.
class ScopedOrtho {
public:
    explicit ScopedOrtho(double half_extent);
    ~ScopedOrtho();
    ScopedOrtho(const ScopedOrtho&) = delete;
    ScopedOrtho& operator=(const ScopedOrtho&) = delete;
};

// The parts of the GL state that the drawing operations promise something
// about.
struct GlState {
    bool lighting;
    float line_width;
    std::array<float, 4> colour;       // GL_CURRENT_COLOR
    std::array<double, 16> modelview;  // GL_MODELVIEW_MATRIX, column-major
    int modelview_depth;               // GL_MODELVIEW_STACK_DEPTH
};
GlState read_gl_state();

// Puts the state a test starts from: identity projection and model-view
// matrices (model-view current, stack at depth 1), line width 1, current
// colour (1, 1, 1, 1), lighting off.
void reset_gl_state();

// The number of representable doubles between a and b (0 when equal, also for
// 0 and -0); for comparing results that may differ by a rounding or two.
unsigned long long ulp_distance(double a, double b);

}  // namespace vibsim::test
