// Running code or programs in a child process, with real standard input and
// output bytes, and collecting what they wrote and how they ended.
#pragma once

#include "running_program.hpp"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vibsim::test {

struct ChildResult {
    int exit_code = -1;    // the exit status, or -1 when the child did not exit
    int signal = 0;        // the signal that ended the child, or 0
    std::string output;    // everything the child wrote on standard output
};

// Runs `body` in a forked child whose standard output is collected; the child
// exits with status 0 if body returns.
ChildResult run_in_child(const std::function<void()>& body);

// Runs the program `argv[0]` to its end with the given arguments, extra
// environment entries ("NAME=value", added to or replacing the inherited ones)
// and standard input bytes, after which the input ends.
ChildResult run_program(const std::vector<std::string>& argv, const std::string& input,
                        const std::vector<std::string>& environment = {});

// Runs a tool (xdotool, convert) with no input to its end and discards its
// output; returns its ending, or nothing when it did not end within the limit
// (it is then killed).
std::optional<Ending> run_tool(const std::vector<std::string>& argv, Milliseconds limit);

}  // namespace vibsim::test
