// The display a window would open on, and GLUT's window arguments, checked
// before a program's dialog so that a window that cannot open is told at
// once rather than after the questions. Each program words the message.
#pragma once

#include <optional>
#include <string>

namespace vibsim::platform {

// The widest and tallest window that -geometry may ask for: what Mesa's GL
// can draw into (its largest viewport) and well within what X allows.
inline constexpr int largest_window_side = 16384;

// What opening the display gave.
enum class DisplayAnswer {
    opens,      // it opened (and was closed again)
    unnamed,    // no -display was given and DISPLAY is not set
    no_answer,  // the display named does not answer
};

// Opens and closes the display `name` (nothing: the one of $DISPLAY), and
// says which display that was in `shown`. Under X in x11/display.cpp; the
// page's canvas is always there.
DisplayAnswer probe_display(const char* name, std::string& shown);

// The fault of GLUT's -display and -geometry arguments in argv[1 ...], for
// GLUT would end the program itself after the dialog, and a window larger
// than GL can draw into crashes the renderer: an argument without its value,
// a -geometry that is not [=][W[xH]][{+-}X{+-}Y], or a side of 0 or more
// than largest_window_side pixels. Nothing when they are sound.
std::optional<std::string> window_argument_fault(int argc, char** argv);

// The display that -display names (the last one given), or nothing for the
// one of $DISPLAY. `argv` holds GLUT's arguments, already checked.
const char* display_argument(int argc, char** argv);

}  // namespace vibsim::platform
