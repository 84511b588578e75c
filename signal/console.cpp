#include "vibsim/console.hpp"

#include <algorithm>
#include <cctype>
#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <iconv.h>
#include <langinfo.h>
#include <vector>

namespace vibsim {

bool is_shift_jis_codeset(std::string_view codeset)
{
    std::string name;
    for (const char c : codeset) {
        if (c != '-' && c != '_') name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    static constexpr std::string_view shift_jis_names[] = {
        "SHIFTJIS", "SJIS", "WINDOWS31J", "CP932", "MSKANJI", "CSSHIFTJIS", "MS932", "IBM943",
        "SHIFTJISX0213",
    };
    return std::find(std::begin(shift_jis_names), std::end(shift_jis_names), name) !=
           std::end(shift_jis_names);
}

namespace {

const iconv_t no_converter = reinterpret_cast<iconv_t>(-1L);

// The converter to CP932 when the locale's code set is Shift-JIS, else none.
// Decided once: the terminal does not change code sets while we run.
iconv_t shift_jis_converter()
{
    static const iconv_t converter = [] {
        std::setlocale(LC_CTYPE, "");
        if (!is_shift_jis_codeset(nl_langinfo(CODESET))) return no_converter;
        return iconv_open("CP932", "UTF-8");
    }();
    return converter;
}

}  // namespace

std::string console_bytes(std::string_view utf8)
{
    const iconv_t converter = shift_jis_converter();
    if (converter == no_converter) return std::string(utf8);

    // CP932 never needs more bytes than UTF-8 for the same text.
    std::vector<char> in(utf8.begin(), utf8.end());
    std::string out(utf8.size(), '\0');
    char* in_ptr = in.data();
    std::size_t in_left = in.size();
    char* out_ptr = out.data();
    std::size_t out_left = out.size();
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    while (in_left > 0) {
        if (iconv(converter, &in_ptr, &in_left, &out_ptr, &out_left) != std::size_t(-1)) break;
        // A character CP932 lacks is shown as '?' rather than lost silently.
        if (out_left == 0) break;
        *out_ptr++ = '?';
        --out_left;
        ++in_ptr;
        --in_left;
        while (in_left > 0 && (static_cast<unsigned char>(*in_ptr) & 0xC0) == 0x80) {
            ++in_ptr;
            --in_left;
        }
    }
    out.resize(out.size() - out_left);
    return out;
}

void console_printf(const char* format, ...)
{
    std::va_list args;
    va_start(args, format);
    std::va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string text(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
    std::vsnprintf(text.data(), text.size() + 1, format, again);
    va_end(again);

    const std::string bytes = console_bytes(text);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
}

}  // namespace vibsim
