// plot_stems: each sample as a vertical stem from a baseline, the x of each
// stem accumulated by repeated addition of the spacing.
#include "vibsim/draw.hpp"
#include "vibsim/plot.hpp"
#include "vibsim/shape_scope.hpp"

#include <GL/gl.h>

namespace vibsim {

void plot_stems(const Point2& origin, double dx, double yscale, int n, const double* values)
{
    glLineWidth(2.0f);
    if (n < 0) return;
    const ShapeScope scope;  // one lighting bracket for all the stems
    Point2 base{origin.x - dx, origin.y};
    for (int i = 0; i <= n; ++i) {
        base.x = base.x + dx;
        const Point2 tip{base.x, yscale * values[i] + base.y};
        draw_line(base, tip, colour_red);
    }
}

}  // namespace vibsim
