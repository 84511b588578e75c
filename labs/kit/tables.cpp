#include "kit/tables.hpp"

#include "platform/program_name.hpp"

#include <vibsim/normal_random.hpp>

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

namespace vibsim::kit {

namespace {

constexpr const char* table_files[] = {
    "normal01.data", "normal12.data", "normal23.data", "normal34.data", "normal45.data",
};

bool holds_tables(const std::string& folder)
{
    for (const char* file : table_files) {
        if (::access((folder + "/" + file).c_str(), R_OK) != 0) return false;
    }
    return true;
}

// share/vibsim beside the folder of the program's own folder; empty when
// the program's path cannot be had.
std::string beside_program()
{
    char path[4096];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0) return "";
    std::string program(path, static_cast<std::size_t>(length));
    for (int up = 0; up < 2; ++up) {
        const std::size_t slash = program.find_last_of('/');
        if (slash == std::string::npos) return "";
        program.erase(slash);
    }
    return program + "/share/vibsim";
}

}  // namespace

bool load_tables(const std::string& folder, const char* needed_for)
{
    if (!folder.empty()) {
        if (!holds_tables(folder)) {
            std::fprintf(stderr, "%s: %s does not hold the five conversion tables (normal01.data ... normal45.data)\n",
                         platform::program_name(), folder.c_str());
            return false;
        }
        return load_normal_tables(folder);
    }
    // Plain POSIX calls rather than std::filesystem: the pages' programs
    // stay small.
    std::vector<std::string> folders{"."};
    const std::string beside = beside_program();
    if (!beside.empty()) folders.push_back(beside);
    folders.emplace_back(VIBSIM_TABLES_DIR);
    for (const std::string& candidate : folders) {
        if (holds_tables(candidate)) return load_normal_tables(candidate);
    }
    std::fprintf(stderr, "%s: the conversion tables normal01.data ... normal45.data%s are in none of these folders:\n",
                 platform::program_name(), needed_for);
    for (const std::string& candidate : folders) std::fprintf(stderr, "  %s\n", candidate.c_str());
    std::fprintf(stderr, "name their folder with --tables DIR\n");
    return false;
}

}  // namespace vibsim::kit
