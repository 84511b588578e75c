// The parts a lab's picture is made of: a view of a fixed shape in any
// window, panels with their own coordinates, frames with titles, value axes
// with ticks, and the colours of the text and the rules. The library's
// shapes and plots draw inside a panel as in a window of their own.
#pragma once

#include "kit/labels.hpp"

#include <vibsim/geometry.hpp>

#include <string>

namespace vibsim::kit {

inline constexpr Colour4 ink{0.1f, 0.1f, 0.15f, 0.0f};
inline constexpr Colour4 muted{0.35f, 0.35f, 0.4f, 0.0f};
inline constexpr Colour4 rule{0.82f, 0.82f, 0.85f, 0.0f};
inline constexpr Colour4 frame{0.55f, 0.55f, 0.6f, 0.0f};

// Sets the viewport to the largest rectangle of the shape `aspect` (width
// over height) that fits a window of width x height pixels, centred, and
// the projection to coordinates from -aspect to +aspect across and -1 to +1
// up.
void set_view(int width, int height, double aspect);

// Clears the window to white and starts the picture from the identity.
void begin_picture();

// A panel's rectangle in the picture's coordinates; inside it the panel's own
// coordinates run from -1 to +1 both ways.
struct Rect {
    double x0, y0, x1, y1;
    double x(double u) const { return x0 + (u + 1.0) / 2.0 * (x1 - x0); }
    double y(double v) const { return y0 + (v + 1.0) / 2.0 * (y1 - y0); }
};

// Draws in a panel's coordinates, clipped to the panel.
class PanelScope {
public:
    explicit PanelScope(const Rect& r);
    ~PanelScope();
    PanelScope(const PanelScope&) = delete;
    PanelScope& operator=(const PanelScope&) = delete;
};

// Draws in a panel at the same scale across and up, so that discs stay
// round: x from -1 to +1 across the panel, y from -room(1) to +room(1) up.
// Not clipped.
class EvenScope {
public:
    explicit EvenScope(const Rect& r);
    ~EvenScope();
    EvenScope(const EvenScope&) = delete;
    EvenScope& operator=(const EvenScope&) = delete;
    // `share` of the half height, in the scope's units.
    double room(double share) const { return share * half_height_ / half_width_; }

private:
    double half_width_;
    double half_height_;
};

// printf of one value into a string.
std::string format(const char* pattern, double value);

// The panel's outline and its title above it.
void draw_frame(const Rect& r, const char* title);

// A step of 1, 2 or 5 times a power of ten that cuts `span` into at most
// `most` parts.
double tick_step(double span, int most);

// A tick's value with as many decimals as its step needs.
std::string tick_text(double value, double step);

// Vertical rules at the ticks of 0 ... span (panel u from -1 to +1) and
// their values under the panel, and the unit at its right.
void time_like_axis(const Rect& r, double span, const char* unit);

// The largest magnitude a plot shows, with room to spare; never 0.
double plot_extent(double largest);

}  // namespace vibsim::kit
