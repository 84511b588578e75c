// The console dialog's whole output, byte for byte, as a terminal receives it:
// in UTF-8, in the C locale (UTF-8 too) and in Shift-JIS (CP932). The probe
// program runs the dialog on a real standard input and output.
#include "dialog_support.hpp"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <tuple>
#include <vector>

namespace vibsim::dialog_test {
namespace {

// ---------------------------------------------------------------------------
// Whole dialogs, in each kind of terminal.

struct DialogCase {
    const char* name;
    std::vector<std::string> keys;
    std::string input;
    std::string expected;  // UTF-8
};

// Test failures name the case rather than dump its bytes.
void PrintTo(const DialogCase& dialog, std::ostream* out)
{
    *out << dialog.name;
}

const DialogCase dialog_cases[] = {
    {"Underdamped", {"m"}, "1 0.5 4\n0.1 0\n", full_dialog(underdamped_results)},
    // zeta is exactly 1: the critical mark alone, and Omega is zero.
    {"CriticallyDamped", {"m"}, "1 2 1\n0.1 0\n",
     full_dialog("\n固有振動数ω0= 1.0000[rad/s], 減衰比ζ= 1.0000  臨界減衰"
                 "\n減衰固有振動数Ω= 0.0000")},
    {"Overdamped", {"m"}, "1 3 1\n0.1 0\n",
     full_dialog("\n固有振動数ω0= 1.0000[rad/s], 減衰比ζ= 1.5000  過減衰")},
    {"Undamped", {"m"}, "1 0 4\n0.1 0\n",
     full_dialog("\n固有振動数ω0= 2.0000[rad/s], 減衰比ζ= 0.0000  不足減衰"
                 "\n減衰固有振動数Ω= 2.0000")},
    // zeta prints as 1.0000 but is 0.9999999999999999: underdamped, not critical.
    {"JustBelowCritical", {"m"}, "1 2.82842712474619 2\n0.1 0\n",
     full_dialog("\n固有振動数ω0= 1.4142[rad/s], 減衰比ζ= 1.0000  不足減衰"
                 "\n減衰固有振動数Ω= 0.0000")},
    // After 'j' only the initial conditions are asked for; the results come
    // again from the constants of the dialog before.
    {"ShortFormKeepsTheConstants", {"m", "j"}, "1 0.5 4\n0.1 0\n0.2 0.3\n",
     full_dialog(underdamped_results) + short_dialog(underdamped_results)},
    {"FiveNumbersAtTheFirstPrompt", {"m"}, "1 0.5 4 0.1 0\n", full_dialog(underdamped_results)},
    // Nothing to read: every value stays 0, so omega0 and zeta are 0/0.
    {"EndOfInput", {"m"}, "",
     full_dialog("\n固有振動数ω0=" + nan_field + "[rad/s], 減衰比ζ=" + nan_field + "  不足減衰" +
                 "\n減衰固有振動数Ω=" + nan_field)},
    // The word stops the constants after m = 1; lambda and K stay 0.
    {"WordThatIsNotANumber", {"m"}, "1 x 4\n2 0\n",
     full_dialog("\n固有振動数ω0= 0.0000[rad/s], 減衰比ζ=" + nan_field + "  不足減衰" +
                 "\n減衰固有振動数Ω=" + nan_field)},
    // sqrt of a negative m*K: zeta is not a number and counts as underdamped.
    {"NegativeStiffness", {"m"}, "1 0.5 -4\n0.1 0\n",
     full_dialog("\n固有振動数ω0=" + nan_field + "[rad/s], 減衰比ζ=" + nan_field + "  不足減衰" +
                 "\n減衰固有振動数Ω=" + nan_field)},
    {"NegativeMass", {"m"}, "-1 0.5 4\n0.1 0\n",
     full_dialog("\n固有振動数ω0=" + nan_field + "[rad/s], 減衰比ζ=" + nan_field + "  不足減衰" +
                 "\n減衰固有振動数Ω=" + nan_field)},
    // m = 0: omega0 and zeta are infinite, so overdamped.
    {"ZeroMass", {"m"}, "0 0.5 4\n0.1 0\n",
     full_dialog("\n固有振動数ω0=    inf[rad/s], 減衰比ζ=    inf  過減衰")},
};

class WholeDialog : public testing::TestWithParam<std::tuple<DialogCase, Terminal>> {};

TEST_P(WholeDialog, WritesExactlyTheExpectedBytes)
{
    const auto& [dialog, terminal] = GetParam();
    if (terminal == Terminal::shift_jis) SKIP_WITHOUT_JAPANESE_LOCALES();

    const test::ChildResult run = run_probe(dialog.keys, dialog.input, terminal_environment(terminal));
    ASSERT_EQ(run.exit_code, 0) << "signal " << run.signal;
    EXPECT_EQ(run.output, expected_bytes(dialog.expected, terminal));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WholeDialog,
    testing::Combine(testing::ValuesIn(dialog_cases),
                     testing::Values(Terminal::utf8, Terminal::c_locale, Terminal::shift_jis)),
    [](const testing::TestParamInfo<WholeDialog::ParamType>& info) {
        return std::string(std::get<0>(info.param).name) + "_" + terminal_name(std::get<1>(info.param));
    });

// ---------------------------------------------------------------------------
// English: the same dialog in the English table, numbers and formats
// unchanged; a language the program does not have ends it with status 2.

TEST(EnglishDialog, WritesTheEnglishTextsOfOneSession)
{
    const std::string results =
        "\nNatural frequency ω0= 2.0000[rad/s], damping ratio ζ= 0.1250  underdamped"
        "\nDamped natural frequency Ω= 1.9843";
    const std::string key_help_en =
        "\n\n's' key: continue drawing the vibration"
        "\n'm' key: change the system constants"
        "\n'j' key: change the initial conditions"
        "\n't' 'T' keys: enlarge or reduce the time axis"
        "\n'y' 'Y' keys: enlarge or reduce the vertical axis"
        "\nESC key: end\n";
    const std::string header_en = "\n(1) Input of the system constants\n(2) Input of the initial conditions";
    const std::string expected =
        header_en + "\nDrawing of the 1-DOF damped free vibration\nm*ddy/ddy + λ*dy/dt + K = 0;"
        "\nKey in mass m[kg], damper λ[N/(m/s)], spring constant K[N/m]  m λ K ="
        "\nKey in the initial conditions  y0 v0 = " + results + key_help_en +
        header_en + "\nKey in the initial conditions  y0 v0 = " + results + key_help_en;

    const test::ChildResult run = run_probe({"--lang", "en", "m", "j"}, "1 0.5 4\n0.1 0\n0.2 0.3\n");
    ASSERT_EQ(run.exit_code, 0);
    EXPECT_EQ(run.output, expected);
    EXPECT_EQ(run_probe({"--lang=ja", "m"}, "1 0.5 4\n0.1 0\n").output, full_dialog(underdamped_results));

    for (const char* bad : {"fr", "EN", ""}) {
        const test::ChildResult refused = run_probe({"--lang", bad, "m"}, "1 0.5 4\n0.1 0\n");
        EXPECT_EQ(refused.exit_code, 2) << bad;
        EXPECT_EQ(refused.output, "") << bad;
    }
    EXPECT_EQ(run_probe({"m", "--lang"}, "").exit_code, 2);
}

// ---------------------------------------------------------------------------
// The Shift-JIS bytes themselves, independent of any converter.

TEST(ShiftJisConsole, WritesTheKnownCodesOfTheSymbols)
{
    SKIP_WITHOUT_JAPANESE_LOCALES();
    const std::string out =
        run_probe({"m"}, "1 0.5 4\n0.1 0\n", terminal_environment(Terminal::shift_jis)).output;

    // ASCII passes unchanged, and nothing is left in its UTF-8 form.
    EXPECT_EQ(out.rfind("\n(1) ", 0), 0u);
    for (const char* utf8 : {"キー", "λ", "ω", "ζ", "Ω", "１", "，", "：", "\u3000"}) {
        EXPECT_EQ(out.find(utf8), std::string::npos) << utf8;
    }

    EXPECT_NE(out.find("\n" "\x82\x50"), std::string::npos) << "full-width one";
    EXPECT_NE(out.find("\nm*ddy/ddy + " "\x83\xC9" "*dy/dt + K = 0;"), std::string::npos) << "lambda";
    EXPECT_NE(out.find("m[kg]" "\x81\x43"), std::string::npos) << "full-width comma";
    EXPECT_NE(out.find("/(m/s)]" "\x81\x43"), std::string::npos) << "full-width comma";
    EXPECT_NE(out.find(" m " "\x83\xC9" " K ="), std::string::npos) << "lambda in the prompt";
    EXPECT_NE(out.find("\x81\x40" "y0 v0 = "), std::string::npos) << "ideographic space";
    EXPECT_NE(out.find("\x83\xD6" "0= 2.0000[rad/s], "), std::string::npos) << "omega";
    EXPECT_NE(out.find("\x83\xC4" "= 0.1250  "), std::string::npos) << "zeta";
    EXPECT_NE(out.find("\x83\xB6" "= 1.9843"), std::string::npos) << "Omega";

    // One full-width colon in each of the six lines of the key help.
    std::size_t colons = 0;
    for (std::size_t at = out.find("\x81\x46"); at != std::string::npos;
         at = out.find("\x81\x46", at + 2)) {
        ++colons;
    }
    EXPECT_EQ(colons, 6u);

    // The last line whole: ESC, katakana ki, the long vowel mark, hiragana
    // de, the colon, and the two kanji of "end", then the only final line feed.
    const std::string last_line = "\nESC" "\x83\x4C" "\x81\x5B" "\x82\xC5" "\x81\x46" "\x8F\x49" "\x97\xB9" "\n";
    ASSERT_GE(out.size(), last_line.size());
    EXPECT_EQ(out.substr(out.size() - last_line.size()), last_line);
}

// The code set comes from the locale as the C library resolves it: LC_ALL
// before LC_CTYPE before LANG; every Shift-JIS name gets CP932, every other
// code set and an unknown locale get UTF-8.
TEST(ConsoleCodeSet, FollowsTheLocaleOfTheTerminal)
{
    SKIP_WITHOUT_JAPANESE_LOCALES();
    const std::string locpath = "LOCPATH=" + japanese_locales().dir;
    const std::string input = "1 0.5 4\n0.1 0\n";
    const std::string utf8 = full_dialog(underdamped_results);
    const std::string shift_jis = cp932(utf8);

    const struct {
        std::vector<std::string> environment;
        const std::string& expected;
    } terminals[] = {
        {{locpath, "LANG=ja_JP.WINDOWS-31J"}, shift_jis},
        {{locpath, "LANG=C.UTF-8", "LC_CTYPE=ja_JP.SJIS"}, shift_jis},
        {{locpath, "LANG=ja_JP.SJIS", "LC_ALL=C"}, utf8},
        {{locpath, "LANG=ja_JP.SJIS", "LC_CTYPE=C.UTF-8"}, utf8},
        {{locpath, "LANG=xx_XX.NOSUCHSET"}, utf8},
        {{"LANG=C"}, utf8},
        {{"LANG=POSIX"}, utf8},
    };
    for (const auto& terminal : terminals) {
        std::string described;
        for (const std::string& entry : terminal.environment) described += entry + " ";
        SCOPED_TRACE(described);
        const test::ChildResult run = run_probe({"m"}, input, terminal.environment);
        ASSERT_EQ(run.exit_code, 0);
        EXPECT_EQ(run.output, terminal.expected);
    }
}

}  // namespace
}  // namespace vibsim::dialog_test
