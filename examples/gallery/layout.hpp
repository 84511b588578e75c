// Where the gallery's panels lie. The picture is a grid of gallery_columns x
// gallery_rows cells in a drawing area of gallery_aspect (width / height),
// centred in the window with white margins when the window has another
// shape. Each cell holds its label in a strip along its top and its drawing
// in the square below, which the panel's own coordinates -1 ... +1 fill to
// within a margin. Cells are numbered row by row from the top left.
#pragma once

namespace vibsim::gallery {

inline constexpr int gallery_columns = 6;
inline constexpr int gallery_rows = 3;
// A cell is 1 unit wide and cell_height tall: the square drawing and the
// label strip above it.
inline constexpr double label_strip = 0.2;
inline constexpr double cell_height = 1.0 + label_strip;
inline constexpr double gallery_aspect = gallery_columns / (gallery_rows * cell_height);
// The panel's -1 ... +1 covers this much of its square's half-width.
inline constexpr double panel_half_size = 0.45;

struct PixelRect {
    double x0, y0, x1, y1;  // from the window's top left corner, in pixels
};

// The drawing area: the largest rectangle of the gallery's aspect that fits
// the window, centred.
inline PixelRect drawing_area(int width, int height)
{
    double w = width;
    double h = width / gallery_aspect;
    if (h > height) {
        h = height;
        w = height * gallery_aspect;
    }
    const double x0 = (width - w) / 2.0;
    const double y0 = (height - h) / 2.0;
    return {x0, y0, x0 + w, y0 + h};
}

// The square in which panel `index` draws (its -1 ... +1 in both directions),
// in window pixels.
inline PixelRect panel_square(int index, int width, int height)
{
    const PixelRect area = drawing_area(width, height);
    const double unit = (area.x1 - area.x0) / gallery_columns;
    const int column = index % gallery_columns;
    const int row = index / gallery_columns;
    const double centre_x = area.x0 + (column + 0.5) * unit;
    const double centre_y = area.y0 + (row * cell_height + label_strip + 0.5) * unit;
    const double half = panel_half_size * unit;
    return {centre_x - half, centre_y - half, centre_x + half, centre_y + half};
}

}  // namespace vibsim::gallery
