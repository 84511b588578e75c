#include "dialog_support.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iconv.h>
#include <poll.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace vibsim::dialog_test {

namespace {

class LocaleDirectory {
public:
    LocaleDirectory()
    {
        char name[] = "/tmp/vibsim-locales-XXXXXX";
        if (mkdtemp(name) == nullptr) {
            locales.problem = "no temporary directory";
            return;
        }
        locales.dir = name;
        const std::pair<const char*, const char*> wanted[] = {
            {"SHIFT_JIS", "ja_JP.SJIS"},
            {"WINDOWS-31J", "ja_JP.WINDOWS-31J"},
        };
        for (const auto& [charmap, locale] : wanted) {
            const test::ChildResult made = test::run_program(
                {"/bin/sh", "-c", "exec localedef --no-warnings=ascii -i ja_JP -f \"$0\" \"$1\" 2>&1",
                 charmap, locales.dir + "/" + locale},
                "");
            if (made.exit_code != 0) {
                locales.problem = std::string("localedef -i ja_JP -f ") + charmap + " failed (exit " +
                                  std::to_string(made.exit_code) + "): " + made.output;
                return;
            }
        }
    }

    ~LocaleDirectory()
    {
        if (locales.dir.empty()) return;
        std::error_code ignored;
        std::filesystem::remove_all(locales.dir, ignored);
    }

    LocaleDirectory(const LocaleDirectory&) = delete;
    LocaleDirectory& operator=(const LocaleDirectory&) = delete;

    JapaneseLocales locales;
};

// The probe must see the locale of the terminal it is given and nothing of
// the environment the tests run in.
void clean_locale_environment()
{
    for (const char* name : {"LANG", "LANGUAGE", "LC_ALL", "LC_CTYPE", "LC_NUMERIC", "LOCPATH"}) {
        unsetenv(name);
    }
}

}  // namespace

const JapaneseLocales& japanese_locales()
{
    static const LocaleDirectory directory;
    return directory.locales;
}

const char* terminal_name(Terminal terminal)
{
    switch (terminal) {
    case Terminal::utf8: return "Utf8";
    case Terminal::c_locale: return "CLocale";
    case Terminal::shift_jis: return "ShiftJis";
    }
    return "";
}

std::vector<std::string> terminal_environment(Terminal terminal)
{
    switch (terminal) {
    case Terminal::utf8: return {"LANG=C.UTF-8"};
    case Terminal::c_locale: return {};
    case Terminal::shift_jis: return {"LOCPATH=" + japanese_locales().dir, "LANG=ja_JP.SJIS"};
    }
    return {};
}

std::string cp932(const std::string& utf8)
{
    const iconv_t converter = iconv_open("CP932", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1L)) {
        ADD_FAILURE() << "iconv has no CP932";
        return {};
    }
    std::string in = utf8;
    std::string out(2 * utf8.size() + 16, '\0');
    char* in_ptr = in.data();
    std::size_t in_left = in.size();
    char* out_ptr = out.data();
    std::size_t out_left = out.size();
    if (iconv(converter, &in_ptr, &in_left, &out_ptr, &out_left) == std::size_t(-1)) {
        ADD_FAILURE() << "the expected text has no CP932 form (errno " << errno << ")";
    }
    iconv_close(converter);
    out.resize(out.size() - out_left);
    return out;
}

std::string expected_bytes(const std::string& utf8, Terminal terminal)
{
    return terminal == Terminal::shift_jis ? cp932(utf8) : utf8;
}

test::ChildResult run_probe(const std::vector<std::string>& arguments, const std::string& input,
                            const std::vector<std::string>& environment)
{
    clean_locale_environment();
    std::vector<std::string> argv = {DIALOG_PROBE};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return test::run_program(argv, input, environment);
}

