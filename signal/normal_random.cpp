// Normal random numbers by the inversion method (L. Devroye, Non-Uniform
// Random Variate Generation, Springer 1986, section II.2): the standard
// normal quantile of a uniform value, interpolated linearly in the
// conversion table of the value's band.
#include "vibsim/normal_random.hpp"

#include "normal_table_index.hpp"

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
constexpr double band_bound_2 = 0.1;
constexpr double band_bound_3 = 0.2;
constexpr double band_bound_4 = 0.3;
constexpr double band_bound_5 = 0.4;

// The band of a magnitude of at least linear_limit: counted, not branched on,
// since the bounds ascend.
int band_of(double magnitude)
{
    return 1 + int{magnitude >= band_bound_2} + int{magnitude >= band_bound_3} +
           int{magnitude >= band_bound_4} + int{magnitude >= band_bound_5};
}

// The index of the first pair i of neighbouring entries with
// key[i] <= m <= key[i + 1], in an indexed table whose keys bracket m. Starts
// at its bucket's pair and moves on while the pair ends below m; in a table
// of evenly spaced keys that is a step or none.
std::size_t first_bracketing_pair(const NormalTableIndex& index, double m)
{
    std::size_t i = index.first_pair[normal_index_bucket(index, m)];
    while (index.entries[i + 1].key < m) ++i;
    return i;
}

// The same pair found by scanning from entry 0, for a table that is not
// indexed; the number of pairs when none brackets m.
std::size_t scanned_bracketing_pair(std::span<const NormalTablePair> table, double m)
{
    std::size_t i = 0;
    while (i + 1 < table.size() && !(table[i].key <= m && m <= table[i + 1].key)) ++i;
    return i + 1 < table.size() ? i : table.size();
}

// The quantile magnitude of pair i at m, with the sign of x.
double interpolate(const NormalTableIndex& index, std::size_t i, double m, double x)
{
    const double t = index.slopes[i] * (m - index.entries[i].key);
    return (t + index.entries[i].value) * x / m;
}

// The upper halves of the vector registers, left in use by code of the
// program compiled for AVX or AVX-512 that ends without VZEROUPPER (a BLAS
// kernel, say), make every SSE instruction of the conversion wait on them on
// the processors that merge into those halves: the same numbers, at twice
// the cost or more, depending on what else the program runs. The draw clears
// them first where the processor has AVX; the low halves, and so every
// value, stay as they are.
#if defined(__x86_64__) && !defined(__EMSCRIPTEN__)
const bool clears_upper_state = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx") != 0;
}();

void clear_upper_vector_state()
{
    if (clears_upper_state) {
        asm volatile("vzeroupper" ::: "xmm0", "xmm1", "xmm2", "xmm3", "xmm4", "xmm5", "xmm6", "xmm7", "xmm8", "xmm9",
                     "xmm10", "xmm11", "xmm12", "xmm13", "xmm14", "xmm15", "memory");
    }
}
#else
void clear_upper_vector_state() {}
#endif

}  // namespace

double uniform_to_normal(double x)
{
    const double m = std::fabs(x);
    // A NaN takes this branch too and comes back as NaN.
    if (!(m >= linear_limit)) return x / density_at_zero;

    const NormalTableIndex& index = normal_table_index(band_of(m));
    const std::span<const NormalTablePair> table = index.entries;
    if (table.empty()) return std::numeric_limits<double>::quiet_NaN();
    if (index.indexed && index.first_key <= m && m <= index.last_key) {
        return interpolate(index, first_bracketing_pair(index, m), m, x);
    }
    if (!index.indexed) {
        const std::size_t i = scanned_bracketing_pair(table, m);
        if (i < table.size()) return interpolate(index, i, m, x);
    }
    // No pair of neighbours brackets m: the nearer end of the table serves,
    // its value with the sign of x (an infinite or huge x included).
    const NormalTablePair& end = m < table.front().key ? table.front() : table.back();
    return std::copysign(end.value, x);
}

double normal_random()
{
    // The conversion of k needs exactly 15 bits; a wider rand() gives its top
    // ones, which are the better mixed in the usual generators.
    static_assert(RAND_MAX >= 32767 && (RAND_MAX & (RAND_MAX + 1ULL)) == 0,
                  "rand() must give all values of a whole number of bits");
    constexpr int surplus_bits = std::bit_width(static_cast<unsigned long long>(RAND_MAX)) - 15;
    clear_upper_vector_state();
    const int k = std::rand() >> surplus_bits;
    return uniform_to_normal(static_cast<double>(k - 16384) / 32768.0);
}

}  // namespace vibsim
