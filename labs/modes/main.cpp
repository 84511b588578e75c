// vibsim-modes: a chain of up to 21 masses between two fixed ends, and what
// it teaches: its natural frequencies (the roots of D(omega)), its mode
// shapes, the energy of a motion in each mode, and resonance under a
// harmonic force.
//
// Without options it asks for the chain on the console, in the simulator's
// words, and opens a window; with options it takes them from the command
// line, and with --csv, --response-csv, --motion-csv or --png it writes
// files instead of opening a window (see --help).
#include "modes/dialog.hpp"
#include "kit/lab_program.hpp"
#include "modes/modes_csv.hpp"
#include "modes/options.hpp"
#include "modes/picture.hpp"
#include "modes/session.hpp"
#include "modes/window.hpp"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    using namespace vibsim::modes;
    namespace kit = vibsim::kit;
    std::string error;
    const std::optional<Options> parsed = parse_options(argc, argv, error);
    static const std::string none;
    const std::string* paths[] = {parsed ? &parsed->csv_file : &none, parsed ? &parsed->response_csv_file : &none,
                                  parsed ? &parsed->motion_csv_file : &none, parsed ? &parsed->png_file : &none};
    kit::OutputFile outputs[4];
    const std::optional<int> ended = kit::start_program(
        {"vibsim-modes", VIBSIM_VERSION, parsed ? nullptr : &error, parsed && parsed->help, parsed && parsed->version,
         usage_text(argv[0]), parsed ? parsed->language : vibsim::platform::Language::japanese, parsed && parsed->batch(),
         "--csv, --response-csv, --motion-csv and --png FILE"},
        paths, outputs);
    if (ended) return *ended;
    const Options& options = *parsed;

    Chain chain = options.chain;
    Start start = options.start;
    if (options.ask()) ask_chain(chain, start);
    static Session session;
    if (!open_session(session, chain, start, options.force)) {
        std::fprintf(stderr, "vibsim-modes: the starting shape does not fit the chain\n");
        return 1;
    }
    print_frequencies(session.chain, session.modes, session.motion);

    if (options.batch()) {
        const bool written = kit::write_program_files(paths, outputs, [&options](std::size_t file) -> std::optional<std::string> {
            switch (file) {
            case 0: return modes_csv(session.chain, session.modes);
            case 1: return response_csv(session.chain, session.modes, options.force.mass, options.force.amplitude);
            case 2: return motion_csv(motion_at_start(session), trace_frames);
            default:
                for (int frame = 0; frame < trace_frames; ++frame) step_frame(session);
                return kit::png_of(options.width, options.height,
                                   [](int width, int height) { show_picture(width, height, session); });
            }
        });
        return written ? 0 : 1;
    }
    print_key_help();
    run_window(session, &argc, argv, options.width, options.height);
}
