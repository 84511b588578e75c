#include "forced/options.hpp"

#include "forced/motion.hpp"
#include "kit/option_parsing.hpp"
#include "kit/start_up.hpp"

#include <cmath>
#include <cstdio>
#include <string_view>
#include <vector>

namespace vibsim::forced {

namespace {

using kit::Argument;
using kit::OptionName;

constexpr OptionName known[] = {
    {"--help", false},       {"-h", false},          {"--version", false},     {"--mass", true},
    {"--damping", true},     {"--stiffness", true},  {"--drive", true},        {"--amplitude", true},
    {"--frequency", true},   {"--wave", true},       {"--y0", true},           {"--v0", true},
    {"--duration", true},    {"--sweep", true},      {"--frf-csv", true},      {"--time-csv", true},
    {"--sweep-csv", true},   {"--fourier-csv", true}, {"--png", true},         {"--size", true},
    {"--lang", true},
};

// What the command line says before the model is made of it.
struct Given {
    bool amplitude = false;
    bool frequency = false;
    bool sweep = false;
};

std::string number_text(double x)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", x);
    return text;
}

bool take(const Argument& a, Given& g, Options& o, std::string& error)
{
    Model& m = o.model;
    if (a.name == "--help" || a.name == "-h") {
        o.help = true;
    } else if (a.name == "--version") {
        o.version = true;
    } else if (a.name == "--mass" || a.name == "--damping" || a.name == "--stiffness" || a.name == "--y0" ||
               a.name == "--v0" || a.name == "--amplitude" || a.name == "--frequency") {
        o.model_given = true;
        double& value = a.name == "--mass"        ? m.mass
                        : a.name == "--damping"   ? m.damping
                        : a.name == "--stiffness" ? m.stiffness
                        : a.name == "--y0"        ? m.initial_displacement
                        : a.name == "--v0"        ? m.initial_velocity
                        : a.name == "--amplitude" ? m.amplitude
                                                  : m.omega;
        if (a.name == "--amplitude") g.amplitude = true;
        if (a.name == "--frequency") g.frequency = true;
        return kit::read_number(a, value, error);
    } else if (a.name == "--drive") {
        o.model_given = true;
        const std::optional<Drive> drive = parse_drive(a.value);
        if (!drive) {
            error = "option --drive: '" + a.value + "' is not force, base or unbalance";
            return false;
        }
        m.drive = *drive;
    } else if (a.name == "--wave") {
        o.model_given = true;
        const std::optional<Wave> wave = parse_wave(a.value);
        if (!wave) {
            error = "option --wave: '" + a.value + "' is not cosine, square, triangle or sawtooth";
            return false;
        }
        m.wave = *wave;
    } else if (a.name == "--duration") {
        if (!kit::read_number(a, o.duration, error)) return false;
        if (time_csv_lines(o.duration) == 0) {
            error = "option --duration: '" + a.value + "' is not above 0 and at most " +
                    number_text(longest_duration) + " s";
            return false;
        }
    } else if (a.name == "--sweep") {
        std::vector<double> values;
        if (!kit::read_number_list(a, values, error)) return false;
        const bool whole = values.size() == 3 && values[2] == std::floor(values[2]);
        SweepRange range;
        if (whole) range = {values[0], values[1], values[2] >= 2 && values[2] <= most_sweep_frequencies
                                                      ? static_cast<int>(values[2]) : 0};
        if (!whole || !sound_sweep(range)) {
            error = "option --sweep: '" + a.value + "' is not LO,HI,COUNT with 0 < LO < HI and COUNT a whole number from 2 to " +
                    std::to_string(most_sweep_frequencies);
            return false;
        }
        o.sweep = range;
        g.sweep = true;
    } else if (a.name == "--frf-csv") {
        return kit::read_text(a, "a file name", o.frf_csv_file, error);
    } else if (a.name == "--time-csv") {
        return kit::read_text(a, "a file name", o.time_csv_file, error);
    } else if (a.name == "--sweep-csv") {
        return kit::read_text(a, "a file name", o.sweep_csv_file, error);
    } else if (a.name == "--fourier-csv") {
        return kit::read_text(a, "a file name", o.fourier_csv_file, error);
    } else if (a.name == "--png") {
        return kit::read_text(a, "a file name", o.png_file, error);
    } else if (a.name == "--size") {
        return kit::read_size(a, most_pixels, o.width, o.height, error);
    } else if (a.name == "--lang") {
        return kit::read_language(a, o.language, error);
    }
    return true;
}

}  // namespace

double default_amplitude(Drive drive)
{
    return drive == Drive::base ? 0.01 : drive == Drive::unbalance ? 0.05 : 1.0;
}

