#include "identify/messages.hpp"

#include "identify/csv_lines.hpp"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace vibsim::identify {

namespace {

// printf into a string of any length.
[[gnu::format(printf, 1, 2)]] std::string formatted(const char* format, ...)
{
    std::va_list arguments;
    va_start(arguments, format);
    std::va_list again;
    va_copy(again, arguments);
    const int size = std::vsnprintf(nullptr, 0, format, arguments);
    va_end(arguments);
    std::string text;
    if (size > 0) {
        std::vector<char> buffer(static_cast<std::size_t>(size) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, again);
        text.assign(buffer.data(), static_cast<std::size_t>(size));
    }
    va_end(again);
    return text;
}

}  // namespace

std::string record_error_text(const RecordError& e, platform::Language language)
{
    const Texts& t = texts(language);
    const char* file = e.file.c_str();
    const char* column = e.column.c_str();
    const char* detail = e.detail.c_str();
    switch (e.problem) {
    case RecordProblem::missing_file: return formatted(t.missing_file, file);
    case RecordProblem::unreadable_file: return formatted(t.unreadable_file, file);
    case RecordProblem::empty: return formatted(t.empty, file);
    case RecordProblem::header_only: return formatted(t.header_only, file);
    case RecordProblem::words: return formatted(t.words, file, e.line, column, detail);
    case RecordProblem::missing_value: return formatted(t.missing_value, file, e.line, column);
    case RecordProblem::not_finite: return formatted(t.not_finite, file, e.line, column, detail);
    case RecordProblem::too_few: return formatted(t.too_few, file, detail, least_samples);
    case RecordProblem::not_increasing: return formatted(t.not_increasing, file, e.line, column, detail);
    case RecordProblem::no_such_column: return formatted(t.no_such_column, file, column);
    case RecordProblem::no_header: return formatted(t.no_header, file, column);
    }
    return formatted(t.unreadable_file, file);
}

std::string no_decay_text(NoDecay none, platform::Language language)
{
    const Texts& t = texts(language);
    switch (none) {
    case NoDecay::no_oscillation: return t.no_oscillation;
    case NoDecay::growing: return t.growing;
    case NoDecay::irregular: return t.irregular;
    case NoDecay::fit_failed: return t.fit_failed;
    }
    return t.no_oscillation;
}

std::string no_peak_text(NoPeak none, const std::string& file, platform::Language language)
{
    const Texts& t = texts(language);
    return formatted(none == NoPeak::no_peak ? t.no_peak : t.band_not_covered, file.c_str());
}

std::string code_problem_text(CodeProblem problem, platform::Language language)
{
    const Texts& t = texts(language);
    switch (problem) {
    case CodeProblem::bad_characters: return t.bad_characters;
    case CodeProblem::bad_length: return t.bad_length;
    case CodeProblem::bad_check: return t.bad_check;
    case CodeProblem::unknown_version: return t.unknown_version;
    case CodeProblem::bad_case: return t.bad_case;
    }
    return t.bad_check;
}

std::string unreadable_answer_text(std::string_view line, platform::Language language)
{
    return formatted(texts(language).unreadable_answer, printable_excerpt(line, 80).c_str());
}

std::string verdict_text(const Exercise& exercise, const Answer& answer, const Verdict& verdict,
                         platform::Language language)
{
    const Texts& t = texts(language);
    const double w_percent = 100.0 * exercise.omega0_tolerance;
    const double z_percent = 100.0 * exercise.zeta_tolerance;
    std::string text = formatted(verdict.right() ? t.right_answer : t.wrong_answer, answer.omega0, answer.zeta,
                                 w_percent, z_percent);
    text += formatted(verdict.omega0_right ? t.omega0_within : t.omega0_outside, 100.0 * verdict.omega0_error);
    text += formatted(verdict.zeta_right ? t.zeta_within : t.zeta_outside, 100.0 * verdict.zeta_error);
    return text;
}

}  // namespace vibsim::identify
