#include "forced/dialog.hpp"

#include "forced/options.hpp"
#include "forced/picture.hpp"
#include "forced/response.hpp"
#include "forced/texts.hpp"
#include "kit/console_input.hpp"

#include <vibsim/console.hpp>

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace vibsim::forced {

namespace {

std::vector<std::string> words_of(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

// A finite number that is the whole word.
bool read_value(const std::string& word, double& value)
{
    char* end = nullptr;
    const double x = std::strtod(word.c_str(), &end);
    if (end == word.c_str() || *end != '\0' || !std::isfinite(x)) return false;
    value = x;
    return true;
}

// The numbers of a line into `values` in order; "" or the word not read.
std::string read_values(const std::vector<std::string>& words, std::size_t from, double* values[], std::size_t count)
{
    if (words.size() > from + count) return words[from + count];
    for (std::size_t i = from; i < words.size(); ++i)
        if (!read_value(words[i], *values[i - from])) return words[i];
    return "";
}

// One line of the dialog: asks with `prompt` until `read` takes the line
// (returns ""), or until the input ends. `read` returns the word not read
// with its message.
template <typename Read>
void ask_line(const char* prompt, Read read)
{
    for (;;) {
        console_printf("%s", prompt);
        std::string line;
        const bool more = kit::read_line(line);
        const auto [message, what] = read(words_of(line));
        if (message == nullptr) return;
        console_printf(message, what.c_str());
        if (!more) return;
    }
}

using Fault = std::pair<const char*, std::string>;

Fault checked(const Model& candidate, Model& model)
{
    const std::string fault = model_fault(candidate);
    if (!fault.empty()) return {texts().refused, fault};
    model = candidate;
    return {nullptr, ""};
}

}  // namespace

void ask_model(Model& model)
{
    const Texts& t = texts();
    console_printf("%s", t.introduction);
    char prompt[512];
    std::snprintf(prompt, sizeof prompt, t.constants_prompt, model.mass, model.damping, model.stiffness);
    ask_line(prompt, [&](const std::vector<std::string>& words) -> Fault {
        Model candidate = model;
        double* values[] = {&candidate.mass, &candidate.damping, &candidate.stiffness};
        const std::string bad = read_values(words, 0, values, 3);
        if (!bad.empty()) return {t.unreadable, bad};
        return checked(candidate, model);
    });
    std::snprintf(prompt, sizeof prompt, t.drive_prompt, drive_name(model.drive), model.amplitude, model.omega);
    ask_line(prompt, [&](const std::vector<std::string>& words) -> Fault {
        if (words.empty()) return {nullptr, ""};
        Model candidate = model;
        const std::optional<Drive> drive = parse_drive(words[0]);
        if (!drive) return {t.unreadable, words[0]};
        if (*drive != candidate.drive) {
            candidate.drive = *drive;
            candidate.amplitude = default_amplitude(*drive);
            candidate.omega = default_frequency(*drive);
        }
        candidate.wave = Wave::cosine;
        std::vector<std::string> rest = words;
        if (rest.size() == 4) {
            const std::optional<Wave> wave = parse_wave(rest[3]);
            if (!wave) return {t.unreadable, rest[3]};
            candidate.wave = *wave;
            rest.pop_back();
        }
        double* values[] = {&candidate.amplitude, &candidate.omega};
        const std::string bad = read_values(rest, 1, values, 2);
        if (!bad.empty()) return {t.unreadable, bad};
        return checked(candidate, model);
    });
    ask_start(model);
}

void ask_start(Model& model)
{
    const Texts& t = texts();
    char prompt[256];
    std::snprintf(prompt, sizeof prompt, t.start_prompt, model.initial_displacement, model.initial_velocity);
    ask_line(prompt, [&](const std::vector<std::string>& words) -> Fault {
        Model candidate = model;
        double* values[] = {&candidate.initial_displacement, &candidate.initial_velocity};
        const std::string bad = read_values(words, 0, values, 2);
        if (!bad.empty()) return {t.unreadable, bad};
        return checked(candidate, model);
    });
}

void print_readouts(const Motion& motion)
{
    const Readouts r = readouts(motion.model);
    console_printf(texts().readouts, r.natural_frequency, r.damping_ratio, r.quality_factor, r.decay_time, r.ratio);
    const char* cause = step_cause(motion);
    if (cause == nullptr) return;
    const Texts& t = texts();
    const std::string_view c = cause;
    const char* said = c == "fast drive" ? t.fast_drive : c == "stiff" ? t.stiff : t.heavily_damped;
    console_printf(t.step_reduced, frame_step / motion.substeps, said);
}

void print_key_help() { console_printf("%s", texts().key_help); }

}  // namespace vibsim::forced
