// The simulator's trace (--trace-csv FILE): every frame since the last
// dialog as t,y,v, written when the program ends and at each new dialog, by
// the labs' file rules; the dialog itself is unchanged by it.
#include "simulator.hpp"

#include "child_process.hpp"

#include <vibsim/runge_kutta_gill.hpp>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

namespace vibsim::e2e {
namespace {

std::string read_file(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The trace the simulator should write for m, lambda, K from y0, v0 after
// `frames` frames: its own step, four of 0.01 s a frame.
std::string expected_trace(double m, double lambda, double k, double y0, double v0, int frames)
{
    const auto line = [](double t, const double* s) {
        char text[100];
        std::snprintf(text, sizeof text, "%.17g,%.17g,%.17g\n", t, s[0], s[1]);
        return std::string(text);
    };
    double state[2] = {y0, v0};
    double t = 0.0;
    std::string csv = "t,y,v\n" + line(t, state);
    const auto rhs = [&](int i, double, const double* y) { return i == 0 ? y[1] : -(lambda * y[1] + k * y[0]) / m; };
    for (int f = 0; f < frames; ++f) {
        for (int step = 0; step < 4; ++step) {
            const double input[2] = {state[0], state[1]};
            runge_kutta_gill(t, 0.01, input, state, 2, rhs);
            t = t + 0.01;
        }
        csv += line(t, state);
    }
    return csv;
}

// The frames in a trace: its lines past the header and the state at t = 0.
int frames_in(const std::string& csv)
{
    int lines = 0;
    for (const char c : csv) lines += c == '\n' ? 1 : 0;
    return lines - 2;
}

// Every redraw is a frame (the window's first pictures too), so the count
// is read off the trace; each key press adds at least one.
TEST(Trace, HoldsEveryFrameSinceTheLastDialogBitForBitAndLeavesTheDialogAsItWas)
{
    XSession x;
    VIBSIM_REQUIRE_X_SESSION(x);
    const std::string path = ::testing::TempDir() + "vibsim_trace.csv";
    std::remove(path.c_str());
    std::string plain_console;
    {
        Simulator plain(x, "1 0.3 9\n1 0\n");
        ASSERT_TRUE(plain.wait_for_window());
        plain_console = plain.console_when_window_appeared();
    }
    Simulator vibsim(x, "1 0.3 9\n1 0\n2 0.5\n", {"--trace-csv", path});
    ASSERT_TRUE(vibsim.wait_for_window());
    EXPECT_EQ(vibsim.console_when_window_appeared(), plain_console);
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(vibsim.press("s"));
    // A new dialog writes the motion shown so far, then starts anew.
    const std::size_t before = vibsim.console().size();
    ASSERT_TRUE(vibsim.press_only("j"));
    ASSERT_TRUE(vibsim.wait_for_console("\nESCキーで：終了\n", before));
    const std::string first = read_file(path);
    EXPECT_GE(frames_in(first), 3);
    EXPECT_EQ(first, expected_trace(1, 0.3, 9, 1, 0, frames_in(first)));
    ASSERT_TRUE(vibsim.press("s"));
    ASSERT_TRUE(vibsim.press_only("Escape"));
    Ending ending;
    ASSERT_TRUE(vibsim.wait_for_end(ending));
    EXPECT_EQ(ending.exit_code, 0);
    const std::string second = read_file(path);
    EXPECT_GE(frames_in(second), 1);
    EXPECT_EQ(second, expected_trace(1, 0.3, 9, 2, 0.5, frames_in(second)));
}

TEST(Trace, AFileThatCannotBeWrittenIsRefusedBeforeTheDialog)
{
    const test::ChildResult result = test::run_program(
        {"/bin/sh", "-c", "exec \"$0\" \"$@\" 2>&1", VIBSIM_PROGRAM, "--trace-csv", "/nonexistent/folder/t.csv"},
        "1 0.3 9\n1 0\n");
    EXPECT_EQ(result.exit_code, 1) << result.output;
    EXPECT_TRUE(result.output.starts_with("vibsim: cannot write /nonexistent/folder/t.csv: ")) << result.output;
    EXPECT_EQ(result.output.find("(1)"), std::string::npos) << "the dialog ran: " << result.output;
}

}  // namespace
}  // namespace vibsim::e2e