double default_frequency(Drive drive)
{
    return drive == Drive::base ? 3.0 : drive == Drive::unbalance ? 20.0 : 1.8;
}

std::string model_fault(const Model& model)
{
    const std::string field = invalid_field(model);
    if (field == "mass") return "mass: m = " + number_text(model.mass) + " is not above 0";
    if (field == "damping") return "damping: λ = " + number_text(model.damping) + " is below 0";
    if (field == "stiffness") return "stiffness: K = " + number_text(model.stiffness) + " gives no finite ω0 above 0";
    if (field == "amplitude") return "amplitude: A = " + number_text(model.amplitude) + " is below 0 or too large";
    if (field == "frequency") return "frequency: ω = " + number_text(model.omega) + " is not above 0";
    if (field == "wave") return std::string("wave: the ") + drive_name(model.drive) + " drive has no wave but cosine";
    if (!field.empty()) return field + ": not a finite number";
    const Motion motion = make_motion(model);
    if (motion.runnable) return "";
    // The cause that asks for more than most_substeps steps in 0.01 s.
    if (model.omega * frame_step / most_substeps > drive_step_limit) {
        return "frequency: ω = " + number_text(model.omega) + " rad/s is too fast to step (at most " +
               number_text(drive_step_limit * most_substeps / frame_step) + ")";
    }
    const bool damped = model.damping / model.mass > natural_frequency(model);
    return std::string(damped ? "damping" : "stiffness") + ": the oscillator is too " +
           (damped ? "heavily damped" : "stiff") + " to step (more than " + std::to_string(most_substeps) +
           " steps in 0.01 s)";
}

std::optional<Options> parse_options(int argc, char** argv, std::string& error)
{
    Options options;
    Given given;
    const auto take_one = [&](const Argument& argument, std::string& fault) {
        return take(argument, given, options, fault);
    };
    if (!kit::read_options(argc, argv, known, take_one, error)) return std::nullopt;
    Model& model = options.model;
    if (!given.amplitude) model.amplitude = default_amplitude(model.drive);
    if (!given.frequency) model.omega = default_frequency(model.drive);
    const std::string fault = model_fault(model);
    if (!fault.empty()) {
        error = "option --" + fault;
        return std::nullopt;
    }
    if (!given.sweep) options.sweep = default_sweep(model);

    const kit::NamedOutput outputs[] = {{"--frf-csv", &options.frf_csv_file},
                                        {"--time-csv", &options.time_csv_file},
                                        {"--sweep-csv", &options.sweep_csv_file},
                                        {"--fourier-csv", &options.fourier_csv_file},
                                        {"--png", &options.png_file}};
    if (!kit::distinct_outputs(outputs, error)) return std::nullopt;
    return options;
}

std::string usage_text(const char* program)
{
    return kit::usage_head(program) +
           "One mass m y'' + lambda y' + K y = f(t) driven by a force, its support or a\n"
           "rotating unbalance: resonance, phase, a stepped-sine shaker and periodic forces.\n"
           "Without options the oscillator is asked for on the console and a window opens.\n"
           "  --mass M            m in kg, above 0 (default 1)\n"
           "  --damping L         lambda in N/(m/s), 0 or more (default 0.2)\n"
           "  --stiffness K       K in N/m, above 0 (default 4)\n"
           "  --drive D           force, base or unbalance (default force)\n"
           "  --amplitude A       A in N, m or kg m (default 1, 0.01 or 0.05 by the drive)\n"
           "  --frequency W       omega in rad/s (default 1.8, 3 or 20 by the drive)\n"
           "  --wave W            cosine, square, triangle or sawtooth (force only)\n"
           "  --y0 Y, --v0 V      the initial displacement [m] and velocity [m/s] (0)\n"
           "  --duration T        the time file's length in s (default 20)\n"
           "  --sweep LO,HI,N     the shaker's N frequencies from LO to HI rad/s\n"
           "                      (default 50 from 0.2 omega0 to 3 omega0)\n"
           "  --frf-csv FILE      no window: the closed-form response over omega as CSV\n"
           "  --time-csv FILE     no window: the motion every 0.01 s as CSV\n"
           "  --sweep-csv FILE    no window: the shaker's measured points as CSV\n"
           "  --fourier-csv FILE  no window: the harmonics of force and response as CSV\n"
           "  --png FILE          no window: the window's picture after one sweep of the\n"
           "                      traces as PNG (no X display needed)\n" +
           kit::shared_usage(22) +
           "Keys in the window: s (or held) advances, - + omega, d drive, w wave, g the\n"
           "shaker's sweep, r restart, m new constants, j new y0 v0, Esc quits.\n";
}

}  // namespace vibsim::forced
