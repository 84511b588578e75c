// The simulator's trace as a file (--trace-csv FILE): every frame since the
// last dialog, as `t,y,v` lines after the state the dialog set (t = 0). The
// file is written whole, beside the old one and then renamed (or in place
// for standard output, a pipe or a FIFO), at each new dialog and when the
// program ends, so that it always holds the motion last shown.
#pragma once

#include <string>

namespace vibsim {

// Makes FILE ready before the dialog, so that a path that cannot be written
// is told before the questions. False after one line on standard error.
bool open_trace_file(const std::string& path);

// Starts a new trace at the state the dialog has just set.
void begin_trace();

// Adds the state after a frame's steps, at sim_time.
void record_frame();

// The trace so far: the header `t,y,v` and a line per frame, each number in
// the fewest digits that read back exactly.
std::string trace_csv();

// Writes the trace so far to the file opened, if any; a failure is told on
// standard error and leaves an earlier file as it was.
void write_trace();

}  // namespace vibsim
