#include "identify/session.hpp"

#include "identify/console_texts.hpp"
#include "identify/messages.hpp"

#include <vibsim/console.hpp>

#include <algorithm>

namespace vibsim::identify {

namespace {

std::size_t step_of(const Session& s) { return std::max<std::size_t>(1, s.record.t.size() / 50); }

}  // namespace

void analyse(Session& s)
{
    if (s.record.t.empty()) return;
    s.found = identify_record(s.record, s.first, s.last);
}

void open_record(Session& s, const std::string& file, Record record)
{
    s.file = file;
    s.record = std::move(record);
    whole_record(s);
}

void open_response(Session& s, const std::string& file, Record response)
{
    s.response_file = file;
    s.response = std::move(response);
    NoPeak none = NoPeak::no_peak;
    s.half_power = half_power(s.response.t, s.response.y, none);
    if (!s.half_power) s.no_peak = none;
}

void move_start(Session& s, int steps)
{
    const std::size_t n = s.record.t.size();
    if (n == 0) return;
    const long long step = static_cast<long long>(step_of(s));
    const long long most = static_cast<long long>(s.last) - static_cast<long long>(least_samples);
    const long long start = std::clamp(static_cast<long long>(s.first) + steps * step, 0LL, std::max(0LL, most));
    s.first = static_cast<std::size_t>(start);
    analyse(s);
}

void move_end(Session& s, int steps)
{
    const std::size_t n = s.record.t.size();
    if (n == 0) return;
    const long long step = static_cast<long long>(step_of(s));
    const long long least = static_cast<long long>(s.first + least_samples);
    const long long end = std::clamp(static_cast<long long>(s.last) + steps * step, std::min(least, static_cast<long long>(n)),
                                     static_cast<long long>(n));
    s.last = static_cast<std::size_t>(end);
    analyse(s);
}

void whole_record(Session& s)
{
    s.first = 0;
    s.last = s.record.t.size();
    analyse(s);
}

void print_found(const Session& s)
{
    const ConsoleTexts& t = console_texts();
    const platform::Language language = platform::chosen_language();
    if (!s.record.t.empty()) {
        if (s.is_exercise) {
            console_printf(t.exercise, s.record.t.size(), s.exercise.noise);
            if (!s.worked_shown) {
                console_printf("\n");
                return;
            }
            console_printf("%s", t.worked);
        } else {
            console_printf(t.record, s.file.c_str(), s.record.t.size(), s.record.t.front(), s.record.t.back());
        }
        if (s.last > s.first) {
            console_printf(t.analysed, s.record.t[s.first], s.record.t[s.last - 1], s.last - s.first,
                           s.found.decay.extrema.size());
        }
        if (const auto& m = s.found.decrement) {
            console_printf(t.decrement, m->delta, m->zeta, m->omega_d, m->omega0, m->cycles.empty() ? 0.0 : m->cycles.back());
        }
        if (const auto& f = s.found.fit) {
            console_printf(t.fit, f->omega0, f->omega0_error, f->zeta, f->zeta_error, f->omega_d, f->residual_rms);
        }
        if (s.found.none) console_printf("\n%s", no_decay_text(*s.found.none, language).c_str());
    }
    if (const auto& h = s.half_power) {
        console_printf(t.half_power, s.response_file.c_str(), h->omega_peak, h->omega_low, h->omega_high, h->zeta,
                       h->omega0);
    } else if (s.no_peak) {
        console_printf("\n%s", no_peak_text(*s.no_peak, s.response_file, language).c_str());
    }
    if (s.mass && !s.is_exercise) {
        const std::optional<MethodResult> best =
            s.found.fit ? std::optional<MethodResult>(MethodResult{"fit", s.found.fit->omega0, s.found.fit->zeta, 0.0})
            : s.half_power ? std::optional<MethodResult>(half_power_result(*s.half_power))
                           : std::nullopt;
        if (best) {
            const Constants c = constants_for(*s.mass, best->omega0, best->zeta);
            console_printf(t.constants, *s.mass, c.stiffness, c.damping);
            const std::optional<double> y0 = first_amplitude(s.found);
            if (y0) console_printf(t.replay, simulator_link(*s.mass, c, *y0).c_str());
        }
    }
    console_printf("\n");
}

std::string session_result_csv(const Session& s)
{
    std::vector<MethodResult> results = method_results(s.found);
    if (s.half_power) results.push_back(half_power_result(*s.half_power));
    return result_csv(results, s.mass);
}

}  // namespace vibsim::identify
