// The row operation of lu_kernel.hpp for vectors of Lanes doubles, included
// by the translation unit of each processor form. Each target element is kept
// in a vector register while all its k pass over it in increasing order, so
// that every element still receives its products and differences one at a
// time in the order of a scalar loop: vectors only run across independent
// columns, and products are never fused into the differences.
//
// Internal linkage on purpose: each form's translation unit is compiled for
// its own instruction set, and no copy may stand in for another's.
#pragma once

#include "lu_kernel.hpp"

#include <cstdint>
#include <cstring>

namespace vibsim::lu_detail {
namespace {

[[gnu::always_inline]] inline double* row_of(const RowSet& rows, Index i)
{
    return rows.base + (rows.index != nullptr ? rows.index[i] : i) * rows.stride;
}

// Lanes doubles that one instruction multiplies or subtracts at once.
template <int Lanes>
struct VectorOf;
template <>
struct VectorOf<2> {
    typedef double type __attribute__((vector_size(16)));
};
template <>
struct VectorOf<4> {
    typedef double type __attribute__((vector_size(32)));
};
template <>
struct VectorOf<8> {
    typedef double type __attribute__((vector_size(64)));
};

// Rows x Vecs vectors of Lanes columns from column j on, for all k.
template <int Rows, int Vecs, int Lanes>
[[gnu::always_inline]] inline void subtract_block(double* const* target, const double* const* multipliers,
                                                  const RowSet& source, Index k_begin, Index k_end, Index j)
{
    using V = typename VectorOf<Lanes>::type;
    static_assert(sizeof(V) == Lanes * sizeof(double));
    // The small loops are unrolled so that x and y live in registers.
    V x[Rows][Vecs];
    #pragma GCC unroll 8
    for (int r = 0; r < Rows; ++r)
        #pragma GCC unroll 8
        for (int v = 0; v < Vecs; ++v) std::memcpy(&x[r][v], target[r] + j + v * Lanes, sizeof(V));
    const auto step = [&](const double* s, Index k) __attribute__((always_inline)) {
        V y[Vecs];
        #pragma GCC unroll 8
        for (int v = 0; v < Vecs; ++v) std::memcpy(&y[v], s + v * Lanes, sizeof(V));
        #pragma GCC unroll 8
        for (int r = 0; r < Rows; ++r) {
            const double m = multipliers[r][k];
            #pragma GCC unroll 8
            for (int v = 0; v < Vecs; ++v) x[r][v] = x[r][v] - m * y[v];
        }
    };
    if (Rows == 1 && source.index == nullptr) {
        // A single row gets a new source row for every k and nothing else to
        // do, so its speed is that of the stream of source rows: when they
        // lie one after another (a strip of the back substitution), the rows
        // a few k ahead are fetched while this one is worked on.
        constexpr Index ahead = 4;
        const Index stride = source.stride;
        // (The rows ahead may lie past the last one: their addresses are
        // counted as numbers, and a prefetch never faults.)
        const double* s = source.base + k_begin * stride + j;
        auto fetched = reinterpret_cast<std::uintptr_t>(s) + ahead * stride * sizeof(double);
        for (Index k = k_begin; k < k_end; ++k, s += stride, fetched += stride * sizeof(double)) {
            #pragma GCC unroll 8
            for (int line = 0; line < Vecs * Lanes; line += 8)
                __builtin_prefetch(reinterpret_cast<const void*>(fetched + line * sizeof(double)));
            step(s, k);
        }
    } else {
        for (Index k = k_begin; k < k_end; ++k) step(row_of(source, k) + j, k);
    }
    #pragma GCC unroll 8
    for (int r = 0; r < Rows; ++r)
        #pragma GCC unroll 8
        for (int v = 0; v < Vecs; ++v) std::memcpy(target[r] + j + v * Lanes, &x[r][v], sizeof(V));
}

// Rows target rows from row i on, across all the columns.
template <int Rows, int Vecs, int Lanes>
[[gnu::always_inline]] inline void subtract_rows_from(const RowUpdate& u, Index i)
{
    double* target[Rows];
    const double* multipliers[Rows];
    for (int r = 0; r < Rows; ++r) {
        target[r] = row_of(u.target, i + r);
        multipliers[r] = row_of(u.multipliers, i + r);
    }
    Index j = u.j_begin;
    for (; j + Vecs * Lanes <= u.j_end; j += Vecs * Lanes)
        subtract_block<Rows, Vecs, Lanes>(target, multipliers, u.source, u.k_begin, u.k_end, j);
    if constexpr (Vecs >= 8) {
        if (j + Vecs / 2 * Lanes <= u.j_end) {
            subtract_block<Rows, Vecs / 2, Lanes>(target, multipliers, u.source, u.k_begin, u.k_end, j);
            j += Vecs / 2 * Lanes;
        }
    }
    for (; j + Lanes <= u.j_end; j += Lanes)
        subtract_block<Rows, 1, Lanes>(target, multipliers, u.source, u.k_begin, u.k_end, j);
    for (; j < u.j_end; ++j) {
        for (int r = 0; r < Rows; ++r) {
            double x = target[r][j];
            for (Index k = u.k_begin; k < u.k_end; ++k) x = x - multipliers[r][k] * row_of(u.source, k)[j];
            target[r][j] = x;
        }
    }
}

// One row of a back substitution, Vecs vectors of columns from column j on
// (Vecs at most 8, fewer at the end of a narrow strip), all at once: every
// column of the row waits for the row below, so the more independent sums in
// flight the better.
template <int Vecs, int Lanes>
[[gnu::always_inline]] inline void solve_block(double* target, const double* multipliers, const RowSet& rows,
                                               Index i, Index k_end, Index j, Index vectors)
{
    if constexpr (Vecs > 1) {
        if (vectors < Vecs) {
            solve_block<Vecs - 1, Lanes>(target, multipliers, rows, i, k_end, j, vectors);
            return;
        }
    }
    subtract_block<1, Vecs, Lanes>(&target, &multipliers, rows, i + 1, k_end, j);
}

template <int Lanes>
void back_substitute_rows(const RowUpdate& u)
{
    for (Index i = u.last - 1; i >= u.first; --i) {
        double* const target = row_of(u.target, i);
        const double* const multipliers = row_of(u.multipliers, i);
        // The next row's multipliers lie anywhere (the rows are in the
        // pivots' order): their start is fetched while this row is solved.
        if (i > u.first) {
            const auto next = reinterpret_cast<std::uintptr_t>(row_of(u.multipliers, i - 1) + i);
            for (int line = 0; line < 4; ++line) __builtin_prefetch(reinterpret_cast<const void*>(next + 64 * line));
        }
        Index j = u.j_begin;
        for (; j + Lanes <= u.j_end; j += 8 * Lanes)
            solve_block<8, Lanes>(target, multipliers, u.source, i, u.k_end, j, (u.j_end - j) / Lanes);
        j = u.j_begin + (u.j_end - u.j_begin) / Lanes * Lanes;
        for (; j < u.j_end; ++j) {
            double x = target[j];
            for (Index k = i + 1; k < u.k_end; ++k) x = x - multipliers[k] * row_of(u.source, k)[j];
            target[j] = x;
        }
        const double pivot = multipliers[i];
        for (j = u.j_begin; j < u.j_end; ++j) target[j] = target[j] / pivot;
    }
}

}  // namespace
}  // namespace vibsim::lu_detail

#include "lu_kernel_packed.hpp"

namespace vibsim::lu_detail {
namespace {

// Blocks with rows, columns and k enough for whole tiles go through the packed
// form (Rows x Vecs vectors a tile). Otherwise four rows at a time share each
// source load, and a row left over gets wider blocks so that enough
// independent differences are in flight.
template <int Lanes, int Rows, int Vecs>
[[gnu::always_inline]] inline void subtract_rows(const RowUpdate& u)
{
    if (u.back_substitution) {
        back_substitute_rows<Lanes>(u);
        return;
    }
    if (u.pack != nullptr && u.last - u.first >= Rows && u.j_end - u.j_begin >= Vecs * Lanes &&
        u.k_end - u.k_begin >= 4) {
        subtract_packed<Rows, Vecs, Lanes>(u);
        return;
    }
    Index i = u.first;
    for (; i + 4 <= u.last; i += 4) subtract_rows_from<4, 2, Lanes>(u, i);
    for (; i < u.last; ++i) subtract_rows_from<1, 8, Lanes>(u, i);
}

}  // namespace
}  // namespace vibsim::lu_detail
