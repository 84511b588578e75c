// An exercise's record, as the simulator would show it with a measurement
// noise, and the judging of an answer.
#pragma once

#include "identify/exercise_code.hpp"
#include "identify/record.hpp"

#include <optional>
#include <string_view>

namespace vibsim::identify {

inline constexpr double exercise_step = 0.01;      // s, the integrator's step and the sampling
inline constexpr int exercise_samples = 1201;       // 0 to 12 s

// The simulator's motion m y'' + lambda y' + K y = 0 from y0 at rest, by the
// library's Runge-Kutta-Gill step on the simulator's right-hand side, sampled
// at every step, plus sigma * normal_random() for each sample in time order
// after srand(seed). With sigma > 0 the conversion tables must be loaded
// (load_normal_tables); nothing when they are not. t is i * 0.01.
std::optional<Record> exercise_record(const Exercise& exercise);

// The exercise's own omega0 = sqrt(K / m) and zeta = lambda / (2 sqrt(m K)),
// as the simulator's dialog computes them.
double exercise_omega0(const Exercise& exercise);
double exercise_zeta(const Exercise& exercise);

struct Verdict {
    bool omega0_right = false;
    bool zeta_right = false;
    double omega0_error = 0.0;  // relative, signed: (answer - exact) / exact
    double zeta_error = 0.0;
    bool right() const { return omega0_right && zeta_right; }
};

// The answer judged against the tolerances. A bound met exactly is right.
Verdict judge_answer(const Exercise& exercise, double omega0, double zeta);

// omega0 and zeta from a typed line: two finite numbers separated by a comma,
// a semicolon or blanks ("2.99, 0.051"); nothing otherwise.
struct Answer {
    double omega0 = 0.0;
    double zeta = 0.0;
};
std::optional<Answer> parse_answer(std::string_view line);

}  // namespace vibsim::identify
