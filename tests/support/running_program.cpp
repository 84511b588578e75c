#include "running_program.hpp"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace vibsim::test {

namespace {

using Clock = std::chrono::steady_clock;
constexpr Milliseconds poll_interval{10};

// A child that has ended while the test still writes to it must not take the
// test down with SIGPIPE. The child itself gets the default back.
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

// The test's environment with `changes` ("NAME=value") added or replacing.
std::vector<std::string> environment_with(const std::vector<std::string>& changes)
{
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) env.emplace_back(*e);
    for (const std::string& entry : changes) {
        const std::string name = entry.substr(0, entry.find('=') + 1);
        std::erase_if(env, [&](const std::string& e) { return e.starts_with(name); });
        env.push_back(entry);
    }
    return env;
}

Ending ending_of(int status)
{
    Ending ending;
    if (WIFEXITED(status)) ending.exit_code = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) ending.signal = WTERMSIG(status);
    return ending;
}

void kill_and_reap(pid_t pid)
{
    kill(pid, SIGKILL);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

}  // namespace

RunningProgram::RunningProgram(const std::vector<std::string>& argv, const std::string& input,
                               const std::vector<std::string>& environment, Errors errors)
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
    const std::vector<std::string> env = environment_with(environment);
    std::vector<char*> args = c_strings(argv);
    std::vector<char*> envp = c_strings(env);

    const pid_t pid = fork();
    if (pid == 0) {
        std::signal(SIGPIPE, SIG_DFL);
        dup2(in_pipe[0], STDIN_FILENO);
        dup2(out_pipe[1], STDOUT_FILENO);
        if (errors == Errors::discarded) dup2(open("/dev/null", O_WRONLY | O_CLOEXEC), STDERR_FILENO);
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
    for (const int fd : {input_fd_, output_fd_}) fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
    type(input);
}

RunningProgram::~RunningProgram()
{
    close_input();
    if (pid_ > 0 && !reaped_) kill_and_reap(pid_);
    if (output_fd_ >= 0) close(output_fd_);
}

bool RunningProgram::type(std::string_view text)
{
    while (!text.empty()) {
        if (input_fd_ < 0) return false;
        const ssize_t put = write(input_fd_, text.data(), text.size());
        if (put >= 0) {
            text.remove_prefix(static_cast<std::size_t>(put));
        } else if (errno == EAGAIN) {  // the pipe is full until the child reads on
            read_available();
            pause(poll_interval, true);
        } else if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

void RunningProgram::close_input()
{
    if (input_fd_ >= 0) close(input_fd_);
    input_fd_ = -1;
}

void RunningProgram::pause(Milliseconds most, bool to_type)
{
    pollfd fds[2] = {{output_fd_, POLLIN, 0}, {to_type ? input_fd_ : -1, POLLOUT, 0}};
    poll(fds, 2, static_cast<int>(most.count()));
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

bool RunningProgram::wait_until(const std::function<bool()>& done, Milliseconds limit)
{
    const auto deadline = limit == no_limit ? Clock::time_point::max() : Clock::now() + limit;
    for (;;) {
        read_available();
        if (done()) return true;
        // At the end of the output nothing more can come; the child's own end
        // follows it at once.
        if (!running() && output_fd_ < 0) return false;
        const auto now = Clock::now();
        if (now >= deadline) return false;
        const Milliseconds interval = output_fd_ < 0 ? Milliseconds{1} : poll_interval;
        pause(std::min(interval, std::chrono::ceil<Milliseconds>(deadline - now)));
    }
}

bool RunningProgram::wait_for_output(std::string_view text, std::size_t from, Milliseconds limit)
{
    return wait_until([&] { return output_.find(text, from) != std::string::npos; }, limit);
}

bool RunningProgram::wait_for_output_ending(std::string_view tail, Milliseconds limit)
{
    return wait_until([&] { return output_.ends_with(tail); }, limit);
}

bool RunningProgram::stays_quiet(Milliseconds span)
{
    const std::size_t before = output().size();
    return !wait_until([&] { return output_.size() > before; }, span);
}

bool RunningProgram::running()
{
    if (pid_ <= 0 || reaped_) return false;
    int status = 0;
    const pid_t got = waitpid(pid_, &status, WNOHANG);
    if (got == pid_) {
        reaped_ = true;
        ending_ = ending_of(status);
        return false;
    }
    return got == 0 || errno == EINTR;
}

std::optional<Ending> RunningProgram::wait_for_end(Milliseconds limit)
{
    wait_until([] { return false; }, limit);
    if (pid_ > 0 && !reaped_) {
        kill_and_reap(pid_);
        reaped_ = true;  // killed on the limit: ending_ stays empty
        read_available();
    }
    return ending_;
}

}  // namespace vibsim::test
