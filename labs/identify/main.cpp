// vibsim-identify: the natural frequency omega0 and the damping ratio zeta
// of a recorded free decay, by the logarithmic decrement and by a least-
// squares fit; or of a frequency response by its half-power bandwidth; and
// exercises handed out by link, whose answers it judges.
//
// Without options it asks for the record's file on the console and opens a
// window; with --result-csv, --png, --record-csv, --answer or
// --make-exercise it writes files or answers instead (see --help).
#include "identify/console_texts.hpp"
#include "identify/dialog.hpp"
#include "identify/exercise.hpp"
#include "identify/messages.hpp"
#include "identify/options.hpp"
#include "identify/picture.hpp"
#include "identify/session.hpp"
#include "identify/tables.hpp"
#include "identify/window.hpp"
#include "kit/display.hpp"
#include "kit/outputs.hpp"
#include "kit/start_up.hpp"
#include "platform/offscreen.hpp"
#include "platform/program_name.hpp"

#include <vibsim/console.hpp>

#include <csignal>
#include <cstdio>
#include <string>

namespace {

using namespace vibsim::identify;

// On the page the file input takes the dialog's place: the window opens on
// no record, and the record chosen is handed over (identify_page.cpp).
#ifdef __EMSCRIPTEN__
constexpr bool file_input_page = true;
#else
constexpr bool file_input_page = false;
#endif

void say(const std::string& message) { std::fprintf(stderr, "vibsim-identify: %s\n", message.c_str()); }

// The session of the options' record, response or exercise; false after
// the message when one cannot be had.
bool open_inputs(const Options& o, Session& session)
{
    const vibsim::platform::Language language = vibsim::platform::chosen_language();
    if (!o.exercise_code.empty() || o.make_exercise) {
        if (o.exercise.noise > 0.0 && !load_tables(o.tables_folder)) return false;
        std::optional<Record> record = exercise_record(o.exercise);
        if (!record) return false;
        session.is_exercise = true;
        session.exercise = o.exercise;
        session.worked_shown = false;
        open_record(session, "", std::move(*record));
        return true;
    }
    if (!o.record_file.empty()) {
        RecordReading reading = read_record(o.record_file, o.time_column, o.value_column);
        if (reading.error) {
            say(record_error_text(*reading.error, language));
            return false;
        }
        open_record(session, o.record_file, std::move(reading.record));
    }
    if (!o.frf_file.empty()) {
        std::string text;
        if (const std::optional<RecordError> error = read_file(o.frf_file, text)) {
            say(record_error_text(*error, language));
            return false;
        }
        RecordReading reading = parse_response(text, o.frf_file, ColumnChoice{1, {}}, response_amplitude_column(text));
        if (reading.error) {
            say(record_error_text(*reading.error, language));
            return false;
        }
        open_response(session, o.frf_file, std::move(reading.record));
    }
    session.mass = o.mass;
    return true;
}

// A record with no decay (or a response with no peak) gives no result: the
// console has said why.
bool found_something(const Session& s)
{
    const bool record_found = s.record.t.empty() || (s.found.decrement && s.found.fit);
    const bool response_found = s.response_file.empty() || s.half_power.has_value();
    return record_found && response_found;
}

}  // namespace

int main(int argc, char** argv)
{
    vibsim::platform::set_program_name("vibsim-identify");
    std::string error;
    const std::optional<Options> parsed = parse_options(argc, argv, error);
    const std::optional<int> answered = vibsim::kit::answer_at_once(
        parsed ? nullptr : &error, parsed && parsed->help, parsed && parsed->version, usage_text(argv[0]),
        VIBSIM_VERSION);
    if (answered) return *answered;
    const Options& options = *parsed;
    vibsim::platform::choose_language(options.language);

    if (!options.batch() &&
        !vibsim::kit::window_can_open("--result-csv, --png, --record-csv and --answer")) {
        return 1;
    }
    const std::string* paths[] = {&options.result_csv_file, &options.record_csv_file, &options.png_file};
    vibsim::kit::OutputFile outputs[3];
    if (!vibsim::kit::open_outputs(paths, outputs)) return 1;
    std::signal(SIGXFSZ, SIG_IGN);

    static Session session;
    if (options.make_exercise) {
        const std::string code = exercise_code(options.exercise);
        vibsim::console_printf(console_texts().exercise_link, exercise_link(code).c_str(), code.c_str());
        vibsim::console_printf("\n");
        if (options.record_csv_file.empty()) return 0;
    }
    session.time_column = options.time_column;
    session.value_column = options.value_column;
    if (options.ask() && !file_input_page) {
        if (!ask_record(session, options.time_column, options.value_column)) return 0;
    } else if (!open_inputs(options, session)) {
        return 1;
    }
    if (!options.make_exercise && !(options.ask() && file_input_page)) print_found(session);

    if (options.batch()) {
        bool written = true;
        int status = 0;
        if (!options.answer.empty() && !answer_exercise(session, options.answer)) status = 1;
        if (session.worked_shown && !options.answer.empty()) print_found(session);
        if (!found_something(session) && !session.is_exercise) {
            // No result is made up: no result file, and the picture shows
            // only the record.
            status = 1;
            if (options.png_file.empty()) return status;
        }
        if (!options.result_csv_file.empty() && status == 0) {
            written = vibsim::kit::write_to_output(options.result_csv_file, outputs[0], session_result_csv(session));
        }
        if (!options.record_csv_file.empty()) {
            written = vibsim::kit::write_to_output(options.record_csv_file, outputs[1], record_csv(session.record)) &&
                      written;
        }
        if (!options.png_file.empty()) {
            std::string png;
            const bool drawn = vibsim::platform::png_picture(options.width, options.height,
                                                             [](int width, int height) {
                                                                 set_picture_view(width, height);
                                                                 draw_picture(session);
                                                             },
                                                             png);
            written = drawn && vibsim::kit::write_to_output(options.png_file, outputs[2], png) && written;
        }
        return written ? status : 1;
    }
    print_key_help(session);
    run_window(session, &argc, argv, options.width, options.height);
}
