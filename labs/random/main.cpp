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
#include "kit/lab_program.hpp"
#include "random/options.hpp"
#include "random/picture.hpp"
#include "random/spectrum_csv.hpp"
#include "random/step_stability.hpp"
#include "random/tables.hpp"
#include "random/texts.hpp"
#include "random/window.hpp"

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
    std::string error;
    const std::optional<Options> parsed = parse_options(argc, argv, error);
    static const std::string none;
    const std::string* paths[] = {parsed ? &parsed->csv_file : &none, parsed ? &parsed->png_file : &none};
    kit::OutputFile outputs[2];
    const std::optional<int> ended = kit::start_program(
        {"vibsim-random", VIBSIM_VERSION, parsed ? nullptr : &error, parsed && parsed->help, parsed && parsed->version,
         usage_text(argv[0]), parsed ? parsed->language : vibsim::platform::Language::japanese, parsed && parsed->batch(),
         "--csv FILE and --png FILE"},
        paths, outputs);
    if (ended) return *ended;
    const Options& options = *parsed;

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
        const bool written = kit::write_program_files(paths, outputs, [&options](std::size_t file) -> std::optional<std::string> {
            if (file == 0) return spectrum_csv(lab);
            return kit::png_of(options.width, options.height, [](int width, int height) {
                set_picture_view(width, height);
                draw_picture(lab);
            });
        });
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
