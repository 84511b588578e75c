// Anti-aliased text for the lab's picture, drawn as pixel images from the
// glyph bitmaps of the platform (platform/glyphs.hpp). GLUT's bitmap fonts
// (draw_text) need glutInit and so an X display; these labels look the same
// in the window and in a picture rendered off screen.
#pragma once

#include "platform/glyphs.hpp"

#include <vibsim/geometry.hpp>

namespace vibsim::kit {

// The labels' heights in pixels: the title, the text and the small print.
using platform::small_pixels;
using platform::text_pixels;
using platform::title_pixels;

enum class Align { left, centre, right };

// Loads the font on first use. False, with the reason on standard error
// once, when no font can be loaded: labels are then left out.
bool labels_available();

// UTF-8 text of `pixels` height with its baseline starting (Align::left),
// centred (centre) or ending (right) at (x, y) of the current matrices. The
// text is blended onto what is drawn; it shows only when (x, y) lies in the
// viewport.
void draw_label(double x, double y, const char* text, int pixels, const Colour4& colour,
                Align align = Align::left);

}  // namespace vibsim::kit
