#include "identify/tables.hpp"

#include <vibsim/normal_random.hpp>

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

namespace vibsim::identify {

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

}  // namespace

bool load_tables(const std::string& folder)
{
    std::vector<fs::path> folders;
    if (!folder.empty()) {
        folders.emplace_back(folder);
    } else {
        folders.emplace_back(".");
        std::error_code error;
        const fs::path program = fs::read_symlink("/proc/self/exe", error);
        if (!error) folders.push_back(program.parent_path().parent_path() / "share" / "vibsim");
        folders.emplace_back(VIBSIM_TABLES_DIR);
    }
    for (const fs::path& candidate : folders) {
        if (holds_tables(candidate) && load_normal_tables(candidate.string())) return true;
    }
    std::fprintf(stderr, "vibsim-identify: the conversion tables normal01.data ... normal45.data, which the"
                 " exercise's noise needs, are in none of these folders:\n");
    for (const fs::path& candidate : folders) std::fprintf(stderr, "  %s\n", candidate.c_str());
    std::fprintf(stderr, "name their folder with --tables DIR\n");
    return false;
}

}  // namespace vibsim::identify
