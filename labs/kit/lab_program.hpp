// What every lab's program does around its own work, in the same order in
// each: it answers at once what needs no work (a refused command line,
// --help, --version), chooses the console's language, checks that a window
// can open or that every file asked for can be written (before any dialog
// or computation), and, without a window, writes the files asked for and
// ends with one exit status for them all.
#pragma once

#include "platform/language.hpp"
#include "kit/output_file.hpp"

#include <functional>
#include <optional>
#include <span>
#include <string>

namespace vibsim::kit {

// How the lab's command line came out.
struct LabCommandLine {
    const char* program = "";            // the program's name in its messages
    const char* version_text = "";       // what --version tells after the name
    const std::string* error = nullptr;  // the fault, when the command line is refused
    bool help = false;
    bool version = false;
    std::string usage;            // the usage text
    platform::Language language = platform::Language::japanese;
    bool batch = false;           // files asked for: no window
    const char* batch_options = "";  // the options that work without a display, for its message
};

// The start that every lab shares: the exit status when the program ends
// here (answer_at_once's, or 1 when the window cannot open or a file cannot
// be written), otherwise nothing, with the language chosen, each file's
// path ("" when not asked for) made ready in the output of the same place
// (open_outputs), and a file that grows past the size limit failing its
// write rather than ending the program.
std::optional<int> start_program(const LabCommandLine& command_line, std::span<const std::string* const> paths,
                             std::span<OutputFile> outputs);

// Without a window: ends the console's text with a blank line, then writes
// each file asked for, in order, with the bytes make(i) gives for paths[i]
// (nothing when they could not be made, which make has told). False when
// any file failed.
bool write_program_files(std::span<const std::string* const> paths, std::span<OutputFile> outputs,
                     const std::function<std::optional<std::string>(std::size_t)>& make);

// The picture that draw(width, height) draws, off screen, as PNG bytes;
// nothing, with the reason on standard error, when it cannot be drawn.
std::optional<std::string> png_of(int width, int height, const std::function<void(int, int)>& draw);

}  // namespace vibsim::kit
