#include "child_process.hpp"

#include <cerrno>
#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

namespace vibsim::test {

namespace {

std::string read_all(int fd)
{
    std::string data;
    char buffer[4096];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got > 0) {
            data.append(buffer, static_cast<std::size_t>(got));
        } else if (got == 0 || errno != EINTR) {
            break;
        }
    }
    return data;
}

}  // namespace

ChildResult run_in_child(const std::function<void()>& body)
{
    std::fflush(nullptr);
    int pipe_fds[2];
    if (pipe(pipe_fds) != 0) return {};
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipe_fds[0]);
        dup2(pipe_fds[1], STDOUT_FILENO);
        close(pipe_fds[1]);
        body();
        std::fflush(stdout);
        _exit(0);
    }
    close(pipe_fds[1]);
    ChildResult result;
    result.output = read_all(pipe_fds[0]);
    close(pipe_fds[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
    return result;
}

ChildResult run_program(const std::vector<std::string>& argv, const std::string& input,
                        const std::vector<std::string>& environment)
{
    RunningProgram program(argv, input, environment);
    program.close_input();
    const Ending ending = program.wait_for_end(no_limit).value_or(Ending{});
    return {ending.exit_code, ending.signal, program.output()};
}

std::optional<Ending> run_tool(const std::vector<std::string>& argv, Milliseconds limit)
{
    RunningProgram tool(argv, "", {}, Errors::discarded);
    tool.close_input();
    return tool.wait_for_end(limit);
}

}  // namespace vibsim::test
