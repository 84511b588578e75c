#include "modes/dialog.hpp"

#include "modes/accuracy.hpp"
#include "kit/console_input.hpp"
#include "modes/texts.hpp"

#include <vibsim/console.hpp>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace vibsim::modes {

namespace {

// What is wrong with a line: one of the dialog's messages (out_of_range,
// unreadable, too_many, lost_root) and what it names; no message for a line taken.
struct Fault {
    const char* message = nullptr;
    std::string what;
};

Fault out_of_range(std::string rule) { return {texts().out_of_range, std::move(rule)}; }

// Words echoed in a fault are cut to this many bytes, so that a long line
// is named, not repeated.
constexpr std::size_t echo_bytes = 40;

// The length of the UTF-8 sequence that starts at text[at], or 0 when none
// does.
std::size_t utf8_length(const std::string& text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xe ? 3 : (lead >> 3) == 0x1e ? 4 : 0;
    if (length == 0 || at + length > text.size()) return 0;
    for (std::size_t i = 1; i < length; ++i)
        if ((static_cast<unsigned char>(text[at + i]) >> 6) != 0x2) return 0;
    return length;
}

// What a fault names, as the console shows it: at most echo_bytes of it,
// cut between characters and marked "…" when cut, and each byte that is
// not UTF-8 as '?'.
std::string echo(const std::string& what)
{
    std::string shown;
    for (std::size_t at = 0; at < what.size();) {
        const std::size_t length = utf8_length(what, at);
        if (shown.size() + std::max<std::size_t>(length, 1) > echo_bytes) return shown + "…";
        shown += length == 0 ? std::string("?") : what.substr(at, length);
        at += std::max<std::size_t>(length, 1);
    }
    return shown;
}

void say(const Fault& fault) { console_printf(fault.message, echo(fault.what).c_str()); }

bool blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

const char* skip_blanks(const char* p)
{
    while (blank(*p)) ++p;
    return p;
}

// The word (up to the next blank) that starts at `p`.
std::string word_at(const char* p)
{
    const char* end = p;
    while (*end != '\0' && !blank(*end)) ++end;
    return std::string(p, end);
}

// The rest of the line from `p`, without the blanks at its end.
std::string rest_of_line(const char* p)
{
    std::string rest = p;
    while (!rest.empty() && blank(rest.back())) rest.pop_back();
    return rest;
}

std::string number_text(double x)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", x);
    return text;
}

// All the values of a list the same: one value for all.
bool one_value(const std::vector<double>& values)
{
    return std::all_of(values.begin(), values.end(), [&](double x) { return x == values.front(); });
}

// One value for a list whose values are all equal, otherwise the list:
// "1" or "1,2,1".
std::string values_text(const std::vector<double>& values)
{
    if (values.empty()) return "";
    if (one_value(values)) return number_text(values.front());
    std::string text;
    for (const double x : values) {
        if (!text.empty()) text += ',';
        text += number_text(x);
    }
    return text;
}

// One field at `p`: a number, or numbers separated by commas (blanks around
// a comma allowed), each ended by a blank, a comma or the line's end. `p`
// moves past the field. False, with `p` at the field, when it is not such a
// field; an empty `values` where the line has no more fields. `spaced` tells
// whether a blank follows one of its commas.
bool read_field(const char*& p, std::vector<double>& values, bool* spaced = nullptr)
{
    values.clear();
    if (spaced != nullptr) *spaced = false;
    const char* at = skip_blanks(p);
    if (*at == '\0') {
        p = at;
        return true;
    }
    for (const char* q = at;;) {
        char* end = nullptr;
        const double x = std::strtod(q, &end);
        if (end == q || std::isspace(static_cast<unsigned char>(*q)) || (*end != '\0' && *end != ',' && !blank(*end))) {
            p = at;
            return false;
        }
        values.push_back(x);
        q = skip_blanks(end);
        if (*q != ',') {
            p = end;
            return true;
        }
        if (spaced != nullptr && blank(q[1])) *spaced = true;
        q = skip_blanks(q + 1);
    }
}

// The m lambda K line for a chain of n masses: each field it gives replaces
// its list in `fields`; the fields it leaves out keep theirs. A list with a
// blank after a comma that holds more values than its quantity takes (n for
// m and lambda, n + 1 for K) has taken the next field's value ("1,2,1, 0 1"
// for 3 masses): it is named as typed, not read as a list of another length.
Fault read_constants(const std::string& line, int n, std::vector<double>* fields[3])
{
    const char* p = line.c_str();
    std::vector<double> given[3];
    for (int i = 0; i < 3; ++i) {
        bool spaced = false;
        const char* const from = skip_blanks(p);
        if (!read_field(p, given[i], &spaced)) return {texts().unreadable, word_at(p)};
        if (given[i].empty()) break;
        const std::size_t fits = static_cast<std::size_t>(i == 2 ? n + 1 : n);
        if (spaced && given[i].size() > fits) return {texts().too_many, std::string(from, p)};
    }
    p = skip_blanks(p);
    if (*p != '\0') return {texts().too_many, rest_of_line(p)};
    for (int i = 0; i < 3; ++i)
        if (!given[i].empty()) *fields[i] = std::move(given[i]);
    return {};
}

