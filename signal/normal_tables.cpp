// The conversion tables of the normal random numbers, in static storage, and
// their loader.
#include "vibsim/console.hpp"
#include "vibsim/normal_random.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace vibsim {

namespace {

NormalTablePair band1_entries[102];
NormalTablePair band2_entries[50];
NormalTablePair band3_entries[50];
NormalTablePair band4_entries[50];
NormalTablePair band5_entries[50];

struct BandTable {
    const char* file;
    NormalTablePair* entries;
    long capacity;
    int last;  // index of the last loaded entry; -1 while none is loaded
};

BandTable band_tables[] = {
    {"normal01.data", band1_entries, std::size(band1_entries), -1},
    {"normal12.data", band2_entries, std::size(band2_entries), -1},
    {"normal23.data", band3_entries, std::size(band3_entries), -1},
    {"normal34.data", band4_entries, std::size(band4_entries), -1},
    {"normal45.data", band5_entries, std::size(band5_entries), -1},
};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// Names the file and its fault on standard error, apart from the console's
// own text; always false.
bool report(const char* file, const std::string& fault)
{
    std::fprintf(stderr, "vibsim: %s %s; its conversion table is left empty\n", file, fault.c_str());
    return false;
}

// Reads one band's file into its table. On a fault the table is left empty
// and nothing is written beyond its capacity.
bool load_band(BandTable& table)
{
    table.last = -1;
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(table.file, "r"));
    if (!file) return report(table.file, std::string("cannot be opened: ") + std::strerror(errno));
    // Read as a long: a count beyond int must not wrap into a small one.
    long last = 0;
    if (std::fscanf(file.get(), "%ld", &last) != 1) return report(table.file, "has no entry count");
    if (last < 0) return report(table.file, "announces no entries (count " + std::to_string(last) + ")");
    if (last >= table.capacity) {
        return report(table.file, "announces " + std::to_string(last + 1) + " entries, more than the " +
                                      std::to_string(table.capacity) + " its table holds");
    }
    for (long i = 0; i <= last; ++i) {
        NormalTablePair& entry = table.entries[i];
        if (std::fscanf(file.get(), "%lf %lf", &entry.value, &entry.key) != 2) {
            return report(table.file, "holds fewer than the " + std::to_string(last + 1) +
                                          " pairs it announces");
        }
    }
    table.last = static_cast<int>(last);
    return true;
}

}  // namespace

bool load_normal_tables()
{
    bool all_loaded = true;
    for (BandTable& table : band_tables) all_loaded = load_band(table) && all_loaded;
    if (all_loaded) console_printf("\nランダム変換表読み込み完了");
    return all_loaded;
}

std::span<const NormalTablePair> normal_table(int band)
{
    if (band < 1 || band > static_cast<int>(std::size(band_tables))) return {};
    const BandTable& table = band_tables[band - 1];
    return {table.entries, static_cast<std::size_t>(table.last + 1)};
}

}  // namespace vibsim
