// plot_xy_curve: one series against another of the same array, as a polyline
// of separate segments; both coordinates of every point come from the data.
#include "vibsim/draw.hpp"
#include "vibsim/plot.hpp"
#include "vibsim/shape_scope.hpp"

#include <GL/gl.h>

namespace vibsim {

void plot_xy_curve(const Point2& origin, double xscale, double yscale, int n,
                   const double* values, int offset)
{
    glLineWidth(2.0f);
    if (n < 1) return;
    const double* ys = values + offset;
    const ShapeScope scope;  // one lighting bracket for the whole curve
    Point2 cur{xscale * values[0] + origin.x, yscale * ys[0] + origin.y};
    for (int i = 1; i <= n; ++i) {
        const Point2 prev = cur;
        cur = {xscale * values[i] + origin.x, yscale * ys[i] + origin.y};
        draw_line(prev, cur, curve_colour);
    }
}

}  // namespace vibsim
