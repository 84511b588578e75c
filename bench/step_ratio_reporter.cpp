#include "step_ratio_reporter.hpp"

#include <cstdio>
#include <ostream>
#include <set>

namespace vibsim::bench {

namespace {

// Splits "<form>/n:<n>" back into its parts; false for any other name.
bool parse_name(const std::string& name, std::string& form, int& n)
{
    const auto slash = name.rfind("/n:");
    if (slash == std::string::npos) return false;
    form = name.substr(0, slash);
    n = std::stoi(name.substr(slash + 3));
    return true;
}

double to_ns(double time, benchmark::TimeUnit unit)
{
    switch (unit) {
    case benchmark::kNanosecond: return time;
    case benchmark::kMicrosecond: return time * 1e3;
    case benchmark::kMillisecond: return time * 1e6;
    case benchmark::kSecond: return time * 1e9;
    }
    return time;
}

}  // namespace

std::string step_benchmark_name(const std::string& form, int n)
{
    return form + "/n:" + std::to_string(n);
}

void StepRatioReporter::ReportRuns(const std::vector<Run>& runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.error_occurred) continue;
        std::string form;
        int n = 0;
        if (!parse_name(run.run_name.function_name, form, n)) continue;
        const auto key = std::make_pair(form, n);
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        if (run.run_type == Run::RT_Aggregate && !median) continue;
        if (from_median_[key] && !median) continue;
        step_ns_[key] = to_ns(run.GetAdjustedRealTime(), run.time_unit);
        from_median_[key] = median;
    }
}

void StepRatioReporter::Finalize()
{
    std::set<int> sizes;
    for (const auto& [key, ns] : step_ns_) sizes.insert(key.second);

    std::ostream& out = GetOutputStream();
    out << "\nStep time per form, and its ratio to " << odeint_form
        << " on the same system (real time):\n";
    char line[160];
    for (int n : sizes) {
        const auto odeint = step_ns_.find({odeint_form, n});
        for (const auto& [key, ns] : step_ns_) {
            if (key.second != n) continue;
            if (key.first == odeint_form || odeint == step_ns_.end()) {
                std::snprintf(line, sizeof line, "  n = %-3d %-24s %9.1f ns/step\n", n,
                              key.first.c_str(), ns);
            } else {
                std::snprintf(line, sizeof line, "  n = %-3d %-24s %9.1f ns/step  %5.2f x %s\n", n,
                              key.first.c_str(), ns, ns / odeint->second, odeint_form.c_str());
            }
            out << line;
        }
    }
    out.flush();
}

}  // namespace vibsim::bench
