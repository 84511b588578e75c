// The batch of window-space primitives, drawn with WebGL in the order they
// were given: runs of triangles and of one-pixel lines, blended or not, one
// draw call per run, through a shader that only maps window coordinates to
// the viewport; and pixel images, each one quad of its texture
// (image_textures.cpp), its texels on the pixels (a software renderer fills
// one quad far faster than a point for every pixel of a label). The
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

// A run of one image: `first` is its index among the images.
constexpr GLenum image_run = GL_TEXTURE_2D;

struct Run {
    GLenum mode;
    bool blended;
    GLsizei first;
    GLsizei count;
};

struct Image {
    float corners[4];  // left, bottom, right, top in normalised device coordinates
    GLsizei width, height;
    std::vector<unsigned char> rgba;
};

struct Primitives {
    std::vector<BatchVertex> vertices;
    std::vector<Run> runs;
    std::vector<Image> images;
};

struct Batch {
    std::vector<BatchVertex> vertices;
    std::vector<Run> runs;
    std::vector<Image> images;
    std::vector<Primitives> picture;  // drawn since the last clear
    GLbitfield last_clear = 0;
    Rgba clear_colour{0.0f, 0.0f, 0.0f, 0.0f};
    GLuint program = 0;
    GLuint buffer = 0;
    GLint position = -1;
    GLint colour = -1;
    GLuint image_program = 0;
    GLuint image_buffer = 0;
    GLint image_position = -1;
    GLint image_coordinate = -1;
};

Batch& batch()
{
    static Batch b;
    return b;
}

// Window x and y in normalised device coordinates.
float device_x(float x)
{
    const int* vp = gl_state().viewport;
    return (x - static_cast<float>(vp[0])) / (0.5f * static_cast<float>(vp[2])) - 1.0f;
}

float device_y(float y)
{
    const int* vp = gl_state().viewport;
    return (y - static_cast<float>(vp[1])) / (0.5f * static_cast<float>(vp[3])) - 1.0f;
}

void push(GLenum mode, WindowPoint p, const Rgba& c)
{
    Batch& b = batch();
    const bool blended = gl_state().blend;
    if (b.runs.empty() || b.runs.back().mode != mode || b.runs.back().blended != blended) {
        b.runs.push_back({mode, blended, static_cast<GLsizei>(b.vertices.size()), 0});
    }
    ++b.runs.back().count;
    b.vertices.push_back({device_x(p.x), device_y(p.y), c.r, c.g, c.b, c.a});
}

