// A lab's output files as its user meets them: every path checked before
// any work is done, and each file written safely (output_file.hpp), with
// one message naming the file when anything fails.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace vibsim::lab {

// True when every path given (the empty ones are not asked for) can be
// written; otherwise false, after one message on standard error for each
// path that cannot.
bool outputs_writable(std::span<const std::string* const> paths);

// Writes `bytes` as `path`; false, with the message on standard error, when
// it fails (the earlier file of that name then stays as it was).
bool write_output(const std::string& path, std::string_view bytes);

}  // namespace vibsim::lab
