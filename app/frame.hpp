// The frame driver: every redisplay advances the oscillator by one frame and
// draws it, with the sweeping histories of y(t) and v(t).
#pragma once

#include <array>

namespace vibsim {

inline constexpr double time_step = 0.01;   // integration step h, s
inline constexpr int steps_per_frame = 4;   // so one frame is 0.04 s
inline constexpr int trace_capacity = 1001; // entries in each row of the history

// Row 0 (displacements) and row 1 (velocities) one after the other: entry i
// of row r is trace_history[r * trace_capacity + i].
extern std::array<double, 2 * trace_capacity> trace_history;
// The newest entry; always within 0 .. trace_capacity - 1.
extern int trace_index;

// One frame: four integration steps, then the picture. The display callback.
void display();

}  // namespace vibsim
