// The gallery's panels: one drawing for each shape of vibsim/draw.hpp and
// each plot of vibsim/plot.hpp, made with the library's own calls in the
// panel's coordinates, -1 ... +1 in both directions.
#pragma once

#include <span>

namespace vibsim::gallery {

struct Panel {
    const char* name;  // the function shown, which labels the panel
    void (*draw)();
};

// The panels in the order of the grid, row by row from the top left.
std::span<const Panel> panels();

}  // namespace vibsim::gallery
