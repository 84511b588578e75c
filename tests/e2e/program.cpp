#include "program.hpp"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace vibsim::e2e {

namespace {

using Clock = std::chrono::steady_clock;
constexpr Milliseconds poll_interval{10};

// A child that has ended while the test still writes to it must not take the
// test down with SIGPIPE.
void ignore_broken_pipes()
{
    static const bool ignored = [] {
        std::signal(SIGPIPE, SIG_IGN);
        return true;
    }();
    (void)ignored;
}

std::vector<char*> c_strings(const std::vector<std::string>& strings)
{
    std::vector<char*> result;
    for (const std::string& s : strings) result.push_back(const_cast<char*>(s.c_str()));
    result.push_back(nullptr);
    return result;
}

Ending ending_of(int status)
{
    Ending ending;
    if (WIFEXITED(status)) ending.exit_code = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) ending.signal = WTERMSIG(status);
    return ending;
}

// Waits for `pid` until the limit; kills and reaps it when it is still running.
std::optional<int> wait_or_kill(pid_t pid, Milliseconds limit)
{
    const auto deadline = Clock::now() + limit;
    for (;;) {
        int status = 0;
        const pid_t got = waitpid(pid, &status, WNOHANG);
        if (got == pid) return status;
        if (got < 0 && errno != EINTR) return std::nullopt;
        if (Clock::now() >= deadline) break;
        std::this_thread::sleep_for(poll_interval);
    }
    kill(pid, SIGKILL);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return std::nullopt;
}

}  // namespace

RunningProgram::RunningProgram(const std::vector<std::string>& argv, const std::string& input,
                               const std::vector<std::string>& environment)
{
    ignore_broken_pipes();
    int in_pipe[2];
    int out_pipe[2];
    if (pipe2(in_pipe, O_CLOEXEC) != 0) return;
    if (pipe2(out_pipe, O_CLOEXEC) != 0) {
        close(in_pipe[0]);
        close(in_pipe[1]);
        return;
    }
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) env.emplace_back(*e);
    for (const std::string& entry : environment) {
        const std::string name = entry.substr(0, entry.find('=') + 1);
        std::erase_if(env, [&](const std::string& e) { return e.starts_with(name); });
        env.push_back(entry);
    }
    std::vector<char*> args = c_strings(argv);
    std::vector<char*> envp = c_strings(env);

    const pid_t pid = fork();
    if (pid == 0) {
        dup2(in_pipe[0], STDIN_FILENO);
        dup2(out_pipe[1], STDOUT_FILENO);
        execve(args[0], args.data(), envp.data());
        _exit(127);
    }
    close(in_pipe[0]);
    close(out_pipe[1]);
    if (pid < 0) {
        close(in_pipe[1]);
        close(out_pipe[0]);
        return;
    }
    pid_ = pid;
    input_fd_ = in_pipe[1];
    output_fd_ = out_pipe[0];
    fcntl(output_fd_, F_SETFL, fcntl(output_fd_, F_GETFL) | O_NONBLOCK);
    type(input);
}

RunningProgram::~RunningProgram()
{
    close_input();
    if (pid_ > 0 && !reaped_) {
        kill(pid_, SIGKILL);
        int status = 0;
        while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
    }
    if (output_fd_ >= 0) close(output_fd_);
}

bool RunningProgram::type(std::string_view text)
{
    while (!text.empty()) {
        if (input_fd_ < 0) return false;
        const ssize_t put = write(input_fd_, text.data(), text.size());
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(put));
    }
    return true;
}

void RunningProgram::close_input()
{
    if (input_fd_ >= 0) close(input_fd_);
    input_fd_ = -1;
}

void RunningProgram::read_available()
{
    if (output_fd_ < 0) return;
    char buffer[4096];
    for (;;) {
        const ssize_t got = read(output_fd_, buffer, sizeof buffer);
        if (got > 0) {
            output_.append(buffer, static_cast<std::size_t>(got));
        } else if (got < 0 && errno == EINTR) {
            continue;
        } else {
            if (got == 0) {
                close(output_fd_);
                output_fd_ = -1;
            }
            return;
        }
    }
}

const std::string& RunningProgram::output()
{
    read_available();
    return output_;
}

bool RunningProgram::wait_for_output(std::string_view text, std::size_t from, Milliseconds limit)
{
    const auto deadline = Clock::now() + limit;
    for (;;) {
        read_available();
        if (output_.size() >= from && output_.find(text, from) != std::string::npos) return true;
        if (!running()) {
            read_available();
            return output_.find(text, from) != std::string::npos;
        }
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(poll_interval);
    }
}

void RunningProgram::reap(int status)
{
    reaped_ = true;
    ending_ = ending_of(status);
    read_available();
}

bool RunningProgram::running()
{
    if (pid_ <= 0 || reaped_) return false;
    int status = 0;
    const pid_t got = waitpid(pid_, &status, WNOHANG);
    if (got == pid_) {
        reap(status);
        return false;
    }
    return got == 0 || errno == EINTR;
}

std::optional<Ending> RunningProgram::wait_for_end(Milliseconds limit)
{
    if (pid_ <= 0) return std::nullopt;
    if (reaped_) return ending_;
    const std::optional<int> status = wait_or_kill(pid_, limit);
    if (!status) {
        reaped_ = true;  // killed and reaped: ending_ stays empty
        read_available();
        return std::nullopt;
    }
    reap(*status);
    return ending_;
}

std::optional<Ending> run_tool(const std::vector<std::string>& argv, Milliseconds limit)
{
    std::vector<char*> args = c_strings(argv);
    const pid_t pid = fork();
    if (pid == 0) {
        const int null_fd = open("/dev/null", O_RDWR);
        dup2(null_fd, STDIN_FILENO);
        dup2(null_fd, STDOUT_FILENO);
        dup2(null_fd, STDERR_FILENO);
        execv(args[0], args.data());
        _exit(127);
    }
    if (pid < 0) return std::nullopt;
    const std::optional<int> status = wait_or_kill(pid, limit);
    if (!status) return std::nullopt;
    return ending_of(*status);
}

}  // namespace vibsim::e2e
