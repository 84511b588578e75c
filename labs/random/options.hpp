// The command line of vibsim-random.
#pragma once

#include "random/lab.hpp"
#include "platform/language.hpp"

#include <optional>
#include <string>

namespace vibsim::random {

struct Options {
    Oscillator oscillator;      // the defaults where no option gives a value
    bool constants_given = false;  // any of the oscillator's options given
    int records = 0;            // --records: records to run before anything is shown
    bool records_given = false;
    std::string csv_file;       // --csv
    std::string png_file;       // --png
    std::optional<unsigned> seed;  // --seed
    std::string tables_folder;  // --tables
    platform::Language language = platform::Language::japanese;  // --lang
    int width = 1024;           // --size, of the window and the picture
    int height = 768;
    bool help = false;
    bool version = false;       // --version

    // No window: only files are written.
    bool batch() const { return !csv_file.empty() || !png_file.empty(); }
    // The constants come from the console dialog.
    bool ask() const { return !constants_given && !batch(); }
};

inline constexpr int most_records = 100000;
inline constexpr int most_pixels = 16384;  // per side of --size

// The options, or nothing with the fault written into `error`.
std::optional<Options> parse_options(int argc, char** argv, std::string& error);

// The usage text, for standard error or for --help.
std::string usage_text(const char* program);

}  // namespace vibsim::random
