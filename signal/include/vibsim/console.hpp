// The console writer of the simulator and of the library's own messages:
// text is held as UTF-8 and written in the terminal's code set, CP932 for a
// Shift-JIS locale and UTF-8 for every other, the C locale included.
#pragma once

#include <string>
#include <string_view>

namespace vibsim {

// True for the names a locale gives to the Shift-JIS code set (SHIFT_JIS,
// SJIS, WINDOWS-31J, CP932, SHIFT_JISX0213, ...), compared without case, '-'
// or '_'. All of the console's text has the same bytes in each of them.
bool is_shift_jis_codeset(std::string_view codeset);

// `utf8` in the code set of standard output's locale.
std::string console_bytes(std::string_view utf8);

// Formats like printf (the format is UTF-8) and writes the result to standard
// output in the console's code set, then flushes it.
[[gnu::format(printf, 1, 2)]] void console_printf(const char* format, ...);

}  // namespace vibsim
