#include "simulator.hpp"

#include <algorithm>
#include <chrono>
#include <thread>

namespace vibsim::e2e {

namespace {

constexpr Milliseconds poll_interval{20};

std::vector<WindowId> named_windows(XSession& x)
{
    return x.ok() ? x.windows_named_with(ascii_part_of_title) : std::vector<WindowId>{};
}

// The console text is compared as UTF-8, whatever the locale of the test run.
const std::vector<std::string> program_environment = {"LC_ALL=C.UTF-8"};

std::vector<std::string> command_line(const std::vector<std::string>& arguments)
{
    std::vector<std::string> argv{VIBSIM_PROGRAM};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return argv;
}

}  // namespace

Simulator::Simulator(XSession& x, const std::string& answers, const std::vector<std::string>& arguments)
    : x_(x), windows_before_(named_windows(x)), program_(command_line(arguments), answers, program_environment)
{
}

Simulator::~Simulator()
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    if (test != nullptr && ::testing::Test::HasFailure() && !picture_.empty()) {
        save_png(picture_, std::string(test->test_suite_name()) + "." + test->name() + ".png");
    }
}

::testing::AssertionResult Simulator::wait_for_window()
{
    if (!program_.started()) return ::testing::AssertionFailure() << "vibsim could not be started";
    const auto deadline = Clock::now() + window_limit;
    while (window_ == 0) {
        for (const WindowId w : x_.windows_named_with(ascii_part_of_title)) {
            if (std::find(windows_before_.begin(), windows_before_.end(), w) == windows_before_.end()) {
                window_ = w;
            }
        }
        if (window_ != 0) {
            console_at_window_ = program_.output();
            break;
        }
        if (!program_.running()) {
            return ::testing::AssertionFailure() << "vibsim ended before its window appeared; console:\n"
                                                 << program_.output();
        }
        if (Clock::now() >= deadline) {
            return ::testing::AssertionFailure() << "no window named with \"" << ascii_part_of_title
                                                 << "\" appeared; console:\n"
                                                 << program_.output();
        }
        std::this_thread::sleep_for(poll_interval);
    }
    x_.move(window_, 0, 0);
    // The first frame has been drawn once the window is no longer the blank
    // (black) of a window that nothing has drawn into: the background is white.
    return wait_for_picture(
        [](const Picture& p) { return count(p, {0, 0, p.width, p.height}, is_white) > p.width * p.height / 4; },
        "a first picture on a white background");
}

Picture Simulator::settled_picture(Clock::time_point deadline)
{
    Picture first = x_.grab(window_);
    for (;;) {
        // A picture that never settles is returned as it is at the deadline.
        if (first.empty() || Clock::now() >= deadline) return first;
        std::this_thread::sleep_for(poll_interval);
        Picture second = x_.grab(window_);
        if (second == first) return second;
        first = std::move(second);
    }
}

::testing::AssertionResult Simulator::wait_for_picture(const std::function<bool(const Picture&)>& wanted,
                                                       std::string_view what)
{
    const auto deadline = Clock::now() + change_limit;
    for (;;) {
        Picture now = settled_picture(deadline);
        if (!now.empty()) picture_ = std::move(now);
        if (!picture_.empty() && wanted(picture_)) return ::testing::AssertionSuccess();
        if (!program_.running()) {
            return ::testing::AssertionFailure() << "vibsim ended while waiting for " << what;
        }
        if (Clock::now() >= deadline) {
            return ::testing::AssertionFailure() << "the window never showed " << what;
        }
        std::this_thread::sleep_for(poll_interval);
    }
}

::testing::AssertionResult Simulator::press_only(const std::string& key)
{
    if (!x_.press_key(window_, key)) {
        return ::testing::AssertionFailure() << "xdotool could not press '" << key
                                             << "' (is it installed? scripts/deps test)";
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult Simulator::press(const std::string& key)
{
    const Picture before = picture_;
    if (auto pressed = press_only(key); !pressed) return pressed;
    return wait_for_picture([&](const Picture& p) { return p != before; },
                            "a new picture after the key '" + key + "'");
}

::testing::AssertionResult Simulator::wait_for_console(std::string_view text, std::size_t from)
{
    if (program_.wait_for_output(text, from, change_limit)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the console never showed \"" << text << "\"; after byte " << from
                                         << " it holds:\n"
                                         << program_.output().substr(std::min(from, program_.output().size()));
}

::testing::AssertionResult Simulator::wait_for_end(Ending& ending)
{
    const std::optional<Ending> ended = program_.wait_for_end(end_limit);
    if (!ended) return ::testing::AssertionFailure() << "vibsim did not end; it was killed";
    ending = *ended;
    return ::testing::AssertionSuccess();
}

}  // namespace vibsim::e2e
