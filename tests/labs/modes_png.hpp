// vibsim-modes' --png pictures read back, and a measure of how far one
// picture is from another shrunk, for the tests of its picture.
#pragma once

#include "picture.hpp"

#include <string>
#include <vector>

namespace vibsim::windows {

// The program's --png of `arguments` (with --lang en), read back through
// ImageMagick; empty when either fails.
e2e::Picture modes_png(std::vector<std::string> arguments);

// The largest difference of a channel between the mean colour of a block of
// `block` x `block` pixels in `part` of `small`, whose picture starts at
// (dx, dy), and the mean of the same part of `large`, the picture `factor`
// times larger.
int largest_block_difference(const e2e::Picture& small, const e2e::Picture& large, e2e::Region part, int dx, int dy,
                             double factor, int block);

}  // namespace vibsim::windows
