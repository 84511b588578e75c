// The command line of vibsim-modes.
#pragma once

#include "modes/chain.hpp"
#include "platform/language.hpp"
#include "modes/motion.hpp"
#include "modes/session.hpp"

#include <optional>
#include <string>

namespace vibsim::modes {

struct Options {
    Chain chain;                 // checked, N = 5, m = 1, lambda = 0, K = 1 where no option says
    bool chain_given = false;    // any of --masses, --mass, --damping, --stiffness
    Start start;                 // mode 1 where no option says
    bool start_given = false;    // --mode, --pluck or --strike
    Force force;                 // F = 1 on mass 1 at omega = 1 rad/s where no option says
    bool force_given = false;    // any of --force-at, --force, --force-frequency: forcing on
    std::string csv_file;        // --csv
    std::string response_csv_file;  // --response-csv
    std::string png_file;        // --png
    platform::Language language = platform::Language::japanese;  // --lang
    int width = 1024;            // --size, of the window and the picture
    int height = 768;
    bool help = false;
    bool version = false;

    // No window: only files are written.
    bool batch() const { return !csv_file.empty() || !response_csv_file.empty() || !png_file.empty(); }
    // The chain and the starting shape come from the console dialog.
    bool ask() const { return !chain_given && !start_given && !batch(); }
};

inline constexpr int most_pixels = 16384;  // per side of --size

// The options, or nothing with the fault, naming its option, in `error`.
std::optional<Options> parse_options(int argc, char** argv, std::string& error);

// The usage text, for standard error or for --help.
std::string usage_text(const char* program);

}  // namespace vibsim::modes
