#include "platform/language.hpp"

namespace vibsim::platform {

namespace {

Language chosen = Language::japanese;

}  // namespace

void choose_language(Language language) { chosen = language; }

Language chosen_language() { return chosen; }

std::optional<Language> language_named(std::string_view name)
{
    if (name == "ja") return Language::japanese;
    if (name == "en") return Language::english;
    return std::nullopt;
}

}  // namespace vibsim::platform
