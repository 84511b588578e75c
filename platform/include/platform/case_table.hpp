// The case a program shows, handed to its page as one JSON object of named
// values, so that the page reads `omega0` by its name and never recomputes
// what the program already knows. Each program's page glue fills one table
// (its names are that program's own) and exports it as vibsim_web_case.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace vibsim::platform {

class CaseTable {
public:
    // A number in the shortest form that reads back to the same double;
    // null when it is not finite, which JSON cannot carry.
    CaseTable& number(std::string_view name, double value);
    CaseTable& numbers(std::string_view name, std::span<const double> values);
    CaseTable& text(std::string_view name, std::string_view value);
    // The object of the values given so far.
    std::string json() const;

private:
    void name(std::string_view name);
    std::string json_ = "{";
};

}  // namespace vibsim::platform
