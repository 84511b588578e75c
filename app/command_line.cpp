#include "command_line.hpp"

#include <cctype>
#include <string>
#include <string_view>

namespace vibsim {

namespace {

struct Option {
    std::string_view name;        // "--name"
    std::string_view value_name;  // empty when the option takes no value
    std::string_view help;        // one line for the usage
    // Records the option; false when its value is not acceptable.
    bool (*apply)(CommandLine& line, std::string_view value);
};

// One entry per option; the usage is made from this table.
constexpr Option options[] = {
    {"--help", "", "print this usage and exit",
     [](CommandLine& line, std::string_view) { return line.help = true; }},
    {"--version", "", "print the version and exit",
     [](CommandLine& line, std::string_view) { return line.version = true; }},
    {"--lang", "ja|en", "the language of the dialog, key help and title (default ja)",
     [](CommandLine& line, std::string_view value) { return language_named(value, &line.language); }},
};

const Option* find_option(std::string_view name)
{
    for (const Option& option : options) {
        if (option.name == name) return &option;
    }
    return nullptr;
}

int refuse(std::FILE* err, const std::string& fault)
{
    std::fprintf(err, "vibsim: %s\n", fault.c_str());
    print_usage(err);
    return 2;
}

// The digits at the front of `text`, taken off it; nothing when there are none.
std::optional<long> take_number(std::string_view& text)
{
    long value = 0;
    std::size_t used = 0;
    while (used < text.size() && std::isdigit(static_cast<unsigned char>(text[used])) != 0) {
        // Past any sane size the value only has to stay too large.
        if (value < 1000000000L) value = value * 10 + (text[used] - '0');
        ++used;
    }
    if (used == 0) return std::nullopt;
    text.remove_prefix(used);
    return value;
}

// A signed offset, +N or -N, taken off the front of `text`.
std::optional<long> take_offset(std::string_view& text)
{
    if (text.empty() || (text.front() != '+' && text.front() != '-')) return std::nullopt;
    const bool negative = text.front() == '-';
    text.remove_prefix(1);
    const std::optional<long> number = take_number(text);
    if (!number) return std::nullopt;
    return negative ? -*number : *number;
}

// A window size and place as -geometry gives it: [=][W[xH]][{+-}X{+-}Y].
struct WindowGeometry {
    std::optional<long> width, height;
    std::optional<long> x, y;
};

// Reads a -geometry value; nothing when it is not of that form.
std::optional<WindowGeometry> parse_geometry(std::string_view text)
{
    WindowGeometry geometry;
    if (text.starts_with('=')) text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    geometry.width = take_number(text);
    if (text.starts_with('x') || text.starts_with('X')) {
        text.remove_prefix(1);
        geometry.height = take_number(text);
        if (!geometry.height) return std::nullopt;
    }
    if (!text.empty()) {
        geometry.x = take_offset(text);
        geometry.y = take_offset(text);
        if (!geometry.x || !geometry.y) return std::nullopt;
    }
    if (!text.empty()) return std::nullopt;
    return geometry;
}

bool side_fits(const std::optional<long>& side) { return !side || (*side >= 1 && *side <= largest_window_side); }

// GLUT ends the program itself, after the dialog, when -display or -geometry
// lacks its value or -geometry is not one; and a window larger than GL can
// draw into crashes the renderer. Both are refused here, before the dialog.
std::optional<int> check_glut_arguments(int argc, char** argv, std::FILE* err)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument != "-display" && argument != "-geometry") continue;
        if (i + 1 >= argc) return refuse(err, "GLUT option " + std::string(argument) + " needs a value");
        const std::string_view value = argv[++i];
        if (argument == "-display") continue;
        const std::optional<WindowGeometry> geometry = parse_geometry(value);
        if (!geometry) {
            return refuse(err, "-geometry '" + std::string(value) + "' is not WIDTHxHEIGHT+X+Y");
        }
        if (!side_fits(geometry->width) || !side_fits(geometry->height)) {
            return refuse(err, "-geometry '" + std::string(value) + "': a window's sides are 1 to " +
                                   std::to_string(largest_window_side) + " pixels");
        }
    }
    return std::nullopt;
}

}  // namespace

const char* display_argument(int argc, char** argv)
{
    const char* name = nullptr;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string_view(argv[i]) == "-display") name = argv[++i];
        else if (std::string_view(argv[i]) == "-geometry") ++i;
    }
    return name;
}

void print_usage(std::FILE* out)
{
    // Every line fits a terminal of 80 columns.
    std::fputs("usage: vibsim [options] [GLUT options]\n"
               "The damped mass-spring oscillator m y'' + lambda y' + K y = 0: the constants\n"
               "and the initial conditions are asked for on the console, then the motion is\n"
               "drawn in a window.\n",
               out);
    for (const Option& option : options) {
        std::string left(option.name);
        if (!option.value_name.empty()) left.append(" ").append(option.value_name);
        std::fprintf(out, "  %-16s %.*s\n", left.c_str(), static_cast<int>(option.help.size()), option.help.data());
    }
    std::fputs("GLUT options such as -geometry WxH+X+Y, -display NAME and -iconic are passed\n"
               "to GLUT (each side of the window 1 to 16384 pixels).\n"
               "Keys in the window: s advances (hold it to animate), t/T and y/Y rescale the\n"
               "axes, m and j go back to the console, Esc quits.\n",
               out);
}

std::optional<int> handle_command_line(int& argc, char** argv, std::FILE* out, std::FILE* err)
{
    CommandLine line;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (!argument.starts_with("--")) {
            argv[kept++] = argv[i];
            continue;
        }
        // --name value, or --name=value.
        const std::size_t equals = argument.find('=');
        const std::string_view name = argument.substr(0, equals);
        const Option* option = find_option(name);
        if (option == nullptr) return refuse(err, "unknown option " + std::string(name));
        std::string_view value;
        if (option->value_name.empty()) {
            if (equals != std::string_view::npos) return refuse(err, "option " + std::string(name) + " takes no value");
        } else if (equals != std::string_view::npos) {
            value = argument.substr(equals + 1);
        } else if (i + 1 < argc) {
            value = argv[++i];
        } else {
            return refuse(err, "option " + std::string(name) + " needs a value");
        }
        if (!option->apply(line, value)) {
            return refuse(err, "option " + std::string(name) + ": '" + std::string(value) + "' is not " +
                                   std::string(option->value_name));
        }
    }
    argv[kept] = nullptr;
    argc = kept;
    if (line.help) {
        print_usage(out);
        return 0;
    }
    if (line.version) {
        std::fprintf(out, "vibsim %s\n", VIBSIM_VERSION);
        return 0;
    }
    if (const std::optional<int> status = check_glut_arguments(argc, argv, err)) return status;
    choose_language(line.language);
    return std::nullopt;
}

}  // namespace vibsim
