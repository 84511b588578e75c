// The modes lab's entry points for its page: its keys, its three CSV files in
// the desktop's formats, the numbers of the case shown (for the picture's
// description and the link of the case), and the link's options checked by
// the program's own command-line rules before it starts.
#include "modes/modes_csv.hpp"
#include "modes/options.hpp"
#include "modes/window.hpp"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using vibsim::modes::Session;

// Text handed to the page, valid until the next call that returns text.
const char* hand_over(std::string text)
{
    static std::string held;
    held = std::move(text);
    return held.c_str();
}

// The program's options from blank-free words joined by '\n'.
std::optional<vibsim::modes::Options> parse_words(std::string_view joined, std::string& error)
{
    std::vector<std::string> words{"vibsim-modes"};
    for (std::size_t from = 0; from < joined.size();) {
        const std::size_t end = std::min(joined.find('\n', from), joined.size());
        words.emplace_back(joined.substr(from, end - from));
        from = end + 1;
    }
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    return vibsim::modes::parse_options(static_cast<int>(words.size()), argv.data(), error);
}

}  // namespace

// A key of the page, as the window takes it.
extern "C" EMSCRIPTEN_KEEPALIVE void vibsim_web_key(int key)
{
    vibsim::modes::press_key(static_cast<unsigned char>(key));
}

// The modes of the chain shown, as --csv writes them; empty before the
// window opens.
extern "C" EMSCRIPTEN_KEEPALIVE const char* vibsim_modes_csv()
{
    const Session* s = vibsim::modes::session_in_window();
    return hand_over(s != nullptr ? vibsim::modes::modes_csv(s->chain, s->modes) : std::string());
}

// The steady response of the chain shown, as --response-csv writes it for
// the force of the case (its amplitude, on the mass that the keys force or
// would force); empty before the window opens.
extern "C" EMSCRIPTEN_KEEPALIVE const char* vibsim_modes_response_csv()
{
    const Session* s = vibsim::modes::session_in_window();
    if (s == nullptr) return hand_over({});
    return hand_over(vibsim::modes::response_csv(s->chain, s->modes, s->motion.force.mass, s->motion.force.amplitude));
}

// The motion of the chain shown over one sweep from its start, as
// --motion-csv writes it (with the force as it is now); empty before the
// window opens.
extern "C" EMSCRIPTEN_KEEPALIVE const char* vibsim_modes_motion_csv()
{
    const Session* s = vibsim::modes::session_in_window();
    if (s == nullptr) return hand_over({});
    return hand_over(vibsim::modes::motion_csv(vibsim::modes::motion_at_start(*s), vibsim::modes::trace_frames));
}

// The case shown, by what (i counts from 0 in the lists): 0 N, 1 m_i,
// 2 lambda_i, 3 k_i (i = 0 ... N), 4 the starting shape (0 a mode, 1 a
// pluck, 2 a strike), 5 its mode or mass, 6 forcing on (1) or off (0), 7 the
// forced mass, 8 F, 9 the forcing omega, 10 the time, 11 omega_(i+1), 12 the
// chosen mass, 13 the number of starting shapes so far. 0 before the window
// opens or outside the lists.
extern "C" EMSCRIPTEN_KEEPALIVE double vibsim_modes_case_value(int what, int i)
{
    const Session* s = vibsim::modes::session_in_window();
    if (s == nullptr) return 0.0;
    const auto item = [i](const std::vector<double>& list) {
        return i >= 0 && static_cast<std::size_t>(i) < list.size() ? list[static_cast<std::size_t>(i)] : 0.0;
    };
    const vibsim::modes::Force& force = s->motion.force;
    switch (what) {
    case 0: return s->chain.n;
    case 1: return item(s->chain.mass);
    case 2: return item(s->chain.damping);
    case 3: return item(s->chain.stiffness);
    case 4: return static_cast<double>(s->start.kind);
    case 5: return s->start.at;
    case 6: return force.on ? 1.0 : 0.0;
    case 7: return force.mass;
    case 8: return force.amplitude;
    case 9: return force.omega;
    case 10: return s->motion.time;
    case 11: return item(s->modes.omega);
    case 12: return s->chosen_mass;
    case 13: return s->starts;
    default: return 0.0;
    }
}

// Whether the program would take `option value` after the options `kept`
// (words joined by '\n', which it takes): "" when it would, otherwise the
// rule broken. Chain faults come in the program's symbols ("#m = 2: 1 or 3",
// "m_2 = -1: 1e-100 ≤ m ≤ 1e+100"), which read the same in both languages;
// a mode or mass number beyond the chain as the dialog says it, "1 ≤ k ≤ 3".
extern "C" EMSCRIPTEN_KEEPALIVE const char* vibsim_modes_option_fault(const char* kept, const char* option,
                                                                       const char* value)
{
    std::string error;
    const std::string before = kept;
    const std::string words = (before.empty() ? "" : before + "\n") + option + "\n" + value;
    if (parse_words(words, error)) return hand_over({});
    const std::string_view name = option;
    const bool numbered = name == "--mode" || name == "--pluck" || name == "--strike" || name == "--force-at";
    std::string earlier_error;
    const std::optional<vibsim::modes::Options> earlier = parse_words(before, earlier_error);
    if (earlier && numbered) {
        // The number itself is a whole number from 1 to 21 (the page checks
        // that first): what is left is the chain's length.
        return hand_over(std::string("1 ≤ ") + (name == "--mode" ? "k" : "j") + " ≤ " +
                         std::to_string(earlier->chain.n));
    }
    const std::string prefix = "option " + std::string(name) + ": ";
    if (error.starts_with(prefix)) error.erase(0, prefix.size());
    return hand_over(error);
}
