#include "identify/csv_lines.hpp"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cmath>
#include <limits>

namespace vibsim::identify {

namespace {

bool blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (blank(text.front()) || text.front() == '\r')) text.remove_prefix(1);
    while (!text.empty() && (blank(text.back()) || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

// The field without its quotes: "a ""b""" is a "b".
std::string unquoted(std::string_view field)
{
    field = trimmed(field);
    if (field.size() < 2 || field.front() != '"' || field.back() != '"') return std::string(field);
    std::string text;
    field = field.substr(1, field.size() - 2);
    for (std::size_t i = 0; i < field.size(); ++i) {
        text += field[i];
        if (field[i] == '"' && i + 1 < field.size() && field[i + 1] == '"') ++i;
    }
    return std::string(trimmed(text));
}

char separator_char(Separator separator)
{
    switch (separator) {
    case Separator::comma: return ',';
    case Separator::semicolon: return ';';
    case Separator::tab: return '\t';
    case Separator::blanks: break;
    }
    return ' ';
}

bool same_letters(std::string_view text, std::string_view word)
{
    if (text.size() != word.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != word[i]) return false;
    }
    return true;
}

// Whether a decimal out of the doubles' range is too small rather than too
// large: a negative exponent, or no exponent and no digit but 0 before the
// point.
bool underflows(std::string_view digits)
{
    const std::size_t e = digits.find_first_of("eE");
    if (e != std::string_view::npos) return e + 1 < digits.size() && digits[e + 1] == '-';
    return digits.find_first_of("123456789") > digits.find('.');
}

}  // namespace

Separator separator_of(std::string_view line)
{
    bool quoted = false;
    bool semicolon = false;
    bool comma = false;
    for (const char c : line) {
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\t') return Separator::tab;
        semicolon = semicolon || c == ';';
        comma = comma || c == ',';
    }
    return semicolon ? Separator::semicolon : comma ? Separator::comma : Separator::blanks;
}

std::vector<std::string> split_fields(std::string_view line, Separator separator)
{
    std::vector<std::string> fields;
    if (separator == Separator::blanks) {
        std::size_t i = 0;
        while (i < line.size()) {
            while (i < line.size() && (blank(line[i]) || line[i] == '\r')) ++i;
            if (i == line.size()) break;
            const std::size_t start = i;
            bool quoted = false;
            while (i < line.size() && (quoted || !(blank(line[i]) || line[i] == '\r'))) {
                if (line[i] == '"') quoted = !quoted;
                ++i;
            }
            fields.push_back(unquoted(line.substr(start, i - start)));
        }
        return fields;
    }
    const char mark = separator_char(separator);
    std::size_t start = 0;
    bool quoted = false;
    for (std::size_t i = 0; i <= line.size(); ++i) {
        if (i < line.size() && line[i] == '"') quoted = !quoted;
        if (i == line.size() || (!quoted && line[i] == mark)) {
            fields.push_back(unquoted(line.substr(start, i - start)));
            start = i + 1;
        }
    }
    return fields;
}

std::optional<double> field_number(std::string_view field, bool decimal_comma)
{
    std::string text(trimmed(field));
    if (decimal_comma) {
        for (char& c : text) {
            if (c == ',') c = '.';
        }
    }
    std::string_view digits = text;
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (same_letters(digits, "nan")) return std::numeric_limits<double>::quiet_NaN();
    if (same_letters(digits, "inf") || same_letters(digits, "infinity")) {
        return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    }
    // Only digits, a point and an exponent: strtod would also take
    // "nan(...)" and hexadecimal forms, which no record holds. (The
    // program never sets LC_NUMERIC, so the point is strtod's.)
    if (digits.empty() || !(std::isdigit(static_cast<unsigned char>(digits.front())) || digits.front() == '.') ||
        digits.find_first_not_of("0123456789.eE+-") != std::string_view::npos) {
        return std::nullopt;
    }
    const std::string number(digits);
    char* stop = nullptr;
    errno = 0;
    double value = std::strtod(number.c_str(), &stop);
    if (stop != number.c_str() + number.size()) return std::nullopt;
    // A magnitude beyond the doubles is infinite, one below them 0.
    if (errno == ERANGE) value = underflows(digits) ? 0.0 : std::numeric_limits<double>::infinity();
    return negative ? -value : value;
}

std::string printable_excerpt(std::string_view text, std::size_t bytes)
{
    if (text.size() > bytes) {
        std::size_t cut = bytes;
        // Back to the lead byte of the sequence the cut falls in.
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
        text = text.substr(0, cut);
    }
    std::string excerpt(text);
    for (char& c : excerpt) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) c = '?';
    }
    return excerpt;
}

std::vector<std::string_view> text_lines(std::string_view text)
{
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n' && text[i] != '\r') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

}  // namespace vibsim::identify
