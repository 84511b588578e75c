#include "identify/dialog.hpp"

#include "identify/console_texts.hpp"
#include "identify/csv_lines.hpp"
#include "identify/messages.hpp"
#include "kit/console_input.hpp"

#include <vibsim/console.hpp>

#include <cmath>
#include <cstdlib>

namespace vibsim::identify {

namespace {

std::string trimmed(const std::string& line)
{
    const std::size_t from = line.find_first_not_of(" \t\r");
    if (from == std::string::npos) return "";
    const std::size_t to = line.find_last_not_of(" \t\r");
    return line.substr(from, to - from + 1);
}

}  // namespace

bool ask_record(Session& session, const ColumnChoice& time, const ColumnChoice& value)
{
    const ConsoleTexts& t = console_texts();
    console_printf("%s", t.introduction);
    std::string line;
    for (;;) {
        console_printf("%s", t.file_prompt);
        if (!kit::read_line(line)) return false;
        const std::string file = trimmed(line);
        if (file.empty()) continue;
        RecordReading reading = read_record(file, time, value);
        if (!reading.error) {
            open_record(session, file, std::move(reading.record));
            break;
        }
        console_printf("\n%s", record_error_text(*reading.error, platform::chosen_language()).c_str());
    }
    for (;;) {
        console_printf("%s", t.mass_prompt);
        if (!kit::read_line(line)) return true;
        const std::string text = trimmed(line);
        if (text.empty()) return true;
        char* end = nullptr;
        const double mass = std::strtod(text.c_str(), &end);
        if (*end == '\0' && std::isfinite(mass) && mass > 0.0) {
            session.mass = mass;
            return true;
        }
        console_printf(t.not_a_mass, printable_excerpt(text, 80).c_str());
    }
}

bool answer_exercise(Session& session, const std::string& text)
{
    const platform::Language language = platform::chosen_language();
    const std::optional<Answer> answer = parse_answer(text);
    if (!answer) {
        console_printf("%s\n", unreadable_answer_text(text, language).c_str());
        return false;
    }
    const Verdict verdict = judge_answer(session.exercise, answer->omega0, answer->zeta);
    console_printf("%s\n", verdict_text(session.exercise, *answer, verdict, language).c_str());
    if (verdict.right()) session.worked_shown = true;
    return verdict.right();
}

void ask_answer(Session& session)
{
    std::string line;
    for (;;) {
        console_printf("%s", console_texts().answer_prompt);
        if (!kit::read_line(line)) return;
        const std::string text = trimmed(line);
        if (text.empty()) return;
        if (answer_exercise(session, text)) {
            print_found(session);
            return;
        }
    }
}

void print_key_help(const Session& session)
{
    const ConsoleTexts& t = console_texts();
    console_printf("%s", t.key_help);
    if (session.is_exercise) console_printf("%s", t.exercise_keys);
}

}  // namespace vibsim::identify
