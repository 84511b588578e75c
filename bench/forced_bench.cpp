// The forced lab's stepped-sine shaker on its default sweep (50 frequencies
// from 0.2 omega0 to 3 omega0 at zeta = 0.05, the lab's default model)
// against the goal of 0.5 s, and against a peer measured in the same run:
// the same oscillator stepped by Runge-Kutta-Gill through the same number
// of periods of the force with no settling and no measuring, which is the
// least a shaker that runs every frequency that long must cost. Before the
// benchmarks it prints the processor.
#include "forced/model.hpp"
#include "forced/motion.hpp"
#include "forced/sweep.hpp"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <numbers>
#include <string>

namespace vibsim::bench {
namespace {

void default_sweep_run(benchmark::State& state)
{
    const forced::Model model;
    const forced::SweepRange range = forced::default_sweep(model);
    std::size_t points = 0;
    for (auto _ : state) {
        const forced::Sweep sweep = forced::run_sweep(model, range);
        points = sweep.points.size();
        benchmark::DoNotOptimize(sweep.y);
    }
    state.counters["points"] = static_cast<double>(points);
    state.counters["goal_s"] = 0.5;
}
BENCHMARK(default_sweep_run)->Name("forced_default_sweep/count:50")->Unit(benchmark::kMillisecond);

// 20 decay times of the transient at each frequency (the settling the
// shaker needs for 1e-6 is about 14), stepped 256 times a period.
void plain_stepping_run(benchmark::State& state)
{
    const forced::Model model;
    const forced::SweepRange range = forced::default_sweep(model);
    const double decay = 2.0 * model.mass / model.damping;
    for (auto _ : state) {
        double y = 0.0, v = 0.0;
        for (int i = 0; i < range.count; ++i) {
            forced::Model at = model;
            at.omega = range.low + (range.high - range.low) * i / (range.count - 1);
            const double h = 2.0 * std::numbers::pi / at.omega / forced::sweep_steps_per_period;
            const auto steps = static_cast<long long>(std::ceil(14.0 * decay / h));
            for (long long n = 0; n < steps; ++n) forced::gill_step(at, static_cast<double>(n) * h, h, y, v);
        }
        benchmark::DoNotOptimize(y);
    }
}
BENCHMARK(plain_stepping_run)->Name("forced_plain_stepping/count:50")->Unit(benchmark::kMillisecond);

void print_processor()
{
    std::ifstream info("/proc/cpuinfo");
    for (std::string line; std::getline(info, line);) {
        if (line.rfind("model name", 0) == 0) {
            std::printf("processor: %s\n", line.substr(line.find(':') + 2).c_str());
            return;
        }
    }
}

}  // namespace
}  // namespace vibsim::bench

int main(int argc, char** argv)
{
    vibsim::bench::print_processor();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
