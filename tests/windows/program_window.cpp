#include "program_window.hpp"

#include <algorithm>
#include <chrono>
#include <thread>

namespace vibsim::windows {

namespace {

using Clock = std::chrono::steady_clock;
using test::Milliseconds;

// Limits for what must happen; nothing is measured (sanitizer builds are slow).
constexpr Milliseconds window_limit{60000};
constexpr Milliseconds change_limit{30000};
constexpr Milliseconds poll_interval{20};

}  // namespace

ProgramWindow::ProgramWindow(XSession& x, const std::vector<std::string>& argv, const std::string& input,
                             std::string_view title_part)
    : x_(x),
      title_part_(title_part),
      windows_before_(x.ok() ? x.windows_named_with(title_part) : std::vector<WindowId>{}),
      program_(argv, input, {"LC_ALL=C.UTF-8"})
{
}

ProgramWindow::~ProgramWindow()
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    if (test != nullptr && ::testing::Test::HasFailure() && !picture_.empty()) {
        e2e::save_png(picture_, std::string(test->test_suite_name()) + "." + test->name() + ".png");
    }
}

::testing::AssertionResult ProgramWindow::wait_for_window()
{
    const auto deadline = Clock::now() + window_limit;
    while (window_ == 0) {
        for (const WindowId w : x_.windows_named_with(title_part_)) {
            if (std::find(windows_before_.begin(), windows_before_.end(), w) == windows_before_.end()) window_ = w;
        }
        if (window_ != 0) break;
        if (!program_.running()) {
            return ::testing::AssertionFailure() << "the program ended before its window appeared; console:\n"
                                                 << program_.output();
        }
        if (Clock::now() >= deadline) return ::testing::AssertionFailure() << "no window appeared";
        std::this_thread::sleep_for(poll_interval);
    }
    x_.move(window_, 0, 0);
    return wait_for_picture(
        [](const Picture& p) {
            return e2e::count(p, {0, 0, p.width, p.height}, e2e::is_white) > p.width * p.height / 4;
        },
        "a first picture on a white background");
}

::testing::AssertionResult ProgramWindow::wait_for_picture(const std::function<bool(const Picture&)>& wanted,
                                                           std::string_view what)
{
    const auto deadline = Clock::now() + change_limit;
    for (;;) {
        // Two grabs in a row that agree make a settled picture.
        Picture first = x_.grab(window_);
        std::this_thread::sleep_for(poll_interval);
        Picture second = x_.grab(window_);
        if (!second.empty() && second == first) {
            picture_ = std::move(second);
            if (wanted(picture_)) return ::testing::AssertionSuccess();
        }
        if (!program_.running()) return ::testing::AssertionFailure() << "the program ended waiting for " << what;
        if (Clock::now() >= deadline) return ::testing::AssertionFailure() << "the window never showed " << what;
    }
}

::testing::AssertionResult ProgramWindow::press(const std::string& key)
{
    if (x_.press_key(window_, key)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "xdotool could not press '" << key << "'";
}

::testing::AssertionResult ProgramWindow::wait_for_end(Ending& ending)
{
    const std::optional<Ending> ended = program_.wait_for_end(change_limit);
    if (!ended) return ::testing::AssertionFailure() << "the program did not end; it was killed";
    ending = *ended;
    return ::testing::AssertionSuccess();
}

}  // namespace vibsim::windows
