// The row operation that the LU factorisation and the inverse spend nearly all
// their time in, in the forms this processor can run. Internal to the library;
// the tests reach every form through it as well.
#pragma once

#include <cstddef>
#include <vector>

namespace vibsim::lu_detail {

using Index = std::ptrdiff_t;

// Rows of a row-major array: row i starts at base + index[i] * stride, or at
// base + i * stride when there is no index.
struct RowSet {
    double* base;
    Index stride;
    const int* index;
};

// Blocking of the packed form of the row operation: at most pack_depth values
// of k at a time, for at most pack_rows target rows and pack_columns columns.
// The multipliers of one block of rows (pack_rows x pack_depth, 384 KiB) and
// the source rows of one block of columns (pack_depth x pack_columns, 1 MiB)
// are copied into `pack` so that the inner loops read both
// contiguously; the multipliers stay in the second-level cache (1 MiB a core
// here) while every strip of source columns passes over them, and the strip
// (pack_depth x 8 columns, 16 KiB) stays in the first-level cache (32 KiB).
inline constexpr Index pack_depth = 256;
inline constexpr Index pack_rows = 192;
inline constexpr Index pack_columns = 512;
// Doubles of the packing buffer, with room to start it on a cache line.
inline constexpr Index pack_size = pack_depth * pack_columns + pack_rows * pack_depth + 8;

// For each row i in [first, last), each column j in [j_begin, j_end) and
// k = k_begin, k_begin + 1, ..., k_end - 1 in this order:
//   target[i][j] = target[i][j] - multipliers[i][k] * source[k][j]
// one rounded product and one rounded difference at a time, as a scalar loop
// would. Source rows k must not be target rows, and no multiplier may be a
// target element. With a packing buffer (pack_size doubles, on a cache line),
// large blocks go through the packed form. With `source_lower`, source row k
// is zero right of column k, and the packed form leaves out those exact-zero
// products of a block of columns that every column of it has (a target
// element that is not minus zero, less a zero product of a finite multiplier,
// stays as it is).
//
// With `back_substitution`, the target rows are also the source rows (one
// after another, without an index), and they are solved from last - 1 down to
// first: row i receives k = i + 1, ..., k_end - 1 (rows solved already) and is
// then divided by multipliers[i][i]; k_begin is not used.
struct RowUpdate {
    RowSet target;
    RowSet multipliers;
    RowSet source;
    Index first, last;
    Index k_begin, k_end;
    Index j_begin, j_end;
    double* pack = nullptr;
    bool source_lower = false;
    bool back_substitution = false;
};

using SubtractRows = void(const RowUpdate&);

// The baseline form (two-wide vectors) runs on any processor; the chosen form
// is the widest this processor has (eight-wide AVX-512 or four-wide AVX2 where
// present on x86-64). subtract_rows_forms lists every form it can run,
// the baseline first.
void subtract_rows_baseline(const RowUpdate& update);
SubtractRows* subtract_rows_chosen();
std::vector<SubtractRows*> subtract_rows_forms();

// lu_determinant and lu_invert with the given form of the row operation.
double lu_determinant_using(SubtractRows* subtract, int n, const double* a, int lda);
double lu_invert_using(SubtractRows* subtract, int n, double* a, int lda);

}  // namespace vibsim::lu_detail
