// The Fourier series analysis and the Fourier transform of N = 1024
// intervals up to harmonic M = 512, against what they cannot do without: the
// M (N - 1) sines and cosines of their phases, summed and nothing else.
#include <vibsim/fourier.hpp>

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

constexpr int intervals = 1024;
constexpr int harmonics = 512;

// One period of a signal with a few harmonics, N + 1 samples.
std::vector<double> samples()
{
    std::vector<double> y(intervals + 1);
    for (int j = 0; j <= intervals; ++j) {
        const double t = 6.283185307179586 * j / intervals;
        y[j] = 0.5 + std::cos(t) + 0.25 * std::sin(3.0 * t) - 0.125 * std::cos(40.0 * t);
    }
    return y;
}

void fourier_series_analysis_run(benchmark::State& state)
{
    const std::vector<double> y = samples();
    std::vector<double> a(harmonics + 1), b(harmonics + 1);
    for (auto _ : state) {
        vibsim::fourier_series_analysis(y.data(), intervals, harmonics, a.data(), b.data());
        benchmark::DoNotOptimize(a.data());
        benchmark::DoNotOptimize(b.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(fourier_series_analysis_run)->Name("fourier_series_analysis/N:1024/M:512");

void fourier_transform_run(benchmark::State& state)
{
    const std::vector<double> y = samples();
    std::vector<double> a(harmonics + 1), b(harmonics + 1);
    for (auto _ : state) {
        vibsim::fourier_transform(y.data(), 0.01, intervals, harmonics, a.data(), b.data());
        benchmark::DoNotOptimize(a.data());
        benchmark::DoNotOptimize(b.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(fourier_transform_run)->Name("fourier_transform/N:1024/M:512");

// The sine and cosine of every phase the analysis visits, carried the same
// way, summed so that none can be left out.
void sines_and_cosines_run(benchmark::State& state)
{
    const double two_pi = vibsim::series_two_pi;
    for (auto _ : state) {
        double sum = 0.0;
        for (int k = 1; k <= harmonics; ++k) {
            const double step = static_cast<double>(k) * two_pi / intervals;
            double theta = 0.0;
            for (int j = 1; j < intervals; ++j) {
                theta += step;
                if (theta > two_pi) theta -= two_pi;
                sum += std::cos(theta);
                sum += std::sin(theta);
            }
        }
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(sines_and_cosines_run)->Name("sines_and_cosines/N:1024/M:512");

}  // namespace

BENCHMARK_MAIN();
