// The cost of one simulator frame (four Gill steps, the mass on its string,
// three labels, the axes, the 122-line grid and two sweeping curves) against
// an empty frame (clear and swap) in the same window and the same run, under
// the X server and GL that DISPLAY leads to.
#include "frame.hpp"
#include "model.hpp"
#include "window.hpp"

#include "vibsim/frame.hpp"

#include <benchmark/benchmark.h>

#include <GL/freeglut.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int frames_per_run = 1000;

// The simulator's window, with m = 1, lambda = 0.5, K = 4, y0 = 1, v0 = 0 and
// the view a dialog leaves.
bool open_simulator_window()
{
    static const bool opened = [] {
        const char* display = std::getenv("DISPLAY");
        if (display == nullptr || *display == '\0') return false;
        int argc = 1;
        char name[] = "frame_bench";
        char* argv[] = {name, nullptr};
        vibsim::open_window(&argc, argv);
        vibsim::reshape(800, 800);
        vibsim::mass = 1.0;
        vibsim::damping = 0.5;
        vibsim::stiffness = 4.0;
        vibsim::chain_origin = {0.0, 0.0};
        vibsim::trace_origin = {-0.99, 0.0};
        vibsim::vertical_scales = {0.5, 0.5};
        vibsim::time_scale = 0.004;
        vibsim::state = {1.0, 0.0};
        vibsim::trace_index = 0;
        vibsim::trace_history[0] = 1.0;
        return true;
    }();
    return opened;
}

void empty_frame()
{
    vibsim::begin_frame();
    vibsim::end_frame();
}

// Seconds per frame over one run of frames_per_run frames.
template <class Frame>
double seconds_per_frame(Frame frame)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < frames_per_run; ++i) frame();
    glFinish();
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return elapsed.count() / frames_per_run;
}

// Each iteration is one run of 1000 drawn frames, timed against 1000 empty
// frames measured right before it, so that both see the same machine load.
void drawn_frame_against_empty(benchmark::State& state)
{
    if (!open_simulator_window()) {
        state.SkipWithError("no X display");
        return;
    }
    double drawn = 0.0;
    double empty = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        empty += seconds_per_frame(empty_frame);
        state.ResumeTiming();
        drawn += seconds_per_frame(vibsim::display);
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["drawn_us"] = drawn / runs * 1e6;
    state.counters["empty_us"] = empty / runs * 1e6;
    state.counters["drawn_per_empty"] = drawn / empty;
}
BENCHMARK(drawn_frame_against_empty)->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
