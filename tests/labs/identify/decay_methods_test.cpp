// Both methods on decays whose omega0 and zeta are known.
#include "decays.hpp"

#include "identify/identification.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using identify_test::DecayCase;
using identify_test::decay_record;
using vibsim::identify::identify_record;
using vibsim::identify::Identification;

double relative(double found, double wanted) { return std::fabs(found - wanted) / wanted; }

TEST(CleanDecay, BothMethodsFindOmega0AndZeta)
{
    for (const DecayCase& c : {DecayCase{3.0, 0.05}, DecayCase{10.0, 0.01}, DecayCase{2.0, 0.2, 0.3},
                              DecayCase{25.0, 0.002, 1.0, 0.0, 0.0, 0.002, 6.0}}) {
        SCOPED_TRACE(testing::Message() << "omega0 " << c.omega0 << " zeta " << c.zeta);
        const Identification found = identify_record(decay_record(c));
        ASSERT_TRUE(found.decrement);
        ASSERT_TRUE(found.fit);
        EXPECT_LT(relative(found.decrement->omega0, c.omega0), 1e-3);
        EXPECT_LT(relative(found.decrement->zeta, c.zeta), 1e-2);
        EXPECT_LT(relative(found.fit->omega0, c.omega0), 1e-5);
        EXPECT_LT(relative(found.fit->zeta, c.zeta), 1e-4);
    }
}

}  // namespace
