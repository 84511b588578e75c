// Immediate mode for the browser: the glBegin / glVertex / glEnd drawing, the
// current colour, the matrix stacks, lighting's switch and the line width of
// fixed-function GL, which WebGL lacks. Vertices go through the matrices and
// the viewport as in a desktop GL and are handed to the batch in window
// coordinates, each primitive as the pixels a desktop rasteriser would fill:
// polygons as triangle fans (every polygon the library draws is convex; small
// ones of many vertices as rows of pixels, polygon_rows.cpp), lines
// wider than one pixel as the parallelograms of aliased wide lines, which
// WebGL cannot draw (its implementations clamp the width to 1).
#include "fixed_function.hpp"

#include <GL/gl.h>

#include <cmath>
#include <numbers>
#include <vector>

extern "C" {
// WebGL's own entry points under the names emscripten also gives them, for
// the calls this file takes over.
void emscripten_glEnable(GLenum cap);
void emscripten_glDisable(GLenum cap);
void emscripten_glViewport(GLint x, GLint y, GLsizei width, GLsizei height);
}

namespace vibsim::web {

namespace {

constexpr Matrix identity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

struct ImmediateMode {
    std::vector<Matrix> modelview{identity};
    std::vector<Matrix> projection{identity};
    GLenum matrix_mode = GL_MODELVIEW;
    GLenum primitive = GL_POINTS;
    std::vector<Vertex> vertices;
};

ImmediateMode& immediate()
{
    static ImmediateMode mode;
    return mode;
}

Matrix& current_matrix()
{
    ImmediateMode& m = immediate();
    return m.matrix_mode == GL_PROJECTION ? m.projection.back() : m.modelview.back();
}

std::vector<Matrix>& current_stack()
{
    ImmediateMode& m = immediate();
    return m.matrix_mode == GL_PROJECTION ? m.projection : m.modelview;
}

// m = m * b, both column-major.
void multiply(Matrix& m, const Matrix& b)
{
    Matrix r{};
    for (int col = 0; col < 4; ++col) {
        for (int row = 0; row < 4; ++row) {
            float sum = 0.0f;
            for (int k = 0; k < 4; ++k) sum += m[k * 4 + row] * b[col * 4 + k];
            r[col * 4 + row] = sum;
        }
    }
    m = r;
}

// Aliased lines are as wide as their width rounded to a whole pixel, at least one.
float rasterised_width(float width)
{
    const float rounded = std::round(width);
    return rounded < 1.0f ? 1.0f : rounded;
}

// An aliased line of width w covers, in every column of an x-major line (row
// of a y-major one), w pixels centred on the line: the parallelogram between
// the ends shifted by w / 2 each way along the minor axis.
void add_wide_line(const Vertex& a, const Vertex& b, float width)
{
    const float half = 0.5f * width;
    const bool x_major = std::fabs(b.point.x - a.point.x) >= std::fabs(b.point.y - a.point.y);
    const float ox = x_major ? 0.0f : half;
    const float oy = x_major ? half : 0.0f;
    const WindowPoint a0{a.point.x - ox, a.point.y - oy};
    const WindowPoint a1{a.point.x + ox, a.point.y + oy};
    const WindowPoint b0{b.point.x - ox, b.point.y - oy};
    const WindowPoint b1{b.point.x + ox, b.point.y + oy};
    add_triangle(a0, b0, b1, a.colour, b.colour, b.colour);
    add_triangle(a0, b1, a1, a.colour, b.colour, a.colour);
}

void add_segment(Vertex a, Vertex b)
{
    if (!clip_segment(a, b)) return;
    const float width = rasterised_width(gl_state().line_width);
    if (width == 1.0f) {
        add_line(a.point, b.point, a.colour, b.colour);
    } else {
        add_wide_line(a, b, width);
    }
}

void add_point(const Vertex& v)
{
    for (const float d : v.distance) {
        if (d < 0.0f) return;
    }
    const int x = static_cast<int>(std::floor(v.point.x));
    const int y = static_cast<int>(std::floor(v.point.y));
    add_pixel_run(x, x + 1, y, v.colour);
}

// The fan of `v`, clipped in place (the caller's vertices are used up).
void add_fan(std::vector<Vertex>&& v, bool polygon = false)
{
    clip_polygon(v);
    if (polygon && add_polygon_rows(v)) return;
    for (std::size_t i = 1; i + 1 < v.size(); ++i) {
        add_triangle(v[0].point, v[i].point, v[i + 1].point, v[0].colour, v[i].colour,
                     v[i + 1].colour);
    }
}

void emit(GLenum primitive, std::vector<Vertex>& v)
{
    const std::size_t n = v.size();
    switch (primitive) {
    case GL_POINTS:
        for (const Vertex& p : v) add_point(p);
        break;
    case GL_LINES:
        for (std::size_t i = 0; i + 1 < n; i += 2) add_segment(v[i], v[i + 1]);
        break;
    case GL_LINE_STRIP:
    case GL_LINE_LOOP:
        for (std::size_t i = 0; i + 1 < n; ++i) add_segment(v[i], v[i + 1]);
        if (primitive == GL_LINE_LOOP && n > 1) add_segment(v[n - 1], v[0]);
        break;
    case GL_TRIANGLES:
        for (std::size_t i = 0; i + 2 < n; i += 3) add_fan({v[i], v[i + 1], v[i + 2]});
        break;
    case GL_TRIANGLE_STRIP:
        for (std::size_t i = 0; i + 2 < n; ++i) add_fan({v[i], v[i + 1], v[i + 2]});
        break;
    case GL_QUADS:
        for (std::size_t i = 0; i + 3 < n; i += 4) {
            add_fan({v[i], v[i + 1], v[i + 2], v[i + 3]});
        }
        break;
    case GL_QUAD_STRIP:
        for (std::size_t i = 0; i + 3 < n; i += 2) {
            add_fan({v[i], v[i + 1], v[i + 3], v[i + 2]});
        }
        break;
    case GL_TRIANGLE_FAN:
        add_fan(std::move(v));
        break;
    case GL_POLYGON:
        add_fan(std::move(v), true);
        break;
    default:
        break;
    }
}

// The switches kept here rather than in WebGL; false for the others.
bool set_switch(GLenum cap, bool on)
{
    FixedFunctionState& state = gl_state();
    if (cap == GL_LIGHTING) {
        state.lighting = on;
    } else if (cap == GL_BLEND) {
        state.blend = on;
    } else if (cap >= GL_CLIP_PLANE0 && cap < GL_CLIP_PLANE0 + clip_plane_count) {
        state.clip_enabled[cap - GL_CLIP_PLANE0] = on;
    } else {
        return false;
    }
    return true;
}

}  // namespace

FixedFunctionState& gl_state()
{
    static FixedFunctionState state;
    return state;
}

WindowPoint to_window(float x, float y, bool* inside)
{
    const ImmediateMode& m = immediate();
    const Matrix& mv = m.modelview.back();
    const Matrix& p = m.projection.back();
    float eye[4];
    for (int row = 0; row < 4; ++row) eye[row] = mv[row] * x + mv[4 + row] * y + mv[12 + row];
    float clip[4];
    for (int row = 0; row < 4; ++row) {
        clip[row] = p[row] * eye[0] + p[4 + row] * eye[1] + p[8 + row] * eye[2] + p[12 + row] * eye[3];
    }
    if (inside != nullptr) {
        const float w = clip[3];
        *inside = w > 0.0f && -w <= clip[0] && clip[0] <= w && -w <= clip[1] && clip[1] <= w &&
                  -w <= clip[2] && clip[2] <= w;
    }
    const int* vp = gl_state().viewport;
    const float nx = clip[0] / clip[3];
    const float ny = clip[1] / clip[3];
    return {(nx + 1.0f) * (0.5f * static_cast<float>(vp[2])) + static_cast<float>(vp[0]),
            (ny + 1.0f) * (0.5f * static_cast<float>(vp[3])) + static_cast<float>(vp[1])};
}

}  // namespace vibsim::web

