#include "random/options.hpp"

#include "kit/option_parsing.hpp"
#include "kit/start_up.hpp"

#include <climits>
#include <string_view>

namespace vibsim::random {

namespace {

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

constexpr kit::OptionName known[] = {
    {"--help", false}, {"-h", false},       {"--version", false}, {"--mass", true},   {"--damping", true},
    {"--stiffness", true}, {"--y0", true},  {"--v0", true},       {"--force", true},  {"--records", true},
    {"--seed", true},  {"--csv", true},     {"--png", true},      {"--tables", true}, {"--lang", true},
    {"--size", true},
};

// One option's value into the options; false with the fault in `error`.
bool take(const kit::Argument& a, Options& options, std::string& error)
{
    for (const Constant& constant : constants) {
        if (a.name != constant.option) continue;
        options.constants_given = true;
        return kit::read_number(a, options.oscillator.*constant.field, error);
    }
    long long whole = 0;
    if (a.name == "--help" || a.name == "-h") {
        options.help = true;
    } else if (a.name == "--version") {
        options.version = true;
    } else if (a.name == "--records") {
        if (!kit::read_whole(a, 1, most_records, whole, error)) return false;
        options.records = static_cast<int>(whole);
        options.records_given = true;
    } else if (a.name == "--seed") {
        if (!kit::read_whole(a, 0, UINT_MAX, whole, error)) return false;
        options.seed = static_cast<unsigned>(whole);
    } else if (a.name == "--csv") {
        return kit::read_text(a, "a file name", options.csv_file, error);
    } else if (a.name == "--png") {
        return kit::read_text(a, "a file name", options.png_file, error);
    } else if (a.name == "--tables") {
        return kit::read_text(a, "a folder", options.tables_folder, error);
    } else if (a.name == "--lang") {
        return kit::read_language(a, options.language, error);
    } else if (a.name == "--size") {
        return kit::read_size(a, most_pixels, options.width, options.height, error);
    }
    return true;
}

}  // namespace

std::optional<Options> parse_options(int argc, char** argv, std::string& error)
{
    Options options;
    const auto take_one = [&options](const kit::Argument& argument, std::string& fault) {
        return take(argument, options, fault);
    };
    if (!kit::read_options(argc, argv, known, take_one, error)) return std::nullopt;
    const kit::NamedOutput outputs[] = {{"--csv", &options.csv_file}, {"--png", &options.png_file}};
    if (!kit::distinct_outputs(outputs, error)) return std::nullopt;
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
    return kit::usage_head(program) +
           "The oscillator m y'' + lambda y' + K y = f(t), f a white-noise force,\n"
           "recorded in records of 1024 steps of 0.01 s whose amplitude spectra are\n"
           "averaged.\n"
           "Without options the constants are asked for on the console and a window opens.\n"
           "  --mass M         m in kg (default 1, more than 0)\n"
           "  --damping L      lambda in N/(m/s) (default 0.2, not negative)\n"
           "  --stiffness K    K in N/m (default 4, more than 0)\n"
           "  --y0 Y --v0 V    initial displacement in m and velocity in m/s (default 0)\n"
           "  --force S        standard deviation of the force in N (default 1)\n"
           "  --records N      run N records (1 to 100000) before showing or writing\n"
           "                   anything\n"
           "  --csv FILE       no window: write the averaged spectrum of the records as CSV\n"
           "  --png FILE       no window: write the window's picture as PNG (no X display\n"
           "                   needed)\n"
           "  --seed S         srand(S) before the first random number\n"
           "  --tables DIR     folder of the conversion tables normal01.data ...\n"
           "                   normal45.data\n"
           "With --csv or --png and no --records, 64 records are run.\n" +
           kit::shared_usage(19) +
           "Keys in the window: s (or held) advances, r restarts the average, Esc quits.\n";
}

}  // namespace vibsim::random
