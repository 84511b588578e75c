// LU factorisation with partial pivoting (Doolittle form: unit lower factor L,
// upper factor U), and from it the determinant and the inverse by forward and
// back substitution, one column of the identity at a time (G. H. Golub and
// C. F. Van Loan, "Matrix Computations", 4th ed., sections 3.2 and 3.4).
// Pivoting reorders a row index instead of moving rows.
#include "vibsim/lu.hpp"

#include "vibsim/work_storage.hpp"

#include <cmath>
#include <cstddef>
#include <memory>

namespace vibsim {
namespace {

using Index = std::ptrdiff_t;

// A copy of the matrix overwritten by its factors, with the row order of the
// factorisation: row k of the reordered matrix is row order[k] of the input.
// Rows are never moved, so U(k, j) for j >= k is w[order[k] * n + j] and the
// multiplier L(i, k) for i > k is w[order[i] * n + k].
struct LuFactors {
    Index n;
    std::unique_ptr<double[]> w;
    std::unique_ptr<int[]> order;
    double determinant;

    double& at(Index row, Index col) const { return w[row * n + col]; }
};

// +1.0 for an even row order, -1.0 for an odd one: the parity of the
// exchanges that sort it back. `where` is the inverse of `order`; both are
// scratch and end up disordered.
double row_order_sign(Index n, int* order, int* where)
{
    for (Index i = 0; i < n; ++i) where[order[i]] = static_cast<int>(i);
    double sign = 1.0;
    for (Index i = 0; i + 1 < n; ++i) {
        const int v = order[i];
        if (v != i) {
            order[where[i]] = v;
            where[v] = where[i];
            sign = -sign;
        }
    }
    return sign;
}

LuFactors factorise(int order_of_matrix, const double* a, int lda)
{
    const Index n = order_of_matrix > 0 ? order_of_matrix : 0;
    // All work storage first: running out of memory ends the process before
    // the matrix is read.
    LuFactors f{n, work_doubles(n * n), work_ints(n), 0.0};
    const auto sorted = work_ints(n);
    const auto where = work_ints(n);
    int* const order = f.order.get();

    for (Index i = 0; i < n; ++i) {
        for (Index j = 0; j < n; ++j) f.at(i, j) = a[i * lda + j];
        order[i] = static_cast<int>(i);
    }

    for (Index k = 0; k < n; ++k) {
        // The largest magnitude in column k wins; ties keep the earlier row.
        Index candidate = k;
        double largest = std::fabs(f.at(order[k], k));
        for (Index j = k + 1; j < n; ++j) {
            const double m = std::fabs(f.at(order[j], k));
            if (m > largest) {
                candidate = j;
                largest = m;
            }
        }
        const int swapped = order[k];
        order[k] = order[candidate];
        order[candidate] = swapped;

        const Index pivot_row = order[k];
        const double pivot = f.at(pivot_row, k);
        for (Index i = k + 1; i < n; ++i) {
            const Index row = order[i];
            const double m = f.at(row, k) / pivot;
            f.at(row, k) = m;
            for (Index j = k + 1; j < n; ++j) f.at(row, j) = f.at(row, j) - m * f.at(pivot_row, j);
        }
    }

    for (Index i = 0; i < n; ++i) sorted[i] = order[i];
    double d = row_order_sign(n, sorted.get(), where.get());
    for (Index i = 0; i < n; ++i) d = d * f.at(order[i], i);
    f.determinant = d;
    return f;
}

}  // namespace

double lu_determinant(int n, const double* a, int lda)
{
    return factorise(n, a, lda).determinant;
}

double lu_invert(int n, double* a, int lda)
{
    const LuFactors f = factorise(n, a, lda);
    if (!(std::fabs(f.determinant) > lu_singular_bound)) return f.determinant;

    // Column c of the inverse solves L U x = (column c of the identity, in
    // the row order). Each pass reads only the entries of column c that it
    // has written already, and the factors only from the copy.
    const int* const order = f.order.get();
    auto x_at = [a, lda](Index row, Index col) -> double& { return a[row * lda + col]; };
    for (Index c = 0; c < f.n; ++c) {
        for (Index j = 0; j < f.n; ++j) {
            const Index row = order[j];
            double x = row == c ? 1.0 : 0.0;
            for (Index k = 0; k < j; ++k) x = x - f.at(row, k) * x_at(k, c);
            x_at(j, c) = x;
        }
        for (Index j = f.n - 1; j >= 0; --j) {
            const Index row = order[j];
            double x = x_at(j, c);
            for (Index k = j + 1; k < f.n; ++k) x = x - f.at(row, k) * x_at(k, c);
            x_at(j, c) = x / f.at(row, j);
        }
    }
    return f.determinant;
}

}  // namespace vibsim