using namespace vibsim::web;

void glBegin(GLenum mode)
{
    immediate().primitive = mode;
    immediate().vertices.clear();
}

void glEnd()
{
    emit(immediate().primitive, immediate().vertices);
    immediate().vertices.clear();
}

void glVertex2f(GLfloat x, GLfloat y)
{
    Vertex v;
    v.point = to_window(x, y);
    v.colour = gl_state().colour;
    const FixedFunctionState& state = gl_state();
    const Matrix& mv = immediate().modelview.back();
    for (int i = 0; i < clip_plane_count; ++i) {
        if (!state.clip_enabled[i]) continue;
        const float* p = state.clip_plane[i];
        float distance = p[3];
        for (int row = 0; row < 3; ++row) distance += p[row] * (mv[row] * x + mv[4 + row] * y + mv[12 + row]);
        v.distance[i] = distance;
    }
    immediate().vertices.push_back(v);
}

// Vertices are kept in single precision, as a desktop GL keeps them.
void glVertex2d(GLdouble x, GLdouble y) { glVertex2f(static_cast<GLfloat>(x), static_cast<GLfloat>(y)); }

void glColor4f(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha)
{
    gl_state().colour = {red, green, blue, alpha};
}

void glLineWidth(GLfloat width)
{
    if (width > 0.0f) gl_state().line_width = width;
}

// Lighting's switch, blending and the clip planes are kept here; the batch
// applies them as it draws.
void glEnable(GLenum cap)
{
    if (!set_switch(cap, true) && has_context()) emscripten_glEnable(cap);
}

void glDisable(GLenum cap)
{
    if (!set_switch(cap, false) && has_context()) emscripten_glDisable(cap);
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height)
{
    int* vp = gl_state().viewport;
    vp[0] = x;
    vp[1] = y;
    vp[2] = width;
    vp[3] = height;
    if (has_context()) emscripten_glViewport(x, y, width, height);
}