std::vector<Report> reports(const std::string& output, std::string* dialog_text)
{
    static const std::string mark = "report:";
    std::vector<Report> found;
    std::string rest;
    std::size_t at = 0;
    while (at < output.size()) {
        const std::size_t line = output.find(mark, at);
        if (line == std::string::npos) {
            rest += output.substr(at);
            break;
        }
        rest += output.substr(at, line - at);
        const std::size_t end = output.find('\n', line);
        std::istringstream fields(output.substr(line + mark.size(), end - line - mark.size()));
        Report report;
        for (std::string field; fields >> field;) {
            const std::size_t equals = field.find('=');
            report[field.substr(0, equals)] = std::strtod(field.c_str() + equals + 1, nullptr);
        }
        found.push_back(report);
        at = end == std::string::npos ? output.size() : end + 1;
    }
    if (dialog_text != nullptr) *dialog_text = rest;
    return found;
}

InteractiveProbe::InteractiveProbe(const std::vector<std::string>& arguments)
{
    // A probe that ends early must not take the test with it.
    std::signal(SIGPIPE, SIG_IGN);
    clean_locale_environment();
    int to_probe[2];
    int from_probe[2];
    if (pipe(to_probe) != 0) return;
    if (pipe(from_probe) != 0) {
        close(to_probe[0]);
        close(to_probe[1]);
        return;
    }
    std::vector<std::string> argv = {DIALOG_PROBE};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> args;
    for (std::string& arg : argv) args.push_back(arg.data());
    args.push_back(nullptr);

    pid_ = fork();
    if (pid_ == 0) {
        dup2(to_probe[0], STDIN_FILENO);
        dup2(from_probe[1], STDOUT_FILENO);
        for (const int fd : {to_probe[0], to_probe[1], from_probe[0], from_probe[1]}) close(fd);
        setenv("LANG", "C.UTF-8", 1);
        execv(args[0], args.data());
        _exit(127);
    }
    close(to_probe[0]);
    close(from_probe[1]);
    input_fd_ = to_probe[1];
    output_fd_ = from_probe[0];
}

InteractiveProbe::~InteractiveProbe()
{
    if (input_fd_ >= 0) close(input_fd_);
    if (output_fd_ >= 0) close(output_fd_);
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

InteractiveProbe::Read InteractiveProbe::read_some(int timeout_ms)
{
    if (output_fd_ < 0) return Read::ended;
    pollfd ready = {output_fd_, POLLIN, 0};
    if (poll(&ready, 1, timeout_ms) <= 0) return Read::nothing;
    char buffer[4096];
    const ssize_t got = read(output_fd_, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) return Read::nothing;
    if (got <= 0) {
        close(output_fd_);
        output_fd_ = -1;
        return Read::ended;
    }
    output_.append(buffer, static_cast<std::size_t>(got));
    return Read::some;
}

bool InteractiveProbe::wait_for_output_ending(const std::string& tail, int timeout_ms)
{
    using clock = std::chrono::steady_clock;
    const clock::time_point deadline = clock::now() + std::chrono::milliseconds(timeout_ms);
    for (;;) {
        if (output_.size() >= tail.size() &&
            output_.compare(output_.size() - tail.size(), tail.size(), tail) == 0) {
            return true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - clock::now());
        if (left.count() <= 0 || read_some(static_cast<int>(left.count())) == Read::ended) return false;
    }
}

bool InteractiveProbe::stays_quiet(int quiet_ms)
{
    const std::size_t before = output_.size();
    read_some(quiet_ms);
    return output_.size() == before;
}

void InteractiveProbe::type(const std::string& text)
{
    if (input_fd_ < 0) return;
    std::size_t written = 0;
    while (written < text.size()) {
        const ssize_t put = write(input_fd_, text.data() + written, text.size() - written);
        if (put <= 0) {
            if (put < 0 && errno == EINTR) continue;
            return;
        }
        written += static_cast<std::size_t>(put);
    }
}

int InteractiveProbe::finish()
{
    if (input_fd_ >= 0) {
        close(input_fd_);
        input_fd_ = -1;
    }
    while (read_some(10000) == Read::some) {
    }
    if (pid_ <= 0) return -1;
    if (output_fd_ >= 0) kill(pid_, SIGKILL);  // still writing, or hung
    int status = 0;
    while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace vibsim::dialog_test
