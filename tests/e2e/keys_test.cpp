// The window's keys, pressed for real: 's' moves the curves on by a frame,
// 'y'/'Y' and 't'/'T' rescale the picture, 'm' and 'j' go back to the
// console dialog, keys the program does not know do nothing, Esc ends it.
#include "simulator.hpp"
#include "view.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace vibsim::e2e {
namespace {

constexpr std::string_view constants_prompt = "\nマスm[kg]，ダンパーλ[N/(m/s)]，ばね定数K[N/m]キー入力 m λ K =";
constexpr std::string_view initial_conditions_prompt = "\n初期条件キー入力　y0 v0 = ";
constexpr std::string_view end_of_key_help = "\nESCキーで：終了\n";

// One frame is 0.004 drawing units of the time axis: 1.6 px in 800.
constexpr double frame_width = default_time_scale * 400;

class Keys : public ::testing::Test {
protected:
    void SetUp() override
    {
        VIBSIM_REQUIRE_X_SESSION(x);
        vibsim.emplace(x, std::string(slow_constants) + slow_initial_conditions);
        ASSERT_TRUE(vibsim->wait_for_window());
    }
    const Picture& picture() const { return vibsim->picture(); }

    // The last column of the displacement curve, drawn at y0 with the
    // vertical scale in force.
    std::optional<int> curve_end(double vertical_scale = default_vertical_scale) const
    {
        const std::optional<Extent> curve = curve_at(picture(), vertical_scale * slow_y0, is_red);
        if (!curve) return std::nullopt;
        return curve->last;
    }

    ::testing::AssertionResult press_times(const std::string& key, int times)
    {
        for (int i = 0; i < times; ++i) {
            if (auto pressed = vibsim->press(key); !pressed) return pressed;
        }
        return ::testing::AssertionSuccess();
    }

    // After a new dialog the next frame starts from y0 with the default view:
    // the mass at y0, the displacement curve begun afresh at the left edge.
    void expect_restart_from(double y0)
    {
        ASSERT_TRUE(vibsim->press("s"));
        const std::optional<Disc> disc = mass_disc(picture());
        ASSERT_TRUE(disc.has_value());
        EXPECT_NEAR(disc->y, pixel_y(default_vertical_scale * y0, 800), 2.0);
        const std::optional<Extent> curve = curve_at(picture(), default_vertical_scale * y0, is_red);
        ASSERT_TRUE(curve.has_value());
        EXPECT_NEAR(curve->first, pixel_x(curve_start_x, 800), 2.0);
        EXPECT_LE(curve->last, pixel_x(curve_start_x, 800) + 2 * frame_width + 2.0);
    }

