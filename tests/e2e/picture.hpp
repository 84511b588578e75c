// What a window shows, as pixels, and the few measurements the end-to-end
// tests make on it: colour classes, counts over regions, grid lines, curve
// extents and the mass disc.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vibsim::e2e {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

// Row 0 is the top of the window, as on the screen.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;  // row after row

    bool empty() const { return pixels.empty(); }
    Rgb at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    bool operator==(const Picture&) const = default;
};

// Colour classes. The program draws with flat colours and no blending, so the
// classes are wide apart.
bool is_white(Rgb c);
bool is_dark(Rgb c);   // black lines and the labels
bool is_red(Rgb c);    // the string, the mass and y(t)
bool is_green(Rgb c);  // v(t)
using ColourClass = bool (*)(Rgb);

// A half-open rectangle of pixels: x0 <= x < x1, y0 <= y < y1, clipped to the
// picture when measured.
struct Region {
    int x0, y0, x1, y1;
};

int count(const Picture& picture, Region region, ColourClass colour);
int count_not_white(const Picture& picture, Region region);

// Lines that cross a region: rows (or columns) in which at least `fraction`
// of the region's pixels are `colour`, adjacent ones merged into one line at
// their middle.
std::vector<double> horizontal_lines(const Picture& picture, Region region, ColourClass colour,
                                     double fraction);
std::vector<double> vertical_lines(const Picture& picture, Region region, ColourClass colour,
                                   double fraction);

// The first and last column in which a region holds a pixel of `colour`.
struct Extent {
    int first, last;
};
std::optional<Extent> horizontal_extent(const Picture& picture, Region region, ColourClass colour);

// A filled disc: found as the columns of the region whose longest vertical
// run of `colour` is at least `min_run` pixels long, measured out to its rim
// along its middle row, and centred on the middle of that run in its central
// column. Lines of the same colour, a few pixels thick, do not count.
struct Disc {
    double x, y;      // centre, in pixels
    int width, height;
};
std::optional<Disc> find_disc(const Picture& picture, Region region, ColourClass colour, int min_run);

// Writes the picture as a PNG (through ImageMagick), for looking at a failure;
// false when that was not possible.
bool save_png(const Picture& picture, const std::string& path);

}  // namespace vibsim::e2e
