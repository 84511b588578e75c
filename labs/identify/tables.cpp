#include "identify/tables.hpp"

#include <vibsim/normal_random.hpp>

#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

namespace vibsim::identify {

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

bool load_tables(const std::string& folder)
{
    // Plain POSIX calls rather than std::filesystem: the page's program
    // stays small.
    std::vector<std::string> folders;
    if (!folder.empty()) {
        folders.push_back(folder);
    } else {
        folders.emplace_back(".");
        const std::string beside = beside_program();
        if (!beside.empty()) folders.push_back(beside);
        folders.emplace_back(VIBSIM_TABLES_DIR);
    }
    for (const std::string& candidate : folders) {
        if (holds_tables(candidate) && load_normal_tables(candidate)) return true;
    }
    std::fprintf(stderr, "vibsim-identify: the conversion tables normal01.data ... normal45.data, which the"
                 " exercise's noise needs, are in none of these folders:\n");
    for (const std::string& candidate : folders) std::fprintf(stderr, "  %s\n", candidate.c_str());
    std::fprintf(stderr, "name their folder with --tables DIR\n");
    return false;
}

}  // namespace vibsim::identify
