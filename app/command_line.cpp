#include "command_line.hpp"

#include "texts.hpp"

#include <cstdio>
#include <string_view>

namespace vibsim {

namespace {

// "--lang ja" (the default) or "--lang en": the language of the dialog, the
// key help and the window's title.
std::optional<int> apply_language(const char* value)
{
    Language language = Language::japanese;
    if (!language_named(value, &language)) {
        std::fprintf(stderr, "vibsim: --lang takes ja or en, not '%s'\n", value);
        return 2;
    }
    choose_language(language);
    return std::nullopt;
}

struct Option {
    std::string_view name;
    // Applies the option with its value; gives an exit status to end with,
    // or nothing to go on.
    std::optional<int> (*apply)(const char* value);
};

constexpr Option options[] = {
    {"--lang", apply_language},
};

}  // namespace

std::optional<int> apply_command_line(int* argc, char** argv)
{
    int kept = 1;
    for (int i = 1; i < *argc; ++i) {
        const std::string_view argument = argv[i];
        const Option* found = nullptr;
        const char* value = nullptr;
        for (const Option& option : options) {
            if (argument == option.name) {
                found = &option;
                if (i + 1 >= *argc) {
                    std::fprintf(stderr, "vibsim: %s needs a value\n", argv[i]);
                    return 2;
                }
                value = argv[++i];
            } else if (argument.size() > option.name.size() && argument.starts_with(option.name) &&
                       argument[option.name.size()] == '=') {
                found = &option;
                value = argv[i] + option.name.size() + 1;
            }
            if (found != nullptr) break;
        }
        if (found == nullptr) {
            argv[kept++] = argv[i];
            continue;
        }
        if (const std::optional<int> status = found->apply(value)) return status;
    }
    argv[kept] = nullptr;
    *argc = kept;
    return std::nullopt;
}

}  // namespace vibsim
