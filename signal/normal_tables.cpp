// The conversion tables of the normal random numbers, in static storage, and
// their loader.
#include "normal_table_index.hpp"

#include "vibsim/console.hpp"
#include "vibsim/normal_random.hpp"

#include <cerrno>
#include <cmath>
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

double band1_slopes[101];
double band2_slopes[49];
double band3_slopes[49];
double band4_slopes[49];
double band5_slopes[49];

struct BandTable {
    const char* file;
    NormalTablePair* entries;
    double* slopes;
    long capacity;
    int last;  // index of the last loaded entry; -1 while none is loaded
};

BandTable band_tables[] = {
    {"normal01.data", band1_entries, band1_slopes, std::size(band1_entries), -1},
    {"normal12.data", band2_entries, band2_slopes, std::size(band2_entries), -1},
    {"normal23.data", band3_entries, band3_slopes, std::size(band3_entries), -1},
    {"normal34.data", band4_entries, band4_slopes, std::size(band4_entries), -1},
    {"normal45.data", band5_entries, band5_slopes, std::size(band5_entries), -1},
};

NormalTableIndex band_indexes[std::size(band_tables)];

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

// Reads one band's file, in `folder` (the current folder when empty), into
// its table. On a fault the table is left empty and nothing is written beyond
// its capacity.
bool load_band(BandTable& table, const std::string& folder)
{
    table.last = -1;
    const std::string path = folder.empty() ? std::string(table.file) : folder + '/' + table.file;
    const char* const name = path.c_str();
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(name, "r"));
    if (!file) return report(name, std::string("cannot be opened: ") + std::strerror(errno));
    // Read as a long: a count beyond int must not wrap into a small one.
    long last = 0;
    errno = 0;
    if (std::fscanf(file.get(), "%ld", &last) != 1) return report(name, "has no entry count");
    // The count as the file gives it; one beyond long is read as long's end.
    const std::string count =
        (errno == ERANGE ? (last < 0 ? "below " : "beyond ") : "") + std::to_string(last);
    if (last < 0) return report(name, "announces no entries (count " + count + ")");
    if (last >= table.capacity) {
        // Counted unsigned: a count that %ld clamps to LONG_MAX has no
        // successor in long.
        const unsigned long entries = static_cast<unsigned long>(last) + 1;
        return report(name, "announces " + std::string(errno == ERANGE ? "more than " : "") +
                                std::to_string(entries) + " entries (count " + count + "), more than the " +
                                std::to_string(table.capacity) + " its table holds");
    }
    for (long i = 0; i <= last; ++i) {
        NormalTablePair& entry = table.entries[i];
        if (std::fscanf(file.get(), "%lf %lf", &entry.value, &entry.key) != 2) {
            return report(name, "holds fewer than the " + std::to_string(last + 1) +
                                          " pairs it announces");
        }
        // nan, inf, or a number too large for a double (1e999 reads as inf):
        // no table holds such a value, so the file is damaged; interpolating
        // over it would give wrong amplitudes or none.
        if (!std::isfinite(entry.value) || !std::isfinite(entry.key)) {
            return report(name, "holds a pair that is not two finite numbers (pair " + std::to_string(i + 1) +
                                    " of " + std::to_string(last + 1) + ")");
        }
    }
    table.last = static_cast<int>(last);
    return true;
}

// The slopes and the bucket index of a table as loaded. A table whose keys
// ever descend (or are not numbers), or span no finite range, is not indexed:
// uniform_to_normal then scans it from entry 0.
void build_index(const BandTable& table, NormalTableIndex& index)
{
    const std::span<const NormalTablePair> entries(table.entries, static_cast<std::size_t>(table.last + 1));
    for (std::size_t i = 0; i + 1 < entries.size(); ++i) {
        table.slopes[i] = (entries[i + 1].value - entries[i].value) / (entries[i + 1].key - entries[i].key);
    }
    index.entries = entries;
    index.slopes = table.slopes;
    index.indexed = false;
    if (entries.size() < 2) return;
    for (std::size_t i = 0; i + 1 < entries.size(); ++i) {
        if (!(entries[i].key <= entries[i + 1].key)) return;
    }
    index.first_key = entries.front().key;
    index.last_key = entries.back().key;
    const double range = index.last_key - index.first_key;
    index.scale = normal_index_buckets / range;
    if (!(range > 0.0 && std::isfinite(range) && std::isfinite(index.scale))) return;
    index.indexed = true;
    // A key in a bucket below that of m is below m, so the first pair that
    // brackets m ends at or after every such key; the pair before the first
    // key of m's bucket is a safe place to start looking. The keys are
    // bucketed by the same function as the magnitudes.
    std::size_t keys_below = 0;
    for (int bucket = 0; bucket < normal_index_buckets; ++bucket) {
        while (keys_below < entries.size() && normal_index_bucket(index, entries[keys_below].key) < bucket) {
            ++keys_below;
        }
        index.first_pair[bucket] = static_cast<std::uint8_t>(keys_below == 0 ? 0 : keys_below - 1);
    }
}

}  // namespace

bool load_normal_tables() { return load_normal_tables(std::string()); }

bool load_normal_tables(const std::string& folder)
{
    bool all_loaded = true;
    for (std::size_t band = 0; band < std::size(band_tables); ++band) {
        all_loaded = load_band(band_tables[band], folder) && all_loaded;
        build_index(band_tables[band], band_indexes[band]);
    }
    if (all_loaded) console_printf("\nランダム変換表読み込み完了");
    return all_loaded;
}

std::span<const NormalTablePair> normal_table(int band)
{
    if (band < 1 || band > static_cast<int>(std::size(band_tables))) return {};
    const BandTable& table = band_tables[band - 1];
    return {table.entries, static_cast<std::size_t>(table.last + 1)};
}

const NormalTableIndex& normal_table_index(int band) { return band_indexes[band - 1]; }

}  // namespace vibsim
