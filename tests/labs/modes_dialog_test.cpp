// vibsim-modes' console dialog on its own, fed lines as a user types them:
// every line it cannot take is named, shortly, and asked for again; only a
// line that says exactly one thing is taken.
#include "child_process.hpp"
#include "platform/language.hpp"
#include "modes/dialog.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace vibsim::modes {
namespace {

// The console's text of ask_chain fed `input`, with the chain and start it
// ends with on the last line: "N m_1 lambda_1 k_0 kind at".
std::string dialog(const std::string& input)
{
    const std::string file = ::testing::TempDir() + "vibsim_modes_dialog_input";
    std::FILE* out = std::fopen(file.c_str(), "wb");
    std::fwrite(input.data(), 1, input.size(), out);
    std::fclose(out);
    const test::ChildResult run = test::run_in_child([&file] {
        if (std::freopen(file.c_str(), "rb", stdin) == nullptr) return;
        platform::choose_language(platform::Language::english);
        Chain chain;
        make_chain(5, std::vector{1.0}, std::vector{0.0}, std::vector{1.0}, chain);
        Start start;
        ask_chain(chain, start);
        std::printf("\n=%d %g %g %g %d %d\n", chain.n, chain.mass[0], chain.damping[0], chain.stiffness[0],
                    static_cast<int>(start.kind), start.at);
    });
    return run.output;
}

std::size_t count_of(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

TEST(ModesDialog, EveryNumberLineSaysOneWholeNumberOrIsAskedAgain)
{
    // N: words that are no number, numbers with more after them, numbers out
    // of range (1e300 converts to no int), then 3.
    const std::string said = dialog("abc\nnan\ninf\n\xff\xfe\n0x3\n3 junk\n3,4\n1e300\n99999999999\n2.5\n3\n\n2.7\n3 junk\n2\n");
    for (const char* named : {"(abc)", "(nan)", "(inf)", "(\?\?)", "(0x3)", "(3,4)"})
        EXPECT_EQ(count_of(said, std::string("Not a number ") + named), 1u) << named << said;
    EXPECT_EQ(count_of(said, "More values than asked for (junk)"), 2u) << said;
    EXPECT_EQ(count_of(said, "A value is out of range (1 ≤ N ≤ 21)"), 3u) << said;
    EXPECT_EQ(count_of(said, "A value is out of range (1 ≤ k ≤ 3)"), 1u) << said;
    EXPECT_NE(said.find("\n=3 1 0 1 0 2\n"), std::string::npos) << said;
}

TEST(ModesDialog, AListNeverTakesTheNextFieldAndLongWordsAreEchoedShort)
{
    const std::string said = dialog("3\n1,2,1, 0 1\n" + std::string(100000, 'x') + "\n2 0.5 4\n\n");
    EXPECT_EQ(count_of(said, "More values than asked for (1,2,1, 0)"), 1u) << said;
    const std::size_t at = said.find("Not a number (xxx");
    ASSERT_NE(at, std::string::npos);
    EXPECT_LT(said.find(')', at) - at, 80u);
    EXPECT_NE(said.find("\n=3 2 0.5 4 0 1\n"), std::string::npos) << said.substr(0, 2000);
}

// Constants whose spread lets rounding hide a root are asked again, naming
// it; a spread that leaves every root to within a few per cent is taken.
TEST(ModesDialog, ConstantsSpreadTooFarForARootAreAskedAgain)
{
    const std::string said = dialog("\n1 0 1e-20,1,1,1,1,1e-20\n1 0 1e-14,1,1,1,1,1e-14\n\n");
    EXPECT_EQ(count_of(said, "rounding hides a natural frequency (ω_1 ≈ 6.3e-11 ± "), 1u) << said;
    EXPECT_EQ(count_of(said, "rounding hides"), 1u) << said;
    EXPECT_NE(said.find("\n=5 1 0 1e-14 0 1\n"), std::string::npos) << said;
}

}  // namespace
}  // namespace vibsim::modes
