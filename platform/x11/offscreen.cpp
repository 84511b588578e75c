#include "platform/offscreen.hpp"

#include "platform/program_name.hpp"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>
#include <png.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace vibsim::platform {

namespace {

bool fail(const char* what)
{
    std::fprintf(stderr, "%s: cannot render off screen: %s\n", program_name(), what);
    return false;
}

// The EGL display and context of one picture, released when it is done.
struct Context {
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLContext context = EGL_NO_CONTEXT;

    ~Context()
    {
        if (display == EGL_NO_DISPLAY) return;
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        if (context != EGL_NO_CONTEXT) eglDestroyContext(display, context);
        eglTerminate(display);
    }
};

// A desktop OpenGL context, current without any surface.
bool make_context(Context& c)
{
    const auto get_platform_display =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (get_platform_display == nullptr) return fail("EGL lacks eglGetPlatformDisplayEXT");
    c.display = get_platform_display(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (c.display == EGL_NO_DISPLAY) return fail("no surfaceless EGL display (Mesa's libegl-mesa0)");
    if (eglInitialize(c.display, nullptr, nullptr) != EGL_TRUE) {
        c.display = EGL_NO_DISPLAY;
        return fail("the surfaceless EGL display does not initialise");
    }
    if (eglBindAPI(EGL_OPENGL_API) != EGL_TRUE) return fail("EGL offers no desktop OpenGL");
    c.context = eglCreateContext(c.display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, nullptr);
    if (c.context == EGL_NO_CONTEXT) return fail("EGL gives no OpenGL context");
    if (eglMakeCurrent(c.display, EGL_NO_SURFACE, EGL_NO_SURFACE, c.context) != EGL_TRUE) {
        return fail("the OpenGL context cannot be made current without a surface");
    }
    return true;
}

template <class Function>
Function gl_function(const char* name)
{
    return reinterpret_cast<Function>(eglGetProcAddress(name));
}

// The image as PNG bytes, encoded in memory: nothing touches a file here.
bool encode_png(int width, int height, const std::vector<std::uint8_t>& pixels, std::string& png)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(width);
    image.height = static_cast<png_uint_32>(height);
    image.format = PNG_FORMAT_RGB;
    // GL's rows run from the bottom up: a negative stride writes them from
    // the last.
    const auto stride = -static_cast<png_int_32>(width * 3);
    png_alloc_size_t size = 0;
    if (png_image_write_get_memory_size(image, size, 0, pixels.data(), stride, nullptr) == 0) {
        std::fprintf(stderr, "%s: cannot encode the picture as PNG: %s\n", program_name(), image.message);
        return false;
    }
    png.resize(size);
    if (png_image_write_to_memory(&image, png.data(), &size, 0, pixels.data(), stride, nullptr) == 0) {
        std::fprintf(stderr, "%s: cannot encode the picture as PNG: %s\n", program_name(), image.message);
        return false;
    }
    png.resize(size);
    return true;
}

}  // namespace

bool png_picture(int width, int height, const std::function<void(int, int)>& draw, std::string& png)
{
    Context context;
    if (!make_context(context)) return false;

    const auto gen_framebuffers = gl_function<PFNGLGENFRAMEBUFFERSPROC>("glGenFramebuffers");
    const auto bind_framebuffer = gl_function<PFNGLBINDFRAMEBUFFERPROC>("glBindFramebuffer");
    const auto gen_renderbuffers = gl_function<PFNGLGENRENDERBUFFERSPROC>("glGenRenderbuffers");
    const auto bind_renderbuffer = gl_function<PFNGLBINDRENDERBUFFERPROC>("glBindRenderbuffer");
    const auto renderbuffer_storage = gl_function<PFNGLRENDERBUFFERSTORAGEPROC>("glRenderbufferStorage");
    const auto framebuffer_renderbuffer =
        gl_function<PFNGLFRAMEBUFFERRENDERBUFFERPROC>("glFramebufferRenderbuffer");
    const auto check_framebuffer = gl_function<PFNGLCHECKFRAMEBUFFERSTATUSPROC>("glCheckFramebufferStatus");
    const auto delete_renderbuffers = gl_function<PFNGLDELETERENDERBUFFERSPROC>("glDeleteRenderbuffers");
    const auto delete_framebuffers = gl_function<PFNGLDELETEFRAMEBUFFERSPROC>("glDeleteFramebuffers");
    if (gen_framebuffers == nullptr || bind_framebuffer == nullptr || gen_renderbuffers == nullptr ||
        bind_renderbuffer == nullptr || renderbuffer_storage == nullptr || framebuffer_renderbuffer == nullptr ||
        check_framebuffer == nullptr || delete_renderbuffers == nullptr || delete_framebuffers == nullptr) {
        return fail("the OpenGL context has no framebuffer objects");
    }
    GLint largest = 0;
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &largest);
    if (width > largest || height > largest) return fail("the picture is larger than the OpenGL driver draws");

    // Colour and depth, as the window's own framebuffer has.
    GLuint framebuffer = 0;
    GLuint renderbuffers[2] = {0, 0};
    gen_framebuffers(1, &framebuffer);
    bind_framebuffer(GL_FRAMEBUFFER, framebuffer);
    gen_renderbuffers(2, renderbuffers);
    bind_renderbuffer(GL_RENDERBUFFER, renderbuffers[0]);
    renderbuffer_storage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    framebuffer_renderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, renderbuffers[0]);
    bind_renderbuffer(GL_RENDERBUFFER, renderbuffers[1]);
    renderbuffer_storage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    framebuffer_renderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, renderbuffers[1]);
    const bool complete = check_framebuffer(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;

    std::vector<std::uint8_t> pixels;
    if (complete) {
        glDrawBuffer(GL_COLOR_ATTACHMENT0);
        glReadBuffer(GL_COLOR_ATTACHMENT0);
        draw(width, height);
        glFinish();
        pixels.resize(static_cast<std::size_t>(width) * height * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    }
    bind_framebuffer(GL_FRAMEBUFFER, 0);
    delete_renderbuffers(2, renderbuffers);
    delete_framebuffers(1, &framebuffer);
    if (!complete) return fail("the framebuffer object is incomplete");
    return encode_png(width, height, pixels, png);
}

}  // namespace vibsim::platform