// The typed start's list of `symbol` ("y" or "v"): n values from one value
// or n; each within +-largest_value, so that the motion stays finite.
Fault typed_values(const std::vector<double>& given, int n, const char* symbol, std::vector<double>& values)
{
    if (given.empty()) {
        values.assign(static_cast<std::size_t>(n), 0.0);
        return {};
    }
    std::vector<double> expanded;
    const std::string fault = expand_values(given, n, symbol, expanded);
    if (!fault.empty()) return out_of_range(fault);
    for (std::size_t i = 0; i < expanded.size(); ++i) {
        if (std::fabs(expanded[i]) <= largest_value) continue;
        return out_of_range(std::string(symbol) + "_" + std::to_string(i + 1) + " = " + number_text(expanded[i]) +
                            ": |" + symbol + "| ≤ " + number_text(largest_value));
    }
    values = std::move(expanded);
    return {};
}

// "y Y v V", "y Y" or "v V" (in either order), Y and V a value or a
// comma-separated list: the displacements and velocities typed in.
Fault read_typed(const char* p, int n, Start& start)
{
    std::vector<double> given[2];  // y, v
    bool seen[2] = {false, false};
    for (p = skip_blanks(p); *p != '\0'; p = skip_blanks(p)) {
        const int which = *p == 'y' ? 0 : *p == 'v' ? 1 : -1;
        if (which < 0) {
            std::vector<double> values;
            const char* q = p;
            const bool number = read_field(q, values) && !values.empty();
            return number ? Fault{texts().too_many, rest_of_line(p)} : Fault{texts().unreadable, word_at(p)};
        }
        if (seen[which]) return {texts().too_many, rest_of_line(p)};
        seen[which] = true;
        const char* key = p++;
        if (!read_field(p, given[which])) return {texts().unreadable, word_at(p == key + 1 ? key : p)};
        if (given[which].empty()) return {texts().unreadable, word_at(key)};
    }
    Start typed;
    typed.kind = StartKind::typed;
    for (const Fault& fault : {typed_values(given[0], n, "y", typed.displacements),
                               typed_values(given[1], n, "v", typed.velocities)})
        if (fault.message != nullptr) return fault;
    start = std::move(typed);
    return {};
}

// A word that is a decimal number, as typed: digits, signs, a point and an
// exponent only (strtod alone would also take "nan", "inf" and "0x3").
bool decimal_word(const std::string& word)
{
    return !word.empty() && word.find_first_not_of("0123456789+-.eE") == std::string::npos &&
           word.find_first_of("0123456789") != std::string::npos;
}

// The whole number from `lowest` to `highest` that `word` is, into `value`;
// otherwise the word named as unreadable, or `out` for a number that is not
// such a whole number (compared as a double, before any conversion).
Fault read_whole(const std::string& word, int lowest, int highest, int& value, const Fault& out)
{
    if (word.empty()) return out;
    char* end = nullptr;
    const double x = decimal_word(word) ? std::strtod(word.c_str(), &end) : 0.0;
    if (end == nullptr || *end != '\0') return {texts().unreadable, word};
    if (!(x >= lowest && x <= highest) || x != std::floor(x)) return out;
    value = static_cast<int>(x);
    return {};
}

// The N line: a whole number from 1 to most_masses alone, or an empty line
// that keeps `n`.
Fault read_count(const std::string& line, int& n)
{
    const char* const p = skip_blanks(line.c_str());
    if (*p == '\0') return {};
    const std::string word = word_at(p);
    const Fault fault = read_whole(word, 1, most_masses, n, out_of_range("1 ≤ N ≤ " + std::to_string(most_masses)));
    if (fault.message != nullptr) return fault;
    const char* const rest = skip_blanks(p + word.size());
    if (*rest != '\0') return {texts().too_many, rest_of_line(rest)};
    return {};
}

