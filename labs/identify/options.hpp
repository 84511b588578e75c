// The command line of vibsim-identify.
#pragma once

#include "identify/exercise_code.hpp"
#include "identify/record.hpp"
#include "platform/language.hpp"

#include <optional>
#include <string>

namespace vibsim::identify {

struct Options {
    std::string record_file;          // --record FILE, or the one word that is no option
    ColumnChoice time_column{1, {}};  // --time-column
    ColumnChoice value_column{2, {}}; // --value-column
    std::string frf_file;             // --frf
    std::optional<double> mass;       // --mass
    std::optional<double> damping;    // --damping (for --make-exercise)
    std::optional<double> stiffness;  // --stiffness (for --make-exercise)
    bool make_exercise = false;
    Exercise exercise;                // --make-exercise's case, or --exercise's
    std::string exercise_code;        // --exercise
    std::string answer;               // --answer W,Z
    std::string result_csv_file;      // --result-csv
    std::string record_csv_file;      // --record-csv
    std::string png_file;             // --png
    std::string tables_folder;        // --tables
    platform::Language language = platform::Language::japanese;  // --lang
    int width = 1024;                 // --size
    int height = 768;
    bool help = false;
    bool version = false;

    // No window: files are written or an answer is judged.
    bool batch() const
    {
        return make_exercise || !answer.empty() || !result_csv_file.empty() || !record_csv_file.empty() ||
               !png_file.empty();
    }
    // The record's file comes from the console dialog.
    bool ask() const { return record_file.empty() && frf_file.empty() && exercise_code.empty() && !batch(); }
};

inline constexpr int most_pixels = 16384;  // per side of --size

// The options, or nothing with the fault, naming its option, in `error`.
std::optional<Options> parse_options(int argc, char** argv, std::string& error);

// The usage text, for standard error or for --help.
std::string usage_text(const char* program);

}  // namespace vibsim::identify
