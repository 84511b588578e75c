// The packed form of the row operation, for blocks of many rows, columns and
// k: the multipliers and the source rows are copied into contiguous panels,
// and a tile of Rows target rows x Vecs vectors of columns is held in
// registers while all the k of a panel pass over it, in increasing order. The
// panels of k are applied one after another, so that every target element
// still receives its products and differences in the order of a scalar loop.
// Included by lu_kernel_body.hpp.
#pragma once

#include "lu_kernel.hpp"

#include <algorithm>
#include <cstring>

namespace vibsim::lu_detail {
namespace {

// One tile: Rows rows (pointers c, from column j on) x Vecs vectors, with the
// kc multipliers of each row packed k by k (a[k * Rows + r]) and the kc source
// rows packed k by k (b[k * Vecs * Lanes + column]).
template <int Rows, int Vecs, int Lanes>
[[gnu::always_inline]] inline void subtract_tile(Index kc, const double* a, const double* b, double* const* c,
                                                 Index j)
{
    using V = typename VectorOf<Lanes>::type;
    constexpr int width = Vecs * Lanes;
    V x[Rows][Vecs];
    #pragma GCC unroll 16
    for (int r = 0; r < Rows; ++r)
        #pragma GCC unroll 8
        for (int v = 0; v < Vecs; ++v) std::memcpy(&x[r][v], c[r] + j + v * Lanes, sizeof(V));
    for (Index k = 0; k < kc; ++k) {
        V y[Vecs];
        #pragma GCC unroll 8
        for (int v = 0; v < Vecs; ++v) std::memcpy(&y[v], b + k * width + v * Lanes, sizeof(V));
        #pragma GCC unroll 16
        for (int r = 0; r < Rows; ++r) {
            const double m = a[k * Rows + r];
            #pragma GCC unroll 8
            for (int v = 0; v < Vecs; ++v) x[r][v] = x[r][v] - m * y[v];
        }
    }
    #pragma GCC unroll 16
    for (int r = 0; r < Rows; ++r)
        #pragma GCC unroll 8
        for (int v = 0; v < Vecs; ++v) std::memcpy(c[r] + j + v * Lanes, &x[r][v], sizeof(V));
}

// Source rows [pc, pc + kc), columns [jc, jc + nc), as strips of `width`
// columns, each k by k; columns beyond nc are zero.
template <int width>
void pack_source(const RowSet& source, Index pc, Index kc, Index jc, Index nc, double* out)
{
    for (Index s = 0; s * width < nc; ++s) {
        const Index j0 = jc + s * width;
        const Index w = std::min<Index>(width, jc + nc - j0);
        double* const strip = out + s * kc * width;
        if (w == width) {
            for (Index k = 0; k < kc; ++k) std::memcpy(strip + k * width, row_of(source, pc + k) + j0, sizeof(double) * width);
            continue;
        }
        for (Index k = 0; k < kc; ++k) {
            const double* const from = row_of(source, pc + k) + j0;
            double* const to = strip + k * width;
            std::copy_n(from, w, to);
            std::fill(to + w, to + width, 0.0);
        }
    }
}

// Multipliers of rows [ic, ic + mc), k in [pc, pc + kc), as panels of Rows
// rows, each k by k; rows beyond mc are zero.
template <int Rows>
void pack_multipliers(const RowSet& multipliers, Index ic, Index mc, Index pc, Index kc, double* out)
{
    for (Index p = 0; p * Rows < mc; ++p) {
        double* const panel = out + p * kc * Rows;
        const Index h = std::min<Index>(Rows, mc - p * Rows);
        const double* from[Rows];
        for (int r = 0; r < h; ++r) from[r] = row_of(multipliers, ic + p * Rows + r) + pc;
        if (h == Rows) {
            for (Index k = 0; k < kc; ++k)
                #pragma GCC unroll 16
                for (int r = 0; r < Rows; ++r) panel[k * Rows + r] = from[r][k];
            continue;
        }
        for (Index k = 0; k < kc; ++k)
            for (int r = 0; r < Rows; ++r) panel[k * Rows + r] = r < h ? from[r][k] : 0.0;
    }
}

template <int Rows, int Vecs, int Lanes>
void subtract_packed(const RowUpdate& u)
{
    constexpr int width = Vecs * Lanes;
    static_assert(pack_columns % width == 0 && pack_rows % Rows == 0);
    // Both panels start on a cache line.
    double* const packed_source = u.pack;
    double* const packed_multipliers = u.pack + pack_depth * pack_columns;
    for (Index jc = u.j_begin; jc < u.j_end; jc += pack_columns) {
        const Index nc = std::min(pack_columns, u.j_end - jc);
        for (Index pc = u.k_begin; pc < u.k_end; pc += pack_depth) {
            const Index kc = std::min(pack_depth, u.k_end - pc);
            pack_source<width>(u.source, pc, kc, jc, nc, packed_source);
            for (Index ic = u.first; ic < u.last; ic += pack_rows) {
                const Index mc = std::min(pack_rows, u.last - ic);
                pack_multipliers<Rows>(u.multipliers, ic, mc, pc, kc, packed_multipliers);
                for (Index s = 0; s * width < nc; ++s) {
                    const Index j0 = jc + s * width;
                    const Index w = std::min<Index>(width, jc + nc - j0);
                    // Source rows above j0 that are zero in all these columns
                    // are left out.
                    const Index skip = u.source_lower ? std::clamp<Index>(j0 - pc, 0, kc) : 0;
                    if (skip == kc) continue;
                    const double* const b = packed_source + (s * kc + skip) * width;
                    for (Index p = 0; p * Rows < mc; ++p) {
                        const Index i0 = ic + p * Rows;
                        const Index h = std::min<Index>(Rows, ic + mc - i0);
                        const double* const a = packed_multipliers + p * kc * Rows + skip * Rows;
                        // The next tile's target rows are fetched while this
                        // one is worked on.
                        for (Index r = i0 + Rows; r < std::min(i0 + 2 * Rows, ic + mc); ++r)
                            __builtin_prefetch(row_of(u.target, r) + j0, 1);
                        double* c[Rows];
                        if (h == Rows && w == width) {
                            for (int r = 0; r < Rows; ++r) c[r] = row_of(u.target, i0 + r);
                            subtract_tile<Rows, Vecs, Lanes>(kc - skip, a, b, c, j0);
                            continue;
                        }
                        // A tile at the edge works on a copy; the rows and
                        // columns beyond the edge are discarded.
                        alignas(64) double tile[Rows][width] = {};
                        for (int r = 0; r < h; ++r) std::memcpy(tile[r], row_of(u.target, i0 + r) + j0, w * sizeof(double));
                        for (int r = 0; r < Rows; ++r) c[r] = tile[r];
                        subtract_tile<Rows, Vecs, Lanes>(kc - skip, a, b, c, 0);
                        for (int r = 0; r < h; ++r) std::memcpy(row_of(u.target, i0 + r) + j0, tile[r], w * sizeof(double));
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace vibsim::lu_detail
