// LU factorisation with partial pivoting (Doolittle form: unit lower factor L,
// upper factor U), and from it the determinant and the inverse by forward and
// back substitution on the columns of the identity (G. H. Golub and C. F. Van
// Loan, "Matrix Computations", 4th ed., sections 3.2 and 3.4).
// Pivoting reorders a row index instead of moving rows.
//
// The work is done a block of rows or columns at a time so that the inner
// loops run along contiguous rows (lu_kernel.hpp), yet every element receives
// exactly the operations of the plain algorithm in the plain order: element
// (i, j) of the factors is updated with k = 0, 1, ... in increasing order,
// and column c of the inverse is solved as if on its own.
#include "vibsim/lu.hpp"

#include "lu_kernel.hpp"
#include "vibsim/work_storage.hpp"

#include <algorithm>
#include <cmath>
#include <memory>

namespace vibsim {
namespace lu_detail {
namespace {

// Columns per panel of the factorisation, rows per block of the forward
// substitution and columns per strip of the back substitution: sized so that
// the rows a block reads again and again stay in the processor's caches.
constexpr Index block = 32;

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
    double pivot(Index k) const { return at(order[k], k); }
    RowSet rows() const { return {w.get(), n, order.get()}; }
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

// The update, for the columns k of its range that were eliminated: a column
// whose pivot is exactly zero was skipped and contributes nothing.
void subtract_eliminated(SubtractRows* subtract, const LuFactors& f, RowUpdate u)
{
    const Index end = u.k_end;
    for (Index k = u.k_begin; k < end;) {
        while (k < end && f.pivot(k) == 0.0) ++k;
        Index run_end = k;
        while (run_end < end && f.pivot(run_end) != 0.0) ++run_end;
        if (run_end > k) {
            u.k_begin = k;
            u.k_end = run_end;
            subtract(u);
        }
        k = run_end;
    }
}

// Pivoting and elimination of columns [k0, k1), applied within those columns
// only; the columns to their right are brought up to date afterwards.
void factorise_panel(const LuFactors& f, Index k0, Index k1)
{
    const Index n = f.n;
    int* const order = f.order.get();
    for (Index k = k0; k < k1; ++k) {
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
        std::swap(order[k], order[candidate]);

        // A zero pivot means the rest of the column is zero too (or not a
        // number): there is nothing to eliminate, and 0 / 0 multipliers would
        // turn a singular matrix's determinant into a non-number.
        const double pivot = f.pivot(k);
        if (pivot == 0.0) continue;
        const double* const pivot_row = &f.at(order[k], 0);
        for (Index i = k + 1; i < n; ++i) {
            double* const row = &f.at(order[i], 0);
            const double m = row[k] / pivot;
            row[k] = m;
            for (Index j = k + 1; j < k1; ++j) row[j] = row[j] - m * pivot_row[j];
        }
    }
}

LuFactors factorise(SubtractRows* subtract, int order_of_matrix, const double* a, int lda)
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

    const RowSet rows = f.rows();
    for (Index k0 = 0; k0 < n; k0 += block) {
        const Index k1 = std::min(n, k0 + block);
        factorise_panel(f, k0, k1);
        // Right of the panel: first its own rows, each after the rows above
        // it, then every row below.
        for (Index i = k0 + 1; i < k1; ++i)
            subtract_eliminated(subtract, f, {rows, rows, rows, i, i + 1, k0, i, k1, n});
        subtract_eliminated(subtract, f, {rows, rows, rows, k1, n, k0, k1, k1, n});
    }

    for (Index i = 0; i < n; ++i) sorted[i] = order[i];
    double d = row_order_sign(n, sorted.get(), where.get());
    for (Index i = 0; i < n; ++i) d = d * f.pivot(i);
    f.determinant = d;
    return f;
}

// Forward substitution with L on the reordered identity, all columns at once:
// row j of the result is row order[j] of the identity less the multiples
// L(j, k) of the rows k < j before it.
void forward_substitute(SubtractRows* subtract, const LuFactors& f, double* a, Index lda)
{
    const Index n = f.n;
    for (Index j = 0; j < n; ++j) {
        std::fill(a + j * lda, a + j * lda + n, 0.0);
        a[j * lda + f.order[j]] = 1.0;
    }
    const RowSet x{a, lda, nullptr};
    const RowSet factors = f.rows();
    for (Index k0 = 0; k0 < n; k0 += block) {
        const Index k1 = std::min(n, k0 + block);
        for (Index i = k0 + 1; i < k1; ++i) subtract({x, factors, x, i, i + 1, k0, i, 0, n});
        subtract({x, factors, x, k1, n, k0, k1, 0, n});
    }
}

// Back substitution with U, a strip of columns at a time: row j of the strip
// less the multiples U(j, k) of the finished rows k > j, in increasing k, and
// divided by the pivot U(j, j). Each row of a strip reads all the rows below
// it, so the strip is copied to contiguous storage and back.
void back_substitute(SubtractRows* subtract, const LuFactors& f, double* a, Index lda, double* strip)
{
    const Index n = f.n;
    const RowSet factors = f.rows();
    for (Index c0 = 0; c0 < n; c0 += block) {
        const Index width = std::min(n - c0, block);
        const RowSet x{strip, width, nullptr};
        for (Index j = 0; j < n; ++j) std::copy_n(a + j * lda + c0, width, strip + j * width);
        for (Index j = n - 1; j >= 0; --j) {
            subtract({x, factors, x, j, j + 1, j + 1, n, 0, width});
            const double pivot = f.pivot(j);
            for (Index c = 0; c < width; ++c) strip[j * width + c] = strip[j * width + c] / pivot;
        }
        for (Index j = 0; j < n; ++j) std::copy_n(strip + j * width, width, a + j * lda + c0);
    }
}

}  // namespace

double lu_determinant_using(SubtractRows* subtract, int n, const double* a, int lda)
{
    return factorise(subtract, n, a, lda).determinant;
}

double lu_invert_using(SubtractRows* subtract, int n, double* a, int lda)
{
    // Taken before the factorisation's storage, so that running out of
    // memory still ends the process before the matrix is read.
    const auto strip = work_doubles(static_cast<long long>(n > 0 ? n : 0) * block);
    const LuFactors f = factorise(subtract, n, a, lda);
    if (!(std::fabs(f.determinant) > lu_singular_bound)) return f.determinant;
    // The factors are all in the copy: a is overwritten from its first row on.
    forward_substitute(subtract, f, a, lda);
    back_substitute(subtract, f, a, lda, strip.get());
    return f.determinant;
}

}  // namespace lu_detail

double lu_determinant(int n, const double* a, int lda)
{
    return lu_detail::lu_determinant_using(lu_detail::subtract_rows_chosen(), n, a, lda);
}

double lu_invert(int n, double* a, int lda)
{
    return lu_detail::lu_invert_using(lu_detail::subtract_rows_chosen(), n, a, lda);
}

}  // namespace vibsim