// "k", "p j", "s j" or typed displacements and velocities into `start`;
// an empty line keeps it.
Fault read_start(const std::string& line, int n, Start& start)
{
    std::size_t at = line.find_first_not_of(" \t\r");
    if (at == std::string::npos) return {};
    if (line[at] == 'y' || line[at] == 'v') return read_typed(line.c_str() + at, n, start);
    Start typed;
    if (line[at] == 'p' || line[at] == 's') {
        typed.kind = line[at] == 'p' ? StartKind::pluck : StartKind::strike;
        ++at;
    }
    const char* const from = skip_blanks(line.c_str() + at);
    const std::string word = word_at(from);
    const Fault out = out_of_range("1 ≤ " + std::string(typed.kind == StartKind::mode ? "k" : "j") + " ≤ " +
                                   std::to_string(n));
    int value = 0;
    const Fault fault = read_whole(word, 1, n, value, out);
    if (fault.message != nullptr) return fault;
    const char* const rest = skip_blanks(from + word.size());
    if (*rest != '\0') return {texts().too_many, rest_of_line(rest)};
    typed.at = value;
    start = std::move(typed);
    return {};
}

// After N has changed: the masses, dampers and springs of `chain` that were
// lists take their first value for all, and the console says so.
void fit_to_count(int n, Chain& chain)
{
    const std::vector<double>* lists[] = {&chain.mass, &chain.damping, &chain.stiffness};
    const char* symbols[] = {"m", "λ", "K"};
    for (int i = 0; i < 3; ++i) {
        if (one_value(*lists[i])) continue;
        console_printf(texts().list_dropped, symbols[i], n, symbols[i], lists[i]->front());
    }
    const double m[] = {chain.mass[0]}, l[] = {chain.damping[0]}, k[] = {chain.stiffness[0]};
    make_chain(n, m, l, k, chain);
}

}  // namespace

void ask_chain(Chain& chain, Start& start)
{
    const Texts& t = texts();
    console_printf("%s", t.introduction);
    console_printf(t.defaults, chain.n, values_text(chain.mass).c_str(), values_text(chain.damping).c_str(),
                   values_text(chain.stiffness).c_str());
    for (;;) {
        console_printf("%s", t.count_prompt);
        std::string line;
        const bool more = kit::read_line(line);
        int n = chain.n;
        const Fault fault = read_count(line, n);
        if (fault.message == nullptr) {
            if (n != chain.n) fit_to_count(n, chain);
            break;
        }
        say(fault);
        if (!more) break;
    }
    for (;;) {
        console_printf("%s", t.constants_prompt);
        std::string line;
        const bool more = kit::read_line(line);
        std::vector<double> m = chain.mass, lambda = chain.damping, k = chain.stiffness;
        std::vector<double>* fields[] = {&m, &lambda, &k};
        Fault fault = read_constants(line, chain.n, fields);
        if (fault.message == nullptr) {
            Chain typed;
            const std::string rule = make_chain(chain.n, m, lambda, k, typed);
            const std::string lost = rule.empty() ? lost_frequency(typed, chain_modes(typed)) : "";
            if (rule.empty() && lost.empty()) {
                chain = std::move(typed);
                break;
            }
            fault = rule.empty() ? Fault{t.lost_root, lost} : out_of_range(rule);
        }
        say(fault);
        if (!more) break;
    }
    const bool typed_fits = start.kind == StartKind::typed &&
                            start.displacements.size() == static_cast<std::size_t>(chain.n) &&
                            start.velocities.size() == static_cast<std::size_t>(chain.n);
    if (start.at > chain.n || (start.kind == StartKind::typed && !typed_fits)) start = Start{};
    ask_start(chain, start);
}

void ask_start(const Chain& chain, Start& start)
{
    for (;;) {
        console_printf("%s", texts().shape_prompt);
        std::string line;
        const bool more = kit::read_line(line);
        const Fault fault = read_start(line, chain.n, start);
        if (fault.message == nullptr) break;
        say(fault);
        if (!more) break;
    }
}

std::string frequency_text(double omega)
{
    char text[32];
    // Four decimals where they hold four or more significant digits, powers
    // of ten elsewhere; 10 characters either way.
    const double size = std::fabs(omega);
    const bool decimals = omega == 0.0 || (size >= 0.1 && size < 1e5) || !std::isfinite(omega);
    std::snprintf(text, sizeof text, decimals ? "%10.4f" : "%10.4e", omega);
    return text;
}

void print_frequencies(const Chain& chain, const Modes& modes, const Motion& motion)
{
    const Texts& t = texts();
    const bool closed_form = uniform(chain);
    console_printf("%s", closed_form ? t.uniform_heading : t.frequencies);
    for (int k = 1; k <= modes.n; ++k) {
        const std::string omega = frequency_text(modes.omega[static_cast<std::size_t>(k - 1)]);
        if (closed_form) {
            console_printf(t.uniform_frequency, k, omega.c_str(), frequency_text(uniform_frequency(chain, k)).c_str(),
                           frequency_text(string_frequency(chain, k)).c_str());
        } else {
            console_printf(t.frequency, k, omega.c_str());
        }
    }
    if (motion.step_reduced) console_printf(motion.damping_sets_step ? t.step_damped : t.step_reduced, motion.step);
}

void print_key_help() { console_printf("%s", texts().key_help); }

}  // namespace vibsim::modes
