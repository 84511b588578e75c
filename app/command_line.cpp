#include "command_line.hpp"

#include "platform/display.hpp"
#include "platform/language.hpp"


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
     [](CommandLine& line, std::string_view value) {
         const std::optional<platform::Language> named = platform::language_named(value);
         if (named) line.language = *named;
         return named.has_value();
     }},
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

// GLUT's own -display and -geometry, refused here rather than by GLUT after
// the dialog.
std::optional<int> check_glut_arguments(int argc, char** argv, std::FILE* err)
{
    if (const std::optional<std::string> fault = platform::window_argument_fault(argc, argv)) {
        return refuse(err, *fault);
    }
    return std::nullopt;
}

}  // namespace


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
    platform::choose_language(line.language);
    return std::nullopt;
}

}  // namespace vibsim
