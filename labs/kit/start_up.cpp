#include "kit/start_up.hpp"

#include "platform/program_name.hpp"

#include <cstdio>

namespace vibsim::kit {

namespace {

std::string usage_line(const char* option, const char* text, int column)
{
    std::string line = std::string("  ") + option;
    line.resize(static_cast<std::size_t>(column), ' ');
    return line + text + "\n";
}

}  // namespace

std::optional<int> answer_at_once(const std::string* error, bool help, bool version, const std::string& usage,
                                  const char* version_text)
{
    if (error != nullptr) {
        std::fprintf(stderr, "%s: %s\n%s", platform::program_name(), error->c_str(), usage.c_str());
        return 2;
    }
    if (help) {
        std::fputs(usage.c_str(), stdout);
        return 0;
    }
    if (version) {
        std::printf("%s %s\n", platform::program_name(), version_text);
        return 0;
    }
    return std::nullopt;
}

std::string usage_head(const char* program) { return std::string("usage: ") + program + " [options]\n"; }

std::string shared_usage(int column)
{
    return usage_line("--size WxH", "size of the window and the picture (default 1024x768,", column) +
           std::string(static_cast<std::size_t>(column), ' ') + "at most 16384x16384)\n" +
           usage_line("--lang ja|en", "the console dialog in Japanese (the default) or English", column) +
           usage_line("--help", "this text", column) + usage_line("--version", "the version", column) +
           "Options take their value as --name value or --name=value.\n";
}

}  // namespace vibsim::kit
