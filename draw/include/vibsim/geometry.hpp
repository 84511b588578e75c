// The records shared by the drawing and plotting operations.
#pragma once

namespace vibsim {

// A point in world units: the identity projection maps -1 .. +1 in both
// directions onto the whole window.
struct Point2 {
    double x;
    double y;
};

// A position in world units whose x and y place a shape; z is carried along
// for callers that keep positions in space and is not drawn.
struct Point3 {
    double x;
    double y;
    double z;
};

// A colour as handed to glColor4f: red, green, blue, alpha, each 0 to 1.
// Blending is never enabled, so alpha 0 still draws opaque.
struct Colour4 {
    float red;
    float green;
    float blue;
    float alpha;
};

}  // namespace vibsim
