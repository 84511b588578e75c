#include "outputs.hpp"

#include "output_file.hpp"
#include "program_name.hpp"

#include <cstdio>

namespace vibsim::lab {

bool outputs_writable(std::span<const std::string* const> paths)
{
    bool writable = true;
    for (const std::string* path : paths) {
        std::string reason;
        if (path->empty() || can_write(*path, reason)) continue;
        std::fprintf(stderr, "%s: cannot write %s: %s\n", program_name(), path->c_str(), reason.c_str());
        writable = false;
    }
    return writable;
}

bool write_output(const std::string& path, std::string_view bytes)
{
    std::string reason;
    if (write_file(path, bytes, reason)) return true;
    std::fprintf(stderr, "%s: cannot write %s: %s; an earlier file of that name is left as it was\n", program_name(),
                 path.c_str(), reason.c_str());
    return false;
}

}  // namespace vibsim::lab
