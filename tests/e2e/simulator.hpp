// The vibsim program as its user meets it: started from a console with its
// answers typed in, its window found on the X server, then looked at and
// driven through that window and the console.
#pragma once

#include "picture.hpp"
#include "running_program.hpp"
#include "x_window.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

namespace vibsim::e2e {

// The program runs as a child of the test; these tests name its parts plainly.
using test::Ending;
using test::Milliseconds;
using test::RunningProgram;

// The window's title, and a part of it that reads the same in any encoding:
// the program's window is found by that part, so that a title in the wrong
// encoding is reported as such rather than as a missing window.
inline constexpr std::string_view window_title = "１DOF自由振動　m:ばねマス，j:初期条件　変更";
inline constexpr std::string_view ascii_part_of_title = "DOF";

// Time limits for things that must happen. They only bound how long a broken
// program is waited for (sanitizer builds are slow); nothing is measured.
inline constexpr Milliseconds window_limit{60000};
inline constexpr Milliseconds change_limit{20000};
inline constexpr Milliseconds end_limit{20000};

class Simulator {
public:
    // Starts vibsim with `answers` on its console and the given command-line
    // arguments; the console stays open.
    Simulator(XSession& x, const std::string& answers, const std::vector<std::string>& arguments = {});
    // Kills the program if it still runs. When the test has failed, the last
    // picture is saved as <suite>.<test>.png in the working directory.
    ~Simulator();

    RunningProgram& program() { return program_; }
    // Everything on the console so far.
    const std::string& console() { return program_.output(); }
    WindowId window() const { return window_; }
    // The console as it was when the window was first seen.
    const std::string& console_when_window_appeared() const { return console_at_window_; }
    // The last picture taken.
    const Picture& picture() const { return picture_; }

    // Waits for the program's window: a new viewable window whose name holds
    // the title's ASCII part.
    // The window is then moved to the screen's corner, so that all of it can
    // be seen, and its first complete picture is awaited.
    ::testing::AssertionResult wait_for_window();

    // Waits until the window shows a settled picture for which `wanted` holds
    // and keeps it as picture(); `what` names it in the failure message.
    ::testing::AssertionResult wait_for_picture(const std::function<bool(const Picture&)>& wanted,
                                                std::string_view what);
    // Presses a key in the window and waits until the picture changes.
    ::testing::AssertionResult press(const std::string& key);
    // Presses a key in the window and waits for nothing.
    ::testing::AssertionResult press_only(const std::string& key);
    // Waits until the console holds `text` after byte `from`.
    ::testing::AssertionResult wait_for_console(std::string_view text, std::size_t from);
    // Waits for the program to end; fails when it does not.
    ::testing::AssertionResult wait_for_end(Ending& ending);

private:
    using Clock = std::chrono::steady_clock;
    // A picture that two grabs in a row agree on; empty if none is to be had.
    Picture settled_picture(Clock::time_point deadline);

    XSession& x_;
    std::vector<WindowId> windows_before_;
    RunningProgram program_;
    WindowId window_ = 0;
    std::string console_at_window_;
    Picture picture_;
};

// In a test body: skips the test when DISPLAY is unset, and fails it when the
// X server that DISPLAY names cannot be reached.
#define VIBSIM_REQUIRE_X_SESSION(session)                                                        \
    do {                                                                                         \
        if ((session).name().empty()) {                                                          \
            GTEST_SKIP() << "DISPLAY is unset: these tests need an X server (scripts/test runs " \
                            "them under a private Xvfb)";                                        \
        }                                                                                        \
        ASSERT_TRUE((session).ok()) << "cannot open the X display " << (session).name();       \
    } while (false)

}  // namespace vibsim::e2e
