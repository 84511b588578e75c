// The round trip through the simulator itself: vibsim's --trace-csv of
// m = 1, lambda = 0.3, K = 9, identified by vibsim-identify with --mass 1,
// gives K and lambda back, and the link it prints replays them.
#include "simulator.hpp"

#include "child_process.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace vibsim::e2e {
namespace {

std::string file_bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TEST(SimulatorRoundTrip, TheTracesConstantsComeBack)
{
    XSession x;
    VIBSIM_REQUIRE_X_SESSION(x);
    const std::string trace = ::testing::TempDir() + "vibsim_identify_trace.csv";
    std::remove(trace.c_str());
    {
        Simulator vibsim(x, "1 0.3 9\n1 0\n", {"--trace-csv", trace});
        ASSERT_TRUE(vibsim.wait_for_window());
        // Four periods and more: a frame is 0.04 s, a period 2.1 s.
        for (int i = 0; i < 240; ++i) ASSERT_TRUE(vibsim.press_only("s"));
        ASSERT_TRUE(vibsim.press("s"));
        ASSERT_TRUE(vibsim.press_only("Escape"));
        Ending ending;
        ASSERT_TRUE(vibsim.wait_for_end(ending));
    }
    ASSERT_TRUE(file_bytes(trace).starts_with("t,y,v\n"));
    const std::string result = ::testing::TempDir() + "vibsim_identify_trace_result.csv";
    const test::ChildResult run = test::run_program(
        {"/bin/sh", "-c", "exec \"$0\" \"$@\" 2>&1", IDENTIFY_PROGRAM, "--lang", "en", trace, "--mass", "1",
         "--value-column", "y", "--result-csv", result},
        "", {"ASAN_OPTIONS=detect_leaks=0"});
    ASSERT_EQ(run.exit_code, 0) << run.output;
    EXPECT_NE(run.output.find("index.html?mass=1&damping=0.29"), std::string::npos) << run.output;
    std::istringstream lines(file_bytes(result));
    std::string line;
    bool fitted = false;
    while (std::getline(lines, line)) {
        if (!line.starts_with("fit,")) continue;
        double omega0 = 0, zeta = 0, omega_d = 0, k = 0, lambda = 0;
        ASSERT_EQ(std::sscanf(line.c_str(), "fit,%lf,%lf,%lf,%lf,%lf", &omega0, &zeta, &omega_d, &k, &lambda), 5)
            << line;
        EXPECT_NEAR(k, 9.0, 9.0 * 1e-4);
        EXPECT_NEAR(lambda, 0.3, 0.3 * 1e-3);
        fitted = true;
    }
    EXPECT_TRUE(fitted) << file_bytes(result);
}

}  // namespace
}  // namespace vibsim::e2e
