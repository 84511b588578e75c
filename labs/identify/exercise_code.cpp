// The exercise code: a version byte, the seven numbers as the bits of their
// doubles and the seed, little-endian, and a 32-bit FNV-1a check of all of
// them; everything after the version is mixed with a SplitMix64 key stream
// (G. L. Steele, D. Lea, C. H. Flood, "Fast splittable pseudorandom number
// generators", OOPSLA 2014) and written in the URL-safe base64 alphabet of
// RFC 4648, section 5, without padding.
#include "identify/exercise_code.hpp"

#include <array>
#include <cstring>
#include <cmath>
#include <vector>

namespace vibsim::identify {

namespace {

constexpr std::uint8_t code_version = 1;
constexpr std::size_t number_count = 7;
constexpr std::size_t byte_count = 1 + 8 * number_count + 4 + 4;
constexpr std::uint64_t key_start = 0x76696273696d4964;  // any fixed value
constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

// A double's bits and back (std::bit_cast, which not every standard library
// of the page's compiler has yet).
std::uint64_t bits_of(double x)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &x, sizeof bits);
    return bits;
}

double double_of(std::uint64_t bits)
{
    double x = 0.0;
    std::memcpy(&x, &bits, sizeof x);
    return x;
}

std::uint64_t split_mix(std::uint64_t& state)
{
    std::uint64_t z = (state += 0x9e3779b97f4a7c15);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9;
    z = (z ^ (z >> 27)) * 0x94d049bb133111eb;
    return z ^ (z >> 31);
}

void mix(std::vector<std::uint8_t>& bytes)
{
    std::uint64_t state = key_start;
    std::uint64_t key = 0;
    for (std::size_t i = 1; i < bytes.size(); ++i) {
        if ((i - 1) % 8 == 0) key = split_mix(state);
        bytes[i] ^= static_cast<std::uint8_t>(key >> (8 * ((i - 1) % 8)));
    }
}

std::uint32_t fnv1a(const std::vector<std::uint8_t>& bytes, std::size_t count)
{
    std::uint32_t hash = 2166136261u;
    for (std::size_t i = 0; i < count; ++i) {
        hash ^= bytes[i];
        hash *= 16777619u;
    }
    return hash;
}

void put(std::vector<std::uint8_t>& bytes, std::uint64_t value, int size)
{
    for (int k = 0; k < size; ++k) bytes.push_back(static_cast<std::uint8_t>(value >> (8 * k)));
}

std::uint64_t get(const std::vector<std::uint8_t>& bytes, std::size_t at, int size)
{
    std::uint64_t value = 0;
    for (int k = 0; k < size; ++k) value |= std::uint64_t{bytes[at + static_cast<std::size_t>(k)]} << (8 * k);
    return value;
}

std::array<double, number_count> numbers(const Exercise& e)
{
    return {e.mass, e.damping, e.stiffness, e.y0, e.noise, e.omega0_tolerance, e.zeta_tolerance};
}

int sextet(char c)
{
    for (int i = 0; i < 64; ++i) {
        if (alphabet[i] == c) return i;
    }
    return -1;
}

}  // namespace

bool sound_exercise(const Exercise& e)
{
    for (const double x : numbers(e)) {
        if (!std::isfinite(x)) return false;
    }
    if (!(e.mass > 0.0 && e.stiffness > 0.0 && e.damping > 0.0 && e.y0 != 0.0 && e.noise >= 0.0 &&
          e.omega0_tolerance > 0.0 && e.zeta_tolerance > 0.0)) {
        return false;
    }
    return e.damping / (2.0 * std::sqrt(e.mass * e.stiffness)) < 1.0;
}

std::string exercise_code(const Exercise& exercise)
{
    std::vector<std::uint8_t> bytes{code_version};
    for (const double x : numbers(exercise)) put(bytes, bits_of(x), 8);
    put(bytes, exercise.seed, 4);
    put(bytes, fnv1a(bytes, bytes.size()), 4);
    mix(bytes);
    std::string code;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::uint32_t group = (std::uint32_t{bytes[i]} << 16) |
                                    (i + 1 < bytes.size() ? std::uint32_t{bytes[i + 1]} << 8 : 0u) |
                                    (i + 2 < bytes.size() ? std::uint32_t{bytes[i + 2]} : 0u);
        const std::size_t chars = std::min<std::size_t>(4, (bytes.size() - i) * 8 / 6 + 1);
        for (std::size_t k = 0; k < chars; ++k) code += alphabet[(group >> (18 - 6 * k)) & 63u];
    }
    return code;
}

std::string exercise_link(const std::string& code) { return "identify.html?exercise=" + code; }

CodeReading read_exercise_code(std::string_view code)
{
    CodeReading reading;
    while (!code.empty() && (code.front() == ' ' || code.front() == '\t')) code.remove_prefix(1);
    while (!code.empty() && (code.back() == ' ' || code.back() == '\t' || code.back() == '\n' || code.back() == '\r')) {
        code.remove_suffix(1);
    }
    std::vector<int> values;
    for (const char c : code) {
        const int value = sextet(c);
        if (value < 0) {
            reading.problem = CodeProblem::bad_characters;
            return reading;
        }
        values.push_back(value);
    }
    if (values.size() != (byte_count * 8 + 5) / 6) {
        reading.problem = CodeProblem::bad_length;
        return reading;
    }
    std::vector<std::uint8_t> bytes;
    std::uint32_t buffer = 0;
    int bits = 0;
    for (const int value : values) {
        buffer = (buffer << 6) | static_cast<std::uint32_t>(value);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            bytes.push_back(static_cast<std::uint8_t>(buffer >> bits));
            buffer &= (1u << bits) - 1u;
        }
    }
    if (bytes.size() != byte_count || buffer != 0) {
        reading.problem = CodeProblem::bad_check;
        return reading;
    }
    if (bytes[0] != code_version) {
        reading.problem = CodeProblem::unknown_version;
        return reading;
    }
    mix(bytes);
    if (get(bytes, byte_count - 4, 4) != fnv1a(bytes, byte_count - 4)) {
        reading.problem = CodeProblem::bad_check;
        return reading;
    }
    std::array<double, number_count> x{};
    for (std::size_t k = 0; k < number_count; ++k) x[k] = double_of(get(bytes, 1 + 8 * k, 8));
    Exercise& e = reading.exercise;
    e = Exercise{x[0], x[1], x[2], x[3], x[4], static_cast<std::uint32_t>(get(bytes, 1 + 8 * number_count, 4)), x[5],
                 x[6]};
    if (!sound_exercise(e)) reading.problem = CodeProblem::bad_case;
    return reading;
}

}  // namespace vibsim::identify
