#include "random/tables.hpp"

#include <vibsim/normal_random.hpp>

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

namespace vibsim::random {

namespace {

namespace fs = std::filesystem;

constexpr const char* table_files[] = {
    "normal01.data", "normal12.data", "normal23.data", "normal34.data", "normal45.data",
};

bool holds_tables(const fs::path& folder)
{
    std::error_code error;
    for (const char* file : table_files) {
        if (!fs::is_regular_file(folder / file, error)) return false;
    }
    return true;
}

std::vector<fs::path> candidate_folders()
{
    std::vector<fs::path> folders{"."};
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (!error) folders.push_back(program.parent_path().parent_path() / "share" / "vibsim");
    folders.emplace_back(VIBSIM_TABLES_DIR);
    return folders;
}

}  // namespace

bool load_tables(const std::string& folder)
{
    if (!folder.empty()) {
        if (!holds_tables(folder)) {
            std::fprintf(stderr, "vibsim-random: %s does not hold the five conversion tables"
                         " (normal01.data ... normal45.data)\n", folder.c_str());
            return false;
        }
        return load_normal_tables(folder);
    }
    const std::vector<fs::path> folders = candidate_folders();
    for (const fs::path& candidate : folders) {
        if (holds_tables(candidate)) return load_normal_tables(candidate.string());
    }
    std::fprintf(stderr, "vibsim-random: the conversion tables normal01.data ... normal45.data are in"
                 " none of these folders:\n");
    for (const fs::path& candidate : folders) std::fprintf(stderr, "  %s\n", candidate.c_str());
    std::fprintf(stderr, "name their folder with --tables DIR\n");
    return false;
}

}  // namespace vibsim::random
