// scale_coord: the world-to-drawing scaling that every shape primitive applies
// to its coordinates and lengths.
#include "vibsim/draw.hpp"

namespace vibsim {

double scale_coord(double x) { return x * coord_scale / coord_scale; }

}  // namespace vibsim
