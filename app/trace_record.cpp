#include "trace_record.hpp"

#include "model.hpp"

#include "kit/outputs.hpp"

#include <cstdio>
#include <span>
#include <vector>

namespace vibsim {

namespace {

struct TracePoint {
    double t, y, v;
};

std::vector<TracePoint> trace;
std::string trace_path;
kit::OutputFile trace_file;

void append_number(std::string& text, double value)
{
    char digits[32];
    std::snprintf(digits, sizeof digits, "%.17g", value);
    text += digits;
}

}  // namespace

bool open_trace_file(const std::string& path)
{
    const std::string* const paths[] = {&path};
    if (!kit::open_outputs(paths, std::span<kit::OutputFile>(&trace_file, 1))) return false;
    trace_path = path;
    return true;
}

void begin_trace()
{
    trace.clear();
    trace.push_back({sim_time, state[0], state[1]});
}

void record_frame() { trace.push_back({sim_time, state[0], state[1]}); }

std::string trace_csv()
{
    std::string text = "t,y,v\n";
    for (const TracePoint& p : trace) {
        append_number(text, p.t);
        text += ',';
        append_number(text, p.y);
        text += ',';
        append_number(text, p.v);
        text += '\n';
    }
    return text;
}

void write_trace()
{
    if (trace_path.empty()) return;
    kit::write_to_output(trace_path, trace_file, trace_csv());
}

}  // namespace vibsim
