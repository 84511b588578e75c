// The console report of Google Benchmark followed by a table of step-time
// ratios: each Runge-Kutta-Gill form against Boost.Odeint's runge_kutta4 on
// the same system.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace vibsim::bench {

// The benchmark name of one form of step on a system of n components.
std::string step_benchmark_name(const std::string& form, int n);

inline const std::string odeint_form = "odeint_rk4";

class StepRatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    // Nanoseconds per step, by (form, n): the median of the repetitions when
    // there are several, else the one run.
    std::map<std::pair<std::string, int>, double> step_ns_;
    std::map<std::pair<std::string, int>, bool> from_median_;
};

}  // namespace vibsim::bench
