// Determinant and in-place inverse of a dense n x n matrix, both from one LU
// factorisation with partial pivoting.
//
// The matrix is row-major with rows lda doubles apart: element (i, j) is
// a[i * lda + j], and the lda - n doubles at the end of each row are neither
// read nor written. Work storage comes from the heap for the call alone; when
// it cannot be had the process ends with "memory overflow" before the matrix
// is read. A pivot that is exactly zero (the rest of its column is zero too)
// is skipped, as LAPACK's dgetrf does: nothing is eliminated with it, and the
// determinant comes out as a signed zero.
#pragma once

namespace vibsim {

// The determinant of the matrix, which is left as it was. 1.0 for n = 0.
double lu_determinant(int n, const double* a, int lda);

// Determinant magnitudes at or below this count as singular for lu_invert.
// An absolute bound, not scaled by the size of the entries.
inline constexpr double lu_singular_bound = 1e-06;

// The determinant of the matrix passed in. When its magnitude exceeds
// lu_singular_bound, a is replaced by its inverse; otherwise (a not-a-number
// determinant included) a is left as it was.
double lu_invert(int n, double* a, int lda);

}  // namespace vibsim