void glMatrixMode(GLenum mode) { immediate().matrix_mode = mode == GL_PROJECTION ? GL_PROJECTION : GL_MODELVIEW; }

void glLoadIdentity() { current_matrix() = identity; }

void glPushMatrix()
{
    std::vector<Matrix>& stack = current_stack();
    stack.push_back(stack.back());
}

void glPopMatrix()
{
    std::vector<Matrix>& stack = current_stack();
    if (stack.size() > 1) stack.pop_back();
}

void glTranslated(GLdouble x, GLdouble y, GLdouble z)
{
    const float fx = static_cast<float>(x);
    const float fy = static_cast<float>(y);
    const float fz = static_cast<float>(z);
    Matrix& m = current_matrix();
    for (int row = 0; row < 4; ++row) {
        m[12 + row] = m[row] * fx + m[4 + row] * fy + m[8 + row] * fz + m[12 + row];
    }
}

// A turn by `angle` degrees about the axis (x, y, z).
void glRotated(GLdouble angle, GLdouble x, GLdouble y, GLdouble z)
{
    const double radians = static_cast<float>(angle) * std::numbers::pi / 180.0;
    const float s = static_cast<float>(std::sin(radians));
    const float c = static_cast<float>(std::cos(radians));
    float ax = static_cast<float>(x);
    float ay = static_cast<float>(y);
    float az = static_cast<float>(z);
    const float length = std::sqrt(ax * ax + ay * ay + az * az);
    if (length == 0.0f) return;
    ax /= length;
    ay /= length;
    az /= length;
    const float t = 1.0f - c;
    const Matrix r = {
        t * ax * ax + c,      t * ax * ay + s * az, t * ax * az - s * ay, 0.0f,
        t * ax * ay - s * az, t * ay * ay + c,      t * ay * az + s * ax, 0.0f,
        t * ax * az + s * ay, t * ay * az - s * ax, t * az * az + c,      0.0f,
        0.0f,                 0.0f,                 0.0f,                 1.0f};
    multiply(current_matrix(), r);
}

void glScaled(GLdouble x, GLdouble y, GLdouble z)
{
    const float f[3] = {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
    Matrix& m = current_matrix();
    for (int column = 0; column < 3; ++column) {
        for (int row = 0; row < 4; ++row) m[column * 4 + row] *= f[column];
    }
}

void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble near, GLdouble far)
{
    const auto f = [](double value) { return static_cast<float>(value); };
    const Matrix ortho = {
        f(2.0 / (right - left)), 0.0f, 0.0f, 0.0f,
        0.0f, f(2.0 / (top - bottom)), 0.0f, 0.0f,
        0.0f, 0.0f, f(-2.0 / (far - near)), 0.0f,
        f(-(right + left) / (right - left)), f(-(top + bottom) / (top - bottom)), f(-(far + near) / (far - near)), 1.0f};
    multiply(current_matrix(), ortho);
}

// The plane goes into eye coordinates through the inverse of the current
// model-view matrix, as GL stores it. The matrices here are affine, so the
// inverse is that of the upper 3 x 3 block with the translation undone.
void glClipPlane(GLenum plane, const GLdouble* equation)
{
    if (plane < GL_CLIP_PLANE0 || plane >= GL_CLIP_PLANE0 + clip_plane_count) return;
    const Matrix& m = immediate().modelview.back();
    const auto a = [&m](int row, int column) { return static_cast<double>(m[column * 4 + row]); };
    const double det = a(0, 0) * (a(1, 1) * a(2, 2) - a(1, 2) * a(2, 1)) -
                       a(0, 1) * (a(1, 0) * a(2, 2) - a(1, 2) * a(2, 0)) +
                       a(0, 2) * (a(1, 0) * a(2, 1) - a(1, 1) * a(2, 0));
    if (det == 0.0) return;
    // The inverse of the 3 x 3 block, by cofactors.
    double inverse[3][3];
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const int r0 = (column + 1) % 3, r1 = (column + 2) % 3;
            const int c0 = (row + 1) % 3, c1 = (row + 2) % 3;
            inverse[row][column] = (a(r0, c0) * a(r1, c1) - a(r0, c1) * a(r1, c0)) / det;
        }
    }
    // plane_eye = equation * inverse(M): the xyz part through the inverse
    // block, the w part less that part applied to the translation.
    float* stored = gl_state().clip_plane[plane - GL_CLIP_PLANE0];
    double w = equation[3];
    for (int column = 0; column < 3; ++column) {
        double sum = 0.0;
        for (int k = 0; k < 3; ++k) sum += equation[k] * inverse[k][column];
        stored[column] = static_cast<float>(sum);
        w -= sum * a(column, 3);
    }
    stored[3] = static_cast<float>(w);
}
