#include "kit/lab_program.hpp"

#include "kit/display.hpp"
#include "kit/outputs.hpp"
#include "kit/start_up.hpp"
#include "platform/offscreen.hpp"
#include "platform/program_name.hpp"

#include <csignal>
#include <cstdio>

namespace vibsim::kit {

std::optional<int> start_program(const LabCommandLine& command_line, std::span<const std::string* const> paths,
                             std::span<OutputFile> outputs)
{
    platform::set_program_name(command_line.program);
    const std::optional<int> answered = answer_at_once(command_line.error, command_line.help, command_line.version,
                                                       command_line.usage, command_line.version_text);
    if (answered) return answered;
    platform::choose_language(command_line.language);
    // The window needs an X display, and the files a place to go: either
    // fault is told before the dialog asks or anything is computed.
    if (!command_line.batch && !window_can_open(command_line.batch_options)) return 1;
    // Pipes and FIFOs are opened here, so that waiting for their reader
    // comes before the work.
    if (!open_outputs(paths, outputs)) return 1;
    // A file that grows past the size limit (ulimit -f) fails its write,
    // which is reported, rather than ending the program with a signal.
    std::signal(SIGXFSZ, SIG_IGN);
    return std::nullopt;
}

bool write_program_files(std::span<const std::string* const> paths, std::span<OutputFile> outputs,
                     const std::function<std::optional<std::string>(std::size_t)>& make)
{
    std::fputc('\n', stdout);
    std::fflush(stdout);
    bool written = true;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (paths[i]->empty()) continue;
        const std::optional<std::string> bytes = make(i);
        written = bytes && write_to_output(*paths[i], outputs[i], *bytes) && written;
    }
    return written;
}

std::optional<std::string> png_of(int width, int height, const std::function<void(int, int)>& draw)
{
    std::string png;
    if (!platform::png_picture(width, height, draw, png)) return std::nullopt;
    return png;
}

}  // namespace vibsim::kit
