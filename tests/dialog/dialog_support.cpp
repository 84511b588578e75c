#include "dialog_support.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <iconv.h>
#include <sstream>

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

std::vector<std::string> probe_argv(const std::vector<std::string>& arguments)
{
    std::vector<std::string> argv = {DIALOG_PROBE};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return argv;
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
    return test::run_program(probe_argv(arguments), input, environment);
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

test::RunningProgram start_probe(const std::vector<std::string>& arguments)
{
    clean_locale_environment();
    return test::RunningProgram(probe_argv(arguments), "", {"LANG=C.UTF-8"});
}

int finish(test::RunningProgram& probe)
{
    probe.close_input();
    return probe.wait_for_end(probe_limit).value_or(test::Ending{}).exit_code;
}

}  // namespace vibsim::dialog_test
