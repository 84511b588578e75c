// vibsim-random: the oscillator m*y'' + lambda*y' + K*y = f(t) shaken by a
// white-noise force, and what comes of it: the response, the phase plane,
// the amplitude spectrum averaged over records of 10.24 s, and the
// theoretical response |H(omega)| over it.
//
// Without options it asks for the constants on the console, in the
// simulator's words, and opens a window; with options it takes them from the
// command line, and with --csv or --png it writes files instead of opening a
// window (see --help).
#include "random/dialog.hpp"
#include "random/lab.hpp"
#include "platform/language.hpp"
#include "platform/offscreen.hpp"
#include "random/options.hpp"
#include "kit/outputs.hpp"
#include "random/picture.hpp"
#include "platform/program_name.hpp"
#include "kit/start_up.hpp"
#include "random/spectrum_csv.hpp"
#include "random/step_stability.hpp"
#include "random/tables.hpp"
#include "random/texts.hpp"
#include "random/window.hpp"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace vibsim::random {

namespace {

// Records run for a file when --records does not say.
constexpr int default_file_records = 64;

}  // namespace

}  // namespace vibsim::random

int main(int argc, char** argv)
{
    using namespace vibsim::random;
    namespace kit = vibsim::kit;
    namespace platform = vibsim::platform;
    platform::set_program_name("vibsim-random");
    std::string error;
    const std::optional<Options> parsed = parse_options(argc, argv, error);
    const std::optional<int> answered = kit::answer_at_once(parsed ? nullptr : &error, parsed && parsed->help,
                                                       parsed && parsed->version, usage_text(argv[0]), VIBSIM_VERSION);
    if (answered) return *answered;
    const Options& options = *parsed;

    platform::choose_language(options.language);

    // The window needs an X display, and the files a place to go: either
    // fault is told before the dialog asks or any record runs, not after.
    if (!options.batch() && !kit::window_can_open("--csv FILE and --png FILE")) return 1;
    // Pipes and FIFOs are opened here, so that waiting for their reader
    // comes before the work.
    const std::string* paths[] = {&options.csv_file, &options.png_file};
    kit::OutputFile outputs[2];
    kit::OutputFile& csv_output = outputs[0];
    kit::OutputFile& png_output = outputs[1];
    if (!kit::open_outputs(paths, outputs)) return 1;
    // A file that grows past the size limit (ulimit -f) fails its write,
    // which is reported, rather than ending the program with a signal.
    std::signal(SIGXFSZ, SIG_IGN);

    if (options.seed) std::srand(*options.seed);
    if (!load_tables(options.tables_folder)) return 1;

    Oscillator oscillator = options.oscillator;
    if (options.ask()) ask_oscillator(oscillator);
    print_frequencies(oscillator);
    if (const double growth = step_growth(oscillator); !(growth <= largest_bounded_growth)) {
        std::fprintf(stderr,
                     "\nvibsim-random: this oscillator moves too fast for steps of %g s (each step multiplies its"
                     " faster mode by %.6g, more than 1): the computed motion will grow without bound\n",
                     time_step, growth);
    }

    static Lab lab;
    start_lab(lab, oscillator);
    const int records = options.records_given ? options.records : (options.batch() ? default_file_records : 0);
    if (records > 0) run_records(lab, records);

    if (options.batch()) {
        std::fputc('\n', stdout);
        std::fflush(stdout);
        bool written = true;
        if (!options.csv_file.empty()) {
            written = kit::write_to_output(options.csv_file, csv_output, spectrum_csv(lab)) && written;
        }
        if (!options.png_file.empty()) {
            std::string png;
            const bool drawn = platform::png_picture(options.width, options.height,
                                           [](int width, int height) {
                                               set_picture_view(width, height);
                                               draw_picture(lab);
                                           },
                                           png);
            written = drawn && kit::write_to_output(options.png_file, png_output, png) && written;
        }
        if (diverged(lab)) {
            std::fprintf(stderr, "vibsim-random: the motion diverged for these constants and this step of %g s%s\n",
                         time_step, options.csv_file.empty() ? "" : "; its amplitudes are left empty in the CSV");
            return 1;
        }
        return written ? 0 : 1;
    }
    print_key_help();
    run_window(lab, &argc, argv, options.width, options.height);
}
