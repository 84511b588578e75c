// The conversion of uniform_to_normal as described, with the straightforward
// search: the first bracketing pair by a scan of the band's table from entry
// 0. The indexed lookup must give its bits for every input; the unit tests and
// the loader's fuzz target both hold it against this.
#pragma once

#include <vibsim/normal_random.hpp>

#include <cmath>
#include <cstddef>
#include <limits>
#include <span>

namespace vibsim::testing_support {

inline double scanned_uniform_to_normal(double x)
{
    const double m = std::fabs(x);
    if (!(m >= 0.001)) return x / 0.4;
    int band = 1;
    for (const double bound : {0.1, 0.2, 0.3, 0.4}) band += m >= bound ? 1 : 0;
    const std::span<const NormalTablePair> table = normal_table(band);
    if (table.empty()) return std::numeric_limits<double>::quiet_NaN();
    for (std::size_t i = 0; i + 1 < table.size(); ++i) {
        if (table[i].key <= m && m <= table[i + 1].key) {
            const double slope = (table[i + 1].value - table[i].value) / (table[i + 1].key - table[i].key);
            const double t = slope * (m - table[i].key);
            return (t + table[i].value) * x / m;
        }
    }
    return std::copysign((m < table.front().key ? table.front() : table.back()).value, x);
}

}  // namespace vibsim::testing_support
