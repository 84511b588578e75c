#include "vibsim/lu.hpp"

#include "child_process.hpp"
#include "lu_kernel.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <climits>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace vibsim {
namespace {

// An n x n matrix stored with rows n + 1 apart and one more double at the end;
// the spare doubles hold -99, which the operations must neither read nor write.
std::vector<double> padded(int n, const std::vector<double>& rows)
{
    std::vector<double> a(n * (n + 1) + 1, -99.0);
    for (int i = 0; i < n * n; ++i) a[i / n * (n + 1) + i % n] = rows[i];
    return a;
}

TEST(Lu, WorkedExamplesAreBitExact)
{
    struct Example {
        int n;
        std::vector<double> a;
        double determinant;
        std::vector<double> inverse;
    };
    const Example examples[] = {
        {0, {}, 1.0, {}},
        {1, {-2e-06}, -2e-06, {1.0 / -2e-06}},  // just over the singular bound in magnitude
        {2, {0, 1, 1, 0}, -1.0, {0, 1, 1, 0}},
        {2, {1, 2, -1, 3}, 5.0, {0.6, -0.4, 0.2, 0.2}},  // equal magnitudes: no exchange
        {2, {4, 3, 6, 3}, -6.0, {-0.5, 0.5, 1.0, -0.6666666666666666}},
        {3, {2, 1, 1, 4, -6, 0, -2, 7, 2}, -16.0, {0.75, -0.3125, -0.375, 0.5, -0.375, -0.25, -1, 1, 1}},
        {3, {0, 1, 0, 0, 0, 1, 1, 0, 0}, 1.0, {0, 0, 1, 1, 0, 0, 0, 1, 0}},  // an even row order
    };
    for (const Example& e : examples) {
        SCOPED_TRACE(testing::Message() << "order " << e.n << ", determinant " << e.determinant);
        std::vector<double> a = padded(e.n, e.a);
        EXPECT_EQ(lu_determinant(e.n, a.data(), e.n + 1), e.determinant);
        EXPECT_EQ(a, padded(e.n, e.a));
        EXPECT_EQ(lu_invert(e.n, a.data(), e.n + 1), e.determinant);
        EXPECT_EQ(a, padded(e.n, e.inverse));
    }
}

TEST(Lu, DeterminantsAtOrBelowTheBoundLeaveTheMatrixAlone)
{
    const struct {
        int n;
        std::vector<double> a;
        double determinant;
    } cases[] = {
        {2, {1, 2, 2, 4}, -0.0},  // zero second pivot after one exchange
        // A column that is all zero is skipped, not divided by its zero pivot.
        {2, {0, 1, 0, 2}, 0.0},
        {2, {0, 1, 0, -2}, -0.0},
        {3, {1, 0, 2, 3, 0, 4, 5, 0, 7}, -0.0},  // and the columns after it still eliminated
        {4, {0.01, 0, 0, 0, 0, 0.01, 0, 0, 0, 0, 0.01, 0, 0, 0, 0, 0.01}, 1.0000000000000002e-08},
        {1, {-1e-06}, -1e-06},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "expected determinant " << c.determinant);
        std::vector<double> a = padded(c.n, c.a);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(lu_determinant(c.n, a.data(), c.n + 1)),
                  std::bit_cast<std::uint64_t>(c.determinant));
        const double d = lu_invert(c.n, a.data(), c.n + 1);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(d), std::bit_cast<std::uint64_t>(c.determinant)) << d;
        EXPECT_EQ(a, padded(c.n, c.a));
    }
}

// The determinant and inverse computed in the plain order, one column of the
// identity at a time, with the zero-pivot skip; a is row-major with rows lda
// apart and its spare doubles are not touched.
double plain_lu_invert(int n, std::vector<double>& a, int lda, bool invert)
{
    std::vector<double> w(n * n);
    std::vector<int> p(n);
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) w[i * n + j] = a[i * lda + j];
        p[i] = i;
    }
    double sign = 1.0;
    for (int k = 0; k < n; ++k) {
        int candidate = k;
        for (int j = k + 1; j < n; ++j)
            if (std::fabs(w[p[j] * n + k]) > std::fabs(w[p[candidate] * n + k])) candidate = j;
        if (candidate != k) sign = -sign;
        std::swap(p[k], p[candidate]);
        const double pivot = w[p[k] * n + k];
        if (pivot == 0.0) continue;
        for (int i = k + 1; i < n; ++i) {
            const double m = w[p[i] * n + k] / pivot;
            w[p[i] * n + k] = m;
            for (int j = k + 1; j < n; ++j) w[p[i] * n + j] = w[p[i] * n + j] - m * w[p[k] * n + j];
        }
    }
    double d = sign;
    for (int i = 0; i < n; ++i) d = d * w[p[i] * n + i];
    if (!invert || !(std::fabs(d) > lu_singular_bound)) return d;
    for (int c = 0; c < n; ++c) {
        for (int j = 0; j < n; ++j) {
            double x = p[j] == c ? 1.0 : 0.0;
            for (int k = 0; k < j; ++k) x = x - w[p[j] * n + k] * a[k * lda + c];
            a[j * lda + c] = x;
        }
        for (int j = n - 1; j >= 0; --j) {
            double x = a[j * lda + c];
            for (int k = j + 1; k < n; ++k) x = x - w[p[j] * n + k] * a[k * lda + c];
            a[j * lda + c] = x / w[p[j] * n + j];
        }
    }
    return d;
}

