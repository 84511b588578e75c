// The averaged spectrum as CSV text: what --csv writes on the desktop and
// what the page offers for download, from this one function.
#pragma once

#include "random/lab.hpp"

#include <string>

namespace vibsim::random {

// A header line, then harmonic k = 0 ... 512 a line each: its angular
// frequency, its averaged amplitude and the fitted |H| there. A field that
// is not a finite number (|H| of an undamped oscillator at omega0, the
// amplitudes of a motion that diverged) is left empty.
std::string spectrum_csv(const Lab& lab);

}  // namespace vibsim::random
