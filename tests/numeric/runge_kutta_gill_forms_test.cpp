#include "vibsim/runge_kutta_gill_fixed.hpp"
#include "vibsim/runge_kutta_gill_staged.hpp"

#include "model.hpp"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace vibsim {
namespace {

constexpr int n = gill_fixed_capacity;

// Coupled and time-dependent, so that mixed-up components or stage times show.
double coupled(int i, double t, const double* s) { return s[(i + 7) % n] * t - 0.5 * s[i]; }

// Each derivative comes from an inner fixed step on the same right-hand-side
// type, so storage shared between calls would let the inner steps overwrite
// the outer one's.
double nested(int i, double t, const double* s)
{
    double z[n];
    runge_kutta_gill_fixed(t, 0.1, s, z, n, coupled);
    return z[i];
}

struct Start {
    double y[n + 1];
    Start() { for (int i = 0; i <= n; ++i) y[i] = 0.1 * i - 0.8; }
};

// The named forms on the undamped unit oscillator from (1, 0) over h = 0.01:
// the velocity's tenth digit shows the stored Gill constants.
void expect_unit_oscillator_step(void (*step)(double*))
{
    mass = 1.0;
    damping = 0.0;
    stiffness = 1.0;
    double x[2] = {1.0, 0.0};
    step(x);
    EXPECT_EQ(x[0], 0.9999500004166838);
    EXPECT_EQ(x[1], -0.009999833330001751);
}

TEST(RungeKuttaGillStaged, TagsEveryStageAndOtherwiseIsThePlainStep)
{
    std::vector<std::pair<int, int>> calls;  // (index, stage)
    const Start start;
    double staged[n] = {};
    double plain[n] = {};
    runge_kutta_gill_staged(0.3, 0.1, start.y, staged, n, -7, [&](int i, double t, const double* s, int stage) {
        calls.emplace_back(i, stage);
        return coupled(i, t, s);
    });
    runge_kutta_gill(0.3, 0.1, start.y, plain, n, coupled);
    ASSERT_EQ(calls.size(), 4u * n);
    const int stages[4] = {-7, 1, 2, 3};
    for (std::size_t c = 0; c < calls.size(); ++c) {
        EXPECT_EQ(calls[c], std::make_pair(static_cast<int>(c % n), stages[c / n])) << "call " << c;
    }
    for (int i = 0; i < n; ++i) EXPECT_EQ(staged[i], plain[i]);
    expect_unit_oscillator_step([](double* x) { runge_kutta_gill_staged(0.0, 0.01, x, x, 2, 0); });
}

TEST(RungeKuttaGillFixed, TakesUpToItsCapacityAndRefusesMoreVisibly)
{
    Start start;
    double heap[n] = {};
    runge_kutta_gill(0.2, 0.05, start.y, heap, n, nested);
    runge_kutta_gill_fixed(0.2, 0.05, start.y, start.y, n, nested);
    for (int i = 0; i < n; ++i) EXPECT_EQ(start.y[i], heap[i]) << "component " << i;
    expect_unit_oscillator_step([](double* x) { runge_kutta_gill_fixed(0.0, 0.01, x, x, 2); });

    std::vector<double> out(n + 1, 7.0);
    int calls = 0;
    testing::internal::CaptureStderr();
    runge_kutta_gill_fixed(0.0, 0.1, start.y, out.data(), n + 1, [&](int, double, const double*) {
        return ++calls;
    });
    const std::string refusal = testing::internal::GetCapturedStderr();
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(out, std::vector<double>(n + 1, 7.0));
    EXPECT_NE(refusal.find("n = 21"), std::string::npos) << refusal;
}

}  // namespace
}  // namespace vibsim