GLuint compile(GLenum type, const char* source)
{
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

GLuint link(const char* vertex_source, const char* fragment_source)
{
    const GLuint program = glCreateProgram();
    glAttachShader(program, compile(GL_VERTEX_SHADER, vertex_source));
    glAttachShader(program, compile(GL_FRAGMENT_SHADER, fragment_source));
    glLinkProgram(program);
    return program;
}

void set_up(Batch& b)
{
    const char* vertex_source =
        "attribute vec2 position;\n"
        "attribute vec4 colour;\n"
        "varying vec4 fragment_colour;\n"
        "void main() {\n"
        "  gl_Position = vec4(position, 0.0, 1.0);\n"
        "  fragment_colour = colour;\n"
        "}\n";
    const char* fragment_source =
        "precision mediump float;\n"
        "varying vec4 fragment_colour;\n"
        "void main() { gl_FragColor = fragment_colour; }\n";
    b.program = link(vertex_source, fragment_source);
    b.position = glGetAttribLocation(b.program, "position");
    b.colour = glGetAttribLocation(b.program, "colour");
    glGenBuffers(1, &b.buffer);

    // Images: each texel read at its own centre, which needs more than the
    // half floats of mediump across a wide label.
    const char* image_vertex_source =
        "attribute vec2 position;\n"
        "attribute vec2 coordinate;\n"
        "varying highp vec2 texel;\n"
        "void main() {\n"
        "  gl_Position = vec4(position, 0.0, 1.0);\n"
        "  texel = coordinate;\n"
        "}\n";
    const char* image_fragment_source =
        "#ifdef GL_FRAGMENT_PRECISION_HIGH\n"
        "precision highp float;\n"
        "#else\n"
        "precision mediump float;\n"
        "#endif\n"
        "uniform sampler2D image;\n"
        "varying vec2 texel;\n"
        "void main() { gl_FragColor = texture2D(image, texel); }\n";
    b.image_program = link(image_vertex_source, image_fragment_source);
    b.image_position = glGetAttribLocation(b.image_program, "position");
    b.image_coordinate = glGetAttribLocation(b.image_program, "coordinate");
    glGenBuffers(1, &b.image_buffer);
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

void add_pixel_rect(int x0, int x1, int y0, int y1, const Rgba& colour)
{
    const float left = static_cast<float>(x0);
    const float right = static_cast<float>(x1);
    const float bottom = static_cast<float>(y0);
    const float top = static_cast<float>(y1);
    add_triangle({left, bottom}, {right, bottom}, {right, top}, colour, colour, colour);
    add_triangle({left, bottom}, {right, top}, {left, top}, colour, colour, colour);
}

void add_pixel_run(int x0, int x1, int y, const Rgba& colour) { add_pixel_rect(x0, x1, y, y + 1, colour); }

void add_image(int x, int y, int width, int height, const unsigned char* rgba)
{
    if (width <= 0 || height <= 0) return;
    Batch& b = batch();
    const auto fx = [](int value) { return device_x(static_cast<float>(value)); };
    const auto fy = [](int value) { return device_y(static_cast<float>(value)); };
    b.runs.push_back({image_run, gl_state().blend, static_cast<GLsizei>(b.images.size()), 4});
    b.images.push_back({{fx(x), fy(y), fx(x + width), fy(y + height)}, width, height,
                        std::vector<unsigned char>(rgba, rgba + static_cast<std::size_t>(width) * height * 4)});
}

namespace {

// The shaders' inputs: the batch's vertices, or an image's quad.
void use_vertices(const Batch& b)
{
    glUseProgram(b.program);
    glBindBuffer(GL_ARRAY_BUFFER, b.buffer);
    const auto stride = static_cast<GLsizei>(sizeof(BatchVertex));
    glEnableVertexAttribArray(static_cast<GLuint>(b.position));
    glVertexAttribPointer(static_cast<GLuint>(b.position), 2, GL_FLOAT, GL_FALSE, stride, nullptr);
    glEnableVertexAttribArray(static_cast<GLuint>(b.colour));
    glVertexAttribPointer(static_cast<GLuint>(b.colour), 4, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(2 * sizeof(float)));
}

// The images' quads, four corners each, rows from the bottom: texel (i, j)
// at the centre of pixel (x + i, y + j).
void load_image_quads(const Batch& b, const std::vector<Image>& images)
{
    std::vector<float> quads;
    quads.reserve(images.size() * 16);
    for (const Image& image : images) {
        const float* c = image.corners;
        quads.insert(quads.end(), {c[0], c[1], 0.0f, 0.0f, c[2], c[1], 1.0f, 0.0f,
                                   c[0], c[3], 0.0f, 1.0f, c[2], c[3], 1.0f, 1.0f});
    }
    glBindBuffer(GL_ARRAY_BUFFER, b.image_buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(quads.size() * sizeof(float)), quads.data(),
                 GL_STREAM_DRAW);
}

void use_image_quads(const Batch& b)
{
    glUseProgram(b.image_program);
    glBindBuffer(GL_ARRAY_BUFFER, b.image_buffer);
    const auto stride = static_cast<GLsizei>(4 * sizeof(float));
    glEnableVertexAttribArray(static_cast<GLuint>(b.image_position));
    glVertexAttribPointer(static_cast<GLuint>(b.image_position), 2, GL_FLOAT, GL_FALSE, stride, nullptr);
    glEnableVertexAttribArray(static_cast<GLuint>(b.image_coordinate));
    glVertexAttribPointer(static_cast<GLuint>(b.image_coordinate), 2, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(2 * sizeof(float)));
}

void draw(Batch& b, const Primitives& p)
{
    if (b.program == 0) set_up(b);
    if (!p.images.empty()) load_image_quads(b, p.images);
    glBindBuffer(GL_ARRAY_BUFFER, b.buffer);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(p.vertices.size() * sizeof(BatchVertex)),
                 p.vertices.data(), GL_STREAM_DRAW);
    use_vertices(b);
    // The one blending the programs use: source alpha over what is there.
    emscripten_glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    bool images_in_use = false;
    for (const Run& run : p.runs) {
        if (run.blended) {
            emscripten_glEnable(GL_BLEND);
        } else {
            emscripten_glDisable(GL_BLEND);
        }
        const bool image = run.mode == image_run;
        if (image != images_in_use) {
            if (image) {
                use_image_quads(b);
            } else {
                use_vertices(b);
            }
            images_in_use = image;
        }
        if (image) {
            const Image& shown = p.images[static_cast<std::size_t>(run.first)];
            bind_image_texture(shown.width, shown.height, shown.rgba);
            glDrawArrays(GL_TRIANGLE_STRIP, run.first * 4, 4);
        } else {
            glDrawArrays(run.mode, run.first, run.count);
        }
    }
    emscripten_glDisable(GL_BLEND);
}

}  // namespace

bool has_context() { return emscripten_webgl_get_current_context() != 0; }

void draw_batch()
{
    Batch& b = batch();
    if (b.runs.empty()) return;
    b.picture.push_back({std::move(b.vertices), std::move(b.runs), std::move(b.images)});
    if (has_context()) draw(b, b.picture.back());
    b.vertices.clear();
    b.runs.clear();
    b.images.clear();
}

}  // namespace vibsim::web

void glClear(GLbitfield mask)
{
    vibsim::web::draw_batch();
    if (vibsim::web::has_context()) emscripten_glClear(mask);
    vibsim::web::batch().picture.clear();
    vibsim::web::forget_unused_textures();
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
    b.image_program = 0;
    b.image_buffer = 0;
    forget_all_textures();
    const Rgba& c = b.clear_colour;
    emscripten_glClearColor(c.r, c.g, c.b, c.a);
    const int* vp = gl_state().viewport;
    emscripten_glViewport(vp[0], vp[1], vp[2], vp[3]);
    if (b.last_clear != 0) emscripten_glClear(b.last_clear);
    for (const Primitives& p : b.picture) draw(b, p);
    emscripten_glFlush();
}

// The batch is drawn; WebGL's own flush, a hint that the browser gives
// itself at the end of every task anyway, is left out: the library flushes
// after every chain of masses, and each flush costs a software renderer a
// round trip.
void glFlush() { vibsim::web::draw_batch(); }

void glFinish()
{
    vibsim::web::draw_batch();
    if (vibsim::web::has_context()) emscripten_glFinish();
}
