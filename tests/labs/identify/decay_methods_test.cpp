// Both methods on decays whose omega0 and zeta are known.
#include "decays.hpp"

#include "identify/identification.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

using identify_test::DecayCase;
using identify_test::decay_record;
using vibsim::identify::identify_record;
using vibsim::identify::Identification;
using vibsim::identify::Constants;

double relative(double found, double wanted) { return std::fabs(found - wanted) / wanted; }

TEST(CleanDecay, BothMethodsFindOmega0AndZeta)
{
    for (const DecayCase& c : {DecayCase{3.0, 0.05}, DecayCase{10.0, 0.01}, DecayCase{2.0, 0.2, 0.3},
                              DecayCase{25.0, 0.002, 1.0, 0.0, 0.0, 0.002, 6.0}}) {
        SCOPED_TRACE(testing::Message() << "omega0 " << c.omega0 << " zeta " << c.zeta);
        const Identification found = identify_record(decay_record(c));
        ASSERT_TRUE(found.decrement);
        ASSERT_TRUE(found.fit);
        EXPECT_LT(relative(found.decrement->omega0, c.omega0), 1e-3);
        EXPECT_LT(relative(found.decrement->zeta, c.zeta), 1e-2);
        EXPECT_LT(relative(found.fit->omega0, c.omega0), 1e-5);
        EXPECT_LT(relative(found.fit->zeta, c.zeta), 1e-4);
    }
}

}  // namespace

namespace {

using vibsim::identify::constants_for;
using vibsim::identify::NoDecay;
using vibsim::identify::parse_record;
using vibsim::identify::ColumnChoice;
using vibsim::identify::Record;
using vibsim::identify::result_csv;
using vibsim::identify::method_results;

TEST(NoisyDecay, NoiseOffsetRestAndJitter)
{
    for (std::uint32_t seed = 1; seed <= 8; ++seed) {
        SCOPED_TRACE(seed);
        // 3 % noise, 9.81 of offset, 2 s at rest before the release, each
        // timestamp up to 0.3 steps off.
        const DecayCase c{3.0, 0.05, 1.0, 9.81, 2.0, 0.01, 12.0, 0.03, 0.3, seed};
        const Identification found = identify_record(decay_record(c));
        ASSERT_TRUE(found.fit);
        EXPECT_LT(relative(found.fit->omega0, c.omega0), 0.003);
        EXPECT_LT(relative(found.fit->zeta, c.zeta), 0.05);
        EXPECT_NEAR(found.fit->c, 9.81, 0.01);
        // The analysis starts at the release, not in the rest.
        EXPECT_GE(found.decay.begin, 199u);
        EXPECT_LE(found.decay.begin, 240u);
        // The errors are those of the noise: the fit is within a few of them.
        EXPECT_LT(std::fabs(found.fit->omega0 - c.omega0), 5.0 * found.fit->omega0_error);
        EXPECT_LT(std::fabs(found.fit->zeta - c.zeta), 5.0 * found.fit->zeta_error);
        EXPECT_NEAR(found.fit->residual_rms, 0.03, 0.004);
        // The decrement, the fit's start, is near too: no extremum cut by the
        // release or lost in the noise takes part.
        ASSERT_TRUE(found.decrement);
        EXPECT_LT(relative(found.decrement->omega0, c.omega0), 0.01);
        EXPECT_LT(relative(found.decrement->zeta, c.zeta), 0.1);
    }
}

TEST(NoisyDecay, EndsWhereTheOscillationSinksIntoTheNoise)
{
    // Decays to a thousandth in 6 s, then 30 s of noise.
    const DecayCase c{6.0, 0.19, 1.0, 0.0, 0.0, 0.01, 36.0, 0.01, 0.0, 5};
    const Identification found = identify_record(decay_record(c));
    ASSERT_TRUE(found.fit);
    EXPECT_LT(found.decay.end, 1000u);
    EXPECT_LT(relative(found.fit->zeta, c.zeta), 0.05);
    ASSERT_TRUE(found.decrement);
    EXPECT_LT(relative(found.decrement->zeta, c.zeta), 0.1);
}

// A phone's accelerometer record: the acceleration of the decay plus gravity,
// at uneven times, in the app's layout.
TEST(NoisyDecay, PhoneAccelerationWithGravity)
{
    std::string text =
        "\"Time (s)\",\"Acceleration x (m/s^2)\",\"Acceleration y (m/s^2)\",\"Acceleration z (m/s^2)\"\n";
    const DecayCase c{12.0, 0.03, 0.5, 0.0, 1.0, 0.0025, 8.0, 0.0, 0.2, 9};
    const Record decay = decay_record(c);
    // Every derivative of a free decay is a free decay of the same omega0
    // and zeta, so a scaled decay stands for the acceleration.
    for (std::size_t i = 0; i < decay.t.size(); ++i) {
        char line[128];
        std::snprintf(line, sizeof line, "%.6E,%.6E,%.6E,%.6E\n", decay.t[i], 0.01, 0.02,
                      9.81 - 72.0 * decay.y[i]);
        text += line;
    }
    const auto reading = parse_record(text, "phone.csv", ColumnChoice{1, {}}, ColumnChoice{0, "Acceleration z"});
    ASSERT_FALSE(reading.error);
    const Identification found = identify_record(reading.record);
    ASSERT_TRUE(found.fit);
    EXPECT_LT(relative(found.fit->omega0, c.omega0), 1e-4);
    EXPECT_LT(relative(found.fit->zeta, c.zeta), 1e-3);
    EXPECT_NEAR(found.fit->c, 9.81, 1e-3);
}

TEST(NoDecayRecord, NoZetaIsMadeUp)
{
    // Noise alone.
    const Identification noise = identify_record(decay_record(DecayCase{3.0, 0.05, 0.0, 1.0, 0.0, 0.01, 12.0, 0.05}));
    EXPECT_FALSE(noise.decrement);
    EXPECT_FALSE(noise.fit);
    ASSERT_TRUE(noise.none);
    EXPECT_EQ(*noise.none, NoDecay::no_oscillation);
    EXPECT_TRUE(method_results(noise).empty());
    EXPECT_EQ(result_csv(method_results(noise), 1.0), "method,omega0,zeta,omega_d,stiffness,damping\n");

    // A growing oscillation: zeta below zero.
    Record growing;
    for (int i = 0; i <= 1200; ++i) {
        const double t = i * 0.01;
        growing.t.push_back(t);
        growing.y.push_back(0.1 * std::exp(0.15 * t) * std::cos(3.0 * t));
    }
    const Identification grows = identify_record(growing);
    EXPECT_FALSE(grows.decrement);
    EXPECT_FALSE(grows.fit);
    ASSERT_TRUE(grows.none);
    EXPECT_EQ(*grows.none, NoDecay::growing);

    // A rest alone, and a single step.
    Record step;
    for (int i = 0; i <= 500; ++i) {
        step.t.push_back(i * 0.01);
        step.y.push_back(i < 200 ? 0.0 : 1.0);
    }
    EXPECT_FALSE(identify_record(step).decrement);
}

TEST(WithMass, StiffnessAndDampingInTheResult)
{
    const Constants k = constants_for(2.0, 3.0, 0.05);
    EXPECT_DOUBLE_EQ(k.stiffness, 18.0);
    EXPECT_DOUBLE_EQ(k.damping, 0.6);
    const Identification found = identify_record(decay_record(DecayCase{3.0, 0.05}));
    const std::string with = result_csv(method_results(found), 2.0);
    const std::string without = result_csv(method_results(found), std::nullopt);
    EXPECT_EQ(with.substr(0, with.find('\n')), "method,omega0,zeta,omega_d,stiffness,damping");
    EXPECT_EQ(with.find("\nlog_decrement,"), without.find("\nlog_decrement,"));
    EXPECT_NE(without.find(",,\nfit,"), std::string::npos) << without;
    EXPECT_EQ(without.substr(without.size() - 3), ",,\n");
    double stiffness = 0.0;
    ASSERT_EQ(std::sscanf(with.c_str() + with.find("\nfit,"), "\nfit,%*[^,],%*[^,],%*[^,],%lf", &stiffness), 1);
    EXPECT_NEAR(stiffness, 18.0, 1e-4);
    EXPECT_EQ(result_csv(method_results(found), -1.0), without);
}

}  // namespace

