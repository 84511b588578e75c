// The command line of vibsim-forced.
#pragma once

#include "forced/forced_csv.hpp"
#include "forced/model.hpp"
#include "forced/sweep.hpp"
#include "platform/language.hpp"

#include <optional>
#include <string>

namespace vibsim::forced {

struct Options {
    Model model;                 // checked; the defaults of Model and of its drive where no option says
    bool model_given = false;    // any option of the model: nothing is asked
    double duration = default_duration;  // --duration, of the time file [s]
    SweepRange sweep;            // --sweep, or the default sweep of the model
    std::string frf_csv_file;    // --frf-csv
    std::string time_csv_file;   // --time-csv
    std::string sweep_csv_file;  // --sweep-csv
    std::string fourier_csv_file;  // --fourier-csv
    std::string png_file;        // --png
    platform::Language language = platform::Language::japanese;  // --lang
    int width = 1024;            // --size, of the window and the picture
    int height = 768;
    bool help = false;
    bool version = false;

    // No window: only files are written.
    bool batch() const
    {
        return !frf_csv_file.empty() || !time_csv_file.empty() || !sweep_csv_file.empty() ||
               !fourier_csv_file.empty() || !png_file.empty();
    }
    // The model comes from the console dialog.
    bool ask() const { return !model_given && !batch(); }
};

inline constexpr int most_pixels = 16384;  // per side of --size

// Each drive's amplitude and frequency where none is given: force 1 N at
// 1.8 rad/s, base 0.01 m at 3 rad/s, unbalance 0.05 kg m at 20 rad/s.
double default_amplitude(Drive drive);
double default_frequency(Drive drive);

// "" for a model the lab can show, otherwise the fault, named by its
// field as invalid_field names it ("stiffness", ...) then ": " and the
// rule: invalid_field's faults, and a model too fast to step (more than
// most_substeps shorter steps in 0.01 s).
std::string model_fault(const Model& model);

// The options, or nothing with the fault, naming its option, in `error`.
std::optional<Options> parse_options(int argc, char** argv, std::string& error);

// The usage text, for standard error or for --help.
std::string usage_text(const char* program);

}  // namespace vibsim::forced
