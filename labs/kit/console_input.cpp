#include "kit/console_input.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vibsim::kit {

bool read_line(std::string& line)
{
    line.clear();
    int c = 0;
    while ((c = std::getchar()) != EOF && c != '\n') line += static_cast<char>(c);
    return c != EOF || !line.empty();
}

bool read_numbers(double* values[], int count)
{
    std::string line;
    if (!read_line(line)) return false;
    const char* p = line.c_str();
    for (int i = 0; i < count; ++i) {
        char* end = nullptr;
        const double value = std::strtod(p, &end);
        if (end == p || !std::isfinite(value)) break;
        *values[i] = value;
        p = end;
    }
    return true;
}

}  // namespace vibsim::kit
