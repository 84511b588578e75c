#include "modes/dialog.hpp"

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
// unreadable, too_many) and what it names; no message for a line taken.
struct Fault {
    const char* message = nullptr;
    std::string what;
};

Fault out_of_range(std::string rule) { return {texts().out_of_range, std::move(rule)}; }

void say(const Fault& fault) { console_printf(fault.message, fault.what.c_str()); }

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
// field; an empty `values` where the line has no more fields.
bool read_field(const char*& p, std::vector<double>& values)
{
    values.clear();
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
            p = q;
            return true;
        }
        q = skip_blanks(q + 1);
    }
}

// The m lambda K line: each field it gives replaces its list in `fields`;
// the fields it leaves out keep theirs.
Fault read_constants(const std::string& line, std::vector<double>* fields[3])
{
    const char* p = line.c_str();
    std::vector<double> given[3];
    for (std::vector<double>& values : given) {
        if (!read_field(p, values)) return {texts().unreadable, word_at(p)};
        if (values.empty()) break;
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
    const char* from = line.c_str() + at;
    char* end = nullptr;
    const long value = std::strtol(from, &end, 10);
    if (end == from || value < 1 || value > n) {
        return out_of_range("1 ≤ " + std::string(typed.kind == StartKind::mode ? "k" : "j") + " ≤ " +
                            std::to_string(n));
    }
    typed.at = static_cast<int>(value);
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
        double count = chain.n;
        double* values[] = {&count};
        const bool more = kit::read_numbers(values, 1);
        if (count == static_cast<int>(count) && count >= 1 && count <= most_masses) {
            const int n = static_cast<int>(count);
            if (n != chain.n) fit_to_count(n, chain);
            break;
        }
        say(out_of_range("1 ≤ N ≤ 21"));
        if (!more) break;
    }
    for (;;) {
        console_printf("%s", t.constants_prompt);
        std::string line;
        const bool more = kit::read_line(line);
        std::vector<double> m = chain.mass, lambda = chain.damping, k = chain.stiffness;
        std::vector<double>* fields[] = {&m, &lambda, &k};
        Fault fault = read_constants(line, fields);
        if (fault.message == nullptr) {
            const std::string rule = make_chain(chain.n, m, lambda, k, chain);
            if (rule.empty()) break;
            fault = out_of_range(rule);
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

void print_frequencies(const Chain& chain, const Modes& modes, const Motion& motion)
{
    const Texts& t = texts();
    const bool closed_form = uniform(chain);
    console_printf("%s", closed_form ? t.uniform_heading : t.frequencies);
    for (int k = 1; k <= modes.n; ++k) {
        const double omega = modes.omega[static_cast<std::size_t>(k - 1)];
        if (closed_form) {
            console_printf(t.uniform_frequency, k, omega, uniform_frequency(chain, k), string_frequency(chain, k));
        } else {
            console_printf(t.frequency, k, omega);
        }
    }
    if (motion.step_reduced) console_printf(t.step_reduced, motion.step);
}

void print_key_help() { console_printf("%s", texts().key_help); }

}  // namespace vibsim::modes
