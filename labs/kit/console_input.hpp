// The console dialog's input, read as the simulator reads it: a line at a
// time, numbers in order, and what a line leaves out keeps its value.
#pragma once

#include <string>

namespace vibsim::kit {

// One line of standard input without its line end; false at the end of
// input.
bool read_line(std::string& line);

// Reads up to `count` numbers from one line into `values`, in order; the
// ones the line does not give (after the first word that is not a finite
// number) keep theirs. False at the end of input.
bool read_numbers(double* values[], int count);

}  // namespace vibsim::kit