std::vector<std::uint64_t> bits(const std::vector<double>& a)
{
    std::vector<std::uint64_t> b;
    for (const double x : a) b.push_back(std::bit_cast<std::uint64_t>(x));
    return b;
}

// Orders on both sides of every block, split and tile size (the recursion
// splits on multiples of 8 and solves 16 rows at its bottom; the tiles are 4,
// 6 or 16 rows by 4 or 8 columns; the packed blocks are 256 k, 192 rows and
// 512 columns), rows with spare doubles, and four kinds of entries: random
// reals; small whole numbers (ties between candidates); whole numbers with
// zero columns at and beside block edges (zero pivots skipped inside a block,
// an infinity that only their elimination would reach); and a matrix that
// pivots at every step (a dominant diagonal moved down one row). Every form
// of the row operation that this processor runs must give the plain order's
// bits.
TEST(Lu, BlockedOrderGivesThePlainOrdersBits)
{
    std::mt19937 engine(6);
    std::uniform_real_distribution<double> real(-1.0, 1.0);
    std::uniform_int_distribution<int> whole(-2, 2);
    using lu_detail::SubtractRows;
    const std::vector<SubtractRows*> forms = lu_detail::subtract_rows_forms();
    const int orders[] = {1, 2, 3, 5, 7, 8, 9, 15, 16, 17, 23, 24, 25, 31, 32, 33, 47, 64, 67, 130, 193, 257, 515};
    for (const int n : orders) {
        for (const int kind : {0, 1, 2, 3}) {
            // The large orders take the kinds that reach their block edges.
            if (n > 130 && (kind == 1 || kind == 2)) continue;
            const bool zero_columns = kind == 2;
            const int lda = n + 3;
            std::vector<double> a(n * lda + 1, -99.0);
            for (int i = 0; i < n; ++i)
                for (int j = 0; j < n; ++j) {
                    const bool zero = zero_columns && (j == 0 || j == n / 3 || j == 31 || j == 32);
                    const double x = zero ? 0.0 : kind == 1 || kind == 2 ? whole(engine) : real(engine);
                    // Row i holds the dominant entry of column i + 1: each
                    // step's pivot lies below its position.
                    a[i * lda + j] = kind == 3 && j == (i + 1) % n ? 2.0 * n : x;
                }
            // Row 0 is the pivot row of the zero first column: its infinity
            // would spread as not-a-number if that column were eliminated.
            if (zero_columns && n > 1) a[n - 1] = INFINITY;
            std::vector<double> expected = a;
            const double d = plain_lu_invert(n, expected, lda, true);
            const double plain_d = plain_lu_invert(n, a, lda, false);
            for (std::size_t form = 0; form < forms.size(); ++form) {
                SCOPED_TRACE(testing::Message() << "n " << n << ", kind " << kind << ", form " << form);
                EXPECT_EQ(std::bit_cast<std::uint64_t>(lu_detail::lu_determinant_using(forms[form], n, a.data(), lda)),
                          std::bit_cast<std::uint64_t>(plain_d));
                std::vector<double> inverse = a;
                EXPECT_EQ(std::bit_cast<std::uint64_t>(lu_detail::lu_invert_using(forms[form], n, inverse.data(), lda)),
                          std::bit_cast<std::uint64_t>(d));
                EXPECT_EQ(bits(inverse), bits(expected));
            }
        }
    }
}

TEST(Lu, ExhaustedMemoryEndsTheProcessBeforeTheMatrixIsRead)
{
    // INT_MAX squared doubles exceed any address space; the null matrix would
    // fault if it were read first.
    const test::ChildResult result = test::run_in_child([] {
        lu_invert(INT_MAX, nullptr, INT_MAX);
        std::fputs("returned\n", stdout);
    });
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_EQ(result.output, "memory overflow\n");
}

}  // namespace
}  // namespace vibsim
