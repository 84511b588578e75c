// Helpers of the dialog tests: the dialog's texts, the probe program that runs
// the dialog on a real standard input and output, and the locales it is run in.
#pragma once

#include "child_process.hpp"
#include "running_program.hpp"

#include <map>
#include <string>
#include <vector>

namespace vibsim::dialog_test {

// ---------------------------------------------------------------------------
// The dialog's texts, in UTF-8.

inline const std::string header =
    "\n(1) 系の定数入力"
    "\n(2) 初期条件入力";

inline const std::string constants_prompt =
    "\n１自由度減衰自由振動の描画"
    "\nm*ddy/ddy + λ*dy/dt + K = 0;"
    "\nマスm[kg]，ダンパーλ[N/(m/s)]，ばね定数K[N/m]キー入力 m λ K =";

// The gap before y0 is an ideographic space.
inline const std::string initial_prompt = "\n初期条件キー入力\u3000y0 v0 = ";

inline const std::string key_help =
    "\n\n's'キーで：振動描画継続"
    "\n'm'キーで：系の定数変更"
    "\n'j'キーで：初期条件変更"
    "\n't' 'T'キーで：時間軸拡大縮小"
    "\n'y' 'Y'キーで：縦軸軸拡大縮小"
    "\nESCキーで：終了\n";

// m = 1, lambda = 0.5, K = 4.
inline const std::string underdamped_results =
    "\n固有振動数ω0= 2.0000[rad/s], 減衰比ζ= 0.1250  不足減衰"
    "\n減衰固有振動数Ω= 1.9843";

// An invalid operation on x86-64 yields the quiet NaN with its sign bit set,
// which glibc's "%7.4f" writes as "-nan".
inline const std::string nan_field = "   -nan";

// The whole output of one dialog in its full form, around its results.
inline std::string full_dialog(const std::string& results)
{
    return header + constants_prompt + initial_prompt + results + key_help;
}

// The same after 'j': the constants are not asked for.
inline std::string short_dialog(const std::string& results)
{
    return header + initial_prompt + results + key_help;
}

// ---------------------------------------------------------------------------
// Terminals.

// Japanese Shift-JIS locales (ja_JP.SJIS and ja_JP.WINDOWS-31J), built on
// first use with localedef into a temporary directory for LOCPATH, removed
// at exit. `problem` tells why they could not be built, or is empty.
struct JapaneseLocales {
    std::string dir;
    std::string problem;
};
const JapaneseLocales& japanese_locales();

#define SKIP_WITHOUT_JAPANESE_LOCALES()                                                        \
    do {                                                                                       \
        if (!::vibsim::dialog_test::japanese_locales().problem.empty())                        \
            GTEST_SKIP() << "No Shift-JIS locale: "                                            \
                         << ::vibsim::dialog_test::japanese_locales().problem;                 \
    } while (false)

enum class Terminal { utf8, c_locale, shift_jis };

const char* terminal_name(Terminal terminal);

// The probe's locale variables for a terminal. Those of the test's own
// environment never reach the probe, so only these count.
std::vector<std::string> terminal_environment(Terminal terminal);

// The UTF-8 text in CP932, by glibc's converter.
std::string cp932(const std::string& utf8);

// What a terminal of that kind receives for the UTF-8 text.
std::string expected_bytes(const std::string& utf8, Terminal terminal);

// ---------------------------------------------------------------------------
// The probe.

// Runs the probe with the given arguments (keys for the dialogs, "m" or "j",
// and the flags --prime and --report), its standard input read from `input`
// to its end, in a UTF-8 terminal unless told otherwise.
test::ChildResult run_probe(const std::vector<std::string>& arguments, const std::string& input,
                            const std::vector<std::string>& environment = {"LANG=C.UTF-8"});

// One "report:" line of the probe: the model, the view and the trace.
using Report = std::map<std::string, double>;

// The report lines of the probe's output, in order; `dialog_text`, if given,
// receives the output without them.
std::vector<Report> reports(const std::string& output, std::string* dialog_text = nullptr);

// How long a prompt, or the probe's end, is waited for.
inline constexpr test::Milliseconds probe_limit{10000};

// The probe in a UTF-8 terminal, its standard input a pipe that stays open,
// typed into like a user who waits for each prompt.
test::RunningProgram start_probe(const std::vector<std::string>& arguments);

// Ends the probe's input, waits for it to end and returns its exit status, or
// -1 when it did not exit.
int finish(test::RunningProgram& probe);

}  // namespace vibsim::dialog_test
