// The records shared by the drawing and plotting operations.
#pragma once

namespace vibsim {

// A point in world units: the identity projection maps -1 .. +1 in both
// directions onto the whole window.
struct Point2 {
    double x;
    double y;
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
