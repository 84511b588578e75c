// vibsim-modes' window under X: the dialog in the simulator's words (empty
// lines keep the defaults, typed values and lists are taken), then presses of
// 's' move the chain, and a mode key, a typed starting shape and the keys put
// the motion into the traces of the modes they excite; a window destroyed by
// another client ends the program as Esc does.
#include "program_window.hpp"

#include <gtest/gtest.h>

namespace vibsim::windows {
namespace {

using e2e::Region;
using e2e::Rgb;

// The panels, for a window of the picture's shape (4:3).
Region chain_area(const Picture& p) { return {p.width * 5 / 100, p.height * 14 / 100, p.width * 48 / 100, p.height * 32 / 100}; }
// The upper half of the traces' panel, above the line of zero.
Region traces_upper(const Picture& p) { return {p.width * 57 / 100, p.height * 14 / 100, p.width * 97 / 100, p.height * 21 / 100}; }
// Both halves of the traces' panel, but for a band about the line of zero.
Region traces_above(const Picture& p) { return {p.width * 57 / 100, p.height * 14 / 100, p.width * 97 / 100, p.height * 22 / 100}; }

Region traces_below(const Picture& p) { return {p.width * 57 / 100, p.height * 24 / 100, p.width * 97 / 100, p.height * 32 / 100}; }

bool trace_red(Rgb c) { return c.r >= 200 && c.g < 60 && c.b < 60; }    // mode 1's colour
bool trace_green(Rgb c) { return c.g >= 200 && c.r < 60 && c.b < 60; }  // mode 2's colour
bool trace_blue(Rgb c) { return c.b >= 200 && c.r < 60 && c.g < 60; }   // mode 3's colour
bool force_green(Rgb c) { return c.r < 40 && c.g >= 100 && c.g < 180 && c.b < 80; }  // the forcing's colour
bool not_white(Rgb c) { return c.r < 230 || c.g < 230 || c.b < 230; }

// Pixels of a mode's trace away from the line of zero.
int trace_pixels(const Picture& p, e2e::ColourClass mode_colour)
{
    return e2e::count(p, traces_above(p), mode_colour) + e2e::count(p, traces_below(p), mode_colour);
}

// The response panel's band where the arrow at the forcing frequency stands.
Region forcing_arrow_band(const Picture& p) { return {p.width * 29 / 100, p.height * 69 / 100, p.width * 49 / 100, p.height * 76 / 100}; }

// The column in the middle of the forcing frequency's arrow; -1 without one.
double forcing_arrow_x(const Picture& p)
{
    const std::optional<e2e::Extent> arrow = e2e::horizontal_extent(p, forcing_arrow_band(p), force_green);
    return arrow ? (arrow->first + arrow->last) / 2.0 : -1.0;
}

// The chain's string at rest: one red line across the chain's panel.
bool chain_at_rest(const Picture& p) { return !e2e::horizontal_lines(p, chain_area(p), e2e::is_red, 0.8).empty(); }

// After `presses` frames, the three modes' traces as `wanted` says, one
// mark a mode: '+' leaves zero, '-' stays at zero, '?' either.
::testing::AssertionResult run_and_see_modes(ProgramWindow& w, int presses, std::string_view wanted)
{
    for (int press = 0; press < presses; ++press) {
        if (!w.press("s")) return ::testing::AssertionFailure() << "'s' not pressed";
    }
    const e2e::ColourClass colours[] = {trace_red, trace_green, trace_blue};
    return w.wait_for_picture(
        [&](const Picture& p) {
            for (std::size_t k = 0; k < 3; ++k) {
                const bool seen = trace_pixels(p, colours[k]) > 10;
                if ((wanted[k] == '+' && !seen) || (wanted[k] == '-' && seen)) return false;
            }
            return true;
        },
        "the modes' traces " + std::string(wanted));
}

::testing::AssertionResult escape_ends_it(ProgramWindow& w)
{
    if (!w.press("Escape")) return ::testing::AssertionFailure() << "Esc not pressed";
    Ending ending;
    if (!w.wait_for_end(ending)) return ::testing::AssertionFailure() << "the program did not end";
    if (ending.exit_code != 0) return ::testing::AssertionFailure() << "exit status " << ending.exit_code;
    return ::testing::AssertionSuccess();
}

bool same_pixels(const Picture& a, const Picture& b, Region r)
{
    for (int y = r.y0; y < r.y1; ++y) {
        for (int x = r.x0; x < r.x1; ++x) {
            if (!(a.at(x, y) == b.at(x, y))) return false;
        }
    }
    return true;
}

TEST(ModesWindow, EmptyLinesKeepTheDefaultsAndTheKeysMoveTheChainAndChooseTheMode)
{
    XSession x;
    VIBSIM_REQUIRE_X(x);
    ProgramWindow modes(x, {MODES_PROGRAM, "--lang", "en"}, "\n\n\n", "vibsim-modes");
    ASSERT_TRUE(modes.wait_for_window());
    const std::string& console = modes.program().output();
    EXPECT_NE(console.find("\nKey in the number of masses N (1 to 21)  N = "), std::string::npos) << console;
    EXPECT_NE(console.find("\nMode  5  ω=    1.9319  closed form=    1.9319  string=    2.6180"), std::string::npos)
        << console;
    EXPECT_NE(console.find("\n'n' 'N' keys: excite the next / previous mode"), std::string::npos) << console;

    // Mode 1 alone: nothing of mode 2's colour above the line of zero.
    const Picture start = modes.picture();
    EXPECT_EQ(e2e::count(start, traces_upper(start), trace_green), 0);
    for (int press = 0; press < 10; ++press) ASSERT_TRUE(modes.press("s"));
    ASSERT_TRUE(modes.wait_for_picture(
        [&start](const Picture& p) { return !same_pixels(p, start, chain_area(p)); }, "the chain moved"));

    ASSERT_TRUE(modes.press("2"));
    for (int press = 0; press < 40; ++press) ASSERT_TRUE(modes.press("s"));
    ASSERT_TRUE(modes.wait_for_picture(
        [](const Picture& p) { return e2e::count(p, traces_upper(p), trace_green) > 30; }, "mode 2's trace"));

    ASSERT_TRUE(modes.press("Escape"));
    Ending ending;
    ASSERT_TRUE(modes.wait_for_end(ending));
    EXPECT_EQ(ending.exit_code, 0);
}

TEST(ModesWindow, TypedValuesAreTakenAndOutOfRangeAskedAgain)
{
    XSession x;
    VIBSIM_REQUIRE_X(x);
    // N = 30 is asked again; then N = 3, m = 2, lambda = 0, K = 8 and mass 2 plucked.
    ProgramWindow modes(x, {MODES_PROGRAM}, "30\n3\n2 0 8\np 2\n", "vibsim-modes");
    ASSERT_TRUE(modes.wait_for_window());
    const std::string& console = modes.program().output();
    EXPECT_NE(console.find("\n値が範囲外です（1 ≤ N ≤ 21）。もう一度入力してください。"), std::string::npos) << console;
    // omega_k = 2 sqrt(K/m) sin(k pi / 8) = 4 sin(k pi / 8).
    EXPECT_NE(console.find("\n第 1モード  ω=    1.5307"), std::string::npos) << console;
    EXPECT_NE(console.find("\n第 3モード  ω=    3.6955"), std::string::npos) << console;
    EXPECT_EQ(console.find("第 4モード"), std::string::npos) << console;
    EXPECT_GT(e2e::count(modes.picture(), chain_area(modes.picture()), not_white), 0);
    ASSERT_TRUE(modes.press("Escape"));
    Ending ending;
    ASSERT_TRUE(modes.wait_for_end(ending));
    EXPECT_EQ(ending.exit_code, 0);
}

TEST(ModesWindow, ADestroyedWindowEndsTheProgramWithStatusZero)
{
    XSession x;
    VIBSIM_REQUIRE_X(x);
    ProgramWindow modes(x, {MODES_PROGRAM}, "\n\n\n", "vibsim-modes");
    ASSERT_TRUE(modes.wait_for_window());
    x.destroy(modes.window());
    Ending ending;
    ASSERT_TRUE(modes.wait_for_end(ending));
    EXPECT_EQ(ending.signal, 0);
    EXPECT_EQ(ending.exit_code, 0);
}

TEST(ModesWindow, ListsAreTakenKeptByAnEmptyLineAndFittedToANewN)
{
    XSession x;
    VIBSIM_REQUIRE_X(x);
    // m = 1,2 is one mass short of N = 3: asked again; then m = 1,2,1.
    ProgramWindow modes(x, {MODES_PROGRAM, "--lang", "en"}, "3\n1,2 0 1\n1,2,1 0 1\n\n", "vibsim-modes");
    ASSERT_TRUE(modes.wait_for_window());
    test::RunningProgram& program = modes.program();
    std::string console = program.output();
    EXPECT_NE(console.find("\nA value is out of range (#m = 2: 1 or 3). Please enter it again."), std::string::npos)
        << console;
    // The symmetric modes (a, b, a) of m = 1, 2, 1 and K = 1 have omega^2 = (3 -+ sqrt 5) / 2, the
    // antisymmetric one (1, 0, -1) omega^2 = 2.
    for (const char* line :
         {"\nMode  1  ω=    0.6180\n", "\nMode  2  ω=    1.4142\n", "\nMode  3  ω=    1.6180\n"}) {
        EXPECT_NE(console.find(line), std::string::npos) << line << console;
    }

    // 'm', then empty lines: the lists stay, and the defaults line shows them.
    std::size_t from = console.size();
    ASSERT_TRUE(modes.press("m"));
    ASSERT_TRUE(program.type("\n\n\n"));
    ASSERT_TRUE(program.wait_for_output("\nMode  3  ω=", from, std::chrono::seconds(20))) << program.output();
    console = program.output().substr(from);
    EXPECT_NE(console.find("defaults N=3, m=1,2,1, λ=0, K=1 ("), std::string::npos) << console;
    EXPECT_NE(console.find("\nMode  1  ω=    0.6180\n"), std::string::npos) << console;

    // 'm', then N = 2: the masses' list does not fit, every mass takes the first value.
    from = program.output().size();
    ASSERT_TRUE(modes.press("m"));
    ASSERT_TRUE(program.type("2\n\n\n"));
    ASSERT_TRUE(program.wait_for_output("\nMode  2  ω=", from, std::chrono::seconds(20))) << program.output();
    console = program.output().substr(from);
    EXPECT_NE(console.find("\nThe list of m does not fit N=2: m=1 for all"), std::string::npos) << console;
    EXPECT_EQ(console.find("The list of λ"), std::string::npos) << console;
    EXPECT_NE(console.find("\nMode  2  ω=    1.7321  closed form=    1.7321"), std::string::npos) << console;
    EXPECT_TRUE(escape_ends_it(modes));
}

TEST(ModesWindow, TypedDisplacementsAndVelocitiesStartTheMotionAlsoFromTheJKey)
{
    XSession x;
    VIBSIM_REQUIRE_X(x);
    // Velocities in mode 2's shape (1, 0, -1) of the uniform chain of 3, after a list one short and a word:
    // only mode 2's trace leaves zero.
    ProgramWindow modes(x, {MODES_PROGRAM}, "3\n\ny 1,0\nv 0.5,0,-0.5 w\nv 0.5, 0, -0.5\n", "vibsim-modes");
    ASSERT_TRUE(modes.wait_for_window());
    test::RunningProgram& program = modes.program();
    const std::string console = program.output();
    EXPECT_NE(console.find("\n値が範囲外です（#y = 2: 1 or 3）。もう一度入力してください。"), std::string::npos) << console;
    EXPECT_NE(console.find("\n数値として読めません（w）。もう一度入力してください。"), std::string::npos) << console;
    EXPECT_TRUE(chain_at_rest(modes.picture()));
    EXPECT_TRUE(run_and_see_modes(modes, 40, "-+-"));

    // 'j', then symmetric displacements (1, 0, 1): the chain starts displaced, in modes 1 and 3, not 2.
    ASSERT_TRUE(modes.press("j"));
    ASSERT_TRUE(program.type("y 1,0,1\n"));
    EXPECT_TRUE(modes.wait_for_picture(
        [](const Picture& p) { return !chain_at_rest(p) && trace_pixels(p, trace_green) == 0; },
        "the chain displaced, the traces cleared"));
    EXPECT_TRUE(run_and_see_modes(modes, 40, "+-+"));
    EXPECT_TRUE(escape_ends_it(modes));
}

TEST(ModesWindow, KeysExciteTheNextAndPreviousModePluckStrikeAndForceTheChosenMass)
{
    XSession x;
    VIBSIM_REQUIRE_X(x);
    ProgramWindow modes(x, {MODES_PROGRAM}, "3\n\n\n", "vibsim-modes");
    ASSERT_TRUE(modes.wait_for_window());
    EXPECT_TRUE(run_and_see_modes(modes, 20, "+--"));
    // 'n' from mode 1 gives mode 2; 'N' twice goes back to mode 1 and round to mode 3.
    ASSERT_TRUE(modes.press("n"));
    EXPECT_TRUE(run_and_see_modes(modes, 20, "-+-"));
    ASSERT_TRUE(modes.press("N"));
    ASSERT_TRUE(modes.press("N"));
    EXPECT_TRUE(run_and_see_modes(modes, 20, "--+"));
    // ']' chooses the middle mass: plucked, the chain swings in its symmetric modes 1 and 3 only;
    // '[' chooses mass 1 again, and its pluck gives all three.
    ASSERT_TRUE(modes.press("bracketright"));
    ASSERT_TRUE(modes.press("p"));
    EXPECT_TRUE(run_and_see_modes(modes, 20, "+-?"));
    ASSERT_TRUE(modes.press("bracketleft"));
    ASSERT_TRUE(modes.press("p"));
    EXPECT_TRUE(run_and_see_modes(modes, 20, "++?"));
    // A strike starts from rest: the string straight.
    ASSERT_TRUE(modes.press("t"));
    EXPECT_TRUE(modes.wait_for_picture(chain_at_rest, "the struck chain at rest"));

    // 'f': the forced mass ringed in the forcing's colour, an arrow at omega over the response;
    // '+' moves it up the axis, '-' down, and 'f' again takes both away.
    EXPECT_EQ(e2e::count(modes.picture(), chain_area(modes.picture()), force_green), 0);
    ASSERT_TRUE(modes.press("f"));
    ASSERT_TRUE(modes.wait_for_picture(
        [](const Picture& p) { return e2e::count(p, chain_area(p), force_green) > 20 && forcing_arrow_x(p) > 0; },
        "the forcing on"));
    const double at_first = forcing_arrow_x(modes.picture());
    for (int press = 0; press < 10; ++press) ASSERT_TRUE(modes.press("plus"));
    EXPECT_TRUE(modes.wait_for_picture([&](const Picture& p) { return forcing_arrow_x(p) > at_first + 5; },
                                       "omega raised"));
    for (int press = 0; press < 20; ++press) ASSERT_TRUE(modes.press("minus"));
    EXPECT_TRUE(modes.wait_for_picture([&](const Picture& p) { return forcing_arrow_x(p) < at_first - 5; },
                                       "omega lowered"));
    ASSERT_TRUE(modes.press("f"));
    EXPECT_TRUE(modes.wait_for_picture(
        [](const Picture& p) { return e2e::count(p, chain_area(p), force_green) == 0 && forcing_arrow_x(p) < 0; },
        "the forcing off"));
    EXPECT_TRUE(escape_ends_it(modes));
}

}  // namespace
}  // namespace vibsim::windows
