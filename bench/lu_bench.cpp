// lu_invert and lu_determinant against LAPACK's dgetrf + dgetri (inverse) and
// dgetrf alone (determinant, from the diagonal and the pivots), in reference
// LAPACK on reference BLAS and in OpenBLAS with one thread, on the same random
// matrices of order 100, 500, 1000 and 2000 (reference LAPACK up to 1000).
// The iterations of lu_invert and of LAPACK first copy the matrix into the
// array that they overwrite, as lu_determinant copies it into its own work
// storage. Unless the command line says otherwise, the benchmarks run
// interleaved in random order, five times each, and the table at the end
// gives each kernel's median thread CPU time as a ratio to its peer's, and
// each one's rate in GFLOP/s against the peak of the clock measured here.
#include "lapack_peers.hpp"

#include <vibsim/lu.hpp>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include <time.h>

namespace vibsim::bench {
namespace {

constexpr int sizes[] = {100, 500, 1000, 2000};
// Reference LAPACK takes seconds at the largest order and has no goal there.
constexpr int largest_reference_size = 1000;

// Entries uniform in [-1, 1): far from singular at these orders.
std::vector<double> random_matrix(int n)
{
    std::mt19937_64 engine(20261207 + n);
    std::uniform_real_distribution<double> entry(-1.0, 1.0);
    std::vector<double> a(static_cast<std::size_t>(n) * n);
    for (double& x : a) x = entry(engine);
    return a;
}

std::string name(const std::string& routine, int n)
{
    return routine + "/n:" + std::to_string(n);
}

// Nominal floating-point operations, the same for the library and LAPACK:
// 2n^3/3 for the factorisation, 4n^3/3 more for the inverse.
double operations(bool inverse, int n)
{
    const double cube = static_cast<double>(n) * n * n;
    return inverse ? 2.0 * cube : 2.0 * cube / 3.0;
}

void count_rate(benchmark::State& state, bool inverse, int n)
{
    state.counters["GFLOP/s"] = benchmark::Counter(operations(inverse, n) * 1e-9,
                                                   benchmark::Counter::kIsIterationInvariantRate);
}

// The processor's clock: a chain of dependent integer additions, one a cycle,
// eight to a loop pass so that the loop's own instructions run beside them,
// timed in thread CPU time; the fastest of a few runs, as other processes may
// share the core.
double measured_ghz()
{
    double best = 0.0;
    for (int run = 0; run < 5; ++run) {
        constexpr long passes = 50000000;
        timespec start{}, end{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
        long x = 0;
        for (long i = 0; i < passes; ++i)
            asm volatile("add $1, %0\n\tadd $1, %0\n\tadd $1, %0\n\tadd $1, %0\n\t"
                         "add $1, %0\n\tadd $1, %0\n\tadd $1, %0\n\tadd $1, %0"
                         : "+r"(x));
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &end);
        const double seconds = static_cast<double>(end.tv_sec - start.tv_sec) +
                               1e-9 * static_cast<double>(end.tv_nsec - start.tv_nsec);
        best = std::max(best, 8.0 * passes / seconds * 1e-9);
    }
    return best;
}

// LAPACK sees the row-major matrix as its transpose, which has the same
// determinant and the transposed inverse.
int peer_inverse(const LapackPeer& peer, int n, double* a, std::vector<int>& pivots,
                    std::vector<double>& work)
{
    int info = 0;
    const int lwork = static_cast<int>(work.size());
    peer.getrf(&n, &n, a, &n, pivots.data(), &info);
    peer.getri(&n, a, &n, pivots.data(), work.data(), &lwork, &info);
    return info;
}

double peer_determinant(const LapackPeer& peer, int n, double* a, std::vector<int>& pivots)
{
    int info = 0;
    peer.getrf(&n, &n, a, &n, pivots.data(), &info);
    double d = 1.0;
    for (int i = 0; i < n; ++i) {
        d = d * a[static_cast<std::size_t>(i) * n + i];
        if (pivots[i] != i + 1) d = -d;
    }
    return d;
}

// Before any timing: each peer's inverse and determinant agree with the
// library's on the smallest matrix.
bool peer_agrees(const LapackPeer& peer)
{
    const int n = sizes[0];
    const std::vector<double> a = random_matrix(n);
    std::vector<double> ours = a, theirs = a, work(64 * n);
    std::vector<int> pivots(n);
    const double d = lu_invert(n, ours.data(), n);
    peer_inverse(peer, n, theirs.data(), pivots, work);
    std::vector<double> factors = a;
    const double peer_d = peer_determinant(peer, n, factors.data(), pivots);
    bool agree = std::fabs(d - peer_d) <= 1e-9 * std::fabs(d);
    for (std::size_t i = 0; i < a.size(); ++i) agree = agree && std::fabs(ours[i] - theirs[i]) <= 1e-9;
    if (!agree) std::fprintf(stderr, "%s disagrees with the library at n = %d\n", peer.name.c_str(), n);
    return agree;
}

void register_sizes(const LapackPeer* peer)
{
    for (const int n : sizes) {
        if (peer != nullptr && peer->name == "lapack" && n > largest_reference_size) continue;
        const auto a = std::make_shared<const std::vector<double>>(random_matrix(n));
        const auto scratch = std::make_shared<std::vector<double>>(a->size());
        if (peer == nullptr) {
            benchmark::RegisterBenchmark(name("lu_invert", n).c_str(), [=](benchmark::State& state) {
                for (auto _ : state) {
                    std::copy(a->begin(), a->end(), scratch->begin());
                    benchmark::DoNotOptimize(lu_invert(n, scratch->data(), n));
                    benchmark::ClobberMemory();
                }
                count_rate(state, true, n);
            })->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(name("lu_determinant", n).c_str(), [=](benchmark::State& state) {
                for (auto _ : state) benchmark::DoNotOptimize(lu_determinant(n, a->data(), n));
                count_rate(state, false, n);
            })->Unit(benchmark::kMillisecond);
            continue;
        }
        const LapackPeer p = *peer;
        benchmark::RegisterBenchmark(name(p.name + "_inverse", n).c_str(), [=](benchmark::State& state) {
            std::vector<int> pivots(n);
            std::vector<double> work(64 * n);
            for (auto _ : state) {
                std::copy(a->begin(), a->end(), scratch->begin());
                benchmark::DoNotOptimize(peer_inverse(p, n, scratch->data(), pivots, work));
                benchmark::ClobberMemory();
            }
            count_rate(state, true, n);
        })->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(name(p.name + "_determinant", n).c_str(), [=](benchmark::State& state) {
            std::vector<int> pivots(n);
            for (auto _ : state) {
                std::copy(a->begin(), a->end(), scratch->begin());
                benchmark::DoNotOptimize(peer_determinant(p, n, scratch->data(), pivots));
            }
            count_rate(state, false, n);
        })->Unit(benchmark::kMillisecond);
    }
}

// Google Benchmark's console report, then each kernel's median CPU time as a
// ratio to each peer's at the same order, beside the goal where there is one.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    explicit RatioReporter(double ghz) : ghz_(ghz) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (run.error_occurred || (run.run_type == Run::RT_Aggregate && !median)) continue;
            const std::string key = run.run_name.function_name;
            if (from_median_[key] && !median) continue;
            cpu_[key] = run.GetAdjustedCPUTime();  // all in milliseconds
            from_median_[key] = median;
        }
    }

    void Finalize() override
    {
        std::ostream& out = GetOutputStream();
        // Two multiplies and two additions of four doubles a cycle.
        const double peak = 16.0 * ghz_;
        char line[200];
        std::snprintf(line, sizeof line,
                      "\nClock %.2f GHz: peak %.1f GFLOP/s (2 multiplies + 2 adds of 4 doubles a cycle)\n", ghz_,
                      peak);
        out << line << "Median CPU time of each kernel as a ratio to its peer's, and GFLOP/s (share of peak):\n";
        for (const char* kernel : {"invert", "determinant"}) {
            const std::string peer_kind = std::strcmp(kernel, "invert") == 0 ? "_inverse" : "_determinant";
            for (const int n : sizes) {
                for (const char* peer : {"lapack", "openblas"}) {
                    const auto ours = cpu_.find(name(std::string("lu_") + kernel, n));
                    const auto theirs = cpu_.find(name(peer + peer_kind, n));
                    if (ours == cpu_.end() || theirs == cpu_.end()) continue;
                    const bool reference = std::strcmp(peer, "lapack") == 0;
                    const bool goal = n >= 500 && n <= 1000;
                    const double work = operations(peer_kind == "_inverse", n) * 1e-6;  // per millisecond
                    std::snprintf(line, sizeof line,
                                  "  %-22s %-26s %8.3f ms %8.3f ms %7.3f x  goal %-3s %5.1f (%2.0f%%) %5.1f (%2.0f%%)\n",
                                  ours->first.c_str(), theirs->first.c_str(), ours->second, theirs->second,
                                  ours->second / theirs->second, !goal ? "-" : reference ? "0.5" : "1.0",
                                  work / ours->second, 100.0 * work / ours->second / peak, work / theirs->second,
                                  100.0 * work / theirs->second / peak);
                    out << line;
                }
            }
        }
        out.flush();
    }