namespace {

// The part analysed can be chosen: of a record plucked twice, the second
// decay alone.
TEST(ChosenPart, SecondPluckAlone)
{
    const Record first = decay_record(DecayCase{3.0, 0.05, 1.0, 0.0, 0.0, 0.01, 10.0});
    const Record second = decay_record(DecayCase{3.0, 0.1, 0.8, 0.0, 0.0, 0.01, 10.0});
    Record both = first;
    for (std::size_t i = 1; i < second.t.size(); ++i) {
        both.t.push_back(first.t.back() + second.t[i]);
        both.y.push_back(first.y.back() + second.y[i]);
    }
    const Identification found = identify_record(both, first.t.size(), both.t.size());
    ASSERT_TRUE(found.fit);
    EXPECT_GE(found.decay.begin, first.t.size());
    EXPECT_LT(relative(found.fit->zeta, 0.1), 1e-3);
    EXPECT_FALSE(identify_record(both, 500, 400).decrement);
    EXPECT_FALSE(identify_record(both, 0, 5).decrement);
    EXPECT_TRUE(identify_record(both, 0, 1'000'000).fit);
}

// Whatever the samples, the identification returns, and a zeta it gives is
// a finite one of a decay.
TEST(AnyRecord, NoMadeUpOrBrokenZeta)
{
    std::mt19937 generator(21);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    for (int round = 0; round < 300; ++round) {
        Record r;
        const double scale = std::pow(10.0, static_cast<double>(static_cast<int>(generator() % 600) - 300));
        const int kind = round % 5;
        double t = 0.0;
        for (int i = 0; i < 400; ++i) {
            t += kind == 4 ? 0.001 + 0.02 * (unit(generator) + 1.0) : 0.01;
            r.t.push_back(t);
            const double value = kind == 0   ? unit(generator)
                                 : kind == 1 ? 1.0
                                 : kind == 2 ? (i % 50 == 0 ? 1e3 : 0.0)
                                 : kind == 3 ? std::cos(3.0 * t) * (1.0 + 0.5 * unit(generator))
                                             : std::exp(-0.2 * t) * std::cos(7.0 * t) + 0.3 * unit(generator);
            r.y.push_back(scale * value);
        }
        const Identification found = identify_record(r);
        if (found.fit) {
            EXPECT_TRUE(found.fit->zeta > 0.0 && found.fit->zeta < 1.0 && std::isfinite(found.fit->omega0));
        }
        if (found.decrement) {
            EXPECT_TRUE(found.decrement->zeta > 0.0 && std::isfinite(found.decrement->omega0));
        }
        EXPECT_TRUE(found.fit || found.none);
    }
}

}  // namespace
