// The language of a program's texts, chosen once at start-up (--lang). Each
// program keeps one table of texts per language and asks here which one to
// use; the simulator, the labs and their pages share this one choice.
#pragma once

#include <optional>
#include <string_view>

namespace vibsim::platform {

enum class Language { japanese, english };

// Japanese until choose_language says otherwise.
void choose_language(Language language);
Language chosen_language();

// "ja" or "en"; nothing for any other name.
std::optional<Language> language_named(std::string_view name);

}  // namespace vibsim::platform
