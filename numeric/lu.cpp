// LU factorisation with partial pivoting (Doolittle form: unit lower factor L,
// upper factor U), and from it the determinant and the inverse by forward and
// back substitution on the columns of the identity (G. H. Golub and C. F. Van
// Loan, "Matrix Computations", 4th ed., sections 3.2 and 3.4).
// Pivoting reorders a row index instead of moving rows.
//
// The work is split recursively into halves so that nearly all of it is one
// matrix product, target - multipliers x source, done a tile at a time from
// packed panels (lu_kernel.hpp); yet every element receives exactly the
// operations of the plain algorithm in the plain order: element (i, j) of the
// factors is updated with k = 0, 1, ... in increasing order, and column c of
// the inverse is solved as if on its own.
#include "vibsim/lu.hpp"

#include "lu_kernel.hpp"
#include "vibsim/work_storage.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>

namespace vibsim {
namespace lu_detail {
namespace {

// Columns factorised one at a time, and rows solved one after another, at the
// bottom of the recursion: below these the matrix product gains nothing.
constexpr Index panel_width = 8;
constexpr Index solve_rows = 16;
// Columns per strip of the back substitution: eight independent sums of
// eight-wide vectors for each row. (Narrower strips that stay in the
// second-level cache at larger orders are slower: fewer sums in flight.)
constexpr Index strip_width = 64;

// Where a range of `width` columns or rows is split in two: near the middle,
// on a multiple of panel_width.
Index split(Index width)
{
    return (width / 2 + panel_width - 1) / panel_width * panel_width;
}

// Scratch doubles that are always written before they are read, so they are
// not cleared (nor touched before they are used).
std::unique_ptr<double[]> scratch_doubles(Index count)
{
    if (count > PTRDIFF_MAX / Index{sizeof(double)}) memory_overflow();
    std::unique_ptr<double[]> block(new (std::nothrow) double[static_cast<std::size_t>(count)]);
    if (!block) memory_overflow();
    return block;
}

// The packing buffer of the row operation, on a cache line, for orders from
// packed_order on (below, the blocks are too small to gain from packing and
// there is none).
constexpr int packed_order = 32;
struct PackBuffer {
    std::unique_ptr<double[]> storage;
    double* start = nullptr;

    explicit PackBuffer(int n)
    {
        if (n < packed_order) return;
        storage = scratch_doubles(pack_size);
        const auto address = reinterpret_cast<std::uintptr_t>(storage.get());
        start = storage.get() + (64 - address % 64) % 64 / sizeof(double);
    }
};

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

// The row operation with its packing buffer. In the factorisation (given its
// factors) it is applied for the k of the update's range that were
// eliminated: a column whose pivot is exactly zero was skipped and contributes
// nothing. The inverse is only computed when no pivot is zero.
struct Updater {
    SubtractRows* subtract;
    double* pack;
    const LuFactors* factors;

