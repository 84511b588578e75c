#include "identify/exercise.hpp"

#include "identify/csv_lines.hpp"

#include <vibsim/normal_random.hpp>
#include <vibsim/runge_kutta_gill.hpp>

#include <array>
#include <cmath>
#include <cstdlib>

namespace vibsim::identify {

namespace {

bool tables_loaded()
{
    for (int band = 1; band <= 5; ++band) {
        if (normal_table(band).empty()) return false;
    }
    return true;
}

}  // namespace

std::optional<Record> exercise_record(const Exercise& exercise)
{
    if (exercise.noise > 0.0 && !tables_loaded()) return std::nullopt;
    const double m = exercise.mass;
    const double lambda = exercise.damping;
    const double k = exercise.stiffness;
    // The simulator's right-hand side, written as it is: y' = v,
    // v' = -(lambda v + K y) / m.
    auto rhs = [m, lambda, k](int index, double, const double* y) {
        return index == 0 ? y[1] : -(lambda * y[1] + k * y[0]) / m;
    };
    Record record;
    record.t.reserve(exercise_samples);
    record.y.reserve(exercise_samples);
    std::array<double, 2> state = {exercise.y0, 0.0};
    double time = 0.0;
    if (exercise.noise > 0.0) std::srand(exercise.seed);
    for (int i = 0; i < exercise_samples; ++i) {
        if (i > 0) {
            const std::array<double, 2> input = state;
            runge_kutta_gill(time, exercise_step, input.data(), state.data(), 2, rhs);
            time = time + exercise_step;
        }
        record.t.push_back(static_cast<double>(i) * exercise_step);
        const double noise = exercise.noise > 0.0 ? exercise.noise * normal_random() : 0.0;
        record.y.push_back(state[0] + noise);
    }
    return record;
}

double exercise_omega0(const Exercise& exercise) { return std::sqrt(exercise.stiffness / exercise.mass); }

double exercise_zeta(const Exercise& exercise)
{
    return exercise.damping / (2.0 * std::sqrt(exercise.mass * exercise.stiffness));
}

Verdict judge_answer(const Exercise& exercise, double omega0, double zeta)
{
    Verdict verdict;
    const double w = exercise_omega0(exercise);
    const double z = exercise_zeta(exercise);
    verdict.omega0_error = (omega0 - w) / w;
    verdict.zeta_error = (zeta - z) / z;
    verdict.omega0_right = std::fabs(verdict.omega0_error) <= exercise.omega0_tolerance;
    verdict.zeta_right = std::fabs(verdict.zeta_error) <= exercise.zeta_tolerance;
    return verdict;
}

std::optional<Answer> parse_answer(std::string_view line)
{
    Separator separator = separator_of(line);
    std::vector<std::string> fields = split_fields(line, separator);
    // "2.99, 0.051" and "2.99 0.051" alike; a blank after the comma is no field.
    if (fields.size() != 2) return std::nullopt;
    const std::optional<double> omega0 = field_number(fields[0], false);
    const std::optional<double> zeta = field_number(fields[1], false);
    if (!omega0 || !zeta || !std::isfinite(*omega0) || !std::isfinite(*zeta)) return std::nullopt;
    return Answer{*omega0, *zeta};
}

}  // namespace vibsim::identify
