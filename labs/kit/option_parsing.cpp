#include "kit/option_parsing.hpp"

#include "kit/output_file.hpp"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace vibsim::kit {

namespace {

bool starts_blank(const char* text) { return *text == '\0' || std::isspace(static_cast<unsigned char>(*text)); }

bool refuse(const Argument& argument, const std::string& wanted, std::string& error)
{
    error = "option " + std::string(argument.name) + ": '" + argument.value + "' is " + wanted;
    return false;
}

enum class Number { good, malformed, out_of_range };

// A finite number from `text` up to `end`, where strtod stops.
Number to_number(const char* text, char** end, double& value)
{
    if (starts_blank(text)) return Number::malformed;
    errno = 0;
    value = std::strtod(text, end);
    if (*end == text) return Number::malformed;
    if (!std::isfinite(value)) return errno == ERANGE ? Number::out_of_range : Number::malformed;
    return errno == ERANGE ? Number::out_of_range : Number::good;
}

bool refuse_number(const Argument& argument, Number fault, std::string& error)
{
    return refuse(argument, fault == Number::out_of_range ? "out of range" : "not a number", error);
}

const OptionName* find(std::span<const OptionName> known, std::string_view name)
{
    for (const OptionName& option : known) {
        if (option.name == name) return &option;
    }
    return nullptr;
}

}  // namespace

bool read_options(int argc, char** argv, std::span<const OptionName> known,
                  const std::function<bool(const Argument&, std::string&)>& take, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        std::string_view word = argv[i];
        std::optional<std::string_view> attached;
        const std::size_t equals = word.find('=');
        if (word.starts_with("--") && equals != std::string_view::npos) {
            attached = word.substr(equals + 1);
            word = word.substr(0, equals);
        }
        const OptionName* option = find(known, word);
        if (option == nullptr) {
            error = "unknown option " + std::string(word);
            return false;
        }
        Argument argument{option->name, {}};
        if (!option->takes_value) {
            if (attached) {
                error = "option " + std::string(word) + " takes no value";
                return false;
            }
        } else if (attached) {
            argument.value = *attached;
        } else if (i + 1 < argc) {
            argument.value = argv[++i];
        } else {
            error = "option " + std::string(word) + " needs a value";
            return false;
        }
        if (!take(argument, error)) return false;
    }
    return true;
}

bool read_number(const Argument& argument, double& value, std::string& error)
{
    char* end = nullptr;
    double number = 0.0;
    Number read = to_number(argument.value.c_str(), &end, number);
    if (read == Number::good && *end != '\0') read = Number::malformed;
    if (read != Number::good) return refuse_number(argument, read, error);
    value = number;
    return true;
}

bool read_number_list(const Argument& argument, std::vector<double>& values, std::string& error)
{
    std::vector<double> read;
    const char* p = argument.value.c_str();
    for (;;) {
        char* end = nullptr;
        double number = 0.0;
        Number fault = to_number(p, &end, number);
        if (fault == Number::good && *end != ',' && *end != '\0') fault = Number::malformed;
        if (fault != Number::good) {
            if (fault == Number::out_of_range) return refuse_number(argument, fault, error);
            return refuse(argument, "not a number or a comma-separated list of numbers", error);
        }
        read.push_back(number);
        if (*end == '\0') break;
        p = end + 1;
    }
    values = std::move(read);
    return true;
}

bool read_whole(const Argument& argument, long long lowest, long long highest, long long& value,
                std::string& error)
{
    const char* text = argument.value.c_str();
    char* end = nullptr;
    errno = 0;
    const long long number = starts_blank(text) ? 0 : std::strtoll(text, &end, 10);
    if (starts_blank(text) || *end != '\0' || errno == ERANGE || number < lowest || number > highest) {
        return refuse(argument,
                      "not a whole number from " + std::to_string(lowest) + " to " + std::to_string(highest), error);
    }
    value = number;
    return true;
}

bool read_size(const Argument& argument, int most, int& width, int& height, std::string& error)
{
    const auto side = [most](const char* from, char** end) -> std::optional<int> {
        if (!std::isdigit(static_cast<unsigned char>(*from))) return std::nullopt;
        errno = 0;
        const long value = std::strtol(from, end, 10);
        if (errno == ERANGE || value < 1 || value > most) return std::nullopt;
        return static_cast<int>(value);
    };
    char* end = nullptr;
    const std::optional<int> across = side(argument.value.c_str(), &end);
    std::optional<int> up;
    if (across && *end == 'x') up = side(end + 1, &end);
    if (!up || *end != '\0') {
        return refuse(argument, "not a size WIDTHxHEIGHT, each from 1 to " + std::to_string(most), error);
    }
    width = *across;
    height = *up;
    return true;
}

bool read_language(const Argument& argument, platform::Language& language, std::string& error)
{
    const std::optional<platform::Language> named = platform::language_named(argument.value);
    if (!named) return refuse(argument, "not ja or en", error);
    language = *named;
    return true;
}

bool read_text(const Argument& argument, const char* what, std::string& value, std::string& error)
{
    if (argument.value.empty()) return refuse(argument, std::string("not ") + what, error);
    value = argument.value;
    return true;
}

bool distinct_outputs(std::span<const NamedOutput> outputs, std::string& error)
{
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        for (std::size_t j = i + 1; j < outputs.size(); ++j) {
            const std::string& a = *outputs[i].path;
            const std::string& b = *outputs[j].path;
            if (a.empty() || b.empty() || !same_output(a, b)) continue;
            error = "options " + std::string(outputs[i].option) + " and " + std::string(outputs[j].option) +
                    " name the same file " + b;
            return false;
        }
    }
    return true;
}

}  // namespace vibsim::kit
