// libFuzzer target of the conversion-table loader and the lookup behind it.
// The input, cut at each '#' into at most five parts, becomes the five table
// files in a scratch folder (a part that is missing, a file that is missing);
// load_normal_tables reads them. Then every conversion near each loaded key,
// and at the band bounds and beyond, must give the bits of a plain scan of
// the loaded table from entry 0. The sanitizers catch the rest: reads or
// writes outside a table, overflows, undefined conversions.
#include "vibsim/normal_random.hpp"
#include "../signal/scanned_lookup.hpp"

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace {

namespace fs = std::filesystem;

const char* const table_files[] = {"normal01.data", "normal12.data", "normal23.data", "normal34.data",
                                   "normal45.data"};

fs::path scratch_folder;
fs::path start_folder;

void remove_scratch_folder()
{
    std::error_code ignored;
    fs::remove_all(scratch_folder, ignored);
}

using vibsim::testing_support::scanned_uniform_to_normal;

void expect_scan_bits(double x)
{
    const double found = vibsim::uniform_to_normal(x);
    const double scanned = scanned_uniform_to_normal(x);
    if (std::bit_cast<std::uint64_t>(found) == std::bit_cast<std::uint64_t>(scanned)) return;
    if (std::isnan(found) && std::isnan(scanned)) return;
    std::fprintf(stderr, "uniform_to_normal(%a) = %a, the scan gives %a\n", x, found, scanned);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // In memory where the system offers it: the files are rewritten for
    // every input.
    std::string name = fs::is_directory("/dev/shm") ? "/dev/shm/vibsim-fuzz-XXXXXX" : "/tmp/vibsim-fuzz-XXXXXX";
    if (mkdtemp(name.data()) == nullptr) std::abort();
    scratch_folder = name;
    start_folder = fs::current_path();
    std::atexit(remove_scratch_folder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    for (const char* file : table_files) {
        if (rest.data() == nullptr) {
            std::error_code ignored;
            fs::remove(scratch_folder / file, ignored);
            continue;
        }
        const std::size_t cut = rest.find('#');
        std::ofstream(scratch_folder / file, std::ios::binary) << rest.substr(0, cut);
        rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
    }
    // The loader reads the files of the current folder; libFuzzer's own
    // paths are relative to the folder it started in.
    fs::current_path(scratch_folder);
    vibsim::load_normal_tables();
    fs::current_path(start_folder);

    std::vector<double> magnitudes = {0.001, 0.05, 0.1, 0.15, 0.2, 0.25, 0.3, 0.35, 0.4, 0.45, 0.5, 1e308,
                                      std::numeric_limits<double>::infinity()};
    for (int band = 1; band <= 5; ++band) {
        for (const vibsim::NormalTablePair& entry : vibsim::normal_table(band)) magnitudes.push_back(entry.key);
    }
    for (const double m : magnitudes) {
        for (const double near : {std::nextafter(m, -1.0), m, std::nextafter(m, 1.0)}) {
            expect_scan_bits(near);
            expect_scan_bits(-near);
        }
    }
    return 0;
}
