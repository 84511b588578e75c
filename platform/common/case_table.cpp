#include "platform/case_table.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vibsim::platform {

namespace {

void append_number(std::string& json, double value)
{
    if (!std::isfinite(value)) {
        json += "null";
        return;
    }
    // The fewest digits from 15 on that read back to the same double.
    char digits[32];
    for (int precision = 15; precision <= 17; ++precision) {
        std::snprintf(digits, sizeof digits, "%.*g", precision, value);
        if (std::strtod(digits, nullptr) == value) break;
    }
    json += digits;
}

void append_text(std::string& json, std::string_view text)
{
    json += '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            json += escaped;
        } else {
            json += c;
        }
    }
    json += '"';
}

}  // namespace

void CaseTable::name(std::string_view name)
{
    if (json_.size() > 1) json_ += ',';
    append_text(json_, name);
    json_ += ':';
}

CaseTable& CaseTable::number(std::string_view name, double value)
{
    this->name(name);
    append_number(json_, value);
    return *this;
}

CaseTable& CaseTable::numbers(std::string_view name, std::span<const double> values)
{
    this->name(name);
    json_ += '[';
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) json_ += ',';
        append_number(json_, values[i]);
    }
    json_ += ']';
    return *this;
}

CaseTable& CaseTable::text(std::string_view name, std::string_view value)
{
    this->name(name);
    append_text(json_, value);
    return *this;
}

std::string CaseTable::json() const { return json_ + '}'; }

}  // namespace vibsim::platform
