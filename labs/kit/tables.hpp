// Finding the normal conversion tables, which a lab's random numbers are
// drawn through, and loading them.
#pragma once

#include <string>

namespace vibsim::kit {

// Loads the five tables with load_normal_tables from `folder` when one is
// given, otherwise from the first of: the current folder, share/vibsim
// beside the program's bin/ folder, and the folder the package installs
// them in; the first folder that holds all five files is the one loaded.
// False, with the folders tried on standard error, otherwise; `needed_for`
// follows the tables' names there (", which the exercise's noise needs,").
bool load_tables(const std::string& folder, const char* needed_for = "");

}  // namespace vibsim::kit
