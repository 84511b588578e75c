// normal_random against the standard library's normal numbers
// (std::normal_distribution<double> on std::mt19937), both drawing batches of
// draws_per_run numbers. Beside them, the parts of a draw: the C library's
// rand() alone, and uniform_to_normal alone over the inputs rand() would give.
// The conversion tables come from the source tree's data folder.
#include <vibsim/normal_random.hpp>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

constexpr int draws_per_run = 1000;

void normal_random_draws(benchmark::State& state)
{
    std::srand(1);
    for (auto _ : state) {
        double sum = 0.0;
        for (int i = 0; i < draws_per_run; ++i) sum += vibsim::normal_random();
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(normal_random_draws);

void std_normal_distribution_draws(benchmark::State& state)
{
    std::mt19937 engine(1);
    std::normal_distribution<double> normal;
    for (auto _ : state) {
        double sum = 0.0;
        for (int i = 0; i < draws_per_run; ++i) sum += normal(engine);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(std_normal_distribution_draws);

void rand_draws(benchmark::State& state)
{
    std::srand(1);
    for (auto _ : state) {
        int sum = 0;
        for (int i = 0; i < draws_per_run; ++i) sum += std::rand() >> 16;
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(rand_draws);

// The same inputs as normal_random converts, in rand()'s order, drawn before
// the timing.
void uniform_to_normal_conversions(benchmark::State& state)
{
    std::srand(1);
    std::vector<double> inputs(draws_per_run);
    for (double& u : inputs) u = static_cast<double>((std::rand() >> 16) - 16384) / 32768.0;
    for (auto _ : state) {
        double sum = 0.0;
        for (const double u : inputs) sum += vibsim::uniform_to_normal(u);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(uniform_to_normal_conversions);

}  // namespace

int main(int argc, char** argv)
{
    const bool loaded = vibsim::load_normal_tables(VIBSIM_DATA_DIR);
    std::fputc('\n', stdout);
    if (!loaded) return 1;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
