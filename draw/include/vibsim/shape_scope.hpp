// The bracket that every shape is drawn inside: lighting off while it draws
// and enabled afterwards, whatever it was before, and for shapes that
// translate or rotate the caller's model-view matrix saved and restored.
//
// Scopes nest. Only the outermost one switches lighting, so a plot that draws
// hundreds of segments inside one scope switches it once instead of once per
// segment (each switch costs a state validation in the GL); what is drawn and
// the state left afterwards are the same.
#pragma once

namespace vibsim {

class ShapeScope {
public:
    // `keep`: the shape draws in the caller's matrix as it is.
    // `push`: the shape may translate or rotate; the matrix is restored.
    enum class Matrix { keep, push };

    // Open the scope only after every scaled value has been computed: its
    // glDisable(GL_LIGHTING) is the shape's first graphics call.
    explicit ShapeScope(Matrix matrix = Matrix::keep);

    // glEnable(GL_LIGHTING) is the shape's last graphics call.
    ~ShapeScope();

    ShapeScope(const ShapeScope&) = delete;
    ShapeScope& operator=(const ShapeScope&) = delete;

private:
    bool pushed_;
};

}  // namespace vibsim
