// The batch of window-space primitives, drawn with WebGL in the order they
// were given: runs of triangles, of one-pixel lines and of single pixels,
// blended or not, one draw call per run,
// through a shader that only maps window coordinates to the viewport. The
// batch is drawn before the colour buffer is cleared and when the program
// flushes or finishes, so what is on the canvas is what a desktop GL would
// show at the same calls. The batches drawn since the last clear are kept,
// so that the picture can be drawn again when the browser restores a lost
// WebGL context.
#include "fixed_function.hpp"

#include <GLES2/gl2.h>
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <utility>
#include <vector>

extern "C" {
void emscripten_glEnable(GLenum cap);
void emscripten_glDisable(GLenum cap);
void emscripten_glBlendFunc(GLenum source, GLenum destination);
void emscripten_glClear(GLbitfield mask);
void emscripten_glClearColor(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha);
void emscripten_glViewport(GLint x, GLint y, GLsizei width, GLsizei height);
void emscripten_glFlush();
void emscripten_glFinish();
}

namespace vibsim::web {

namespace {

struct BatchVertex {
    float x, y;  // normalised device coordinates
    float r, g, b, a;
};

struct Run {
    GLenum mode;
    bool blended;
    GLsizei first;
    GLsizei count;
};

struct Primitives {
    std::vector<BatchVertex> vertices;
    std::vector<Run> runs;
};

struct Batch {
    std::vector<BatchVertex> vertices;
    std::vector<Run> runs;
    std::vector<Primitives> picture;  // drawn since the last clear
    GLbitfield last_clear = 0;
    Rgba clear_colour{0.0f, 0.0f, 0.0f, 0.0f};
    GLuint program = 0;
    GLuint buffer = 0;
    GLint position = -1;
    GLint colour = -1;
};

Batch& batch()
{
    static Batch b;
    return b;
}

void push(GLenum mode, WindowPoint p, const Rgba& c)
{
    Batch& b = batch();
    const int* vp = gl_state().viewport;
    const float half_w = 0.5f * static_cast<float>(vp[2]);
    const float half_h = 0.5f * static_cast<float>(vp[3]);
    const bool blended = gl_state().blend;
    if (b.runs.empty() || b.runs.back().mode != mode || b.runs.back().blended != blended) {
        b.runs.push_back({mode, blended, static_cast<GLsizei>(b.vertices.size()), 0});
    }
    ++b.runs.back().count;
    b.vertices.push_back({(p.x - static_cast<float>(vp[0])) / half_w - 1.0f,
                          (p.y - static_cast<float>(vp[1])) / half_h - 1.0f, c.r, c.g, c.b, c.a});
}

GLuint compile(GLenum type, const char* source)
{
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

void set_up(Batch& b)
{
    const char* vertex_source =
        "attribute vec2 position;\n"
        "attribute vec4 colour;\n"
        "varying vec4 fragment_colour;\n"
        "void main() {\n"
        "  gl_Position = vec4(position, 0.0, 1.0);\n"
        "  gl_PointSize = 1.0;\n"
        "  fragment_colour = colour;\n"
        "}\n";
    const char* fragment_source =
        "precision mediump float;\n"
        "varying vec4 fragment_colour;\n"
        "void main() { gl_FragColor = fragment_colour; }\n";
    b.program = glCreateProgram();
    glAttachShader(b.program, compile(GL_VERTEX_SHADER, vertex_source));
    glAttachShader(b.program, compile(GL_FRAGMENT_SHADER, fragment_source));
    glLinkProgram(b.program);
    b.position = glGetAttribLocation(b.program, "position");
    b.colour = glGetAttribLocation(b.program, "colour");
    glGenBuffers(1, &b.buffer);
}

}  // namespace

void add_line(WindowPoint a, WindowPoint b, const Rgba& ca, const Rgba& cb)
{
    push(GL_LINES, a, ca);
    push(GL_LINES, b, cb);
}

void add_triangle(WindowPoint a, WindowPoint b, WindowPoint c, const Rgba& ca, const Rgba& cb,
                  const Rgba& cc)
{
    push(GL_TRIANGLES, a, ca);
    push(GL_TRIANGLES, b, cb);
    push(GL_TRIANGLES, c, cc);
}

void add_pixel_run(int x0, int x1, int y, const Rgba& colour)
{
    const float left = static_cast<float>(x0);
    const float right = static_cast<float>(x1);
    const float bottom = static_cast<float>(y);
    const float top = bottom + 1.0f;
    add_triangle({left, bottom}, {right, bottom}, {right, top}, colour, colour, colour);
    add_triangle({left, bottom}, {right, top}, {left, top}, colour, colour, colour);
}

void add_pixel(int x, int y, const Rgba& colour)
{
    push(GL_POINTS, {static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f}, colour);
}

namespace {

void draw(Batch& b, const std::vector<BatchVertex>& vertices, const std::vector<Run>& runs)
{
    if (b.program == 0) set_up(b);
    glUseProgram(b.program);
    glBindBuffer(GL_ARRAY_BUFFER, b.buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(BatchVertex)),
                 vertices.data(), GL_STREAM_DRAW);
    const auto stride = static_cast<GLsizei>(sizeof(BatchVertex));
    glEnableVertexAttribArray(static_cast<GLuint>(b.position));
    glVertexAttribPointer(static_cast<GLuint>(b.position), 2, GL_FLOAT, GL_FALSE, stride, nullptr);
    glEnableVertexAttribArray(static_cast<GLuint>(b.colour));
    glVertexAttribPointer(static_cast<GLuint>(b.colour), 4, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(2 * sizeof(float)));
    // The one blending the programs use: source alpha over what is there.
    emscripten_glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    for (const Run& run : runs) {
        if (run.blended) {
            emscripten_glEnable(GL_BLEND);
        } else {
            emscripten_glDisable(GL_BLEND);
        }
        glDrawArrays(run.mode, run.first, run.count);
    }
    emscripten_glDisable(GL_BLEND);
}

}  // namespace

bool has_context() { return emscripten_webgl_get_current_context() != 0; }

void draw_batch()
{
    Batch& b = batch();
    if (b.runs.empty()) return;
    if (has_context()) draw(b, b.vertices, b.runs);
    b.picture.push_back({std::move(b.vertices), std::move(b.runs)});
    b.vertices.clear();
    b.runs.clear();
}

}  // namespace vibsim::web

