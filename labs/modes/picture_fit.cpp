// The picture in a window smaller than its least size: drawn at that size
// into a framebuffer object, read back and shrunk into the window by area
// averaging (each pixel of the window the mean of the picture's pixels it
// covers, in proportion to the part of each it covers), so that thin lines
// and the labels keep their weight rather than falling between samples.
#define GL_GLEXT_PROTOTYPES 1
#include "modes/picture.hpp"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace vibsim::modes {

namespace {

// A framebuffer with colour and depth of width x height, bound for drawing
// while it lives; the one bound before is bound again at its end.
class PictureBuffer {
public:
    PictureBuffer(int width, int height)
    {
        glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &previous_draw_);
        glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &previous_read_);
        glGenFramebuffers(1, &framebuffer_);
        glGenRenderbuffers(2, renderbuffers_);
        glBindRenderbuffer(GL_RENDERBUFFER, renderbuffers_[0]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
        glBindRenderbuffer(GL_RENDERBUFFER, renderbuffers_[1]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, renderbuffers_[0]);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, renderbuffers_[1]);
        complete_ = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    }
    ~PictureBuffer()
    {
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(previous_draw_));
        glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(previous_read_));
        glDeleteRenderbuffers(2, renderbuffers_);
        glDeleteFramebuffers(1, &framebuffer_);
    }
    PictureBuffer(const PictureBuffer&) = delete;
    PictureBuffer& operator=(const PictureBuffer&) = delete;
    bool complete() const { return complete_; }

private:
    GLint previous_draw_ = 0;
    GLint previous_read_ = 0;
    GLuint framebuffer_ = 0;
    GLuint renderbuffers_[2] = {0, 0};
    bool complete_ = false;
};

// The weights by which `from` pixels in a row fall on each of `to` pixels
// (to <= from): pixel i of `to` covers [i f, (i + 1) f) of `from`, f = from / to.
struct Cover {
    int first;            // the first pixel of `from` it covers
    std::vector<double> weights;  // of first, first + 1, ..., summing to 1
};

std::vector<Cover> covers(int from, int to)
{
    std::vector<Cover> out(static_cast<std::size_t>(to));
    const double f = static_cast<double>(from) / to;
    for (int i = 0; i < to; ++i) {
        const double a = i * f;
        const double b = std::min((i + 1) * f, static_cast<double>(from));
        Cover& c = out[static_cast<std::size_t>(i)];
        c.first = static_cast<int>(std::floor(a));
        for (int p = c.first; p < from && p < b; ++p) {
            const double part = std::min(b, p + 1.0) - std::max(a, static_cast<double>(p));
            c.weights.push_back(part / f);
        }
    }
    return out;
}

// The RGBA image of from_w x from_h shrunk to to_w x to_h by area averaging.
std::vector<std::uint8_t> shrunk(const std::vector<std::uint8_t>& image, int from_w, int from_h, int to_w, int to_h)
{
    const std::vector<Cover> across = covers(from_w, to_w);
    const std::vector<Cover> up = covers(from_h, to_h);
    // Rows first: from_h rows of to_w pixels.
    std::vector<double> rows(static_cast<std::size_t>(from_h) * to_w * 4, 0.0);
    for (int y = 0; y < from_h; ++y) {
        for (int x = 0; x < to_w; ++x) {
            const Cover& c = across[static_cast<std::size_t>(x)];
            double* to = &rows[(static_cast<std::size_t>(y) * to_w + x) * 4];
            for (std::size_t p = 0; p < c.weights.size(); ++p) {
                const std::uint8_t* from = &image[(static_cast<std::size_t>(y) * from_w + c.first + p) * 4];
                for (int channel = 0; channel < 4; ++channel) to[channel] += c.weights[p] * from[channel];
            }
        }
    }
    std::vector<std::uint8_t> out(static_cast<std::size_t>(to_h) * to_w * 4);
    for (int y = 0; y < to_h; ++y) {
        const Cover& c = up[static_cast<std::size_t>(y)];
        for (int x = 0; x < to_w; ++x) {
            double sum[4] = {0.0, 0.0, 0.0, 0.0};
            for (std::size_t p = 0; p < c.weights.size(); ++p) {
                const double* from = &rows[((c.first + p) * static_cast<std::size_t>(to_w) + x) * 4];
                for (int channel = 0; channel < 4; ++channel) sum[channel] += c.weights[p] * from[channel];
            }
            for (int channel = 0; channel < 4; ++channel) {
                out[(static_cast<std::size_t>(y) * to_w + x) * 4 + channel] =
                    static_cast<std::uint8_t>(std::clamp(std::lround(sum[channel]), 0L, 255L));
            }
        }
    }
    return out;
}

}  // namespace

void show_picture(int width, int height, const Session& session)
{
    // The picture's rectangle in the window, as set_picture_view places it.
    double across = width;
    double up = width / picture_aspect;
    if (up > height) {
        up = height;
        across = height * picture_aspect;
    }
    const int w = static_cast<int>(across);
    const int h = static_cast<int>(up);
    if (w >= least_picture_width || w < 1 || h < 1) {
        set_picture_view(width, height);
        draw_picture(session);
        return;
    }
    std::vector<std::uint8_t> image(static_cast<std::size_t>(least_picture_width) * least_picture_height * 4);
    {
        const PictureBuffer buffer(least_picture_width, least_picture_height);
        if (!buffer.complete()) {
            set_picture_view(width, height);
            draw_picture(session);
            return;
        }
        set_picture_view(least_picture_width, least_picture_height);
        draw_picture(session);
        glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, least_picture_width, least_picture_height, GL_RGBA, GL_UNSIGNED_BYTE, image.data());
        glPopClientAttrib();
    }
    const std::vector<std::uint8_t> small = shrunk(image, least_picture_width, least_picture_height, w, h);
    glViewport(0, 0, width, height);
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glWindowPos2i(static_cast<GLint>((width - across) / 2.0), static_cast<GLint>((height - up) / 2.0));
    glDrawPixels(w, h, GL_RGBA, GL_UNSIGNED_BYTE, small.data());
    glPopClientAttrib();
    glPopAttrib();
    set_picture_view(width, height);
}

}  // namespace vibsim::modes
