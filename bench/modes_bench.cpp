// The modes lab's core on the largest chain it takes (21 masses, unequal
// masses and springs): all natural frequencies with their shapes, the
// frequencies alone, and one line of the response table, against a peer
// measured in the same run: the plain Sturm-count bisection (LAPACK dstebz's
// idea, one bracket per root from the Gershgorin bound to the last bit)
// that gives the same frequencies without the determinant or the shapes.
// Before the benchmarks it prints the processor and the form of the LU row
// operation that this processor runs; the goal for the frequencies with
// their shapes is 2 ms.
#include "frequencies.hpp"
#include "lu_kernel.hpp"
#include "response.hpp"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace vibsim::bench {
namespace {

modes::Chain largest_chain()
{
    std::vector<double> m, k;
    for (int i = 0; i < modes::most_masses; ++i) m.push_back(1.0 + 0.5 * (i % 3));
    for (int i = 0; i <= modes::most_masses; ++i) k.push_back(2.0 - 0.25 * (i % 4));
    modes::Chain chain;
    modes::make_chain(modes::most_masses, m, std::vector<double>{0.0}, k, chain);
    return chain;
}

// Each root alone, bisected by the count from [0, bound] to neighbouring
// doubles.
std::vector<double> sturm_bisection(const modes::Chain& chain)
{
    std::vector<double> omega;
    const double bound = modes::frequency_bound(chain) * 1.0000001;
    for (int j = 1; j <= chain.n; ++j) {
        double lo = 0.0, hi = bound;
        for (;;) {
            const double mid = lo + (hi - lo) * 0.5;
            if (mid == lo || mid == hi) break;
            (modes::sturm_count(chain, mid * mid) >= j ? hi : lo) = mid;
        }
        omega.push_back(hi);
    }
    return omega;
}

void chain_modes_run(benchmark::State& state)
{
    const modes::Chain chain = largest_chain();
    for (auto _ : state) benchmark::DoNotOptimize(modes::chain_modes(chain));
}
BENCHMARK(chain_modes_run)->Name("modes_chain_modes/n:21")->Unit(benchmark::kMicrosecond);

void natural_frequencies_run(benchmark::State& state)
{
    const modes::Chain chain = largest_chain();
    for (auto _ : state) benchmark::DoNotOptimize(modes::natural_frequencies(chain));
}
BENCHMARK(natural_frequencies_run)->Name("modes_natural_frequencies/n:21")->Unit(benchmark::kMicrosecond);

void sturm_bisection_run(benchmark::State& state)
{
    const modes::Chain chain = largest_chain();
    for (auto _ : state) benchmark::DoNotOptimize(sturm_bisection(chain));
}
BENCHMARK(sturm_bisection_run)->Name("modes_sturm_bisection/n:21")->Unit(benchmark::kMicrosecond);

void response_line_run(benchmark::State& state)
{
    modes::Chain chain = largest_chain();
    chain.damping.assign(chain.damping.size(), 0.1);
    const double omega = 0.7 * modes::frequency_bound(chain);
    std::vector<double> amplitudes(chain.damping.size());
    for (auto _ : state) {
        benchmark::DoNotOptimize(modes::steady_amplitudes(chain, 1, 1.0, omega, amplitudes));
        benchmark::ClobberMemory();
    }
}
BENCHMARK(response_line_run)->Name("modes_response_line/n:21")->Unit(benchmark::kMicrosecond);

// The determinant of K - omega^2 M at the lab's size, in each form of the LU
// row operation that this processor has: the frequencies call it some
// hundreds of times, so its cost in each form shows what a machine without
// the widest vectors would see.
void determinant_run(benchmark::State& state, lu_detail::SubtractRows* form)
{
    const modes::Chain chain = largest_chain();
    const int n = chain.n;
    const double omega_squared = 0.5 * modes::frequency_bound(chain) * modes::frequency_bound(chain);
    std::vector<double> a(static_cast<std::size_t>(n * n), 0.0);
    for (int i = 0; i < n; ++i) {
        a[static_cast<std::size_t>(i * n + i)] = chain.stiffness[static_cast<std::size_t>(i)] +
                                                 chain.stiffness[static_cast<std::size_t>(i + 1)] -
                                                 omega_squared * chain.mass[static_cast<std::size_t>(i)];
        if (i + 1 < n) {
            a[static_cast<std::size_t>(i * n + i + 1)] = -chain.stiffness[static_cast<std::size_t>(i + 1)];
            a[static_cast<std::size_t>((i + 1) * n + i)] = -chain.stiffness[static_cast<std::size_t>(i + 1)];
        }
    }
    for (auto _ : state) benchmark::DoNotOptimize(lu_detail::lu_determinant_using(form, n, a.data(), n));
}

std::string processor()
{
    std::ifstream in("/proc/cpuinfo");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("model name", 0) == 0) return line.substr(line.find(':') + 2);
    return "unknown";
}

// The widest form is the one chosen; the list starts with the baseline.
const char* lu_form()
{
    const std::vector<lu_detail::SubtractRows*> forms = lu_detail::subtract_rows_forms();
    static const char* const names[] = {"baseline (2 doubles)", "AVX2 (4 doubles)", "AVX-512 (8 doubles)"};
    for (std::size_t i = 0; i < forms.size() && i < 3; ++i)
        if (forms[i] == lu_detail::subtract_rows_chosen()) return names[i];
    return "unknown";
}

}  // namespace
}  // namespace vibsim::bench

int main(int argc, char** argv)
{
    using namespace vibsim::bench;
    // The peer must give the same frequencies, or the comparison means nothing.
    const vibsim::modes::Chain chain = largest_chain();
    const std::vector<double> ours = vibsim::modes::natural_frequencies(chain);
    const std::vector<double> peer = sturm_bisection(chain);
    for (std::size_t j = 0; j < ours.size(); ++j)
        if (std::fabs(ours[j] - peer[j]) > 1e-13 * peer[j]) {
            std::fprintf(stderr, "modes_bench: omega_%zu = %.17g, the count alone gives %.17g\n", j + 1, ours[j],
                         peer[j]);
            return 1;
        }
    benchmark::AddCustomContext("processor", processor());
    benchmark::AddCustomContext("lu_form", lu_form());
    const std::vector<vibsim::lu_detail::SubtractRows*> forms = vibsim::lu_detail::subtract_rows_forms();
    static const char* const form_names[] = {"baseline", "avx2", "avx512"};
    for (std::size_t i = 0; i < forms.size() && i < 3; ++i) {
        const std::string name = std::string("modes_determinant/form:") + form_names[i] + "/n:21";
        benchmark::RegisterBenchmark(name.c_str(), determinant_run, forms[i])->Unit(benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
