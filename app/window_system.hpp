// What the window needs of the window system beyond GLUT: a display that
// opens, checked before the dialog so that a display that cannot be had is
// told at once rather than after the questions.
#pragma once

#include <cstdio>
#include <optional>

namespace vibsim {

// Opens and closes the display `name` (nothing: the one of $DISPLAY).
// Returns 1 after writing one line to `err` naming the display and the fault;
// nothing when it opens.
std::optional<int> check_display(const char* name, std::FILE* err);

}  // namespace vibsim
