// An exercise carried by a code in a link: the oscillator, its release, the
// measurement noise and the tolerances of a right answer. The code keeps the
// case out of plain sight, not secret (whoever has the program reads it),
// and gives back every number to the last bit.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vibsim::identify {

struct Exercise {
    double mass = 1.0;        // m, kg
    double damping = 0.0;     // lambda, N/(m/s)
    double stiffness = 1.0;   // K, N/m
    double y0 = 1.0;          // the release, m
    double noise = 0.0;       // sigma of the measurement noise, m
    std::uint32_t seed = 1;   // srand's seed for the noise
    double omega0_tolerance = 0.03;  // relative
    double zeta_tolerance = 0.10;    // relative
};

// What is wrong with a code.
enum class CodeProblem {
    bad_characters,  // a character outside A-Z a-z 0-9 - _
    bad_length,      // too short or too long for an exercise
    bad_check,       // mistyped or cut: the check does not match
    unknown_version, // written by a later program
    bad_case,        // the numbers do not make an exercise (sound_exercise)
};

// Whether the numbers make an exercise: m > 0, K > 0, lambda > 0 with
// zeta = lambda / (2 sqrt(m K)) < 1 (a decaying oscillation), y0 != 0,
// sigma >= 0 and both tolerances > 0, all finite.
bool sound_exercise(const Exercise& exercise);

// The code of an exercise: URL-safe characters only.
std::string exercise_code(const Exercise& exercise);

// "identify.html?exercise=CODE", the page that sets the exercise.
std::string exercise_link(const std::string& code);

// The exercise of a code (blanks around it ignored), or what is wrong.
struct CodeReading {
    Exercise exercise;
    std::optional<CodeProblem> problem;
};
CodeReading read_exercise_code(std::string_view code);

}  // namespace vibsim::identify
