// Normal random numbers by the inversion method (L. Devroye, Non-Uniform
// Random Variate Generation, Springer 1986, section II.2): the standard
// normal quantile of a uniform value, interpolated linearly in the
// conversion table of the value's band.
#include "vibsim/normal_random.hpp"

#include <bit>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace vibsim {

namespace {

// Below this magnitude the quantile is linear in x to a few parts in 1e9:
// x divided by the normal density at 0, 1/sqrt(2pi) = 0.3989..., which is
// stored as 0.4 (0.3% off).
constexpr double linear_limit = 0.001;
constexpr double density_at_zero = 0.4;

// The lower bounds of bands 2 ... 5; each belongs to the band above it.
constexpr double band_bounds[] = {0.1, 0.2, 0.3, 0.4};

int band_of(double magnitude)
{
    int band = 1;
    for (const double bound : band_bounds) {
        if (!(magnitude >= bound)) break;
        ++band;
    }
    return band;
}

}  // namespace

double uniform_to_normal(double x)
{
    const double m = std::fabs(x);
    if (m < linear_limit) return x / density_at_zero;

    const std::span<const NormalTablePair> table = normal_table(band_of(m));
    if (table.empty()) return std::numeric_limits<double>::quiet_NaN();
    for (std::size_t i = 0; i + 1 < table.size(); ++i) {
        const NormalTablePair& low = table[i];
        const NormalTablePair& high = table[i + 1];
        if (low.key <= m && m <= high.key) {
            const double slope = (high.value - low.value) / (high.key - low.key);
            const double t = slope * (m - low.key);
            return (t + low.value) * x / m;
        }
    }
    // No pair of neighbours brackets m: the nearer end of the table serves.
    const NormalTablePair& end = m < table.front().key ? table.front() : table.back();
    return end.value * x / m;
}

double normal_random()
{
    // The conversion of k needs exactly 15 bits; a wider rand() gives its top
    // ones, which are the better mixed in the usual generators.
    static_assert(RAND_MAX >= 32767 && (RAND_MAX & (RAND_MAX + 1ULL)) == 0,
                  "rand() must give all values of a whole number of bits");
    constexpr int surplus_bits = std::bit_width(static_cast<unsigned long long>(RAND_MAX)) - 15;
    const int k = std::rand() >> surplus_bits;
    return uniform_to_normal(static_cast<double>(k - 16384) / 32768.0);
}

}  // namespace vibsim
