// A program's window, as its user meets it: the program started
// with its console input, its window found on the X server by a part of its
// title and moved to the screen's corner, its settled picture taken, keys
// pressed in it, and its end awaited.
#pragma once

#include "picture.hpp"
#include "running_program.hpp"
#include "x_window.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vibsim::windows {

using e2e::Picture;
using e2e::WindowId;
using e2e::XSession;
using test::Ending;

class ProgramWindow {
public:
    ProgramWindow(XSession& x, const std::vector<std::string>& argv, const std::string& input,
                  std::string_view title_part);
    // Saves the last picture as <suite>.<test>.png when the test has failed.
    ~ProgramWindow();

    test::RunningProgram& program() { return program_; }
    WindowId window() const { return window_; }
    const Picture& picture() const { return picture_; }

    // Waits for the window and its first picture on a white background.
    ::testing::AssertionResult wait_for_window();
    // Waits for a settled picture for which `wanted` holds.
    ::testing::AssertionResult wait_for_picture(const std::function<bool(const Picture&)>& wanted,
                                                std::string_view what);
    ::testing::AssertionResult press(const std::string& key);
    ::testing::AssertionResult wait_for_end(Ending& ending);

private:
    XSession& x_;
    std::string title_part_;
    std::vector<WindowId> windows_before_;
    test::RunningProgram program_;
    WindowId window_ = 0;
    Picture picture_;
};

// In a test body: skips without DISPLAY, fails when it names no server.
#define VIBSIM_REQUIRE_X(session)                                                            \
    do {                                                                                     \
        if ((session).name().empty()) GTEST_SKIP() << "DISPLAY is unset (scripts/test sets it)"; \
        ASSERT_TRUE((session).ok()) << "cannot open the X display " << (session).name();   \
    } while (false)

}  // namespace vibsim::windows
