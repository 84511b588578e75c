// The row operation that the LU factorisation and the inverse spend nearly all
// their time in, in the forms this processor can run. Internal to the library;
// the tests reach the baseline form through it as well.
#pragma once

#include <cstddef>

namespace vibsim::lu_detail {

using Index = std::ptrdiff_t;

// Rows of a row-major array: row i starts at base + index[i] * stride, or at
// base + i * stride when there is no index.
struct RowSet {
    double* base;
    Index stride;
    const int* index;
};

// For each row i in [first, last), each column j in [j_begin, j_end) and
// k = k_begin, k_begin + 1, ..., k_end - 1 in this order:
//   target[i][j] = target[i][j] - multipliers[i][k] * source[k][j]
// one rounded product and one rounded difference at a time, as a scalar loop
// would. Source rows k must not be target rows.
struct RowUpdate {
    RowSet target;
    RowSet multipliers;
    RowSet source;
    Index first, last;
    Index k_begin, k_end;
    Index j_begin, j_end;
};

using SubtractRows = void(const RowUpdate&);

// The baseline form (two-wide vectors) runs on any processor; the chosen form
// is the widest this processor has (four-wide AVX2 where present on x86-64).
void subtract_rows_baseline(const RowUpdate& update);
SubtractRows* subtract_rows_chosen();

// lu_determinant and lu_invert with the given form of the row operation.
double lu_determinant_using(SubtractRows* subtract, int n, const double* a, int lda);
double lu_invert_using(SubtractRows* subtract, int n, double* a, int lda);

}  // namespace vibsim::lu_detail
