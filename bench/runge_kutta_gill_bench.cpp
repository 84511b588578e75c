// One step of the library's Runge-Kutta-Gill integrator, in its callable,
// its named (vib_rhs) and its fixed-storage form, against one step of
// Boost.Odeint's classical fourth-order runge_kutta4 (fixed step, do_step) on
// the same oscillator chains: n = 2 (one mass), 20, 100 and 200 (10, 50 and
// 100 coupled masses); the fixed form up to its 20 components. Each benchmark
// steps one state in place, step after step, as the simulator does, so that
// every step waits for the one before it. Benchmarks are named
// "<form>/n:<n>"; scripts/bench sets each form against odeint_rk4 at the same n.
#include "oscillator_chain.hpp"

#include <vibsim/runge_kutta_gill.hpp>
#include <vibsim/runge_kutta_gill_fixed.hpp>
#include <vibsim/vib_rhs.hpp>

#include <benchmark/benchmark.h>
#include <boost/numeric/odeint/stepper/runge_kutta4.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>

namespace vibsim::bench {

constexpr double step_length = 0.01;

template <std::size_t N>
using Rk4 = boost::numeric::odeint::runge_kutta4<std::array<double, N>>;

// The chain that vib_rhs evaluates; set by the benchmark that uses it.
OscillatorChain named_chain{1, 1.0, 1.0, 0.0};

// The state goes back to the start every this many steps (10 s of motion),
// long before the damping could bring it near the subnormal numbers, which
// would slow every step many times over.
constexpr int steps_per_run = 1000;

// Steps y in place with `step` once per benchmark iteration.
template <std::size_t N, class Step>
void time_steps(benchmark::State& state, Step step)
{
    auto y = start_state<N>();
    int left = steps_per_run;
    for (auto _ : state) {
        if (--left == 0) {
            y = start_state<N>();
            left = steps_per_run;
        }
        step(y);
        benchmark::DoNotOptimize(y.data());
        benchmark::ClobberMemory();
    }
}

template <std::size_t N>
void callable_step(benchmark::State& state)
{
    const OscillatorChain chain = chain_for<N>();
    time_steps<N>(state, [&chain](std::array<double, N>& y) {
        runge_kutta_gill(0.0, step_length, y.data(), y.data(), static_cast<int>(N), chain);
    });
}

template <std::size_t N>
void named_step(benchmark::State& state)
{
    named_chain = chain_for<N>();
    time_steps<N>(state, [](std::array<double, N>& y) {
        runge_kutta_gill(0.0, step_length, y.data(), y.data(), static_cast<int>(N));
    });
}

template <std::size_t N>
void fixed_step(benchmark::State& state)
{
    const OscillatorChain chain = chain_for<N>();
    time_steps<N>(state, [&chain](std::array<double, N>& y) {
        runge_kutta_gill_fixed(0.0, step_length, y.data(), y.data(), static_cast<int>(N), chain);
    });
}

template <std::size_t N>
void odeint_step(benchmark::State& state)
{
    const OdeintChain<N> system{chain_for<N>()};
    Rk4<N> stepper;
    time_steps<N>(state, [&system, &stepper](std::array<double, N>& y) {
        stepper.do_step(system, y, 0.0, step_length);
    });
}

// Before any timing: the steps integrate the same system. The named, callable
// and fixed forms agree to the bit; runge_kutta4 differs from them only by the
// rounding of the stored Gill constants, far below 1e-9.
template <std::size_t N>
bool steps_agree()
{
    const OscillatorChain chain = chain_for<N>();
    named_chain = chain;
    auto callable = start_state<N>();
    auto named = start_state<N>();
    auto fixed = start_state<N>();
    auto classical = start_state<N>();
    runge_kutta_gill(0.0, step_length, callable.data(), callable.data(), static_cast<int>(N), chain);
    runge_kutta_gill(0.0, step_length, named.data(), named.data(), static_cast<int>(N));
    if (N <= gill_fixed_capacity) {
        runge_kutta_gill_fixed(0.0, step_length, fixed.data(), fixed.data(), static_cast<int>(N), chain);
    } else {
        fixed = callable;
    }
    Rk4<N>{}.do_step(OdeintChain<N>{chain}, classical, 0.0, step_length);

    const auto start = start_state<N>();
    double largest_change = 0.0;
    for (std::size_t i = 0; i < N; ++i) {
        if (callable[i] != named[i] || callable[i] != fixed[i] ||
            !(std::fabs(callable[i] - classical[i]) < 1e-9)) {
            std::fprintf(stderr,
                         "n = %zu, component %zu: callable %.17g, named %.17g, fixed %.17g, odeint %.17g\n",
                         N, i, callable[i], named[i], fixed[i], classical[i]);
            return false;
        }
        largest_change = std::max(largest_change, std::fabs(callable[i] - start[i]));
    }
    // A step that leaves the state as it was would agree trivially.
    if (!(largest_change > 1e-6)) {
        std::fprintf(stderr, "n = %zu: the step did not move the state\n", N);
        return false;
    }
    return true;
}

template <std::size_t N>
void register_steps()
{
    const std::string n = "/n:" + std::to_string(N);
    benchmark::RegisterBenchmark(("runge_kutta_gill" + n).c_str(), callable_step<N>);
    benchmark::RegisterBenchmark(("runge_kutta_gill_named" + n).c_str(), named_step<N>);
    if (N <= gill_fixed_capacity) {
        benchmark::RegisterBenchmark(("runge_kutta_gill_fixed" + n).c_str(), fixed_step<N>);
    }
    benchmark::RegisterBenchmark(("odeint_rk4" + n).c_str(), odeint_step<N>);
}

}  // namespace vibsim::bench

double vibsim::vib_rhs(int index, double t, const double* y)
{
    return bench::named_chain(index, t, y);
}

int main(int argc, char** argv)
{
    using namespace vibsim::bench;
    if (!steps_agree<2>() || !steps_agree<20>() || !steps_agree<100>() || !steps_agree<200>()) return 1;

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    register_steps<2>();
    register_steps<20>();
    register_steps<100>();
    register_steps<200>();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
