// The one step both consumer programs take and check: the undamped unit
// oscillator y'' = -y from (1, 0) over h = 0.01, whose result shows the
// library's stored Gill constants in the velocity's tenth digit.
#pragma once

#include <charconv>
#include <cstdio>

namespace consumer {

inline constexpr double step_start[2] = {1.0, 0.0};
inline constexpr double step_length = 0.01;
inline constexpr double step_expected[2] = {0.9999500004166838, -0.009999833330001751};

inline double unit_oscillator(int i, const double* s) { return i == 0 ? s[1] : -s[0]; }

// Prints "<label> <y> <v>" in shortest round-trip form and tells whether the
// result is the expected one to the last bit.
inline bool report_step(const char* label, const double* out)
{
    char text[2][32];
    for (int i = 0; i < 2; ++i) {
        const auto end = std::to_chars(text[i], text[i] + sizeof text[i] - 1, out[i]).ptr;
        *end = '\0';
    }
    std::printf("%s %s %s\n", label, text[0], text[1]);
    return out[0] == step_expected[0] && out[1] == step_expected[1];
}

}  // namespace consumer
