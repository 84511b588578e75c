#include "dialog.hpp"
#include "frame.hpp"
#include "keys.hpp"
#include "model.hpp"

#include "gl_feedback.hpp"
#include "gl_window.hpp"

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace vibsim {
namespace {

// Runs the dialog as the given key would, answering it from `answers` as if
// typed on the console.
void answer_dialog(unsigned char key, const std::string& answers)
{
    char path[] = "/tmp/vibsim-answers-XXXXXX";
    const int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(write(fd, answers.data(), answers.size()), static_cast<ssize_t>(answers.size()));
    close(fd);
    ASSERT_NE(std::freopen(path, "r", stdin), nullptr);
    std::remove(path);
    last_key = key;
    input_parameters();
}

class FrameDriver : public testing::Test {
protected:
    void SetUp() override
    {
        VIBSIM_REQUIRE_GL_WINDOW();
        answer_dialog('m', "1 0.5 4\n1 0\n");
        sim_time = 0.0;
    }

    static void frames(int count)
    {
        for (int i = 0; i < count; ++i) display();
    }

    static double row(int r, int i) { return trace_history[r * trace_capacity + i]; }

    // The velocity curve is the only green in the picture.
    static std::vector<test::FeedbackToken> velocity_segments(const std::vector<test::FeedbackToken>& tokens)
    {
        std::vector<test::FeedbackToken> green;
        for (const test::FeedbackToken& token : test::tokens_of_kind(tokens, test::TokenKind::line)) {
            const test::FeedbackVertex& v = token.vertices[0];
            if (v.red == 0.0 && v.green == 1.0 && v.blue == 0.0) green.push_back(token);
        }
        return green;
    }
};

TEST_F(FrameDriver, FirstFrameAdvancesFourStepsAndAppendsOneEntry)
{
    const std::array<double, 2> start = state;
    const auto tokens = test::capture_feedback(display);
    EXPECT_DOUBLE_EQ(sim_time, 0.04);
    EXPECT_EQ(trace_index, 1);
    EXPECT_EQ(row(0, 0), start[0]);
    EXPECT_EQ(row(1, 0), start[1]);
    EXPECT_EQ(row(0, 1), state[0]);
    EXPECT_EQ(row(1, 1), state[1]);
    EXPECT_LT(state[0], start[0]) << "the spring pulls the mass back";
    EXPECT_LT(state[1], 0.0);

    // One segment per curve, from entry 0 at the start of the axis; one
    // bitmap per character of the three labels.
    const auto green = velocity_segments(tokens);
    ASSERT_EQ(green.size(), 1u);
    EXPECT_NEAR(test::world_from_pixel(green[0].vertices[0].x), -0.99, 1e-4);
    EXPECT_NEAR(test::world_from_pixel(green[0].vertices[1].x), -0.986, 1e-4);
    EXPECT_EQ(test::tokens_of_kind(tokens, test::TokenKind::bitmap).size(), 35u + 34u + 16u);
}

TEST_F(FrameDriver, SweepWrapsAfterOneAxisWidth)
{
    frames(249);
    const auto full_sweep = velocity_segments(test::capture_feedback(display));
    EXPECT_EQ(trace_index, 250);
    ASSERT_EQ(full_sweep.size(), 250u);
    EXPECT_NEAR(test::world_from_pixel(full_sweep.back().vertices[1].x), 0.01, 1e-4);
    const double y250 = state[0];
    EXPECT_EQ(row(0, 250), y250);

    EXPECT_TRUE(velocity_segments(test::capture_feedback(display)).empty());
    EXPECT_EQ(trace_index, 0);
    EXPECT_EQ(row(0, 0), state[0]);
    EXPECT_EQ(row(0, 250), y250) << "older entries stay until overwritten";
}

TEST_F(FrameDriver, ScaleKeysAreUndoneExactlyByTheirPartners)
{
    keyboard('Y', 0, 0);
    EXPECT_EQ(vertical_scales[0], 0.5 / 0.9);
    EXPECT_EQ(vertical_scales[1], vertical_scales[0]);
    keyboard('y', 0, 0);
    EXPECT_EQ(vertical_scales[0], 0.5);
    EXPECT_EQ(vertical_scales[1], 0.5);
    keyboard('T', 0, 0);
    keyboard('t', 0, 0);
    EXPECT_EQ(time_scale, 0.004);
    EXPECT_EQ(trace_index, 4) << "every redrawing key draws one frame";
}

TEST_F(FrameDriver, StretchingTheTimeAxisMovesTheWrapAtOnce)
{
    frames(240);
    ASSERT_EQ(trace_index, 240);
    keyboard('T', 0, 0);  // the bound falls to 225
    EXPECT_EQ(trace_index, 0);
}

TEST_F(FrameDriver, CompressingTheTimeAxisRaisesTheBound)
{
    keyboard('t', 0, 0);  // time_scale 0.0036: bound 277.78
    frames(276);
    EXPECT_EQ(trace_index, 277);
    frames(1);
    EXPECT_EQ(trace_index, 0);
}

TEST_F(FrameDriver, TraceIndexStaysInsideTheHistoryHoweverOftenTIsPressed)
{
    int highest = 0;
    for (int press = 0; press < 3000; ++press) {
        keyboard('t', 0, 0);
        ASSERT_GE(trace_index, 0);
        ASSERT_LT(trace_index, trace_capacity);
        highest = std::max(highest, trace_index);
    }
    EXPECT_EQ(highest, trace_capacity - 1) << "the full history is used before the wrap";
}

TEST_F(FrameDriver, EachSAdvancesOneFrame)
{
    for (int press = 0; press < 5; ++press) keyboard('s', 0, 0);
    EXPECT_DOUBLE_EQ(sim_time, 0.2);
    EXPECT_EQ(trace_index, 5);
    EXPECT_EQ(last_key, 's');
}

TEST_F(FrameDriver, UnknownKeysAreOnlyRemembered)
{
    frames(3);
    const double time = sim_time;
    for (const unsigned char key : {0x61, 0x53, 0x4D, 0x4A, 0x00, 0xFF}) {
        keyboard(key, 10, 20);
        EXPECT_EQ(last_key, key);
        EXPECT_EQ(sim_time, time);
        EXPECT_EQ(trace_index, 3);
    }
}

TEST_F(FrameDriver, DialogKeysRestartWithoutRedrawing)
{
    frames(10);
    keyboard('t', 0, 0);
    char path[] = "/tmp/vibsim-answers-XXXXXX";
    const int fd = mkstemp(path);
    const std::string answers = "2 0.1 8\n0.5 0.25\n-1 3\n";
    ASSERT_EQ(write(fd, answers.data(), answers.size()), static_cast<ssize_t>(answers.size()));
    close(fd);
    ASSERT_NE(std::freopen(path, "r", stdin), nullptr);
    std::remove(path);

    keyboard('m', 0, 0);
    EXPECT_EQ(mass, 2.0);
    EXPECT_EQ(damping, 0.1);
    EXPECT_EQ(stiffness, 8.0);
    EXPECT_EQ(sim_time, 0.0);
    EXPECT_EQ(trace_index, 0);
    EXPECT_EQ(time_scale, 0.004) << "the dialog restores the default view";
    EXPECT_EQ(state[0], 0.5);

    keyboard('j', 0, 0);
    EXPECT_EQ(mass, 2.0) << "'j' keeps the constants";
    EXPECT_EQ(state[0], -1.0);
    EXPECT_EQ(state[1], 3.0);
    EXPECT_EQ(sim_time, 0.0);
}

TEST(Keyboard, EscapeEndsTheProcessWithStatusZero)
{
    // A fresh process, so that nothing of this one's window is shared.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(keyboard(27, 0, 0), testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace vibsim
