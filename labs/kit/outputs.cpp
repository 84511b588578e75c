#include "kit/outputs.hpp"

#include "platform/program_name.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace vibsim::kit {

namespace {

// Standard output from here on is standard error, or nowhere when standard
// error is closed: never the file that standard output was opened for.
void console_to_standard_error()
{
    std::fflush(stdout);
    if (dup2(STDERR_FILENO, STDOUT_FILENO) >= 0) return;
    const int nowhere = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (nowhere < 0 || dup2(nowhere, STDOUT_FILENO) < 0) close(STDOUT_FILENO);
    if (nowhere >= 0) close(nowhere);
}

}  // namespace

bool open_outputs(std::span<const std::string* const> paths, std::span<OutputFile> outputs)
{
    bool ready = true;
    bool standard_output = false;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        std::string reason;
        if (paths[i]->empty()) continue;
        if (open_output(*paths[i], outputs[i], reason)) {
            standard_output = standard_output || outputs[i].standard_output;
            continue;
        }
        std::fprintf(stderr, "%s: cannot write %s: %s\n", platform::program_name(), paths[i]->c_str(), reason.c_str());
        ready = false;
    }
    if (ready && standard_output) console_to_standard_error();
    return ready;
}

bool write_to_output(const std::string& path, OutputFile& output, std::string_view bytes)
{
    std::string reason;
    if (write_output(output, bytes, reason)) return true;
    std::fprintf(stderr, "%s: cannot write %s: %s; an earlier file of that name is left as it was\n", platform::program_name(),
                 path.c_str(), reason.c_str());
    return false;
}

}  // namespace vibsim::kit
