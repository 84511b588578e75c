// Small convex polygons filled as rows of pixels. The library's discs are
// polygons of 100 vertices a few pixels across; as a fan of 98 sliver
// triangles each, the chains of the modes lab give a software renderer
// (SwiftShader, the browser's WebGL without a GPU) some 50 000 triangles a
// frame. Filled here instead, by the rule a GL rasteriser follows (a pixel is
// filled when its centre lies inside the polygon; a centre on a left or
// bottom edge counts as inside, on a right or top edge as outside, as in the
// "top-left" rule of scan conversion, e.g. Foley, van Dam et al., Computer
// Graphics, 3.6), each row is one run of pixels, and rows alike one
// rectangle: two triangles.
#include "fixed_function.hpp"

#include <algorithm>
#include <cmath>

namespace vibsim::web {

namespace {

// Polygons of fewer vertices (triangles, quads) go to WebGL as they are, and
// so do those of more rows than this, whose fans are not slivers.
constexpr std::size_t fewest_vertices = 8;
constexpr int most_rows = 32;

bool one_colour(const std::vector<Vertex>& polygon)
{
    const Rgba& c = polygon.front().colour;
    return std::all_of(polygon.begin(), polygon.end(), [&c](const Vertex& v) {
        return v.colour.r == c.r && v.colour.g == c.g && v.colour.b == c.b && v.colour.a == c.a;
    });
}

// The first row whose centre (y + 0.5) is at or above `y`.
int first_row_from(double y) { return static_cast<int>(std::ceil(y - 0.5)); }

}  // namespace

bool add_polygon_rows(const std::vector<Vertex>& polygon)
{
    if (polygon.size() < fewest_vertices || !one_colour(polygon)) return false;
    double low = polygon.front().point.y;
    double high = low;
    for (const Vertex& v : polygon) {
        if (!std::isfinite(v.point.x) || !std::isfinite(v.point.y)) return false;
        low = std::min(low, static_cast<double>(v.point.y));
        high = std::max(high, static_cast<double>(v.point.y));
    }
    const int first = first_row_from(low);
    const int rows = first_row_from(high) - first;
    if (rows > most_rows) return false;
    if (rows <= 0) return true;  // no pixel centre inside

    // Where each row's centre line crosses the edges: the leftmost and
    // rightmost crossing bound the row's pixels. Each edge counts the rows
    // whose centres lie from its lower end up to, not at, its upper end.
    double left[most_rows];
    double right[most_rows];
    std::fill(left, left + rows, HUGE_VAL);
    std::fill(right, right + rows, -HUGE_VAL);
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const WindowPoint& a = polygon[i].point;
        const WindowPoint& b = polygon[(i + 1) % polygon.size()].point;
        if (a.y == b.y) continue;
        const WindowPoint& lower = a.y < b.y ? a : b;
        const WindowPoint& upper = a.y < b.y ? b : a;
        const double slope = (static_cast<double>(upper.x) - lower.x) / (static_cast<double>(upper.y) - lower.y);
        for (int row = first_row_from(lower.y); row < first_row_from(upper.y); ++row) {
            const double x = lower.x + (row + 0.5 - lower.y) * slope;
            left[row - first] = std::min(left[row - first], x);
            right[row - first] = std::max(right[row - first], x);
        }
    }
    // Rows of the same pixels in a row (the middle of a disc) as one
    // rectangle.
    const Rgba& colour = polygon.front().colour;
    int row = 0;
    while (row < rows) {
        const bool crossed = left[row] <= right[row];
        const int x0 = crossed ? first_row_from(left[row]) : 0;
        const int x1 = crossed ? first_row_from(right[row]) : 0;
        int end = row + 1;
        while (end < rows && left[end] <= right[end] && first_row_from(left[end]) == x0 &&
               first_row_from(right[end]) == x1) {
            ++end;
        }
        if (x1 > x0) add_pixel_rect(x0, x1, first + row, first + end, colour);
        row = end;
    }
    return true;
}

}  // namespace vibsim::web
