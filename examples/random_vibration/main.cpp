// vibsim-random: the oscillator m*y'' + lambda*y' + K*y = f(t) shaken by a
// white-noise force, and what comes of it: the response, the phase plane,
// the amplitude spectrum averaged over records of 10.24 s, and the
// theoretical response |H(omega)| over it.
//
// Without options it asks for the constants on the console, in the
// simulator's words, and opens a window; with options it takes them from the
// command line, and with --csv or --png it writes files instead of opening a
// window (see --help).
#include "dialog.hpp"
#include "lab.hpp"
#include "offscreen.hpp"
#include "options.hpp"
#include "output_file.hpp"
#include "picture.hpp"
#include "spectrum_csv.hpp"
#include "step_stability.hpp"
#include "tables.hpp"
#include "texts.hpp"
#include "window.hpp"

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace vibsim::lab {

namespace {

// Records run for a file when --records does not say.
constexpr int default_file_records = 64;

bool report_unwritable(const std::string& file, OutputFile& output)
{
    std::string reason;
    if (open_output(file, output, reason)) return false;
    std::fprintf(stderr, "vibsim-random: cannot write %s: %s\n", file.c_str(), reason.c_str());
    return true;
}

bool write_to(const std::string& file, OutputFile& output, const std::string& bytes)
{
    std::string reason;
    if (write_output(output, bytes, reason)) return true;
    std::fprintf(stderr, "vibsim-random: cannot write %s: %s; an earlier file of that name is left as it was\n",
                 file.c_str(), reason.c_str());
    return false;
}

}  // namespace

}  // namespace vibsim::lab

int main(int argc, char** argv)
{
    using namespace vibsim::lab;
    std::string error;
    const std::optional<Options> parsed = parse_options(argc, argv, error);
    if (!parsed) {
        std::fprintf(stderr, "vibsim-random: %s\n%s", error.c_str(), usage_text(argv[0]).c_str());
        return 2;
    }
    const Options& options = *parsed;
    if (!options.csv_file.empty() && !options.png_file.empty() && same_output(options.csv_file, options.png_file)) {
        // The one written last would take the other's place.
        std::fprintf(stderr, "vibsim-random: --csv %s and --png %s are the same file; give each its own\n%s",
                     options.csv_file.c_str(), options.png_file.c_str(), usage_text(argv[0]).c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(usage_text(argv[0]).c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("vibsim-random %s\n", VIBSIM_VERSION);
        return 0;
    }

    choose_language(options.language);

    // The window needs an X display, and the files a place to go: either
    // fault is told before the dialog asks or any record runs, not after.
    if (!options.batch()) {
        std::string reason;
        if (!display_opens(reason)) {
            std::fprintf(stderr, "vibsim-random: the window cannot open: %s; --csv FILE and --png FILE work"
                                 " without a display\n", reason.c_str());
            return 1;
        }
    }
    // Pipes and FIFOs are opened here, so that waiting for their reader
    // comes before the work.
    OutputFile csv_output, png_output;
    bool unwritable = false;
    if (!options.csv_file.empty()) unwritable = report_unwritable(options.csv_file, csv_output);
    if (!options.png_file.empty()) unwritable = report_unwritable(options.png_file, png_output) || unwritable;
    if (unwritable) return 1;
    // A file written to standard output keeps it for itself: the console's
    // text goes to standard error instead.
    if (csv_output.standard_output || png_output.standard_output) dup2(STDERR_FILENO, STDOUT_FILENO);
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
        if (!options.csv_file.empty()) written = write_to(options.csv_file, csv_output, spectrum_csv(lab)) && written;
        if (!options.png_file.empty()) {
            std::string png;
            const bool drawn = png_picture(options.width, options.height,
                                           [](int width, int height) {
                                               set_picture_view(width, height);
                                               draw_picture(lab);
                                           },
                                           png);
            written = drawn && write_to(options.png_file, png_output, png) && written;
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
