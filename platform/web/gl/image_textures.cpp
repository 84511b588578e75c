// The textures of the pixel images, kept from one picture to the next: a
// lab's labels are mostly the same every frame, and a software renderer
// takes far longer to upload an image than to draw it. An image is found by
// its size and bytes (a hash first, then the bytes themselves); a texture
// that a whole picture went without is deleted at the next clear.
#include "fixed_function.hpp"

#include <GLES2/gl2.h>

#include <algorithm>
#include <functional>
#include <string_view>

namespace vibsim::web {

namespace {

struct CachedTexture {
    std::size_t hash;
    int width, height;
    std::vector<unsigned char> rgba;
    GLuint texture;
    bool used;  // since the last clear
};

std::vector<CachedTexture>& cache()
{
    static std::vector<CachedTexture> textures;
    return textures;
}

std::size_t hash_of(int width, int height, const std::vector<unsigned char>& rgba)
{
    const std::string_view bytes(reinterpret_cast<const char*>(rgba.data()), rgba.size());
    return std::hash<std::string_view>{}(bytes) ^ (static_cast<std::size_t>(width) * 0x9e3779b9u + static_cast<std::size_t>(height));
}

}  // namespace

void bind_image_texture(int width, int height, const std::vector<unsigned char>& rgba)
{
    const std::size_t hash = hash_of(width, height, rgba);
    for (CachedTexture& t : cache()) {
        if (t.hash == hash && t.width == width && t.height == height && t.rgba == rgba) {
            t.used = true;
            glBindTexture(GL_TEXTURE_2D, t.texture);
            return;
        }
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    cache().push_back({hash, width, height, rgba, texture, true});
}

void forget_unused_textures()
{
    std::vector<CachedTexture>& textures = cache();
    for (const CachedTexture& t : textures) {
        if (!t.used && has_context()) glDeleteTextures(1, &t.texture);
    }
    std::erase_if(textures, [](const CachedTexture& t) { return !t.used; });
    for (CachedTexture& t : textures) t.used = false;
}

void forget_all_textures() { cache().clear(); }

}  // namespace vibsim::web
