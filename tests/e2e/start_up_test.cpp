// Starting vibsim from a console and closing its window: the dialog comes
// first, then an 800 x 800 window with the Japanese title on a white
// background; closing that window ends the program normally.
#include "simulator.hpp"

#include "child_process.hpp"

#include <gtest/gtest.h>

namespace vibsim::e2e {
namespace {

constexpr const char* underdamped_answers = "1 0.5 4\n1 0\n";
constexpr std::string_view initial_conditions_prompt = "\n初期条件キー入力　y0 v0 = ";
constexpr std::string_view end_of_key_help = "\nESCキーで：終了\n";

TEST(StartUp, WindowAppearsOnlyAfterTheWholeDialog)
{
    XSession x;
    VIBSIM_REQUIRE_X_SESSION(x);
    const std::vector<WindowId> existing = x.windows_named_with(ascii_part_of_title);
    Simulator vibsim(x, "1 0.5 4\n");

    // Waiting at the second prompt, the program has no window yet.
    ASSERT_TRUE(vibsim.wait_for_console(initial_conditions_prompt, 0));
    EXPECT_TRUE(vibsim.program().running());
    EXPECT_EQ(x.windows_named_with(ascii_part_of_title), existing);

    ASSERT_TRUE(vibsim.program().type("1 0\n"));
    ASSERT_TRUE(vibsim.wait_for_window());
    const std::string& console = vibsim.console_when_window_appeared();
    EXPECT_NE(console.find("固有振動数ω0= 2.0000[rad/s], 減衰比ζ= 0.1250  不足減衰"), std::string::npos) << console;
    EXPECT_NE(console.find("\n減衰固有振動数Ω= 1.9843"), std::string::npos) << console;
    EXPECT_TRUE(console.ends_with(end_of_key_help)) << console;
}

TEST(StartUp, WindowAppearsAlsoWhenTheConsoleInputIsEmpty)
{
    XSession x;
    VIBSIM_REQUIRE_X_SESSION(x);
    // As `vibsim </dev/null`: every read fails, all values stay 0, and with
    // m = 0 the motion is not a number. The program still opens its window
    // and keeps running until it is closed.
    Simulator vibsim(x, "");
    vibsim.program().close_input();
    ASSERT_TRUE(vibsim.wait_for_window());
    EXPECT_TRUE(vibsim.console_when_window_appeared().ends_with(end_of_key_help));

    x.request_close(vibsim.window());
    Ending ending;
    ASSERT_TRUE(vibsim.wait_for_end(ending));
    EXPECT_EQ(ending.signal, 0);
    EXPECT_EQ(ending.exit_code, 0);
}

TEST(StartUp, WindowIs800By800WithTheJapaneseTitle)
{
    XSession x;
    VIBSIM_REQUIRE_X_SESSION(x);
    Simulator vibsim(x, underdamped_answers);
    ASSERT_TRUE(vibsim.wait_for_window());

    const std::optional<WindowSize> size = x.size(vibsim.window());
    ASSERT_TRUE(size.has_value());
    EXPECT_EQ(size->width, 800);
    EXPECT_EQ(size->height, 800);
    // Desktops show _NET_WM_NAME; older window managers decode WM_NAME from
    // the encoding it declares; minimised windows show the icon name. All must
    // read as the Japanese title.
    EXPECT_EQ(x.net_wm_name(vibsim.window()), std::string(window_title));
    EXPECT_EQ(x.wm_name(vibsim.window()), std::string(window_title));
    EXPECT_EQ(x.wm_icon_name(vibsim.window()), std::string(window_title));
}

TEST(StartUp, BackgroundIsWhiteWhereNothingIsDrawn)
{
    XSession x;
    VIBSIM_REQUIRE_X_SESSION(x);
    // y0 = 1 lifts the mass above the axis; the right half holds no grid, so
    // its top and bottom corners show only the background.
    Simulator vibsim(x, underdamped_answers);
    ASSERT_TRUE(vibsim.wait_for_window());

    const Picture& p = vibsim.picture();
    ASSERT_EQ(p.width, 800);
    ASSERT_EQ(p.height, 800);
    const Region top_right{420, 0, 800, 150};
    const Region bottom_right{420, 450, 800, 800};
    EXPECT_EQ(count_not_white(p, top_right), 0);
    EXPECT_EQ(count_not_white(p, bottom_right), 0);
    EXPECT_EQ(p.at(799, 0), (Rgb{255, 255, 255}));
}

TEST(StartUp, ClosingTheWindowEndsTheProgramWithStatusZero)
{
    XSession x;
    VIBSIM_REQUIRE_X_SESSION(x);
    Simulator vibsim(x, underdamped_answers);
    ASSERT_TRUE(vibsim.wait_for_window());

    x.request_close(vibsim.window());
    Ending ending;
    ASSERT_TRUE(vibsim.wait_for_end(ending));
    EXPECT_EQ(ending.signal, 0);
    EXPECT_EQ(ending.exit_code, 0);
}

TEST(StartUp, ADestroyedWindowEndsTheProgramWithStatusZero)
{
    XSession x;
    VIBSIM_REQUIRE_X_SESSION(x);
    Simulator vibsim(x, underdamped_answers);
    ASSERT_TRUE(vibsim.wait_for_window());

    x.destroy(vibsim.window());
    Ending ending;
    ASSERT_TRUE(vibsim.wait_for_end(ending));
    EXPECT_EQ(ending.signal, 0);
    EXPECT_EQ(ending.exit_code, 0);
}

// A window that cannot open is told before the dialog asks anything: GLUT's
// options without a usable value (status 2, with the usage), and a display
// that does not answer or is not set (status 1, one line naming it).
TEST(StartUp, UnusableGlutOptionsAndDisplaysAreRefusedBeforeTheDialog)
{
    const auto run = [](const std::vector<std::string>& arguments, const std::string& display) {
        std::vector<std::string> argv{"/bin/sh", "-c", "exec \"$0\" \"$@\" 2>&1", VIBSIM_PROGRAM};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        return test::run_program(argv, "1 0.5 4\n1 0\n", {"DISPLAY=" + display, "LC_ALL=C.UTF-8"});
    };
    // Geometries are checked before the display, so these need none.
    for (const std::vector<std::string>& refused : std::vector<std::vector<std::string>>{
             {"-geometry"}, {"-display"}, {"-geometry", "garbage"}, {"-geometry", "400x"}, {"-geometry", "0x300"},
             {"-geometry", "40000x40000"}, {"-geometry", "16385x100+0+0"}, {"-iconic", "-display"}}) {
        const test::ChildResult result = run(refused, "");
        const std::string shown = refused.back();
        EXPECT_EQ(result.exit_code, 2) << shown << ": " << result.output;
        EXPECT_TRUE(result.output.starts_with("vibsim: ")) << result.output;
        EXPECT_NE(result.output.find("usage: vibsim "), std::string::npos) << result.output;
        EXPECT_EQ(result.output.find("(1)"), std::string::npos) << "the dialog ran: " << result.output;
    }

    // Nothing listens on display 9871.
    const test::ChildResult silent = run({}, ":9871");
    EXPECT_EQ(silent.exit_code, 1);
    EXPECT_EQ(silent.output, "vibsim: cannot open the X display ':9871' for the window\n");
    const test::ChildResult named = run({"-display", ":9872", "-geometry", "16384x300"}, ":9871");
    EXPECT_EQ(named.exit_code, 1);
    EXPECT_EQ(named.output, "vibsim: cannot open the X display ':9872' for the window\n");
    const test::ChildResult unset = run({}, "");
    EXPECT_EQ(unset.exit_code, 1);
    EXPECT_EQ(unset.output, "vibsim: cannot open the window: no X display (DISPLAY is not set and no -display is"
                            " given)\n");
}

// vibsim's own options answer before the dialog and without a display; the
// arguments it does not know as its own still reach GLUT.
TEST(StartUp, OwnOptionsNeedNoDialogNorDisplayAndGlutOptionsStillWork)
{
    const auto run = [](const std::vector<std::string>& arguments) {
        std::vector<std::string> argv{"/bin/sh", "-c", "exec \"$0\" \"$@\" 2>&1", VIBSIM_PROGRAM};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        return test::run_program(argv, "1 0.5 4\n1 0\n", {"DISPLAY=", "LC_ALL=C.UTF-8"});
    };
    const test::ChildResult version = run({"-iconic", "--version"});
    EXPECT_EQ(version.exit_code, 0);
    EXPECT_EQ(version.output, "vibsim " VIBSIM_VERSION "\n");
    const test::ChildResult help = run({"--help"});
    EXPECT_EQ(help.exit_code, 0);
    EXPECT_TRUE(help.output.starts_with("usage: vibsim ")) << help.output;
    EXPECT_NE(help.output.find("--version"), std::string::npos) << help.output;
    for (std::size_t start = 0, end; (end = help.output.find('\n', start)) != std::string::npos; start = end + 1) {
        EXPECT_LE(end - start, 80u) << "a line of --help too wide for a terminal: " << help.output.substr(start, end - start);
    }
    const test::ChildResult lang = run({"--lang=en", "--version"});
    EXPECT_EQ(lang.exit_code, 0) << lang.output;
    for (const std::vector<std::string>& refused :
         std::vector<std::vector<std::string>>{{"--colour"}, {"--help=yes"}, {"--version", "--nonsense"}}) {
        const test::ChildResult run_refused = run(refused);
        EXPECT_EQ(run_refused.exit_code, 2) << refused[0];
        EXPECT_NE(run_refused.output.find("usage: vibsim "), std::string::npos) << run_refused.output;
        EXPECT_EQ(run_refused.output.find("(1)"), std::string::npos) << "the dialog ran: " << run_refused.output;
    }

    XSession x;
    VIBSIM_REQUIRE_X_SESSION(x);
    Simulator vibsim(x, underdamped_answers, {"-geometry", "400x300"});
    ASSERT_TRUE(vibsim.wait_for_window());
    const std::optional<WindowSize> size = x.size(vibsim.window());
    ASSERT_TRUE(size.has_value());
    EXPECT_EQ(size->width, 400);
    EXPECT_EQ(size->height, 300);
}

}  // namespace
}  // namespace vibsim::e2e
