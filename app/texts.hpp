// The texts a person reads: the console dialog, the key help and the window's
// title, one table per language. The language is chosen once at start-up;
// the code that writes a text names the message and takes it from texts().
#pragma once

#include <string_view>

namespace vibsim {

struct Texts {
    const char* window_title;  // UTF-8
    // The dialog, in the order it writes them; each starts with a line feed.
    const char* constants_item;
    const char* initial_conditions_item;
    const char* drawing_heading;
    const char* equation;
    const char* constants_prompt;
    const char* initial_conditions_prompt;
    const char* frequencies;  // printf format: omega0, zeta
    const char* underdamped;
    const char* overdamped;
    const char* critically_damped;
    const char* damped_frequency;  // printf format: Omega
    // The key help, one line per key or pair of keys; the last ends with a line feed.
    const char* key_help[6];
};

enum class Language { japanese, english };

extern const Texts japanese_texts;
extern const Texts english_texts;

// The language named by "ja" or "en"; false for any other name.
bool language_named(std::string_view name, Language* language);

// Chooses the table texts() gives from now on; Japanese until chosen.
void choose_language(Language language);
const Texts& texts();

}  // namespace vibsim
