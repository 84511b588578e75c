#include "vibsim/draw.hpp"

#include "gl_feedback.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace vibsim {
namespace {

TEST(ScaleCoord, ReturnsOrdinaryValuesUnchanged)
{
    EXPECT_EQ(scale_coord(0.5), 0.5);
    EXPECT_EQ(scale_coord(-0.9), -0.9);
    EXPECT_EQ(scale_coord(0.0), 0.0);
    EXPECT_EQ(scale_coord(0.99), 0.99);
    EXPECT_EQ(scale_coord(-0.745), -0.745);
}

TEST(ScaleCoord, KeepsTheRoundingOfTheIntermediateProduct)
{
    // 0.007 * 400 rounds up, and the division by 400 does not undo it: the
    // result is one unit in the last place above the argument.
    EXPECT_EQ(scale_coord(0.007), 0.007000000000000001);
    EXPECT_EQ(test::ulp_distance(scale_coord(0.007), 0.007), 1u);
    EXPECT_EQ(scale_coord(-0.007), -0.007000000000000001);

    // Elsewhere it stays within a rounding or two of the argument.
    for (int i = -2000; i <= 2000; ++i) {
        const double x = i / 997.0;
        EXPECT_LE(test::ulp_distance(scale_coord(x), x), 2u) << x;
    }
}

}  // namespace
}  // namespace vibsim
