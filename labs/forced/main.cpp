// vibsim-forced: one mass driven by a force, by its support or by a
// rotating unbalance, and what it teaches: resonance, the phase lag, the
// transient dying onto the steady state, transmissibility, the work per
// cycle, the stepped-sine shaker and periodic forces as sums of harmonics.
//
// Without options it asks for the oscillator on the console and opens a
// window; with options it takes them from the command line, and with any
// output file it writes the files instead of opening a window (see --help).
#include "forced/dialog.hpp"
#include "forced/forced_csv.hpp"
#include "forced/options.hpp"
#include "forced/picture.hpp"
#include "forced/session.hpp"
#include "forced/window.hpp"
#include "kit/display.hpp"
#include "kit/outputs.hpp"
#include "kit/start_up.hpp"
#include "platform/language.hpp"
#include "platform/offscreen.hpp"
#include "platform/program_name.hpp"

#include <csignal>
#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    using namespace vibsim::forced;
    vibsim::platform::set_program_name("vibsim-forced");
    std::string error;
    const std::optional<Options> parsed = parse_options(argc, argv, error);
    const std::optional<int> answered = vibsim::kit::answer_at_once(
        parsed ? nullptr : &error, parsed && parsed->help, parsed && parsed->version, usage_text(argv[0]),
        VIBSIM_VERSION);
    if (answered) return *answered;
    const Options& options = *parsed;

    vibsim::platform::choose_language(options.language);

    if (!options.batch() &&
        !vibsim::kit::window_can_open("--frf-csv, --time-csv, --sweep-csv, --fourier-csv and --png FILE")) {
        return 1;
    }
    const std::string* paths[] = {&options.frf_csv_file, &options.time_csv_file, &options.sweep_csv_file,
                                  &options.fourier_csv_file, &options.png_file};
    vibsim::kit::OutputFile outputs[5];
    if (!vibsim::kit::open_outputs(paths, outputs)) return 1;
    std::signal(SIGXFSZ, SIG_IGN);

    Model model = options.model;
    if (options.ask()) ask_model(model);
    static Session session;
    open_session(session, model, options.ask() ? default_sweep(model) : options.sweep);
    print_readouts(session.motion);

    if (options.batch()) {
        std::fputc('\n', stdout);
        std::fflush(stdout);
        bool written = true;
        const auto write = [&](int at, const std::string& text) {
            written = vibsim::kit::write_to_output(*paths[at], outputs[at], text) && written;
        };
        if (!options.frf_csv_file.empty()) write(0, frf_csv(model));
        if (!options.time_csv_file.empty()) write(1, time_csv(model, options.duration));
        if (!options.sweep_csv_file.empty()) {
            const Sweep sweep = run_sweep(model, options.sweep);
            if (sweep.end == SweepEnd::undamped)
                std::fprintf(stderr, "vibsim-forced: undamped: the transient never dies away, the shaker measures nothing\n");
            if (sweep.end == SweepEnd::lightly_damped)
                std::fprintf(stderr, "vibsim-forced: too lightly damped: the shaker stopped after %zu frequencies\n",
                             sweep.points.size());
            write(2, sweep_csv(sweep));
        }
        if (!options.fourier_csv_file.empty()) write(3, fourier_csv(model));
        if (!options.png_file.empty()) {
            // One sweep of the traces, and the shaker's points over the
            // response curves.
            for (int frame = 0; frame < trace_frames; ++frame) step_frame(session);
            finish_shaker(session);
            std::string png;
            const bool drawn = vibsim::platform::png_picture(options.width, options.height,
                                                             [](int width, int height) {
                                                                 set_picture_view(width, height);
                                                                 draw_picture(session);
                                                             },
                                                             png);
            written = drawn && vibsim::kit::write_to_output(options.png_file, outputs[4], png) && written;
        }
        return written ? 0 : 1;
    }
    print_key_help();
    run_window(session, &argc, argv, options.width, options.height);
}
