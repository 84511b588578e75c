// A lab's command line, read in two passes: read_arguments splits it into
// the options the lab knows and their values, as "--name value" or
// "--name=value"; then the lab reads each value with the readers below.
// Every fault comes back as one message that names the option.
#pragma once

#include "platform/language.hpp"

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vibsim::kit {

struct OptionName {
    std::string_view name;  // "--mass", or "-h"
    bool takes_value;
};

struct Argument {
    std::string_view name;  // as the lab's table names it
    std::string value;      // empty for an option without a value
};

// Hands the options, in their order, to `take`, which reads the value (or
// returns false with the fault in `error`). False, with the first fault in
// `error`, at a value `take` refuses, a word not in `known` ("unknown option
// --x"), an option that needs a value at the end of the line ("option --x
// needs a value") or one that takes none given one with '=' ("option --x
// takes no value"). The word after an option that takes a value is its
// value, whatever it looks like (so "--y0 -1" works).
bool read_options(int argc, char** argv, std::span<const OptionName> known,
                  const std::function<bool(const Argument&, std::string&)>& take, std::string& error);

// The readers: true with the value set, or false with the message in
// `error`, "option --x: 'v' is not ...".

// A whole finite number; a number too large or too small for a double is
// out of range.
bool read_number(const Argument& argument, double& value, std::string& error);
// Comma-separated finite numbers, at least one ("1,2,0.5").
bool read_number_list(const Argument& argument, std::vector<double>& values, std::string& error);
// A whole number from `lowest` to `highest`.
bool read_whole(const Argument& argument, long long lowest, long long highest, long long& value,
                std::string& error);
// WIDTHxHEIGHT, each side digits alone from 1 to `most`.
bool read_size(const Argument& argument, int most, int& width, int& height, std::string& error);
bool read_language(const Argument& argument, platform::Language& language, std::string& error);
// Any text but the empty one; `what` says what it names ("a file name").
bool read_text(const Argument& argument, const char* what, std::string& value, std::string& error);

// An output named by an option.
struct NamedOutput {
    std::string_view option;
    const std::string* path;  // empty: not asked for
};

// False, with "options --a and --b name the same file x" in `error`, when
// two outputs would be the same file (same_output: however each is named,
// standard output as "-" or /dev/stdout among them), so that one would
// overwrite the other or both would run together.
bool distinct_outputs(std::span<const NamedOutput> outputs, std::string& error);

}  // namespace vibsim::kit
