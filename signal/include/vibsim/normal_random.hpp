// Normally distributed random numbers by table lookup. A uniform value x
// between -0.5 and +0.5 becomes the standard normal quantile of 0.5 + x, read
// by linear interpolation from five conversion tables, one for each band of
// |x|: [0.001, 0.1), [0.1, 0.2), [0.2, 0.3), [0.3, 0.4) and [0.4, 0.5].
//
// The tables are read from five text files in the current directory,
// "normal01.data", "normal12.data", "normal23.data", "normal34.data" and
// "normal45.data", one per band in this order. Each holds, separated by
// white space, an integer n and then n + 1 pairs "value key": the quantile
// magnitude for the input magnitude key. The keys ascend and cover the band.
// A table holds at most 102 entries (band 1) or 50 (the others).
//
// The tables are process-wide and unlocked: loading and converting must not
// overlap.
#pragma once

#include <span>
#include <string>

namespace vibsim {

// One entry of a conversion table.
struct NormalTablePair {
    double value;  // the magnitude returned for an input magnitude equal to key
    double key;    // an input magnitude
};

// Reads the five conversion-table files, replacing the tables' entries. A
// file that cannot be opened, announces no entries or more than its table
// holds, or holds fewer pairs than it announces is named on standard error
// and its table left empty; pairs after the announced ones are not read.
// When all five are loaded, writes "\nランダム変換表読み込み完了" to the
// console and returns true.
bool load_normal_tables();

// The same, reading the five files from `folder` instead of the current
// folder (an empty folder is the current one): a program finds the installed
// tables without changing its current folder.
bool load_normal_tables(const std::string& folder);

// The loaded entries of band 1 ... 5: empty before the first load, after a
// failed one, and for any other band number.
std::span<const NormalTablePair> normal_table(int band);

// The standard normal quantile of 0.5 + x, with the sign of x. Below 0.001
// in magnitude it is x / 0.4, the density at 0 being about 0.4; otherwise it
// is interpolated between the first pair of neighbouring keys of the band's
// table that brackets |x|, found through an index of the keys in a step or
// two (the result is that of a scan from entry 0, to the last bit). A
// magnitude outside the table's keys, an infinite one included, gets the
// value of the nearer end with the sign of x; a band with an empty table and
// a NaN give NaN.
double uniform_to_normal(double x);

// uniform_to_normal of u = (k - 16384) / 32768, with k the top 15 bits of
// the C library's rand() (all of it where RAND_MAX is 32767): u runs from
// -0.5 to 0.5 - 1/32768 in steps of 1/32768. The generator is not seeded
// here; srand is the program's to call.
double normal_random();

}  // namespace vibsim
