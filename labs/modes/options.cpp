#include "modes/options.hpp"

#include "kit/option_parsing.hpp"
#include "kit/start_up.hpp"

#include <cmath>
#include <string_view>
#include <vector>

namespace vibsim::modes {

namespace {

using kit::Argument;
using kit::OptionName;

constexpr OptionName known[] = {
    {"--help", false},          {"-h", false},         {"--version", false},    {"--masses", true},
    {"--mass", true},           {"--damping", true},   {"--stiffness", true},   {"--mode", true},
    {"--pluck", true},          {"--strike", true},    {"--force-at", true},    {"--force", true},
    {"--force-frequency", true}, {"--csv", true},      {"--response-csv", true}, {"--png", true},
    {"--size", true},           {"--lang", true},
};

// What the command line says before the chain is made of it.
struct Given {
    long long masses = 0;  // 0: not given
    std::vector<double> mass{1.0}, damping{0.0}, stiffness{1.0};
    std::string_view start_option;  // the one of --mode, --pluck, --strike given
    long long start_at = 1;
    long long force_at = 1;
};

bool take(const Argument& a, Given& g, Options& o, std::string& error)
{
    if (a.name == "--help" || a.name == "-h") {
        o.help = true;
    } else if (a.name == "--version") {
        o.version = true;
    } else if (a.name == "--masses") {
        o.chain_given = true;
        return kit::read_whole(a, 1, most_masses, g.masses, error);
    } else if (a.name == "--mass" || a.name == "--damping" || a.name == "--stiffness") {
        o.chain_given = true;
        std::vector<double>& list = a.name == "--mass" ? g.mass : a.name == "--damping" ? g.damping : g.stiffness;
        return kit::read_number_list(a, list, error);
    } else if (a.name == "--mode" || a.name == "--pluck" || a.name == "--strike") {
        if (!g.start_option.empty()) {
            error = "options " + std::string(g.start_option) + " and " + std::string(a.name) +
                    ": give only one of --mode, --pluck and --strike";
            return false;
        }
        g.start_option = a.name;
        o.start_given = true;
        o.start.kind = a.name == "--mode" ? StartKind::mode : a.name == "--pluck" ? StartKind::pluck : StartKind::strike;
        return kit::read_whole(a, 1, most_masses, g.start_at, error);
    } else if (a.name == "--force-at") {
        o.force_given = true;
        return kit::read_whole(a, 1, most_masses, g.force_at, error);
    } else if (a.name == "--force" || a.name == "--force-frequency") {
        o.force_given = true;
        double& value = a.name == "--force" ? o.force.amplitude : o.force.omega;
        if (!kit::read_number(a, value, error)) return false;
        if (a.name == "--force-frequency" && value < 0.0) {
            error = "option --force-frequency: '" + a.value + "' is less than 0";
            return false;
        }
    } else if (a.name == "--csv") {
        return kit::read_text(a, "a file name", o.csv_file, error);
    } else if (a.name == "--response-csv") {
        return kit::read_text(a, "a file name", o.response_csv_file, error);
    } else if (a.name == "--png") {
        return kit::read_text(a, "a file name", o.png_file, error);
    } else if (a.name == "--size") {
        return kit::read_size(a, most_pixels, o.width, o.height, error);
    } else if (a.name == "--lang") {
        return kit::read_language(a, o.language, error);
    }
    return true;
}

// N: --masses, or the length of the lists, or 5.
int chain_length(const Given& g)
{
    if (g.masses > 0) return static_cast<int>(g.masses);
    if (g.mass.size() > 1) return static_cast<int>(g.mass.size());
    if (g.damping.size() > 1) return static_cast<int>(g.damping.size());
    if (g.stiffness.size() > 1) return static_cast<int>(g.stiffness.size()) - 1;
    return 5;
}

// The option a fault of the chain (in the core's symbols) comes from.
const char* option_of_fault(const std::string& fault)
{
    const std::string_view f = fault;
    if (f.starts_with("#m") || f.starts_with("m_")) return "--mass";
    if (f.starts_with("#λ") || f.starts_with("λ_")) return "--damping";
    if (f.starts_with("#k") || f.starts_with("k_")) return "--stiffness";
    return "--masses";
}

bool check_number(const char* option, long long value, int n, std::string& error)
{
    if (value <= n) return true;
    error = "option " + std::string(option) + ": " + std::to_string(value) + " is more than the " +
            std::to_string(n) + (n == 1 ? " mass" : " masses") + " of the chain";
    return false;
}

}  // namespace

std::optional<Options> parse_options(int argc, char** argv, std::string& error)
{
    Options options;
    Given given;
    const auto take_one = [&](const Argument& argument, std::string& fault) {
        return take(argument, given, options, fault);
    };
    if (!kit::read_options(argc, argv, known, take_one, error)) return std::nullopt;

    const int n = chain_length(given);
    if (n < 1 || n > most_masses) {
        const char* from = given.mass.size() > 1 ? "--mass" : given.damping.size() > 1 ? "--damping" : "--stiffness";
        error = "option " + std::string(from) + ": a list for " + std::to_string(n) +
                " masses; a chain has 1 to " + std::to_string(most_masses);
        return std::nullopt;
    }
    const std::string fault = make_chain(n, given.mass, given.damping, given.stiffness, options.chain);
    if (!fault.empty()) {
        error = "option " + std::string(option_of_fault(fault)) + ": " + fault;
        return std::nullopt;
    }
    const char* start_option = given.start_option.empty() ? "--mode" : given.start_option.data();
    if (!check_number(start_option, given.start_at, n, error) || !check_number("--force-at", given.force_at, n, error)) {
        return std::nullopt;
    }
    options.start.at = static_cast<int>(given.start_at);
    options.force.mass = static_cast<int>(given.force_at);
    options.force.on = options.force_given;

    const kit::NamedOutput outputs[] = {
        {"--csv", &options.csv_file}, {"--response-csv", &options.response_csv_file}, {"--png", &options.png_file}};
    if (!kit::distinct_outputs(outputs, error)) return std::nullopt;
    return options;
}

std::string usage_text(const char* program)
{
    return kit::usage_head(program) +
           "A chain of N masses between two fixed ends, N + 1 springs and a damper on\n"
           "each mass: its natural frequencies, mode shapes and resonance.\n"
           "Without options the chain is asked for on the console and a window opens.\n"
           "  --masses N          N, from 1 to 21 (default 5, or the lists' length)\n"
           "  --mass M            m in kg, one value or N values: 1,2,1 (default 1)\n"
           "  --damping L         lambda in N/(m/s), one value or N values (default 0)\n"
           "  --stiffness K       K in N/m, one value or N + 1 values (default 1)\n"
           "  --mode k            start in mode k (the default, mode 1)\n"
           "  --pluck j           start from mass j pulled aside, the others in a line\n"
           "  --strike j          start at rest with mass j struck\n"
           "  --force-at j        forcing F cos(omega t) on mass j (default 1), on from the\n"
           "                      start\n"
           "  --force F           F in N (default 1)\n"
           "  --force-frequency W omega in rad/s (default 1)\n"
           "  --csv FILE          no window: write the frequencies and mode shapes as CSV\n"
           "  --response-csv FILE no window: write the steady response over omega as CSV\n"
           "  --png FILE          no window: write the window's picture after one sweep\n"
           "                      (250 frames) as PNG (no X display needed)\n" +
           kit::shared_usage(22) +
           "Keys in the window: s (or held) advances, 1-9 and n N excite a mode, p plucks,\n"
           "t strikes, [ ] choose the mass, f forcing on/off, - + its frequency, m new\n"
           "constants, j new initial shape, Esc quits.\n";
}

}  // namespace vibsim::modes