    void operator()(RowUpdate u) const
    {
        if (u.first >= u.last || u.k_begin >= u.k_end || u.j_begin >= u.j_end) return;
        u.pack = pack;
        if (factors == nullptr) {
            subtract(u);
            return;
        }
        const LuFactors& f = *factors;
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

// The pivot search of a column: the first of x[first], ..., x[last - 1] with
// the largest magnitude, where x[first] stays unless one is strictly larger
// (a non-number is never larger, and a non-number at first stays). Four
// searches of every fourth entry run side by side, each keeping its own
// first largest, and the earliest of their largest wins.
Index pivot_position(const double* x, Index first, Index last)
{
    constexpr int ways = 4;
    double largest[ways] = {-1.0, -1.0, -1.0, -1.0};
    Index found[ways] = {-1, -1, -1, -1};
    Index i = first + 1;
    for (; i + ways <= last; i += ways) {
        for (int w = 0; w < ways; ++w) {
            const double m = std::fabs(x[i + w]);
            if (m > largest[w]) {
                largest[w] = m;
                found[w] = i + w;
            }
        }
    }
    for (int w = 0; i < last; ++i, ++w) {
        const double m = std::fabs(x[i]);
        if (m > largest[w]) {
            largest[w] = m;
            found[w] = i;
        }
    }
    Index candidate = first;
    double best = std::fabs(x[first]);
    for (int w = 0; w < ways; ++w) {
        if (found[w] < 0) continue;
        if (largest[w] > best || (largest[w] == best && candidate != first && found[w] < candidate)) {
            candidate = found[w];
            best = largest[w];
        }
    }
    return candidate;
}

// Pivoting and elimination of columns [k0, k1), applied within those columns
// only; the columns to their right are brought up to date afterwards. The
// columns of the rows at positions k0 ... n - 1 are copied into `panel`, a
// column at a time in position order (their entries exchanged with the
// positions), and back at the end, so that the steps run down contiguous
// columns, and the products and differences of a column as vectors across
// rows, each element still receiving its k in increasing order.
void factorise_panel(const LuFactors& f, Index k0, Index k1, double* panel)
{
    const Index n = f.n;
    const Index rows = n - k0;
    const Index width = k1 - k0;
    int* const order = f.order.get();
    // Column k0 + c at position k0 + i is column(c)[i].
    const auto column = [&](Index c) { return panel + c * rows; };
    for (Index i = 0; i < rows; ++i) {
        const double* const from = &f.at(order[k0 + i], k0);
        for (Index c = 0; c < width; ++c) column(c)[i] = from[c];
    }
    for (Index c = 0; c < width; ++c) {
        const Index k = k0 + c;
        double* const x = column(c);
        const Index candidate = pivot_position(x, c, rows);
        std::swap(order[k], order[k0 + candidate]);
        for (Index j = 0; j < width; ++j) std::swap(column(j)[c], column(j)[candidate]);

        // A zero pivot means the rest of the column is zero too (or not a
        // number): there is nothing to eliminate, and 0 / 0 multipliers would
        // turn a singular matrix's determinant into a non-number.
        const double pivot = x[c];
        if (pivot == 0.0) continue;
        for (Index i = c + 1; i < rows; ++i) x[i] = x[i] / pivot;
        for (Index j = c + 1; j < width; ++j) {
            double* const y = column(j);
            const double p = y[c];
            for (Index i = c + 1; i < rows; ++i) y[i] = y[i] - x[i] * p;
        }
    }
    for (Index i = 0; i < rows; ++i) {
        double* const to = &f.at(order[k0 + i], k0);
        for (Index c = 0; c < width; ++c) to[c] = column(c)[i];
    }
}

// Rows [r0, r1) of x, each row i less the multiples l[i][k] x[k] of the rows
// k = r0 ... i - 1 before it, in increasing k, in columns [j0, j1); the rows
// have received every k < r0 already. The rows of the first half are solved,
// then the second half receives the first half's k as one product, then it is
// solved. With `lower`, row k of x is zero right of column k (it holds the
// inverse of L under construction), and only the columns that can hold
// anything but zero are worked on: the products left out are exact zeros,
// which would leave every difference as it is.
void solve_lower(const Updater& update, const RowSet& x, const RowSet& l, Index r0, Index r1, Index j0, Index j1,
                 bool lower)
{
    if (r1 - r0 <= solve_rows) {
        for (Index i = r0 + 1; i < r1; ++i) update({x, l, x, i, i + 1, r0, i, j0, lower ? i : j1});
        return;
    }
    const Index rm = r0 + split(r1 - r0);
    solve_lower(update, x, l, r0, rm, j0, j1, lower);
    RowUpdate product{x, l, x, rm, r1, r0, rm, j0, lower ? rm : j1};
    product.source_lower = lower;
    update(product);
    solve_lower(update, x, l, rm, r1, j0, j1, lower);
}

// Columns [c0, c1) of the rows at positions c0 ... n - 1, which have
// received every k < c0 already: the left half is factorised, the right half
// receives the left half's k (rows above the split by solving with L, rows
// below as one product), and then it is factorised.
void factorise_columns(const Updater& update, const LuFactors& f, double* panel, Index c0, Index c1)
{
    if (c1 - c0 <= panel_width) {
        factorise_panel(f, c0, c1, panel);
        return;
    }
    const Index cm = c0 + split(c1 - c0);
    factorise_columns(update, f, panel, c0, cm);
    const RowSet rows = f.rows();
    solve_lower(update, rows, rows, c0, cm, cm, c1, false);
    update({rows, rows, rows, cm, f.n, c0, cm, cm, c1});
    factorise_columns(update, f, panel, cm, c1);
}

LuFactors factorise(SubtractRows* subtract, double* pack, int order_of_matrix, const double* a, int lda)
{
    const Index n = order_of_matrix > 0 ? order_of_matrix : 0;
    // All work storage first: running out of memory ends the process before
    // the matrix is read. The copy is written in full before it is read.
    LuFactors f{n, scratch_doubles(n * n), work_ints(n), 0.0};
    const auto sorted = work_ints(n);
    const auto where = work_ints(n);
    const auto panel = scratch_doubles(n * panel_width);
    int* const order = f.order.get();

    for (Index i = 0; i < n; ++i) {
        for (Index j = 0; j < n; ++j) f.at(i, j) = a[i * lda + j];
        order[i] = static_cast<int>(i);
    }
    factorise_columns({subtract, pack, &f}, f, panel.get(), 0, n);

    for (Index i = 0; i < n; ++i) sorted[i] = order[i];
    double d = row_order_sign(n, sorted.get(), where.get());
    for (Index i = 0; i < n; ++i) d = d * f.pivot(i);
    f.determinant = d;
    return f;
}

// Forward substitution with L on the reordered identity. Column order[t] of
// the identity has its one in row t, so its solution is column t of the
// inverse of L: zero above row t, one in row t, and below it row j less the
// multiples L(j, k) of the rows k = t ... j - 1. The products of the rows
// above t are exact zeros (every multiplier is finite when the determinant
// passes the bound: an infinite or non-number multiplier makes its row's
// pivot, and with it the determinant, infinite times zero or a non-number),
// and they leave the differences as they are, so they are left out. The
// columns are solved in the order t and put in their places at the end.
void forward_substitute(const Updater& update, const LuFactors& f, double* a, Index lda)
{
    const Index n = f.n;
    for (Index j = 0; j < n; ++j) {
        std::fill(a + j * lda, a + j * lda + n, 0.0);
        a[j * lda + j] = 1.0;
    }
    solve_lower(update, {a, lda, nullptr}, f.rows(), 0, n, 0, n, true);
}

// Back substitution with U, a strip of columns at a time: row j of the strip
// less the multiples U(j, k) of the finished rows k > j, in increasing k, and
// divided by the pivot U(j, j). Each row of a strip reads all the rows below
// it, so the strip is copied to contiguous storage (the next strip's columns
// are copied in as this one's are copied back). A narrow last strip is padded
// with zero columns to a whole number of eight-wide vectors, which are
// discarded. Then each row's columns go from the order t of the forward
// substitution to their places order[t].
void back_substitute(const Updater& update, const LuFactors& f, double* a, Index lda, double* strip)
{
    const Index n = f.n;
    const auto width_of = [n](Index c0) { return std::min(n - c0, strip_width); };
    const auto stride_of = [](Index width) { return (width + 7) / 8 * 8; };
    const auto copy_in = [&](Index c0) {
        const Index width = width_of(c0);
        const Index stride = stride_of(width);
        for (Index j = 0; j < n; ++j) {
            std::copy_n(a + j * lda + c0, width, strip + j * stride);
            std::fill(strip + j * stride + width, strip + (j + 1) * stride, 0.0);
        }
    };
    if (n > 0) copy_in(0);
    for (Index c0 = 0; c0 < n; c0 += strip_width) {
        const Index width = width_of(c0);
        const Index stride = stride_of(width);
        RowUpdate solve{{strip, stride, nullptr}, f.rows(), {strip, stride, nullptr}, 0, n, 0, n, 0, stride};
        solve.back_substitution = true;
        update(solve);
        const Index next = c0 + width;
        if (next < n && width_of(next) == width) {
            for (Index j = 0; j < n; ++j) {
                std::copy_n(strip + j * stride, width, a + j * lda + c0);
                std::copy_n(a + j * lda + next, width, strip + j * stride);
            }
            continue;
        }
        for (Index j = 0; j < n; ++j) std::copy_n(strip + j * stride, width, a + j * lda + c0);
        if (next < n) copy_in(next);
    }
    for (Index j = 0; j < n; ++j) {
        double* const row = a + j * lda;
        std::copy_n(row, n, strip);
        for (Index t = 0; t < n; ++t) row[f.order[t]] = strip[t];
    }
}

}  // namespace

double lu_determinant_using(SubtractRows* subtract, int n, const double* a, int lda)
{
    const PackBuffer pack(n);
    return factorise(subtract, pack.start, n, a, lda).determinant;
}

double lu_invert_using(SubtractRows* subtract, int n, double* a, int lda)
{
    // Taken before the factorisation's storage, so that running out of
    // memory still ends the process before the matrix is read.
    const PackBuffer pack(n);
    const auto strip = scratch_doubles(static_cast<Index>(n > 0 ? n : 0) * strip_width);
    const LuFactors f = factorise(subtract, pack.start, n, a, lda);
    if (!(std::fabs(f.determinant) > lu_singular_bound)) return f.determinant;
    // The factors are all in the copy: a is overwritten from its first row on.
    const Updater update{subtract, pack.start, nullptr};
    forward_substitute(update, f, a, lda);
    back_substitute(update, f, a, lda, strip.get());
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
