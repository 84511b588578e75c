// The texts of texts.hpp filled in: what a person reads about a record, a
// response, an exercise code and an answer, in the language chosen.
#pragma once

#include "identify/decay.hpp"
#include "identify/exercise.hpp"
#include "identify/half_power.hpp"
#include "identify/record.hpp"
#include "identify/texts.hpp"

#include <string>
#include <string_view>

namespace vibsim::identify {

std::string record_error_text(const RecordError& error, platform::Language language);
std::string no_decay_text(NoDecay none, platform::Language language);
std::string no_peak_text(NoPeak none, const std::string& file, platform::Language language);
std::string code_problem_text(CodeProblem problem, platform::Language language);
std::string unreadable_answer_text(std::string_view line, platform::Language language);

// The answer judged: right or wrong as a whole, then omega0 and zeta each
// within or outside its tolerance with the relative error.
std::string verdict_text(const Exercise& exercise, const Answer& answer, const Verdict& verdict,
                         platform::Language language);

}  // namespace vibsim::identify
