#include "options.hpp"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <utility>

namespace vibsim::lab {

namespace {

bool starts_blank(const char* text) { return *text == '\0' || std::isspace(static_cast<unsigned char>(*text)); }

// A whole finite number and nothing else.
std::optional<double> to_number(const char* text)
{
    if (starts_blank(text)) return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(text, &end);
    if (*end != '\0' || errno == ERANGE || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<long long> to_integer(const char* text)
{
    if (starts_blank(text)) return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text, &end, 10);
    if (*end != '\0' || errno == ERANGE) return std::nullopt;
    return value;
}

// WIDTHxHEIGHT, each side digits alone from 1 to most_pixels.
std::optional<std::pair<int, int>> to_size(const char* text)
{
    const auto side = [](const char* from, char** end) -> std::optional<int> {
        if (!std::isdigit(static_cast<unsigned char>(*from))) return std::nullopt;
        errno = 0;
        const long value = std::strtol(from, end, 10);
        if (errno == ERANGE || value < 1 || value > most_pixels) return std::nullopt;
        return static_cast<int>(value);
    };
    char* end = nullptr;
    const std::optional<int> width = side(text, &end);
    if (!width || *end != 'x') return std::nullopt;
    const std::optional<int> height = side(end + 1, &end);
    if (!height || *end != '\0') return std::nullopt;
    return std::pair{*width, *height};
}

struct Constant {
    std::string_view option;
    double Oscillator::*field;
};

constexpr Constant constants[] = {
    {"--mass", &Oscillator::mass},
    {"--damping", &Oscillator::damping},
    {"--stiffness", &Oscillator::stiffness},
    {"--y0", &Oscillator::initial_displacement},
    {"--v0", &Oscillator::initial_velocity},
    {"--force", &Oscillator::force_deviation},
};

}  // namespace

std::optional<Options> parse_options(int argc, char** argv, std::string& error)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--help" || option == "-h") {
            options.help = true;
            continue;
        }
        if (option == "--version") {
            options.version = true;
            continue;
        }
        if (i + 1 >= argc) {
            error = "option " + std::string(option) + (option.starts_with("--") ? " needs a value" : " is unknown");
            return std::nullopt;
        }
        const char* value = argv[++i];
        const auto bad_value = [&](const char* wanted) {
            error = "option " + std::string(option) + ": '" + value + "' is not " + wanted;
            return std::nullopt;
        };
        bool known = false;
        for (const Constant& constant : constants) {
            if (option != constant.option) continue;
            known = true;
            const std::optional<double> number = to_number(value);
            if (!number) return bad_value("a number");
            options.oscillator.*constant.field = *number;
            options.constants_given = true;
        }
        if (known) continue;
        if (option == "--records") {
            const std::optional<long long> count = to_integer(value);
            if (!count || *count < 1 || *count > most_records) {
                return bad_value(("a whole number from 1 to " + std::to_string(most_records)).c_str());
            }
            options.records = static_cast<int>(*count);
            options.records_given = true;
        } else if (option == "--seed") {
            const std::optional<long long> seed = to_integer(value);
            if (!seed || *seed < 0 || *seed > UINT_MAX) return bad_value("a whole number from 0 to 4294967295");
            options.seed = static_cast<unsigned>(*seed);
        } else if (option == "--csv") {
            if (*value == '\0') return bad_value("a file name");
            options.csv_file = value;
        } else if (option == "--png") {
            if (*value == '\0') return bad_value("a file name");
            options.png_file = value;
        } else if (option == "--tables") {
            if (*value == '\0') return bad_value("a folder");
            options.tables_folder = value;
        } else if (option == "--lang") {
            const std::string_view language = value;
            if (language != "ja" && language != "en") return bad_value("ja or en");
            options.language = language == "en" ? Language::english : Language::japanese;
        } else if (option == "--size") {
            const std::optional<std::pair<int, int>> size = to_size(value);
            if (!size) {
                return bad_value(("a size WIDTHxHEIGHT, each from 1 to " + std::to_string(most_pixels)).c_str());
            }
            options.width = size->first;
            options.height = size->second;
        } else {
            error = "unknown option " + std::string(option);
            return std::nullopt;
        }
    }
    const Oscillator& o = options.oscillator;
    if (!(o.mass > 0.0)) {
        error = "the mass must be more than 0";
    } else if (!(o.stiffness > 0.0)) {
        error = "the spring constant must be more than 0";
    } else if (o.damping < 0.0) {
        error = "the damping must not be negative";
    } else if (o.force_deviation < 0.0) {
        error = "the force's standard deviation must not be negative";
    } else {
        return options;
    }
    return std::nullopt;
}

std::string usage_text(const char* program)
{
    return std::string("usage: ") + program +
           " [options]\n"
           "The oscillator m y'' + lambda y' + K y = f(t), f a white-noise force, recorded in\n"
           "records of 1024 steps of 0.01 s whose amplitude spectra are averaged.\n"
           "Without options the constants are asked for on the console and a window opens.\n"
           "  --mass M         m in kg (default 1, more than 0)\n"
           "  --damping L      lambda in N/(m/s) (default 0.2, not negative)\n"
           "  --stiffness K    K in N/m (default 4, more than 0)\n"
           "  --y0 Y --v0 V    initial displacement in m and velocity in m/s (default 0)\n"
           "  --force S        standard deviation of the force in N (default 1)\n"
           "  --records N      run N records (1 to 100000) before showing or writing anything\n"
           "  --csv FILE       no window: write the averaged spectrum of the records as CSV\n"
           "  --png FILE       no window: write the window's picture as PNG (no X display needed)\n"
           "  --size WxH       size of the window and the picture (default 1024x768, at most 16384x16384)\n"
           "  --seed S         srand(S) before the first random number\n"
           "  --tables DIR     folder of the conversion tables normal01.data ... normal45.data\n"
           "  --lang ja|en     the console dialog in Japanese (the default) or English\n"
           "  --help           this text\n"
           "  --version        the version\n"
           "With --csv or --png and no --records, 64 records are run.\n"
           "Keys in the window: s (or held) advances, r restarts the average, Esc quits.\n";
}

}  // namespace vibsim::lab
