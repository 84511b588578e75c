#include <gtest/gtest.h>
#include "identify/identification.hpp"
TEST(Build, Links) { vibsim::identify::Record r; EXPECT_FALSE(vibsim::identify::identify_record(r).fit); }
