// plot_series and plot_series_set: sampled series drawn as polylines of
// separate segments against an evenly spaced x axis, the x of each sample
// accumulated by repeated addition of the spacing.
#include "vibsim/draw.hpp"
#include "vibsim/plot.hpp"
#include "vibsim/shape_scope.hpp"

#include <GL/gl.h>

#include <cstddef>

namespace vibsim {

void plot_series(const Point2& origin, double dx, double yscale, int n, const double* values,
                 const Colour4& colour)
{
    glLineWidth(2.0f);
    if (n < 1) return;
    // One lighting bracket for the whole polyline rather than one per segment.
    const ShapeScope scope;
    Point2 cur{origin.x, yscale * values[0] + origin.y};
    for (int i = 1; i <= n; ++i) {
        const Point2 prev = cur;
        cur.x = prev.x + dx;
        cur.y = yscale * values[i] + origin.y;
        draw_line(prev, cur, colour);
    }
}

void plot_series_set(const Point2& origin, double dx, const double* yscales, int count, int n,
                     const double* values, int stride)
{
    const auto draw_each = [&] {
        for (int k = 0; k < count; ++k) {
            const std::ptrdiff_t start = static_cast<std::ptrdiff_t>(k) * stride;
            plot_series(origin, dx, yscales[k], n, values + start,
                        plot_palette[static_cast<std::size_t>(k)]);
        }
    };
    if (count < 1 || n < 1) {
        draw_each();  // no segment: at most the line width is set
        return;
    }
    const ShapeScope scope;  // one lighting bracket for all the series
    draw_each();
}

}  // namespace vibsim
