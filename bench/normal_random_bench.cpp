// normal_random against the standard library's normal numbers
// (std::normal_distribution<double> on std::mt19937), both drawing batches of
// draws_per_run numbers. Beside them, the parts of a draw: the C library's
// rand() alone, and uniform_to_normal alone over the inputs rand() would give.
// The conversion tables come from the source tree's data folder. Last, the
// draws again in a program that has run the LU and the steps before, and
// with the upper halves of the vector registers left in use before every
// batch (as AVX code that ends without VZEROUPPER leaves them): each should
// cost what the draws alone cost.
#include <vibsim/lu.hpp>
#include <vibsim/normal_random.hpp>
#include <vibsim/runge_kutta_gill.hpp>

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

// The LU (in the widest form of its row operation that the processor has)
// and the Runge-Kutta-Gill step, run as the library's other benchmarks run
// them, before the draws.
void run_lu_and_steps()
{
    for (const int n : {8, 64, 300}) {
        std::vector<double> a(static_cast<std::size_t>(n) * n);
        for (std::size_t i = 0; i < a.size(); ++i) a[i] = i % (n + 1) == 0 ? 4.0 : 1.0 / (1.0 + i % 7);
        benchmark::DoNotOptimize(vibsim::lu_invert(n, a.data(), n));
    }
    std::vector<double> y(20, 1.0), next(20);
    const auto chain = [](int i, double, const double* s) { return i % 2 == 0 ? s[i + 1] : -s[i - 1]; };
    for (int step = 0; step < 1000; ++step) {
        vibsim::runge_kutta_gill(0.0, 0.01, y.data(), next.data(), 20, chain);
        y.swap(next);
    }
    benchmark::DoNotOptimize(y.data());
}

void normal_random_draws_after_lu_and_steps(benchmark::State& state)
{
    run_lu_and_steps();
    std::srand(1);
    for (auto _ : state) {
        double sum = 0.0;
        for (int i = 0; i < draws_per_run; ++i) sum += vibsim::normal_random();
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(normal_random_draws_after_lu_and_steps);

#if defined(__x86_64__)
void normal_random_draws_upper_halves_in_use(benchmark::State& state)
{
    __builtin_cpu_init();
    if (!__builtin_cpu_supports("avx")) {
        state.SkipWithError("no AVX");
        return;
    }
    std::srand(1);
    for (auto _ : state) {
        asm volatile("vpcmpeqd %%ymm15, %%ymm15, %%ymm15" ::: "xmm15");
        double sum = 0.0;
        for (int i = 0; i < draws_per_run; ++i) sum += vibsim::normal_random();
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(normal_random_draws_upper_halves_in_use);
#endif

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
