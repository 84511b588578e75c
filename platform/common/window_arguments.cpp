// GLUT's window arguments, read as GLUT reads them, before GLUT sees them.
#include "platform/display.hpp"

#include <cctype>
#include <string_view>

namespace vibsim::platform {

namespace {

// The digits at the front of `text`, taken off it; nothing when there are none.
std::optional<long> take_number(std::string_view& text)
{
    long value = 0;
    std::size_t used = 0;
    while (used < text.size() && std::isdigit(static_cast<unsigned char>(text[used])) != 0) {
        // Past any sane size the value only has to stay too large.
        if (value < 1000000000L) value = value * 10 + (text[used] - '0');
        ++used;
    }
    if (used == 0) return std::nullopt;
    text.remove_prefix(used);
    return value;
}

// A signed offset, +N or -N, taken off the front of `text`.
std::optional<long> take_offset(std::string_view& text)
{
    if (text.empty() || (text.front() != '+' && text.front() != '-')) return std::nullopt;
    const bool negative = text.front() == '-';
    text.remove_prefix(1);
    const std::optional<long> number = take_number(text);
    if (!number) return std::nullopt;
    return negative ? -*number : *number;
}

// A window size and place as -geometry gives it: [=][W[xH]][{+-}X{+-}Y].
struct WindowGeometry {
    std::optional<long> width, height;
    std::optional<long> x, y;
};

// Reads a -geometry value; nothing when it is not of that form.
std::optional<WindowGeometry> parse_geometry(std::string_view text)
{
    WindowGeometry geometry;
    if (text.starts_with('=')) text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    geometry.width = take_number(text);
    if (text.starts_with('x') || text.starts_with('X')) {
        text.remove_prefix(1);
        geometry.height = take_number(text);
        if (!geometry.height) return std::nullopt;
    }
    if (!text.empty()) {
        geometry.x = take_offset(text);
        geometry.y = take_offset(text);
        if (!geometry.x || !geometry.y) return std::nullopt;
    }
    if (!text.empty()) return std::nullopt;
    return geometry;
}

bool side_fits(const std::optional<long>& side) { return !side || (*side >= 1 && *side <= largest_window_side); }

}  // namespace

std::optional<std::string> window_argument_fault(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument != "-display" && argument != "-geometry") continue;
        if (i + 1 >= argc) return "GLUT option " + std::string(argument) + " needs a value";
        const std::string_view value = argv[++i];
        if (argument == "-display") continue;
        const std::optional<WindowGeometry> geometry = parse_geometry(value);
        if (!geometry) return "-geometry '" + std::string(value) + "' is not WIDTHxHEIGHT+X+Y";
        if (!side_fits(geometry->width) || !side_fits(geometry->height)) {
            return "-geometry '" + std::string(value) + "': a window's sides are 1 to " +
                   std::to_string(largest_window_side) + " pixels";
        }
    }
    return std::nullopt;
}

const char* display_argument(int argc, char** argv)
{
    const char* name = nullptr;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string_view(argv[i]) == "-display") name = argv[++i];
        else if (std::string_view(argv[i]) == "-geometry") ++i;
    }
    return name;
}

}  // namespace vibsim::platform
