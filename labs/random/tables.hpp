// Finding the normal conversion tables and loading them.
#pragma once

#include <string>

namespace vibsim::random {

// Loads the five conversion tables with load_normal_tables: from `folder`
// when one is given, otherwise from the first of these that holds all five
// files: the current folder, share/vibsim beside the program's own bin/ folder
// (an installed or in-tree program), and the folder the package installs them
// in. False, with the folders tried named on standard error, when no folder
// holds them or they do not load.
bool load_tables(const std::string& folder);

}  // namespace vibsim::random
