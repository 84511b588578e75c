// A lab's output files as its user meets them: every path made ready before
// any work is done (output_file.hpp: a FIFO's wait comes first, a mistyped
// path fails at once), each file written safely, with one message naming the
// file when anything fails.
#pragma once

#include "kit/output_file.hpp"

#include <span>
#include <string>
#include <string_view>

namespace vibsim::kit {

// Makes every path given ready (the empty ones are not asked for) in the
// output of the same place in `outputs`. True when all are ready; otherwise
// false, after one message on standard error for each path that cannot be
// written. When one of them is the program's standard output, the console's
// text goes to standard error from then on, so that the file on standard
// output holds the file alone.
bool open_outputs(std::span<const std::string* const> paths, std::span<OutputFile> outputs);

// Writes `bytes` as the output made ready for `path`; false, with the
// message on standard error, when it fails (an earlier file of that name
// then stays as it was).
bool write_to_output(const std::string& path, OutputFile& output, std::string_view bytes);

}  // namespace vibsim::kit
