#include "dialog.hpp"

#include "console_input.hpp"
#include "texts.hpp"

#include <vibsim/console.hpp>

#include <cstdlib>
#include <string>

namespace vibsim::modes {

namespace {

void say_out_of_range(const std::string& rule) { console_printf(texts().out_of_range, rule.c_str()); }

// "k", "p j" or "s j" into `start`; true when the line names a shape that
// fits a chain of n masses, or is empty (start kept).
bool read_start(const std::string& line, int n, Start& start, std::string& rule)
{
    std::size_t at = line.find_first_not_of(" \t\r");
    if (at == std::string::npos) return true;
    Start typed;
    if (line[at] == 'p' || line[at] == 's') {
        typed.kind = line[at] == 'p' ? StartKind::pluck : StartKind::strike;
        ++at;
    }
    const char* from = line.c_str() + at;
    char* end = nullptr;
    const long value = std::strtol(from, &end, 10);
    const std::string range = "1 ≤ " + std::string(typed.kind == StartKind::mode ? "k" : "j") + " ≤ " +
                              std::to_string(n);
    if (end == from || value < 1 || value > n) {
        rule = range;
        return false;
    }
    typed.at = static_cast<int>(value);
    start = typed;
    return true;
}

}  // namespace

void ask_chain(Chain& chain, Start& start)
{
    const Texts& t = texts();
    console_printf("%s", t.introduction);
    console_printf(t.defaults, chain.n, chain.mass[0], chain.damping[0], chain.stiffness[0]);
    for (;;) {
        console_printf("%s", t.count_prompt);
        double count = chain.n;
        double* values[] = {&count};
        const bool more = lab::read_numbers(values, 1);
        if (count == static_cast<int>(count) && count >= 1 && count <= most_masses) {
            const int n = static_cast<int>(count);
            if (n != chain.n) {
                const double m[] = {chain.mass[0]}, l[] = {chain.damping[0]}, k[] = {chain.stiffness[0]};
                make_chain(n, m, l, k, chain);
            }
            break;
        }
        say_out_of_range("1 ≤ N ≤ 21");
        if (!more) break;
    }
    for (;;) {
        console_printf("%s", t.constants_prompt);
        double m = chain.mass[0], lambda = chain.damping[0], k = chain.stiffness[0];
        double* values[] = {&m, &lambda, &k};
        const bool more = lab::read_numbers(values, 3);
        if (m == chain.mass[0] && lambda == chain.damping[0] && k == chain.stiffness[0]) break;
        const double ms[] = {m}, ls[] = {lambda}, ks[] = {k};
        const std::string fault = make_chain(chain.n, ms, ls, ks, chain);
        if (fault.empty()) break;
        say_out_of_range(fault);
        if (!more) break;
    }
    if (start.at > chain.n) start = Start{};
    ask_start(chain, start);
}

void ask_start(const Chain& chain, Start& start)
{
    for (;;) {
        console_printf("%s", texts().shape_prompt);
        std::string line;
        const bool more = lab::read_line(line);
        std::string rule;
        if (read_start(line, chain.n, start, rule)) break;
        say_out_of_range(rule);
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
