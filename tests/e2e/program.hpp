// A program running as a child of the test, as a user runs it at a console:
// its standard input is a pipe that stays open, so answers can be typed at any
// time, and its standard output is collected as it comes.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace vibsim::e2e {

using Milliseconds = std::chrono::milliseconds;

// How a child ended.
struct Ending {
    int exit_code = -1;  // the exit status, or -1 when it did not exit
    int signal = 0;      // the signal that ended it, or 0
};

class RunningProgram {
public:
    // Starts `argv[0]` with `input` already typed. `environment` entries
    // ("NAME=value") are added to or replace the inherited ones. Standard error
    // stays the test's own, so that sanitizer reports are seen.
    RunningProgram(const std::vector<std::string>& argv, const std::string& input,
                   const std::vector<std::string>& environment = {});
    // Kills the child if it still runs.
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    bool started() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }

    // Types more input; false when the child no longer reads it.
    bool type(std::string_view text);
    // Ends the input, as Ctrl-D at a terminal does.
    void close_input();

    // Everything written on standard output so far.
    const std::string& output();
    // Polls until the output from byte `from` on holds `text`; false when the
    // time limit passes or the child ends first without writing it.
    bool wait_for_output(std::string_view text, std::size_t from, Milliseconds limit);

    // True while the child has not ended.
    bool running();
    // Waits for the child to end; when it has not ended within the limit it is
    // killed and nothing is returned.
    std::optional<Ending> wait_for_end(Milliseconds limit);

private:
    void read_available();
    void reap(int status);

    pid_t pid_ = -1;
    int input_fd_ = -1;
    int output_fd_ = -1;
    std::string output_;
    bool reaped_ = false;
    std::optional<Ending> ending_;  // empty when the child was killed on a time limit
};

// Runs a tool (xdotool, convert) to its end with its output discarded;
// returns its ending, or nothing when it did not end within the limit (it is
// then killed).
std::optional<Ending> run_tool(const std::vector<std::string>& argv, Milliseconds limit);

}  // namespace vibsim::e2e
