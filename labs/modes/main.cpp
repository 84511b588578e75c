// vibsim-modes: a chain of up to 21 masses between two fixed ends, and what
// it teaches: its natural frequencies (the roots of D(omega)), its mode
// shapes, the energy of a motion in each mode, and resonance under a
// harmonic force.
//
// Without options it asks for the chain on the console, in the simulator's
// words, and opens a window; with options it takes them from the command
// line, and with --csv, --response-csv or --png it writes files instead of
// opening a window (see --help).
#include "modes/dialog.hpp"
#include "platform/language.hpp"
#include "modes/modes_csv.hpp"
#include "platform/offscreen.hpp"
#include "modes/options.hpp"
#include "kit/outputs.hpp"
#include "modes/picture.hpp"
#include "platform/program_name.hpp"
#include "modes/session.hpp"
#include "kit/start_up.hpp"
#include "modes/window.hpp"

#include <csignal>
#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    using namespace vibsim::modes;
    vibsim::platform::set_program_name("vibsim-modes");
    std::string error;
    const std::optional<Options> parsed = parse_options(argc, argv, error);
    const std::optional<int> answered = vibsim::kit::answer_at_once(
        parsed ? nullptr : &error, parsed && parsed->help, parsed && parsed->version, usage_text(argv[0]),
        VIBSIM_VERSION);
    if (answered) return *answered;
    const Options& options = *parsed;

    vibsim::platform::choose_language(options.language);

    // The window needs an X display, and the files a place to go: either
    // fault is told before the dialog asks or anything is computed.
    if (!options.batch() && !vibsim::kit::window_can_open("--csv, --response-csv and --png FILE")) return 1;
    // Pipes and FIFOs are opened here, so that waiting for their reader
    // comes before the work.
    const std::string* paths[] = {&options.csv_file, &options.response_csv_file, &options.png_file};
    vibsim::kit::OutputFile outputs[3];
    if (!vibsim::kit::open_outputs(paths, outputs)) return 1;
    // A file that grows past the size limit (ulimit -f) fails its write,
    // which is reported, rather than ending the program with a signal.
    std::signal(SIGXFSZ, SIG_IGN);

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
        std::fputc('\n', stdout);
        std::fflush(stdout);
        bool written = true;
        if (!options.csv_file.empty()) {
            const std::string text = modes_csv(session.chain, session.modes);
            written = vibsim::kit::write_to_output(options.csv_file, outputs[0], text) && written;
        }
        if (!options.response_csv_file.empty()) {
            const std::string text =
                response_csv(session.chain, session.modes, options.force.mass, options.force.amplitude);
            written = vibsim::kit::write_to_output(options.response_csv_file, outputs[1], text) && written;
        }
        if (!options.png_file.empty()) {
            for (int frame = 0; frame < trace_frames; ++frame) step_frame(session);
            std::string png;
            const bool drawn = vibsim::platform::png_picture(options.width, options.height,
                                                        [](int width, int height) {
                                                            set_picture_view(width, height);
                                                            draw_picture(session);
                                                        },
                                                        png);
            written = drawn && vibsim::kit::write_to_output(options.png_file, outputs[2], png) && written;
        }
        return written ? 0 : 1;
    }
    print_key_help();
    run_window(session, &argc, argv, options.width, options.height);
}
