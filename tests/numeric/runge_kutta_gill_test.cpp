#include "vibsim/runge_kutta_gill.hpp"

#include "child_process.hpp"
#include "model.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <limits>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace vibsim {
namespace {

void set_model(double m, double lambda, double k)
{
    mass = m;
    damping = lambda;
    stiffness = k;
}

// The same oscillator as a callable, for the callable form of the step.
struct Oscillator {
    double m, lambda, k;
    double operator()(int i, double, const double* s) const
    {
        return i == 0 ? s[1] : -(lambda * s[1] + k * s[0]) / m;
    }
};

TEST(RungeKuttaGill, WorkedExamplesAreBitExact)
{
    // y' = 1: the stored constants make one unit step fall short of 1.
    set_model(1.0, 0.0, 0.0);
    double y[2] = {0.0, 1.0};
    double out[2] = {};
    runge_kutta_gill(0.0, 1.0, y, out, 2);
    EXPECT_EQ(out[0], 0.9999999996666668);
    EXPECT_EQ(out[1], 1.0);

    // The undamped unit oscillator: the velocity's tenth digit shows the
    // stored constants (the exact ones give -0.009999833333333335).
    set_model(1.0, 0.0, 1.0);
    double x[2] = {1.0, 0.0};
    runge_kutta_gill(0.0, 0.01, x, out, 2);
    EXPECT_EQ(out[0], 0.9999500004166838);
    EXPECT_EQ(out[1], -0.009999833330001751);

    double via_callable[2] = {};
    runge_kutta_gill(0.0, 0.01, x, via_callable, 2, Oscillator{1.0, 0.0, 1.0});
    EXPECT_EQ(via_callable[0], out[0]);
    EXPECT_EQ(via_callable[1], out[1]);
}

// The stage rule written out plainly, component after component, each stage
// complete before the next.
std::vector<double> reference_step(double t, double h, const std::vector<double>& y,
                                   double (*f)(int, double, const double*))
{
    const std::size_t n = y.size();
    std::vector<double> y1(n), y2(n), y3(n), q1(n), q2(n), q3(n), out(n);
    const double c1 = 0.292893219, c2 = 1.70710678, c3 = 0.16666667;
    for (std::size_t i = 0; i < n; ++i) {
        const double k = f(int(i), t, y.data()) * h, r = 0.5 * k;
        y1[i] = r + y[i];
        q1[i] = 3.0 * r - 0.5 * k;
    }
    for (std::size_t i = 0; i < n; ++i) {
        const double k = f(int(i), 0.5 * h + t, y1.data()) * h, r = (k - q1[i]) * c1;
        y2[i] = r + y1[i];
        q2[i] = (3.0 * r + q1[i]) - c1 * k;
    }
    for (std::size_t i = 0; i < n; ++i) {
        const double k = f(int(i), 0.5 * h + t, y2.data()) * h, r = (k - q2[i]) * c2;
        y3[i] = r + y2[i];
        q3[i] = (3.0 * r + q2[i]) - c2 * k;
    }
    for (std::size_t i = 0; i < n; ++i) {
        const double k = f(int(i), t + h, y3.data()) * h, r = (k - 2.0 * q3[i]) * c3;
        out[i] = r + y3[i];
    }
    return out;
}

int components = 0;

// Coupled across the whole state and time-dependent.
double ring(int i, double t, const double* s)
{
    return s[(i + 1) % components] * t - 0.75 * s[i] + s[(i + components - 3) % components] / 3.0;
}

TEST(RungeKuttaGill, EverySizeGivesThePlainStageRuleBitForBit)
{
    for (const int n : {1, 5, 7, 8, 9, 20, 21, 45, 203}) {
        components = n;
        std::vector<double> y(n);
        for (int i = 0; i < n; ++i) y[i] = std::sin(1.0 + i) / (i + 1);
        const std::vector<double> expected = reference_step(0.3, 0.07, y, ring);
        std::vector<double> out(n);
        runge_kutta_gill(0.3, 0.07, y.data(), out.data(), n, ring);
        for (int i = 0; i < n; ++i) ASSERT_EQ(out[i], expected[i]) << "n = " << n << ", component " << i;
    }
}

TEST(RungeKuttaGill, InputAndOutputMayBeTheSameArray)
{
    set_model(2.0, 0.3, 5.0);
    double y[2] = {0.7, -1.1};
    double separate[2] = {};
    runge_kutta_gill(0.25, 0.01, y, separate, 2);
    runge_kutta_gill(0.25, 0.01, y, y, 2);
    EXPECT_EQ(y[0], separate[0]);
    EXPECT_EQ(y[1], separate[1]);
}

TEST(RungeKuttaGill, CallsTheRightHandSideStageByStage)
{
    struct Call {
        int index;
        double time;
        const double* state;
    };
    std::vector<Call> calls;
    const double y[3] = {1.0, 2.0, 3.0};
    double out[3] = {};
    const double t = 0.3;
    const double h = 0.1;
    runge_kutta_gill(t, h, y, out, 3, [&](int i, double time, const double* s) {
        calls.push_back({i, time, s});
        return s[i];
    });
    ASSERT_EQ(calls.size(), 12u);
    const double times[4] = {t, 0.5 * h + t, 0.5 * h + t, t + h};
    for (std::size_t c = 0; c < calls.size(); ++c) {
        EXPECT_EQ(calls[c].index, static_cast<int>(c % 3));
        EXPECT_EQ(calls[c].time, times[c / 3]);
        EXPECT_EQ(calls[c].state, calls[c - c % 3].state) << "one state array per stage";
    }
    EXPECT_EQ(calls[0].state, y);
    EXPECT_NE(calls[3].state, y);
    // y' = y grows by about e^h.
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(out[i], y[i] * std::exp(h), 1e-6);
}

TEST(RungeKuttaGill, ZeroComponentsCallNothingAndWriteNothing)
{
    int calls = 0;
    double y = 5.0;
    double out = 7.0;
    runge_kutta_gill(0.0, 0.1, &y, &out, 0, [&](int, double, const double*) {
        ++calls;
        return 0.0;
    });
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(out, 7.0);
}

// The exact displacement and velocity of m y'' + lambda y' + K y = 0.
struct Exact {
    double m, lambda, k, y0, v0;
    void at(double t, double& y, double& v) const
    {
        const double w0 = std::sqrt(k / m);
        const double zeta = lambda / (2.0 * std::sqrt(m * k));
        if (zeta < 1.0) {
            const double wd = w0 * std::sqrt(1.0 - zeta * zeta);
            const double a = y0;
            const double b = (v0 + zeta * w0 * y0) / wd;
            const double decay = std::exp(-zeta * w0 * t);
            y = decay * (a * std::cos(wd * t) + b * std::sin(wd * t));
            v = -zeta * w0 * y + decay * (-a * wd * std::sin(wd * t) + b * wd * std::cos(wd * t));
        } else if (zeta == 1.0) {
            const double c = v0 + w0 * y0;
            const double decay = std::exp(-w0 * t);
            y = decay * (y0 + c * t);
            v = decay * (c - w0 * (y0 + c * t));
        } else {
            const double s = w0 * std::sqrt(zeta * zeta - 1.0);
            const double r1 = -zeta * w0 + s;
            const double r2 = -zeta * w0 - s;
            const double a = (v0 - r2 * y0) / (r1 - r2);
            const double b = y0 - a;
            y = a * std::exp(r1 * t) + b * std::exp(r2 * t);
            v = a * r1 * std::exp(r1 * t) + b * r2 * std::exp(r2 * t);
        }
    }
};

double global_error(const Exact& exact, double h, int steps)
{
    double s[2] = {exact.y0, exact.v0};
    for (int i = 0; i < steps; ++i) {
        runge_kutta_gill(i * h, h, s, s, 2, Oscillator{exact.m, exact.lambda, exact.k});
    }
    double y = 0.0;
    double v = 0.0;
    exact.at(steps * h, y, v);
    return std::max(std::fabs(s[0] - y), std::fabs(s[1] - v));
}

TEST(RungeKuttaGill, IsFourthOrderForEveryDampingClass)
{
    // Steps large enough that the truncation error, not the rounding of the
    // stored constants, dominates.
    const Exact cases[] = {
        {1.0, 0.5, 4.0, 1.0, 0.5},  // underdamped
        {1.0, 4.0, 4.0, 1.0, 0.5},  // critically damped
        {1.0, 6.0, 4.0, 1.0, 0.5},  // overdamped
        {2.0, 0.0, 8.0, 0.0, 1.0},  // undamped
    };
    for (const Exact& exact : cases) {
        const double coarse = global_error(exact, 0.05, 20);
        const double fine = global_error(exact, 0.025, 40);
        SCOPED_TRACE("lambda = " + std::to_string(exact.lambda));
        EXPECT_NEAR(coarse / fine, 16.0, 2.0);
    }
}

// The process's current virtual size, so that a limit can be set just above
// it whatever the build (the address sanitizer reserves terabytes up front).
rlim_t current_address_space()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmSize:") {
            rlim_t kib = 0;
            status >> kib;
            return kib * 1024;
        }
    }
    return 0;
}

TEST(RungeKuttaGill, ExhaustedMemoryEndsTheProcessWithItsMessage)
{
    const test::ChildResult result = test::run_in_child([] {
        const rlim_t limit = current_address_space() + (rlim_t(256) << 20);
        const rlimit rl{limit, limit};
        setrlimit(RLIMIT_AS, &rl);
        double y[2] = {1.0, 0.0};
        // 100 million components are 800 MB per work array.
        runge_kutta_gill(0.0, 0.01, y, y, 100'000'000,
                         [](int, double, const double*) { return 0.0; });
        std::fputs("step returned\n", stdout);
    });
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_EQ(result.output, "memory overflow\n");
}

}  // namespace
}  // namespace vibsim