private:
    double ghz_;
    std::map<std::string, double> cpu_;
    std::map<std::string, bool> from_median_;
};

}  // namespace
}  // namespace vibsim::bench

int main(int argc, char** argv)
{
    using namespace vibsim::bench;

    // Defaults first, so that the same options given on the command line win.
    std::vector<char*> args{argv[0]};
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    char repetitions[] = "--benchmark_repetitions=5";
    char aggregates[] = "--benchmark_report_aggregates_only=true";
    args.insert(args.end(), {interleave, repetitions, aggregates});
    bool console = true;
    for (int i = 1; i < argc; ++i) {
        args.push_back(argv[i]);
        if (std::strncmp(argv[i], "--benchmark_format=", 19) == 0 && std::strcmp(argv[i] + 19, "console") != 0)
            console = false;
    }
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;

    register_sizes(nullptr);
    for (const LapackPeer& peer : {load_reference_lapack(), load_openblas()}) {
        if (!peer) continue;
        if (!peer_agrees(peer)) return 1;
        register_sizes(&peer);
    }

    if (console) {
        RatioReporter reporter(measured_ghz());
        benchmark::RunSpecifiedBenchmarks(&reporter);
    } else {
        benchmark::RunSpecifiedBenchmarks();
    }
    benchmark::Shutdown();
    return 0;
}
