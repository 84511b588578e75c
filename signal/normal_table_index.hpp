// What uniform_to_normal needs of one band's loaded table to find its
// bracketing pair without scanning from entry 0: the slope of every pair and
// an index of buckets over the keys. Built by the loader with each table.
#pragma once

#include "vibsim/normal_random.hpp"

#include <cstdint>
#include <span>

namespace vibsim {

// Buckets of equal width between the first and the last key.
inline constexpr int normal_index_buckets = 256;

struct NormalTableIndex {
    std::span<const NormalTablePair> entries;  // the loaded entries
    const double* slopes;  // (value[i + 1] - value[i]) / (key[i + 1] - key[i]) of pair i
    // The keys never descend and span a finite, non-empty range: only then
    // are first_key, scale and first_pair valid.
    bool indexed;
    double first_key;
    double last_key;
    double scale;  // normal_index_buckets / (last_key - first_key)
    // For each bucket, a pair index at or below that of the first pair
    // bracketing any magnitude of the bucket.
    std::uint8_t first_pair[normal_index_buckets];
};

// The bucket of magnitude m, first_key <= m <= last_key, of an indexed table.
// Never decreases as m grows.
inline int normal_index_bucket(const NormalTableIndex& index, double m)
{
    const double position = (m - index.first_key) * index.scale;
    return position < normal_index_buckets ? static_cast<int>(position) : normal_index_buckets - 1;
}

// The table of band 1 ... 5 with its index.
const NormalTableIndex& normal_table_index(int band);

}  // namespace vibsim
