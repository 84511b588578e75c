// The identification lab's entry points for its page: its keys, the record
// chosen in the page's file input (read in the page, handed over as text),
// the result table in the desktop's --result-csv form, and the numbers of
// the case shown for the picture's description and the page's links.
#include "identify/messages.hpp"
#include "identify/session.hpp"
#include "identify/window.hpp"
#include "platform/case_table.hpp"

#include <vibsim/console.hpp>
#include <vibsim/frame.hpp>

#include <emscripten/emscripten.h>

#include <cmath>
#include <string>

namespace {

// Text handed to the page, valid until the next call that returns text.
const char* hand_over(std::string text)
{
    static std::string held;
    held = std::move(text);
    return held.c_str();
}

}  // namespace

// A key of the page, as the window takes it.
extern "C" EMSCRIPTEN_KEEPALIVE void vibsim_web_key(int key)
{
    vibsim::identify::press_key(static_cast<unsigned char>(key));
}

// The record of the file `name` whose text the page read: analysed whole
// and shown, or refused with the reason on the console (the record shown
// before stays). 1 when it is taken.
extern "C" EMSCRIPTEN_KEEPALIVE int vibsim_identify_load_record(const char* name, const char* text)
{
    using namespace vibsim::identify;
    Session* s = session_in_window();
    if (s == nullptr || s->is_exercise) return 0;
    RecordReading reading = parse_record(text, name, s->time_column, s->value_column);
    if (reading.error) {
        vibsim::console_printf("\n%s\n", record_error_text(*reading.error, vibsim::platform::chosen_language()).c_str());
        return 0;
    }
    open_record(*s, name, std::move(reading.record));
    print_found(*s);
    vibsim::post_redisplay();
    return 1;
}

// The values found in the desktop's --result-csv form; empty when no decay
// (or no peak) was found, as the desktop then writes no file.
extern "C" EMSCRIPTEN_KEEPALIVE const char* vibsim_identify_result_csv()
{
    using namespace vibsim::identify;
    const Session* s = session_in_window();
    if (s == nullptr || s->is_exercise || s->record.t.empty() || !s->found.fit) return hand_over({});
    return hand_over(session_result_csv(*s));
}

// The case shown: the record's file and samples, the part analysed (t from,
// t to), both methods' omega0 and zeta (null where none), the mass (null
// without), whether it is an exercise and whether its worked identification
// shows. The text stays valid until the next call.
extern "C" EMSCRIPTEN_KEEPALIVE const char* vibsim_web_case()
{
    using namespace vibsim::identify;
    static std::string json;
    const Session* s = session_in_window();
    if (s == nullptr) return "{}";
    const double none = std::nan("");
    const bool worked = !s->is_exercise || s->worked_shown;
    const bool part = s->last > s->first && !s->record.t.empty();
    const auto& d = s->found.decrement;
    const auto& f = s->found.fit;
    json = vibsim::platform::CaseTable()
               .text("file", s->file)
               .number("samples", static_cast<double>(s->record.t.size()))
               .number("from", part ? s->record.t[s->first] : none)
               .number("to", part ? s->record.t[s->last - 1] : none)
               .number("decrement_omega0", worked && d ? d->omega0 : none)
               .number("decrement_zeta", worked && d ? d->zeta : none)
               .number("fit_omega0", worked && f ? f->omega0 : none)
               .number("fit_zeta", worked && f ? f->zeta : none)
               .number("mass", s->mass ? *s->mass : none)
               .number("exercise", s->is_exercise ? 1.0 : 0.0)
               .number("worked", worked ? 1.0 : 0.0)
               .json();
    return json.c_str();
}
