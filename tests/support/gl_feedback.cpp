#include "gl_feedback.hpp"

#include <GL/gl.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

namespace vibsim::test {

namespace {

// Reads GL_3D_COLOR vertices (x, y, z, r, g, b, a) from a feedback buffer.
class FeedbackReader {
public:
    FeedbackReader(const std::vector<GLfloat>& buffer, std::size_t size)
        : buffer_(buffer), size_(size)
    {
    }

    bool done() const { return pos_ >= size_; }

    double next()
    {
        if (pos_ >= size_) throw std::runtime_error("feedback buffer ends inside a token");
        return buffer_[pos_++];
    }

    FeedbackVertex vertex()
    {
        FeedbackVertex v{};
        v.x = next();
        v.y = next();
        v.z = next();
        v.red = next();
        v.green = next();
        v.blue = next();
        v.alpha = next();
        return v;
    }

    void read_vertices(FeedbackToken& token, std::size_t count)
    {
        for (std::size_t i = 0; i < count; ++i) token.vertices.push_back(vertex());
    }

private:
    const std::vector<GLfloat>& buffer_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

bool same_place(const FeedbackVertex& a, const FeedbackVertex& b)
{
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

bool shares_vertex(const FeedbackToken& a, const FeedbackToken& b)
{
    for (const FeedbackVertex& u : a.vertices) {
        for (const FeedbackVertex& v : b.vertices) {
            if (same_place(u, v)) return true;
        }
    }
    return false;
}

}  // namespace

std::vector<FeedbackToken> capture_feedback(const std::function<void()>& draw, std::size_t capacity)
{
    std::vector<GLfloat> buffer(capacity);
    glFeedbackBuffer(static_cast<GLsizei>(capacity), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    try {
        draw();
    } catch (...) {
        glRenderMode(GL_RENDER);
        throw;
    }
    const GLint size = glRenderMode(GL_RENDER);
    if (size < 0) {
        throw std::length_error("feedback overflowed " + std::to_string(capacity) + " floats");
    }

    std::vector<FeedbackToken> tokens;
    FeedbackReader reader(buffer, static_cast<std::size_t>(size));
    while (!reader.done()) {
        const auto code = static_cast<GLint>(reader.next());
        FeedbackToken token{};
        switch (code) {
        case GL_POINT_TOKEN:
            token.kind = TokenKind::point;
            reader.read_vertices(token, 1);
            break;
        case GL_LINE_TOKEN:
        case GL_LINE_RESET_TOKEN:
            token.kind = TokenKind::line;
            token.line_reset = code == GL_LINE_RESET_TOKEN;
            reader.read_vertices(token, 2);
            break;
        case GL_POLYGON_TOKEN:
            token.kind = TokenKind::polygon;
            reader.read_vertices(token, static_cast<std::size_t>(reader.next()));
            break;
        case GL_BITMAP_TOKEN:
            token.kind = TokenKind::bitmap;
            reader.read_vertices(token, 1);
            break;
        case GL_DRAW_PIXEL_TOKEN:
            token.kind = TokenKind::draw_pixel;
            reader.read_vertices(token, 1);
            break;
        case GL_COPY_PIXEL_TOKEN:
            token.kind = TokenKind::copy_pixel;
            reader.read_vertices(token, 1);
            break;
        case GL_PASS_THROUGH_TOKEN:
            token.kind = TokenKind::pass_through;
            token.pass_through_value = reader.next();
            break;
        default:
            throw std::runtime_error("unknown feedback token " + std::to_string(code));
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

int selection_hits(const std::function<void()>& draw)
{
    std::vector<GLuint> buffer(256);
    glSelectBuffer(static_cast<GLsizei>(buffer.size()), buffer.data());
    glRenderMode(GL_SELECT);
    glInitNames();
    glPushName(1);
    try {
        draw();
    } catch (...) {
        glRenderMode(GL_RENDER);
        throw;
    }
    return glRenderMode(GL_RENDER);
}

std::vector<FeedbackToken> tokens_of_kind(const std::vector<FeedbackToken>& tokens, TokenKind kind)
{
    std::vector<FeedbackToken> out;
    for (const FeedbackToken& token : tokens) {
        if (token.kind == kind) out.push_back(token);
    }
    return out;
}

std::vector<std::vector<FeedbackVertex>> polygon_vertex_sets(
    const std::vector<FeedbackToken>& tokens)
{
    std::vector<std::vector<FeedbackVertex>> polygons;
    const FeedbackToken* first = nullptr;
    for (const FeedbackToken& token : tokens) {
        if (token.kind != TokenKind::polygon) {
            first = nullptr;
            continue;
        }
        if (first == nullptr || !shares_vertex(*first, token)) {
            polygons.emplace_back();
            first = &token;
        }
        std::vector<FeedbackVertex>& polygon = polygons.back();
        for (const FeedbackVertex& v : token.vertices) {
            bool seen = false;
            for (const FeedbackVertex& u : polygon) seen = seen || same_place(u, v);
            if (!seen) polygon.push_back(v);
        }
    }
    return polygons;
}

double world_from_pixel(double pixel, double half_extent)
{
    return (pixel / (window_pixels / 2.0) - 1.0) * half_extent;
}

ScopedOrtho::ScopedOrtho(double half_extent)
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-half_extent, half_extent, -half_extent, half_extent, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
}

ScopedOrtho::~ScopedOrtho()
{
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

GlState read_gl_state()
{
    GlState state{};
    state.lighting = glIsEnabled(GL_LIGHTING) == GL_TRUE;
    glGetFloatv(GL_LINE_WIDTH, &state.line_width);
    glGetFloatv(GL_CURRENT_COLOR, state.colour.data());
    glGetDoublev(GL_MODELVIEW_MATRIX, state.modelview.data());
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    state.modelview_depth = depth;
    return state;
}

void reset_gl_state()
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    for (; depth > 1; --depth) glPopMatrix();
    glLoadIdentity();
    glLineWidth(1.0f);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glDisable(GL_LIGHTING);
}

unsigned long long ulp_distance(double a, double b)
{
    // Map the doubles onto a line of integers that is monotonic in their value.
    const auto ordered = [](double x) {
        const auto bits = std::bit_cast<std::int64_t>(x);
        return bits < 0 ? std::numeric_limits<std::int64_t>::min() - bits : bits;
    };
    const std::int64_t ia = ordered(a);
    const std::int64_t ib = ordered(b);
    return ia > ib ? static_cast<unsigned long long>(ia) - static_cast<unsigned long long>(ib)
                   : static_cast<unsigned long long>(ib) - static_cast<unsigned long long>(ia);
}

}  // namespace vibsim::test
