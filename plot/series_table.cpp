// plot_series_table: the series of a table, each a polyline of separate
// segments in its palette colour against an evenly spaced x axis accumulated
// by repeated addition of the spacing; the same segments, colours and order as
// plot_series_set.
#include "vibsim/draw.hpp"
#include "vibsim/plot.hpp"
#include "vibsim/shape_scope.hpp"

#include <GL/gl.h>

#include <cstddef>

namespace vibsim {

void plot_series_table(const Point2& origin, double dx, const double* yscales, int n, int count,
                       const double* values, int stride)
{
    glLineWidth(2.0f);
    if (count < 1 || n < 1) return;
    const ShapeScope scope;  // one lighting bracket for the whole table
    for (int k = 0; k < count; ++k) {
        const double* row = values + static_cast<std::ptrdiff_t>(k) * stride;
        const Colour4& colour = plot_palette[static_cast<std::size_t>(k)];
        Point2 cur{origin.x, row[0] * yscales[k] + origin.y};
        for (int j = 1; j <= n; ++j) {
            const Point2 prev = cur;
            cur.x = prev.x + dx;
            cur.y = row[j] * yscales[k] + origin.y;
            draw_line(prev, cur, colour);
        }
    }
}

}  // namespace vibsim
