// draw_mass_chain: n point masses on a red string between a left fixed end
// and the right fixed end (chain_right_x, left.y), each mass lifted across the
// string by its displacement. The x positions are accumulated by repeated
// addition of the spacing in both loops, so each mass lies exactly on the joint
// of its two string segments.
#include "vibsim/draw.hpp"
#include "vibsim/plot.hpp"
#include "vibsim/shape_scope.hpp"

#include <GL/gl.h>

#include <cstddef>

namespace vibsim {

namespace {
constexpr Colour4 string_colour{1.0f, 0.0f, 0.0f, 0.0f};
}

void draw_mass_chain(const Point2& left, double scale, int n, const double* disp)
{
    const double spacing = (chain_right_x - left.x) / static_cast<double>(n + 1);
    const Point2 right{chain_right_x, left.y};
    {
        const ShapeScope scope;  // lighting switched once for the whole chain

        // The string: n + 1 segments, left to right.
        Point2 cur = left;
        for (int i = 0; i < n; ++i) {
            const Point2 prev = cur;
            cur.x = prev.x + spacing;
            cur.y = scale * disp[i] + left.y;
            draw_line(prev, cur, string_colour);
        }
        draw_line(cur, right, string_colour);

        // The fixed ends, then the masses over the string.
        draw_disc(left, end_radius, string_colour);
        draw_disc(right, end_radius, string_colour);
        Point2 p{left.x, left.y};
        for (int i = 0; i < n; ++i) {
            p.x = p.x + spacing;
            p.y = scale * disp[i] + left.y;
            draw_disc(p, mass_radius, plot_palette[static_cast<std::size_t>(i)]);
        }
    }
    glFlush();
}

}  // namespace vibsim
