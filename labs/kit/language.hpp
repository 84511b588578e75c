// The language of a lab's texts, chosen once at start-up (--lang). Each lab
// keeps one table of texts per language and asks here which one to use.
#pragma once

#include <optional>
#include <string_view>

namespace vibsim::kit {

enum class Language { japanese, english };

// Japanese until choose_language says otherwise.
void choose_language(Language language);
Language chosen_language();

// "ja" or "en"; nothing for any other name.
std::optional<Language> language_named(std::string_view name);

}  // namespace vibsim::kit