    XSession x;
    std::optional<Simulator> vibsim;
};


TEST_F(Keys, EachSAdvancesTheCurvesByOneFrame)
{
    const std::optional<int> before = curve_end();
    ASSERT_TRUE(before.has_value());
    ASSERT_TRUE(press_times("s", 10));
    const std::optional<int> after = curve_end();
    ASSERT_TRUE(after.has_value());
    EXPECT_NEAR(*after - *before, 10 * frame_width, 3.0);
    // The curves grow on the right; they still start at x = -0.99.
    EXPECT_NEAR(curve_at(picture(), default_vertical_scale * slow_y0, is_red)->first,
                pixel_x(curve_start_x, 800), 2.0);
}

TEST_F(Keys, KeysThatMeanNothingNeitherRedrawNorAdvance)
{
    const std::optional<int> before = curve_end();
    ASSERT_TRUE(before.has_value());
    const std::size_t console_before = vibsim->console().size();
    // Case matters: 'S', 'M' and 'J' are not 's', 'm' and 'j'.
    for (const char* key : {"a", "S", "M", "J", "Left", "F1"}) ASSERT_TRUE(vibsim->press_only(key));
    // Keys are handled in order: once the picture of this 's' is up, the keys
    // before it have been handled, and none of them added a frame.
    ASSERT_TRUE(vibsim->press("s"));
    const std::optional<int> after = curve_end();
    ASSERT_TRUE(after.has_value());
    EXPECT_NEAR(*after - *before, frame_width, 2.0);
    EXPECT_EQ(vibsim->console().size(), console_before) << vibsim->console().substr(console_before);
}

TEST_F(Keys, SmallYShrinksAndCapitalYEnlargesThePictureVertically)
{
    ASSERT_TRUE(vibsim->press("y"));
    // 0.9 of everything vertical: cells of 36 px about the axis, the mass
    // and the displacement curve at 0.9 of their height.
    std::vector<double> rows = horizontal_lines(picture(), {0, 0, 400, 800}, is_dark, 0.8);
    std::erase_if(rows, [](double r) { return r < 20 || r > 780; });
    ASSERT_FALSE(rows.empty());
    for (const double r : rows) {
        const double steps = (r - 400.0) / 36.0;
        EXPECT_LE(std::abs(steps - std::round(steps)) * 36.0, 1.5) << "grid row at " << r;
    }
    EXPECT_EQ(rows.size(), 21u);
    const double shrunk = 0.9 * default_vertical_scale;
    const std::optional<Disc> disc = mass_disc(picture());
    ASSERT_TRUE(disc.has_value());
    EXPECT_NEAR(disc->y, pixel_y(shrunk * slow_y0, 800), 2.0);
    // The whole history is redrawn at the new scale, from its start.
    const std::optional<Extent> curve = curve_at(picture(), shrunk * slow_y0, is_red);
    ASSERT_TRUE(curve.has_value());
    EXPECT_NEAR(curve->first, pixel_x(curve_start_x, 800), 2.0);
    EXPECT_FALSE(curve_at(picture(), default_vertical_scale * slow_y0, is_red).has_value());

    // 'Y' undoes 'y'.
    ASSERT_TRUE(vibsim->press("Y"));
    const std::optional<Disc> restored = mass_disc(picture());
    ASSERT_TRUE(restored.has_value());
    EXPECT_NEAR(restored->y, pixel_y(default_vertical_scale * slow_y0, 800), 2.0);
    rows = horizontal_lines(picture(), {0, 0, 400, 800}, is_dark, 0.8);
    std::erase_if(rows, [](double r) { return r < 20 || r > 780; });
    EXPECT_EQ(rows.size(), 19u);
}

TEST_F(Keys, SmallTCompressesAndCapitalTStretchesTheTimeAxis)
{
    // A longer history first, so that its new spacing shows.
    ASSERT_TRUE(press_times("s", 40));
    const std::optional<int> before = curve_end();
    ASSERT_TRUE(before.has_value());
    const double frames = (*before - pixel_x(curve_start_x, 800)) / frame_width;

    ASSERT_TRUE(vibsim->press("t"));
    // Entries 0.9 as far apart, one more of them; grid cells 36 px wide,
    // still ending at the string's left end.
    const std::optional<int> compressed = curve_end();
    ASSERT_TRUE(compressed.has_value());
    EXPECT_NEAR(*compressed, pixel_x(curve_start_x, 800) + (frames + 1) * 0.9 * frame_width, 3.0);
    std::vector<double> columns = vertical_lines(picture(), {0, 0, 400, 800}, is_dark, 0.8);
    std::erase_if(columns, [](double c) { return c < 8; });  // the axis and the window's edge
    ASSERT_FALSE(columns.empty());
    EXPECT_NEAR(columns.back(), 400.0, 1.5);
    for (const double c : columns) {
        const double steps = (400.0 - c) / 36.0;
        EXPECT_LE(std::abs(steps - std::round(steps)) * 36.0, 1.5) << "grid column at " << c;
    }

    ASSERT_TRUE(vibsim->press("T"));
    const std::optional<int> restored = curve_end();
    ASSERT_TRUE(restored.has_value());
    EXPECT_NEAR(*restored, pixel_x(curve_start_x, 800) + (frames + 2) * frame_width, 3.0);
    columns = vertical_lines(picture(), {0, 0, 400, 800}, is_dark, 0.8);
    std::erase_if(columns, [](double c) { return c < 8; });
    EXPECT_EQ(columns.size(), 10u);
}

TEST_F(Keys, MAsksForNewConstantsAndRestartsFromTheNewInitialState)
{
    // Some motion and a changed view first; the dialog undoes both.
    ASSERT_TRUE(press_times("s", 5));
    ASSERT_TRUE(vibsim->press("y"));
    const std::size_t from = vibsim->console().size();
    ASSERT_TRUE(vibsim->press_only("m"));
    ASSERT_TRUE(vibsim->wait_for_console(constants_prompt, from));
    ASSERT_TRUE(vibsim->program().type("1 0 0.0004\n-0.5 0\n"));
    ASSERT_TRUE(vibsim->wait_for_console(end_of_key_help, from));
    const std::string dialog = vibsim->console().substr(from);
    EXPECT_TRUE(dialog.starts_with("\n(1) 系の定数入力\n(2) 初期条件入力\n１自由度減衰自由振動の描画")) << dialog;
    EXPECT_NE(dialog.find("固有振動数ω0= 0.0200[rad/s], 減衰比ζ= 0.0000  不足減衰"), std::string::npos) << dialog;

    expect_restart_from(-0.5);
}

TEST_F(Keys, JAsksOnlyForNewInitialConditionsAndKeepsTheConstants)
{
    ASSERT_TRUE(press_times("s", 5));
    const std::size_t from = vibsim->console().size();
    ASSERT_TRUE(vibsim->press_only("j"));
    ASSERT_TRUE(vibsim->wait_for_console(initial_conditions_prompt, from));
    EXPECT_EQ(vibsim->console().find(constants_prompt, from), std::string::npos);
    ASSERT_TRUE(vibsim->program().type("-0.5 0\n"));
    ASSERT_TRUE(vibsim->wait_for_console(end_of_key_help, from));
    const std::string dialog = vibsim->console().substr(from);
    EXPECT_NE(dialog.find("固有振動数ω0= 0.0100[rad/s], 減衰比ζ= 0.0000  不足減衰"), std::string::npos) << dialog;

    expect_restart_from(-0.5);
}

TEST_F(Keys, EscEndsTheProgramWithStatusZero)
{
    ASSERT_TRUE(vibsim->press_only("Escape"));
    Ending ending;
    ASSERT_TRUE(vibsim->wait_for_end(ending));
    EXPECT_EQ(ending.signal, 0);
    EXPECT_EQ(ending.exit_code, 0);
}

}  // namespace
}  // namespace vibsim::e2e
