// What the console dialog's reads leave in the model, how it waits for its
// user, and how it restarts the picture. The probe program runs the dialog on
// a real standard input and output and reports the model afterwards.
#include "dialog_support.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vibsim::dialog_test {
namespace {

// ---------------------------------------------------------------------------
// What the reads leave in the model.

TEST(DialogInput, ValuesTypedAheadServeTheNextRead)
{
    // Five numbers at the constants prompt answer the initial conditions too.
    std::string text;
    std::vector<Report> r = reports(run_probe({"m", "--report"}, "1 0.5 4 0.1 -0.2\n").output, &text);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(text, full_dialog(underdamped_results));
    EXPECT_EQ(r[0].at("mass"), 1.0);
    EXPECT_EQ(r[0].at("damping"), 0.5);
    EXPECT_EQ(r[0].at("stiffness"), 4.0);
    EXPECT_EQ(r[0].at("y0"), 0.1);
    EXPECT_EQ(r[0].at("v0"), -0.2);

    // ... and what is still left answers the next dialog.
    r = reports(run_probe({"m", "j", "--report"}, "1 0.5 4 0.1 -0.2 0.3 0.4\n").output);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].at("mass"), 1.0);
    EXPECT_EQ(r[0].at("y0"), 0.3);
    EXPECT_EQ(r[0].at("v0"), 0.4);
}

TEST(DialogInput, AWordThatIsNotANumberCostsOnlyTheRestOfItsLine)
{
    // m is read, lambda and K keep their starting 0; "4" goes with the word,
    // and the next line answers the initial conditions.
    std::vector<Report> r = reports(run_probe({"m", "--report"}, "1 x 4\n2 0\n").output);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].at("mass"), 1.0);
    EXPECT_EQ(r[0].at("damping"), 0.0);
    EXPECT_EQ(r[0].at("stiffness"), 0.0);
    EXPECT_EQ(r[0].at("y0"), 2.0);
    EXPECT_EQ(r[0].at("v0"), 0.0);

    // In a later dialog the values that were not read keep those of the
    // dialog before.
    std::string text;
    r = reports(run_probe({"m", "m", "--report"}, "1 0.5 4\n0.1 0\n3 x 7\n2 0.5\n").output, &text);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].at("mass"), 3.0);
    EXPECT_EQ(r[0].at("damping"), 0.5);
    EXPECT_EQ(r[0].at("stiffness"), 4.0);
    EXPECT_EQ(r[0].at("y0"), 2.0);
    EXPECT_EQ(r[0].at("v0"), 0.5);
    EXPECT_EQ(text, full_dialog(underdamped_results) +
                        full_dialog("\n固有振動数ω0= 1.1547[rad/s], 減衰比ζ= 0.0722  不足減衰"
                                    "\n減衰固有振動数Ω= 1.1517"));

    // A word at the initial conditions: the dialog goes on with the values
    // it has, and the next dialog reads the next line.
    r = reports(run_probe({"m", "--report", "j", "--report"}, "1 0.5 4\nq 9\n0.3 0.4\n").output, &text);
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].at("y0"), 0.0);
    EXPECT_EQ(r[0].at("v0"), 0.0);
    EXPECT_EQ(r[1].at("y0"), 0.3);
    EXPECT_EQ(r[1].at("v0"), 0.4);
    EXPECT_EQ(r[1].at("mass"), 1.0);
    EXPECT_EQ(text, full_dialog(underdamped_results) + short_dialog(underdamped_results));

    // A read stopped after its first value keeps the second.
    r = reports(
        run_probe({"m", "--report", "j", "--report"}, "1 0.5 4\n0.7 -0.1\n0.2 z 5\n0.9 0.8\n").output);
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[1].at("y0"), 0.2);
    EXPECT_EQ(r[1].at("v0"), -0.1);
}

TEST(DialogInput, AtTheEndOfInputEveryValueStays)
{
    std::string text;
    const std::vector<Report> r = reports(
        run_probe({"m", "--report", "m", "--report", "j", "--report"}, "1 0.5 4\n0.1 0.2\n").output, &text);
    ASSERT_EQ(r.size(), 3u);
    for (const Report& later : {r[1], r[2]}) {
        for (const char* name :
             {"mass", "damping", "stiffness", "y0", "v0", "omega0", "zeta", "Omega", "y", "v"}) {
            EXPECT_EQ(later.at(name), r[0].at(name)) << name;
        }
    }
    EXPECT_EQ(text, full_dialog(underdamped_results) + full_dialog(underdamped_results) +
                        short_dialog(underdamped_results));
}

// Omega is computed only for zeta <= 1; an overdamped dialog leaves the one
// of the dialog before.
TEST(DialogInput, OverdampedKeepsTheEarlierOmega)
{
    const std::vector<Report> r =
        reports(run_probe({"m", "m", "--report"}, "1 0.5 4\n0 0\n1 3 1\n0 0\n").output);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].at("zeta"), 1.5);
    EXPECT_EQ(r[0].at("Omega"), 1.984313483298443);
}

// ---------------------------------------------------------------------------
// Typing at the prompts, through pipes, as a user waits for each prompt.

