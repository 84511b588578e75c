#include "child_process.hpp"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

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

ChildResult wait_for(pid_t pid, int output_fd)
{
    ChildResult result;
    result.output = read_all(output_fd);
    close(output_fd);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status)) result.exit_code = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) result.signal = WTERMSIG(status);
    return result;
}

// Standard input from a temporary file holding `input`, so that the child
// sees a real end of input after the last byte.
int input_file(const std::string& input)
{
    char name[] = "/tmp/vibsim-input-XXXXXX";
    const int fd = mkstemp(name);
    unlink(name);
    if (fd < 0) return -1;
    if (write(fd, input.data(), input.size()) != static_cast<ssize_t>(input.size())) return -1;
    lseek(fd, 0, SEEK_SET);
    return fd;
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
    return wait_for(pid, pipe_fds[0]);
}

ChildResult run_program(const std::vector<std::string>& argv, const std::string& input,
                        const std::vector<std::string>& environment)
{
    const int in_fd = input_file(input);
    int pipe_fds[2];
    if (in_fd < 0 || pipe(pipe_fds) != 0) return {};
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(in_fd, STDIN_FILENO);
        dup2(pipe_fds[1], STDOUT_FILENO);
        close(pipe_fds[0]);
        close(pipe_fds[1]);
        close(in_fd);
        for (const std::string& entry : environment) putenv(strdup(entry.c_str()));
        std::vector<char*> args;
        for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
        args.push_back(nullptr);
        execve(args[0], args.data(), environ);
        _exit(127);
    }
    close(in_fd);
    close(pipe_fds[1]);
    return wait_for(pid, pipe_fds[0]);
}

}  // namespace vibsim::test