void glClear(GLbitfield mask)
{
    vibsim::web::draw_batch();
    if (vibsim::web::has_context()) emscripten_glClear(mask);
    vibsim::web::batch().picture.clear();
    vibsim::web::batch().last_clear = mask;
}

void glClearColor(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha)
{
    vibsim::web::batch().clear_colour = {red, green, blue, alpha};
    if (vibsim::web::has_context()) emscripten_glClearColor(red, green, blue, alpha);
}

// After the browser restores a lost WebGL context, which comes back empty:
// the shader program and the buffer are made again, the clear colour and the
// viewport set again, and the picture of the last clear and the batches drawn
// after it drawn again. The program's state does not change.
extern "C" EMSCRIPTEN_KEEPALIVE void vibsim_web_restore_picture()
{
    using namespace vibsim::web;
    Batch& b = batch();
    if (!has_context()) return;
    b.program = 0;
    b.buffer = 0;
    const Rgba& c = b.clear_colour;
    emscripten_glClearColor(c.r, c.g, c.b, c.a);
    const int* vp = gl_state().viewport;
    emscripten_glViewport(vp[0], vp[1], vp[2], vp[3]);
    if (b.last_clear != 0) emscripten_glClear(b.last_clear);
    for (const Primitives& p : b.picture) draw(b, p.vertices, p.runs);
    emscripten_glFlush();
}

void glFlush()
{
    vibsim::web::draw_batch();
    if (vibsim::web::has_context()) emscripten_glFlush();
}

void glFinish()
{
    vibsim::web::draw_batch();
    if (vibsim::web::has_context()) emscripten_glFinish();
}
