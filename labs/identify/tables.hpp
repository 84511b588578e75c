// Finding the normal conversion tables, which an exercise's measurement
// noise is drawn through, and loading them.
#pragma once

#include <string>

namespace vibsim::identify {

// Loads the five tables with load_normal_tables from `folder` when one is
// given, otherwise from the first of: the current folder, share/vibsim
// beside the program's bin/ folder, and the folder the package installs
// them in. False, with the folders tried on standard error, otherwise.
bool load_tables(const std::string& folder);

}  // namespace vibsim::identify
