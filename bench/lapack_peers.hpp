// The LAPACK routines that lu_invert and lu_determinant are measured against,
// loaded at run time by full path so that the benchmark knows which build it
// times whatever Debian's alternatives point liblapack.so.3 at.
#pragma once

#include <string>

namespace vibsim::bench {

// dgetrf and dgetri of one LAPACK build (Fortran calling convention,
// column-major matrices).
struct LapackPeer {
    using Getrf = void(const int* m, const int* n, double* a, const int* lda, int* pivots, int* info);
    using Getri = void(const int* n, double* a, const int* lda, const int* pivots, double* work,
                       const int* lwork, int* info);

    std::string name;  // "lapack" or "openblas", the prefix of its benchmark names
    Getrf* getrf = nullptr;
    Getri* getri = nullptr;

    explicit operator bool() const { return getrf != nullptr && getri != nullptr; }
};

// Reference LAPACK on reference BLAS: the BLAS is loaded first, so that the
// LAPACK library's need of libblas.so.3 is met by it and not by whatever the
// system's alternative is. Empty, after a message on standard error, when
// either is missing.
LapackPeer load_reference_lapack();

// OpenBLAS (its own LAPACK) restricted to one thread. Empty, after a message
// on standard error, when it is missing.
LapackPeer load_openblas();

}  // namespace vibsim::bench
