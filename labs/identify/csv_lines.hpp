// Lines of a CSV-like text split into fields, and the numbers in them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vibsim::identify {

enum class Separator { comma, semicolon, tab, blanks };

// The separator of a line: a tab, else a semicolon, else a comma outside
// double quotes; blanks when the line has none of them.
Separator separator_of(std::string_view line);

// The fields of a line, blanks around each trimmed and double quotes around
// a field removed ("" inside stands for one quote). Runs of blanks and tabs
// separate fields for Separator::blanks.
std::vector<std::string> split_fields(std::string_view line, Separator separator);

// The number a whole field holds: a decimal with an optional sign and
// exponent, and a decimal comma for `decimal_comma`. NaN and infinities come
// back as such (the caller refuses them); nothing for anything else.
std::optional<double> field_number(std::string_view field, bool decimal_comma);

// At most `bytes` bytes of a text for a message, cut before a UTF-8
// sequence it would split, control characters shown as '?': a record's
// bytes never reach the terminal as commands.
std::string printable_excerpt(std::string_view text, std::size_t bytes);

// The text's lines without their line ends ("\n", "\r\n" or "\r"), a UTF-8
// byte order mark at the start removed.
std::vector<std::string_view> text_lines(std::string_view text);

}  // namespace vibsim::identify
