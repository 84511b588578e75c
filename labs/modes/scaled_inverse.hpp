// The inverse of a matrix at any scale, with the library's LU inverse, which
// inverts only where |det| exceeds an absolute bound.
#pragma once

#include <vector>

namespace vibsim::modes {

// Replaces the n x n row-major matrix a by its inverse and returns true;
// false, with a left in some scaled form, when the matrix is singular (a row
// of zeros, or a determinant of exactly zero after the scaling) or not
// finite.
//
// Each row is first scaled by a power of 2 that brings its largest magnitude
// into [0.5, 1), then the whole matrix by a power of 2 that brings the
// magnitude of the determinant (from lu_determinant) into [1, 2^(n+1)); the
// inverse is scaled back. Powers of 2 scale exactly, so the inverse is the
// one the factorisation gives for the matrix as it was.
bool scaled_inverse(int n, std::vector<double>& a);

}  // namespace vibsim::modes
