// The oscillator's right-hand side, as the integrators call it.
#include "vibsim/vib_rhs.hpp"

#include "model.hpp"

#include <gtest/gtest.h>

#include <limits>

namespace vibsim {
namespace {

void set_model(double m, double lambda, double k)
{
    mass = m;
    damping = lambda;
    stiffness = k;
}

TEST(VibRhs, VelocityComponentIsTheStateVelocityAtAnyTime)
{
    set_model(2.0, 0.5, 4.0);
    const double y[2] = {0.25, -1.5};
    for (const double t : {0.0, 3.75, -1.0e9, std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_EQ(vib_rhs(0, t, y), -1.5) << t;
        EXPECT_EQ(rhs_value, -1.5);
    }
}

TEST(VibRhs, AccelerationFollowsTheConstantsOfTheMoment)
{
    const double y[2] = {0.25, -1.0};
    // -(0.5 * -1 + 4 * 0.25) / 2
    set_model(2.0, 0.5, 4.0);
    EXPECT_EQ(vib_rhs(1, 0.0, y), -0.25);
    EXPECT_EQ(rhs_value, -0.25);
    // New constants count from the next call on, each of the three.
    mass = 1.0;
    EXPECT_EQ(vib_rhs(1, 0.0, y), -0.5);
    damping = 2.0;
    EXPECT_EQ(vib_rhs(1, 0.0, y), 1.0);
    stiffness = 0.0;
    EXPECT_EQ(vib_rhs(1, 0.0, y), 2.0);
    // The time plays no part.
    EXPECT_EQ(vib_rhs(1, 1.0e6, y), 2.0);
}

TEST(VibRhs, OtherIndicesRepeatThePreviousResult)
{
    set_model(2.0, 0.5, 4.0);
    const double y[2] = {0.25, -1.0};
    const double other[2] = {7.0, 9.0};
    const double after_acceleration = vib_rhs(1, 0.0, y);
    EXPECT_EQ(vib_rhs(2, 0.0, other), after_acceleration);
    EXPECT_EQ(vib_rhs(-1, 5.0, other), after_acceleration);
    EXPECT_EQ(vib_rhs(0, 0.0, y), -1.0);
    EXPECT_EQ(vib_rhs(2, 0.0, other), -1.0);
    EXPECT_EQ(rhs_value, -1.0);

    // The staged form ignores its stage tag.
    EXPECT_EQ(vib_rhs(1, 0.0, y, 3), after_acceleration);
    EXPECT_EQ(vib_rhs(5, 0.0, other, 1), after_acceleration);
}

}  // namespace
}  // namespace vibsim
