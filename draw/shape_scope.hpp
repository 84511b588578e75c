// The bracket that every shape primitive draws inside, written once: lighting
// off on entry and on again on exit (unconditionally: the state on entry is not
// saved), and, for shapes that translate or rotate, the caller's model-view
// matrix pushed on entry and popped on exit. Private to the drawing library.
#pragma once

#include "vibsim/draw.hpp"
#include "vibsim/geometry.hpp"

#include <GL/gl.h>

namespace vibsim {

class ShapeScope {
public:
    // `keep`: the shape draws in the caller's matrix as it is.
    // `push`: the shape may translate or rotate; the matrix is restored.
    enum class Matrix { keep, push };

    // Open the scope only after every scaled value has been computed: its
    // glDisable(GL_LIGHTING) is the shape's first graphics call.
    explicit ShapeScope(Matrix matrix = Matrix::keep) : pushed_(matrix == Matrix::push)
    {
        glDisable(GL_LIGHTING);
        if (pushed_) glPushMatrix();
    }

    // glEnable(GL_LIGHTING) is the shape's last graphics call.
    ~ShapeScope()
    {
        if (pushed_) glPopMatrix();
        glEnable(GL_LIGHTING);
    }

    ShapeScope(const ShapeScope&) = delete;
    ShapeScope& operator=(const ShapeScope&) = delete;

private:
    bool pushed_;
};

inline void set_colour(const Colour4& colour)
{
    glColor4f(colour.red, colour.green, colour.blue, colour.alpha);
}

// Moves the origin to (cx, cy), already scaled, and turns the frame
// counter-clockwise by `angle` radians.
inline void place(double cx, double cy, double angle)
{
    glTranslated(cx, cy, 0.0);
    glRotated(angle / rad_per_deg, 0.0, 0.0, 1.0);
}

inline constexpr Colour4 black{0.0f, 0.0f, 0.0f, 0.0f};

}  // namespace vibsim
