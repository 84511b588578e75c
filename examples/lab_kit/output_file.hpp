// The lab's output files, written so that a failure never costs the user a
// file: a new file is written beside the old one under a name of its own,
// every write and the close are checked, and only then does it take the
// file's name. On failure the earlier file stays as it was.
#pragma once

#include <string>
#include <string_view>

namespace vibsim::lab {

// True when `path` can be written: an existing file we may write, or a
// folder that takes a new file. Otherwise false with the reason in `reason`.
// Asked before any record runs, so that a mistyped path fails at once.
bool can_write(const std::string& path, std::string& reason);

// Writes `bytes` as the file `path`. A regular file (or none) is replaced
// whole, through a file of our own in the same folder that is renamed over
// it; a device or pipe already there is written in place, since it cannot be
// replaced. A link is followed to the file it names. False with the reason
// in `reason` when anything fails; only the program's own file is removed.
bool write_file(const std::string& path, std::string_view bytes, std::string& reason);

}  // namespace vibsim::lab
