// The frame driver. Each call of display is one frame of 0.04 s: the state is
// advanced by four Runge-Kutta-Gill steps, then the mass on its string, the
// labels, the axes and the grid are drawn, the new state is appended to the
// trace history and both histories are drawn as curves.
#include "frame.hpp"

#include "model.hpp"
#include "vibsim/draw.hpp"
#include "vibsim/frame.hpp"
#include "vibsim/plot.hpp"
#include "trace_record.hpp"
#include "vibsim/runge_kutta_gill.hpp"

#include <GL/freeglut.h>

namespace vibsim {

std::array<double, 2 * trace_capacity> trace_history = {};
int trace_index = 0;

namespace {

void advance_state()
{
    for (int frame_step = 0; frame_step < steps_per_frame; ++frame_step) {
        const std::array<double, 2> step_input = state;
        runge_kutta_gill(sim_time, time_step, step_input.data(), state.data(), 2);
        sim_time = sim_time + time_step;
    }
    record_frame();
}

void draw_labels()
{
    void* const font = GLUT_BITMAP_HELVETICA_18;
    draw_text(-0.9f, 0.9f, font, "red    :vibration displacement y(t)");
    draw_text(-0.9f, 0.85f, font, "green:vibration velocity      v(t)");
    draw_text(-0.9f, 0.8f, font, "1grid=(1s, 0.2m)");
}

// Cells of 1 s by 0.2 m, 30 on each side of a centre placed so that the
// grid's right edge lies on the left end of the string.
void draw_time_grid()
{
    const double frame_seconds = steps_per_frame * time_step;
    const double dx = time_scale / frame_seconds;
    const double dy = 0.2 * vertical_scales[0];
    const Point2 grid_origin = {chain_origin.x - (30 * time_scale) / frame_seconds, chain_origin.y};
    draw_grid(grid_origin, 0.0, 30, dx, dy);
}

// The history is a sweep: one entry per frame to the right of the last, back
// to entry 0 once the sweep is as wide as the axis (1 / time_scale entries)
// or the history is full.
void append_to_trace()
{
    ++trace_index;
    if (trace_index > 1.0 / time_scale || trace_index >= trace_capacity) trace_index = 0;
    trace_history[trace_index] = state[0];
    trace_history[trace_capacity + trace_index] = state[1];
}

}  // namespace

void display()
{
    begin_frame();
    advance_state();
    draw_mass_chain(chain_origin, vertical_scales[0], 1, state.data());
    draw_labels();
    draw_origin_cross(trace_origin, 0.0);
    draw_time_grid();
    append_to_trace();
    plot_series_set(trace_origin, time_scale, vertical_scales.data(), 2, trace_index,
                    trace_history.data(), trace_capacity);
    end_frame();
}

}  // namespace vibsim
