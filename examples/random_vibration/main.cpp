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
#include "picture.hpp"
#include "response.hpp"
#include "tables.hpp"
#include "window.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace vibsim::lab {

namespace {

// Records run for a file when --records does not say.
constexpr int default_file_records = 64;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// A header line, then harmonic k = 0 ... 512 a line each: its angular
// frequency, its averaged amplitude and the fitted |H| there (empty where
// |H| cannot be computed).
bool write_csv(const Lab& lab, const std::string& file_name)
{
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(file_name.c_str(), "w"));
    if (!file) {
        std::perror(("vibsim-random: cannot write " + file_name).c_str());
        return false;
    }
    std::vector<double> magnitudes(highest_harmonic + 1);
    for (int k = 0; k <= highest_harmonic; ++k) {
        magnitudes[static_cast<std::size_t>(k)] = response_magnitude(lab.oscillator, harmonic_frequency(k));
    }
    const double scale = spectrum_scale(lab, magnitudes);
    std::fprintf(file.get(), "omega_rad_per_s,averaged_amplitude_m,scaled_H_m\n");
    for (int k = 0; k <= highest_harmonic; ++k) {
        const double h = magnitudes[static_cast<std::size_t>(k)];
        std::fprintf(file.get(), "%.17g,%.17g,", harmonic_frequency(k), averaged_amplitude(lab, k));
        if (std::isfinite(h)) std::fprintf(file.get(), "%.17g", scale * h);
        std::fputc('\n', file.get());
    }
    if (std::fflush(file.get()) != 0 || std::ferror(file.get())) {
        std::perror(("vibsim-random: cannot write " + file_name).c_str());
        return false;
    }
    return true;
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
    if (options.help) {
        std::fputs(usage_text(argv[0]).c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("vibsim-random %s\n", VIBSIM_VERSION);
        return 0;
    }

    // The window needs an X display; say so before the dialog asks in vain.
    const char* display = std::getenv("DISPLAY");
    if (!options.batch() && (display == nullptr || *display == '\0')) {
        std::fprintf(stderr, "vibsim-random: the window needs an X display, and DISPLAY is not set;"
                             " --csv FILE and --png FILE work without one\n");
        return 1;
    }

    if (options.seed) std::srand(*options.seed);
    if (!load_tables(options.tables_folder)) return 1;

    Oscillator oscillator = options.oscillator;
    if (options.ask()) ask_oscillator(oscillator);
    print_frequencies(oscillator);
    if (!(fastest_rate(oscillator) <= largest_stable_rate)) {
        std::fprintf(stderr,
                     "\nvibsim-random: this oscillator moves too fast for steps of %g s (rate %g 1/s, more than"
                     " %g): the computed motion will grow without bound\n",
                     time_step, fastest_rate(oscillator), largest_stable_rate);
    }

    static Lab lab;
    start_lab(lab, oscillator);
    const int records = options.records_given ? options.records : (options.batch() ? default_file_records : 0);
    if (records > 0) run_records(lab, records);

    if (options.batch()) {
        std::fputc('\n', stdout);
        bool written = true;
        if (!options.csv_file.empty()) written = write_csv(lab, options.csv_file) && written;
        if (!options.png_file.empty()) {
            written = write_png_picture(options.png_file, options.width, options.height,
                                        [](int width, int height) {
                                            set_picture_view(width, height);
                                            draw_picture(lab);
                                        }) &&
                      written;
        }
        return written ? 0 : 1;
    }
    print_key_help();
    run_window(lab, &argc, argv, options.width, options.height);
}
