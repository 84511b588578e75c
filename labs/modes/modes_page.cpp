// The modes lab's entry points for its page: its keys, its two CSV files in
// the desktop's formats, the numbers of the case shown (for the picture's
// description and the link of the case), and the link's options checked by
// the program's own command-line rules before it starts.
#include "modes/modes_csv.hpp"
#include "platform/case_table.hpp"
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

// The case shown: N, the lists m, lambda and k (k has N + 1 springs), the
// starting shape (start_kind 0 a mode, 1 a pluck, 2 a strike, at its mode
// or mass start_at), the forcing (forced 1 or 0, at mass force_at, F, its
// omega), the time, the natural frequencies and the chosen mass; empty
// before the window opens. The text stays valid until the next call.
extern "C" EMSCRIPTEN_KEEPALIVE const char* vibsim_web_case()
{
    static std::string json;
    const Session* s = vibsim::modes::session_in_window();
    if (s == nullptr) return "{}";
    const vibsim::modes::Force& force = s->motion.force;
    json = vibsim::platform::CaseTable()
               .number("n", s->chain.n)
               .numbers("mass", s->chain.mass)
               .numbers("damping", s->chain.damping)
               .numbers("stiffness", s->chain.stiffness)
               .number("start_kind", static_cast<double>(s->start.kind))
               .number("start_at", s->start.at)
               .number("forced", force.on ? 1.0 : 0.0)
               .number("force_at", force.mass)
               .number("force", force.amplitude)
               .number("force_frequency", force.omega)
               .number("time", s->motion.time)
               .numbers("omega", s->modes.omega)
               .number("chosen_mass", s->chosen_mass)
               .json();
    return json.c_str();
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