TEST(DialogPrompts, EachPromptIsShownBeforeTheDialogWaits)
{
    test::RunningProgram probe = start_probe({"m"});
    ASSERT_TRUE(probe.wait_for_output_ending(header + constants_prompt, probe_limit)) << probe.output();
    probe.type("1 0.5 4\n");
    ASSERT_TRUE(probe.wait_for_output_ending(initial_prompt, probe_limit)) << probe.output();
    probe.type("0.1 0\n");
    ASSERT_TRUE(probe.wait_for_output_ending(key_help, probe_limit)) << probe.output();
    EXPECT_EQ(finish(probe), 0);
    EXPECT_EQ(probe.output(), full_dialog(underdamped_results));
}

TEST(DialogPrompts, FiveNumbersAnswerBothPromptsAtOnce)
{
    test::RunningProgram probe = start_probe({"m"});
    ASSERT_TRUE(probe.wait_for_output_ending(constants_prompt, probe_limit));
    probe.type("1 0.5 4 0.1 0\n");
    // The input stays open: the second prompt must not wait for it.
    EXPECT_TRUE(probe.wait_for_output_ending(key_help, probe_limit)) << probe.output();
    EXPECT_EQ(finish(probe), 0);
}

TEST(DialogPrompts, AfterAWordTheNextPromptWaitsForFreshInput)
{
    test::RunningProgram probe = start_probe({"m", "j", "--report"});
    ASSERT_TRUE(probe.wait_for_output_ending(constants_prompt, probe_limit));
    probe.type("1 x 4\n");
    ASSERT_TRUE(probe.wait_for_output_ending(initial_prompt, probe_limit)) << probe.output();
    EXPECT_TRUE(probe.stays_quiet(test::Milliseconds{300})) << "did not wait for the initial conditions";
    probe.type("2 0\n");
    ASSERT_TRUE(probe.wait_for_output_ending(key_help + header + initial_prompt, probe_limit)) << probe.output();
    // The input ends here: the second dialog keeps what the first one read.
    EXPECT_EQ(finish(probe), 0);
    const std::vector<Report> r = reports(probe.output());
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].at("mass"), 1.0);
    EXPECT_EQ(r[0].at("y0"), 2.0);
    EXPECT_EQ(r[0].at("v0"), 0.0);
}

// A word at the initial conditions ends that dialog with the values it has;
// the next dialog waits again.
TEST(DialogPrompts, AWordAtTheInitialConditionsLeavesTheNextDialogWaiting)
{
    test::RunningProgram probe = start_probe({"m", "j", "--report"});
    ASSERT_TRUE(probe.wait_for_output_ending(constants_prompt, probe_limit));
    probe.type("1 0.5 4\n");
    ASSERT_TRUE(probe.wait_for_output_ending(initial_prompt, probe_limit));
    probe.type("q 9\n");
    ASSERT_TRUE(probe.wait_for_output_ending(key_help + header + initial_prompt, probe_limit)) << probe.output();
    EXPECT_TRUE(probe.stays_quiet(test::Milliseconds{300})) << "the next dialog did not wait";
    probe.type("0.3 0.4\n");
    EXPECT_EQ(finish(probe), 0);
    const std::vector<Report> r = reports(probe.output());
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].at("y0"), 0.3);
    EXPECT_EQ(r[0].at("v0"), 0.4);
}

// ---------------------------------------------------------------------------
// The restart of the picture.

TEST(DialogResets, ViewStateAndTheFirstTraceEntries)
{
    const struct {
        const char* what;
        std::vector<std::string> arguments;
        std::string input;
        double y, v;
    } runs[] = {
        {"full form", {"--prime", "m", "--report"}, "1 0.5 4\n0.25 -0.5\n", 0.25, -0.5},
        {"short form", {"m", "--prime", "j", "--report"}, "1 0.5 4\n0.1 0\n-0.75 2\n", -0.75, 2.0},
        {"every read failed", {"--prime", "m", "--report"}, "", 0.0, 0.0},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.what);
        const std::vector<Report> r = reports(run_probe(run.arguments, run.input).output);
        ASSERT_EQ(r.size(), 1u);
        const Report& report = r[0];
        EXPECT_EQ(report.at("chain_x"), 0.0);
        EXPECT_EQ(report.at("chain_y"), 0.0);
        EXPECT_EQ(report.at("trace_x"), -0.99);
        EXPECT_EQ(report.at("trace_y"), 0.0);
        EXPECT_EQ(report.at("scale_y"), 0.5);
        EXPECT_EQ(report.at("scale_v"), 0.5);
        EXPECT_EQ(report.at("time_scale"), 0.004);
        EXPECT_EQ(report.at("y"), run.y);
        EXPECT_EQ(report.at("v"), run.v);
        EXPECT_EQ(report.at("index"), 0.0);
        EXPECT_EQ(report.at("row0_0"), run.y);
        EXPECT_EQ(report.at("row1_0"), run.v);
        // The rest of the history keeps what it held (the probe's marks: entry
        // i of the whole array held 1000 + i).
        EXPECT_EQ(report.at("row0_1"), 1001.0);
        EXPECT_EQ(report.at("row0_last"), 2000.0);
        EXPECT_EQ(report.at("row1_1"), 2002.0);
        EXPECT_EQ(report.at("row1_last"), 3001.0);
        // The simulated time belongs to the keys, not to the dialog.
        EXPECT_EQ(report.at("t"), 12.5);
    }
}

}  // namespace
}  // namespace vibsim::dialog_test
