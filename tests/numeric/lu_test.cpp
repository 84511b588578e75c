#include "vibsim/lu.hpp"

#include "child_process.hpp"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
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
        double determinant;  // NaN: not a number
    } cases[] = {
        {2, {1, 2, 2, 4}, -0.0},          // zero second pivot after one exchange
        {2, {0, 1, 0, 2}, std::nan("")},  // zero column: 0 / 0 multipliers
        {4, {0.01, 0, 0, 0, 0, 0.01, 0, 0, 0, 0, 0.01, 0, 0, 0, 0, 0.01}, 1.0000000000000002e-08},
        {1, {-1e-06}, -1e-06},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "expected determinant " << c.determinant);
        std::vector<double> a = padded(c.n, c.a);
        const double d = lu_invert(c.n, a.data(), c.n + 1);
        EXPECT_TRUE(std::isnan(c.determinant) ? std::isnan(d)
                                              : d == c.determinant && std::signbit(d) == std::signbit(c.determinant))
            << d;
        EXPECT_EQ(a, padded(c.n, c.a));
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
