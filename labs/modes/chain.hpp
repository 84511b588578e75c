// The chain of the modes lab: n point masses in a row between two fixed ends,
// joined by n + 1 springs (spring 0 ties mass 1 to the left end, spring n
// ties mass n to the right end), each mass with a dashpot to the ground. The
// masses move across the row:
//   m_i y_i'' + lambda_i y_i' + k_{i-1} (y_i - y_{i-1}) + k_i (y_i - y_{i+1}) = f_i(t),
// with y_0 = y_{n+1} = 0.
//
// Numbering: mass i and mode k count from 1 wherever a caller names one (as
// the user sees them); the lists below hold mass i at index i - 1 and spring
// i at index i.
#pragma once

#include <span>
#include <string>
#include <vector>

namespace vibsim::modes {

inline constexpr int most_masses = 21;

// The range of every constant, so that the squared frequencies (from about
// smallest_value / largest_value to 4 largest_value / smallest_value), the
// energies and the response stay finite, normal doubles: masses in
// [smallest_value, largest_value], springs 0 or in [smallest_value,
// largest_value], dampers in [0, largest_value].
inline constexpr double smallest_value = 1e-100;
inline constexpr double largest_value = 1e100;

struct Chain {
    int n = 0;                       // masses
    std::vector<double> mass;        // m_1 ... m_n [kg]
    std::vector<double> damping;     // lambda_1 ... lambda_n [N/(m/s)]
    std::vector<double> stiffness;   // k_0 ... k_n [N/m]
};

// `values` receives `count` entries from `given`: one value stands for all of
// them, a list of exactly `count` values is taken as it is. Returns "" when
// that works, otherwise the fault in symbols, which read the same in every
// language, e.g. "#k = 4: 1 or 6" for springs wanted 6 (`symbol` names the
// quantity);
// `values` is then left as it was. The values themselves are not checked
// here: check_chain does that.
std::string expand_values(std::span<const double> given, int count, const char* symbol,
                          std::vector<double>& values);

// "" for a chain the lab can compute, otherwise its first fault in symbols:
// "N = 25: 1 ≤ N ≤ 21", "#m = 4: 5" (a list of the wrong length),
// "m_3 = -1: 1e-100 ≤ m ≤ 1e+100", "λ_2 = nan: 0 ≤ λ ≤ 1e+100",
// "k_0 = 1e-300: k = 0 or 1e-100 ≤ k ≤ 1e+100".
std::string check_chain(const Chain& chain);

// check_chain(chain).empty(), without making the text. Every computation
// below takes a chain for which this holds, and gives an empty or neutral
// result (no frequencies, no steady value, no motion) for any other.
bool sound_chain(const Chain& chain);

// The chain of n masses from "one value or a list" of masses, dampers and
// springs (n, n and n + 1 values for lists), checked: "" and `chain` set, or
// the first fault (as above) and `chain` left as it was.
std::string make_chain(int n, std::span<const double> masses, std::span<const double> dampers,
                       std::span<const double> springs, Chain& chain);

// All masses equal and all springs equal (the dampers may differ).
bool uniform(const Chain& chain);

// For a uniform chain of mass m and springs K, mode k = 1 ... n:
//   the lumped chain's closed form 2 sqrt(K/m) sin(k pi / (2 (n + 1))),
//   the taut string's k pi sqrt(K/m) / (n + 1), which the chain approaches
//   for k much smaller than n.
// Both take m and K from mass 1 and spring 0; NaN for k outside 1 ... n.
double uniform_frequency(const Chain& chain, int k);
double string_frequency(const Chain& chain, int k);

}  // namespace vibsim::modes
