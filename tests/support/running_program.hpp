// A program running as a child of the test, as a user runs it at a console:
// its standard input is a pipe that stays open, so answers can be typed at any
// time, and its standard output is collected as it comes.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace vibsim::test {

using Milliseconds = std::chrono::milliseconds;

// A limit for a wait that has none: the child is waited for as long as it runs.
inline constexpr Milliseconds no_limit = Milliseconds::max();

// How a child ended.
struct Ending {
    int exit_code = -1;  // the exit status, or -1 when it did not exit
    int signal = 0;      // the signal that ended it, or 0
};

// Where the child's standard error goes.
enum class Errors { shown, discarded };

class RunningProgram {
public:
    // Starts `argv[0]` with `input` already typed. `environment` entries
    // ("NAME=value") are added to or replace the inherited ones. Standard error
    // stays the test's own unless told otherwise, so that sanitizer reports
    // are seen.
    RunningProgram(const std::vector<std::string>& argv, const std::string& input,
                   const std::vector<std::string>& environment = {}, Errors errors = Errors::shown);
    // Kills the child if it still runs.
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    bool started() const { return pid_ > 0; }

    // Types more input; false when the child no longer reads it. Output that
    // comes meanwhile is collected, so a child that writes before it reads on
    // never waits for the test.
    bool type(std::string_view text);
    // Ends the input, as Ctrl-D at a terminal does.
    void close_input();

    // Everything written on standard output so far.
    const std::string& output();
    // Waits until the output from byte `from` on holds `text`; false when the
    // limit passes or the child ends first without writing it.
    bool wait_for_output(std::string_view text, std::size_t from, Milliseconds limit);
    // Waits until all the output so far ends with `tail`; false when the limit
    // passes or the child ends first.
    bool wait_for_output_ending(std::string_view tail, Milliseconds limit);
    // True when nothing more is written within `span`.
    bool stays_quiet(Milliseconds span);

    // True while the child has not ended.
    bool running();
    // Waits for the child to end and collects the rest of its output; when it
    // has not ended within the limit it is killed and nothing is returned.
    std::optional<Ending> wait_for_end(Milliseconds limit);

private:
    // Collects output until `done` holds (true), the limit passes or the
    // child ends and its output with it (then whether `done` holds).
    bool wait_until(const std::function<bool()>& done, Milliseconds limit);
    // Waits a moment, or less when output comes or, with `to_type`, when the
    // input takes more.
    void pause(Milliseconds most, bool to_type = false);
    void read_available();

    pid_t pid_ = -1;
    int input_fd_ = -1;
    int output_fd_ = -1;
    std::string output_;
    bool reaped_ = false;
    std::optional<Ending> ending_;  // empty when the child was killed on a time limit
};

}  // namespace vibsim::test
