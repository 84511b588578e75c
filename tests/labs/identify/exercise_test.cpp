// Exercise codes, the exercise's record and the judged answers.
#include "identify/exercise.hpp"
#include "identify/identification.hpp"
#include "identify/messages.hpp"

#include <vibsim/normal_random.hpp>

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

namespace {

using namespace vibsim::identify;

Exercise sample_exercise()
{
    Exercise e;
    e.mass = 0.7;
    e.damping = 0.1 + 1e-17;
    e.stiffness = 1.0 / 3.0;
    e.y0 = -0.25;
    e.noise = 0.003;
    e.seed = 4000000000u;
    e.omega0_tolerance = 0.025;
    e.zeta_tolerance = 0.08;
    return e;
}

bool same_bits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

TEST(ExerciseCode, ReadsBackBitForBit)
{
    for (Exercise e : {sample_exercise(), Exercise{}}) {
        if (e.damping == 0.0) e.damping = 0.2;
        const std::string code = exercise_code(e);
        EXPECT_EQ(code.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_"),
                  std::string::npos);
        const CodeReading back = read_exercise_code(" " + code + "\n");
        ASSERT_FALSE(back.problem);
        EXPECT_TRUE(same_bits(back.exercise.mass, e.mass));
        EXPECT_TRUE(same_bits(back.exercise.damping, e.damping));
        EXPECT_TRUE(same_bits(back.exercise.stiffness, e.stiffness));
        EXPECT_TRUE(same_bits(back.exercise.y0, e.y0));
        EXPECT_TRUE(same_bits(back.exercise.noise, e.noise));
        EXPECT_EQ(back.exercise.seed, e.seed);
        EXPECT_TRUE(same_bits(back.exercise.omega0_tolerance, e.omega0_tolerance));
        EXPECT_TRUE(same_bits(back.exercise.zeta_tolerance, e.zeta_tolerance));
    }
}

TEST(ExerciseCode, HidesTheNumbers)
{
    // The code of one case differs from that of a case one bit away in many
    // places, and no number's digits show in it.
    Exercise a = sample_exercise();
    Exercise b = a;
    b.stiffness = std::nextafter(a.stiffness, 1.0);
    const std::string ca = exercise_code(a);
    const std::string cb = exercise_code(b);
    int differing = 0;
    for (std::size_t i = 0; i < ca.size(); ++i) differing += ca[i] != cb[i];
    EXPECT_GT(differing, 3);
    a.mass = 2.0;
    a.stiffness = 8.0;
    const std::string plain = exercise_code(a);
    EXPECT_EQ(plain.find("AAAAAA"), std::string::npos);
}

TEST(ExerciseCode, BadCodesAreRefused)
{
    const std::string code = exercise_code(sample_exercise());
    EXPECT_EQ(read_exercise_code(code.substr(0, code.size() - 1)).problem, CodeProblem::bad_length);
    EXPECT_EQ(read_exercise_code("").problem, CodeProblem::bad_length);
    EXPECT_EQ(read_exercise_code(code + "A").problem, CodeProblem::bad_length);
    EXPECT_EQ(read_exercise_code(code.substr(0, 10) + "+" + code.substr(11)).problem, CodeProblem::bad_characters);
    // Every single mistyped character is caught.
    for (std::size_t i = 1; i < code.size(); ++i) {
        std::string typo = code;
        typo[i] = typo[i] == 'x' ? 'y' : 'x';
        ASSERT_TRUE(read_exercise_code(typo).problem) << i;
    }
    std::string later = code;
    later[0] = 'B';  // the version byte's high bits
    EXPECT_EQ(read_exercise_code(later).problem, CodeProblem::unknown_version);
    Exercise growing = sample_exercise();
    growing.damping = -0.1;
    EXPECT_EQ(read_exercise_code(exercise_code(growing)).problem, CodeProblem::bad_case);
    Exercise overdamped = sample_exercise();
    overdamped.damping = 2.0 * std::sqrt(overdamped.mass * overdamped.stiffness);
    EXPECT_FALSE(sound_exercise(overdamped));
    Exercise silent = sample_exercise();
    silent.noise = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(sound_exercise(silent));
    EXPECT_NE(code_problem_text(CodeProblem::bad_check, vibsim::platform::Language::english), "");
}

TEST(ExerciseRecord, SimulatorMotionWithTheLibrarysNoise)
{
    Exercise e = sample_exercise();
    e.noise = 0.0;
    const std::optional<Record> clean = exercise_record(e);
    ASSERT_TRUE(clean);
    ASSERT_EQ(clean->t.size(), 1201u);
    EXPECT_EQ(clean->t.back(), 12.0);
    EXPECT_EQ(clean->y.front(), -0.25);
    // The closed form of the same motion, to the integrator's accuracy.
    const double w = exercise_omega0(e);
    const double z = exercise_zeta(e);
    const double wd = w * std::sqrt(1.0 - z * z);
    for (std::size_t i = 0; i < clean->t.size(); i += 100) {
        const double t = clean->t[i];
        const double exact = -0.25 * std::exp(-z * w * t) * (std::cos(wd * t) + z * w / wd * std::sin(wd * t));
        EXPECT_NEAR(clean->y[i], exact, 1e-7);
    }

    ASSERT_TRUE(vibsim::load_normal_tables(IDENTIFY_TABLES_DIR));
    e.noise = 0.003;
    const std::optional<Record> noisy = exercise_record(e);
    const std::optional<Record> again = exercise_record(e);
    ASSERT_TRUE(noisy && again);
    EXPECT_EQ(noisy->y, again->y);
    double squares = 0.0;
    for (std::size_t i = 0; i < noisy->y.size(); ++i) squares += std::pow(noisy->y[i] - clean->y[i], 2);
    EXPECT_NEAR(std::sqrt(squares / 1201.0), 0.003, 0.0004);
    // The first noise value is that of normal_random right after srand(seed).
    std::srand(e.seed);
    EXPECT_EQ(noisy->y.front(), clean->y.front() + 0.003 * vibsim::normal_random());
    e.seed += 1;
    EXPECT_NE(exercise_record(e)->y, noisy->y);
}

TEST(ExerciseAnswer, JudgedWithinTheTolerances)
{
    const Exercise e = sample_exercise();
    const double w = exercise_omega0(e);
    const double z = exercise_zeta(e);
    EXPECT_TRUE(judge_answer(e, w, z).right());
    EXPECT_TRUE(judge_answer(e, w * 1.02, z * 0.93).right());
    const Verdict fast = judge_answer(e, w * 1.03, z);
    EXPECT_FALSE(fast.omega0_right);
    EXPECT_TRUE(fast.zeta_right);
    EXPECT_FALSE(fast.right());
    EXPECT_FALSE(judge_answer(e, w, z * 1.09).right());
    EXPECT_FALSE(judge_answer(e, w, -z).right());

    for (const vibsim::platform::Language language : {vibsim::platform::Language::english, vibsim::platform::Language::japanese}) {
        const std::string right = verdict_text(e, Answer{w, z}, judge_answer(e, w, z), language);
        const std::string wrong = verdict_text(e, Answer{w, 2 * z}, judge_answer(e, w, 2 * z), language);
        EXPECT_NE(right, wrong);
        std::string lower = wrong;
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_EQ(lower.find("correct"), std::string::npos);
        EXPECT_EQ(wrong.find("正解"), std::string::npos);
    }
    EXPECT_NE(verdict_text(e, Answer{w, z}, judge_answer(e, w, z), vibsim::platform::Language::english).find("Correct"),
              std::string::npos);
    EXPECT_NE(verdict_text(e, Answer{w, z}, judge_answer(e, w, z), vibsim::platform::Language::japanese).find("正解"),
              std::string::npos);
}

TEST(ExerciseAnswer, TypedLines)
{
    EXPECT_EQ(parse_answer("2.99, 0.051")->zeta, 0.051);
    EXPECT_EQ(parse_answer(" 2.99 0.051 ")->omega0, 2.99);
    EXPECT_TRUE(parse_answer("3;0.05"));
    EXPECT_FALSE(parse_answer("3"));
    EXPECT_FALSE(parse_answer("3, 0.05, 1"));
    EXPECT_FALSE(parse_answer("three, 0.05"));
    EXPECT_FALSE(parse_answer("nan, 0.05"));
    EXPECT_FALSE(parse_answer(""));
}

// The worked identification of a noisy exercise lands within its tolerance.
TEST(ExerciseAnswer, IdentifiedRecordIsJudgedRight)
{
    ASSERT_TRUE(vibsim::load_normal_tables(IDENTIFY_TABLES_DIR));
    Exercise e;
    e.mass = 2.0;
    e.damping = 0.8;
    e.stiffness = 50.0;
    e.noise = 0.02;
    e.seed = 11;
    const Identification found = identify_record(*exercise_record(e));
    ASSERT_TRUE(found.fit);
    EXPECT_TRUE(judge_answer(e, found.fit->omega0, found.fit->zeta).right());
}

}  // namespace
