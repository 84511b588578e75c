// The case a page reads by name: what JSON cannot carry, what must read back
// exactly, and texts that would end the JSON string early.
#include "platform/case_table.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

namespace {

TEST(CaseTable, NumbersReadBackExactlyAndNonFiniteOnesAreNull)
{
    const double tenth_sum = 0.1 + 0.2;  // needs 17 digits
    const std::vector<double> list{1.0, -0.0, std::nan(""), 1e-300};
    const std::string json = vibsim::platform::CaseTable()
                                 .number("a", tenth_sum)
                                 .number("b", std::numeric_limits<double>::infinity())
                                 .numbers("c", list)
                                 .number("d", 2.0)
                                 .json();
    EXPECT_EQ(json, "{\"a\":0.30000000000000004,\"b\":null,\"c\":[1,-0,null,1e-300],\"d\":2}");
    EXPECT_EQ(std::strtod("0.30000000000000004", nullptr), tenth_sum);
}

TEST(CaseTable, TextsAreEscapedAndAnEmptyTableIsAnObject)
{
    EXPECT_EQ(vibsim::platform::CaseTable().json(), "{}");
    EXPECT_EQ(vibsim::platform::CaseTable().text("class", "a \"b\" \\ c\n不足減衰").json(),
              "{\"class\":\"a \\\"b\\\" \\\\ c\\u000a不足減衰\"}");
}

}  // namespace
