// A lab's output files, written so that a failure never costs the user a
// file: a new file is written beside the old one under a name of its own,
// every write and the close are checked, and only then does it take the
// file's name. On failure the earlier file stays as it was. Pipes, devices
// and standard output ("-") cannot be replaced; they are written in place.
#pragma once

#include <string>
#include <string_view>

namespace vibsim::kit {

// An output made ready before the work whose result it will take.
struct OutputFile {
    std::string target;  // the file to replace, or the pipe or device written in place
    int fd = -1;         // open when written in place; -1 for a file replaced at the end
    bool standard_output = false;  // the program's own standard output ("-", /dev/stdout, /dev/fd/1)

    OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile();
};

// Makes `path` ready before the lab's work, so that a mistyped path fails at
// once: an existing file must be one we may write, or its folder must take a
// new file of ours. A pipe, a FIFO, a device, "-" (standard output) or a
// descriptor the program was given (/dev/stdout, /dev/fd/N, as from the
// shell's >(command)) is opened now, so that a FIFO waits for its reader
// before the work rather than after it. False with the reason in `reason`.
bool open_output(const std::string& path, OutputFile& output, std::string& reason);

// Writes `bytes` as the output made ready by open_output. A file (or none) is
// replaced whole, through a file of our own in the same folder that is
// renamed over it, keeping the old file's permissions; a link is followed to
// the file it names. A pipe or device takes the bytes as they are. False with
// the reason in `reason` when anything fails; only the program's own file is
// removed.
bool write_output(OutputFile& output, std::string_view bytes, std::string& reason);

// open_output and write_output at once, for a file written as soon as it is
// made.
bool write_file(const std::string& path, std::string_view bytes, std::string& reason);

// True when `a` and `b` are one file: the same existing file however named
// (links, ./, standard output and /dev/stdout), or the same new name in the
// same folder.
bool same_output(const std::string& a, const std::string& b);

}  // namespace vibsim::kit
