// The identification lab's goal: a record of 100 000 samples identified by
// both methods (the decay found, the logarithmic decrement, the least-
// squares fit) within 50 ms on the desktop. Measured in the same run as its
// parts: the record read from its CSV text, and the decay and decrement
// alone, the fit's starting point, so that the fit's own share shows. The
// record is a noisy decay (1 % noise, an offset, a rest before the release,
// jittered timestamps) of omega0 = 3 rad/s, zeta = 0.02. Before the
// benchmarks it prints the processor.
#include "identify/identification.hpp"
#include "identify/log_decrement.hpp"
#include "identify/record.hpp"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>

namespace vibsim::bench {
namespace {

constexpr std::size_t samples = 100000;

identify::Record noisy_record()
{
    std::mt19937_64 random(7);
    std::normal_distribution<double> noise(0.0, 0.01);
    std::uniform_real_distribution<double> jitter(-0.2, 0.2);
    identify::Record record;
    const double step = 0.002;  // 200 s: 95 periods
    const double release = 2.0;
    const double omega0 = 3.0;
    const double zeta = 0.02;
    const double omega_d = omega0 * std::sqrt(1.0 - zeta * zeta);
    for (std::size_t i = 0; i < samples; ++i) {
        const double t = (static_cast<double>(i) + jitter(random)) * step;
        const double tau = t - release;
        const double y = tau < 0.0 ? 1.0 : std::exp(-zeta * omega0 * tau) * std::cos(omega_d * tau);
        record.t.push_back(t);
        record.y.push_back(0.3 + y + noise(random));
    }
    return record;
}

const identify::Record& record()
{
    static const identify::Record r = noisy_record();
    return r;
}

void identify_both_methods(benchmark::State& state)
{
    for (auto _ : state) {
        identify::Identification found = identify::identify_record(record());
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(identify_both_methods)->Name("identify_record/samples:100000")->Unit(benchmark::kMillisecond);

void decrement_alone(benchmark::State& state)
{
    for (auto _ : state) {
        const identify::DecaySpan decay = identify::find_decay(record().t, record().y);
        identify::NoDecay none = identify::NoDecay::no_oscillation;
        benchmark::DoNotOptimize(identify::log_decrement(decay, none));
    }
}
BENCHMARK(decrement_alone)->Name("identify_decay_and_decrement/samples:100000")->Unit(benchmark::kMillisecond);

void read_text(benchmark::State& state)
{
    const std::string text = identify::record_csv(record());
    for (auto _ : state) {
        identify::RecordReading reading =
            identify::parse_record(text, "bench.csv", identify::ColumnChoice{1, {}}, identify::ColumnChoice{2, {}});
        benchmark::DoNotOptimize(reading);
    }
}
BENCHMARK(read_text)->Name("identify_parse_record/samples:100000")->Unit(benchmark::kMillisecond);

std::string processor()
{
    std::ifstream in("/proc/cpuinfo");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("model name", 0) == 0) return line.substr(line.find(':') + 2);
    return "unknown";
}

}  // namespace
}  // namespace vibsim::bench

int main(int argc, char** argv)
{
    using namespace vibsim::bench;
    // The record must be identified, or the time means nothing.
    const vibsim::identify::Identification found = vibsim::identify::identify_record(record());
    if (!found.fit || std::fabs(found.fit->omega0 - 3.0) > 3e-3 || std::fabs(found.fit->zeta - 0.02) > 1e-3) {
        std::fprintf(stderr, "identify_bench: the record is not identified as omega0 = 3, zeta = 0.02\n");
        return 1;
    }
    std::printf("processor: %s\ngoal: identify_record/samples:100000 within 50 ms\n", processor().c_str());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
