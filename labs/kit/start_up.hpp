// What every lab does first: the answers it gives at once, before any
// dialog or display (a refused command line, --help, --version), and the
// lines its usage text shares with every other lab's.
#pragma once

#include <optional>
#include <string>

namespace vibsim::kit {

// The exit status when the lab ends here: 2 after the fault in `error` and
// the usage on standard error, when `error` is not null; 0 after the usage
// for --help or "<program> <version>" for --version on standard output.
// Nothing when the lab goes on.
std::optional<int> answer_at_once(const std::string* error, bool help, bool version, const std::string& usage,
                                  const char* version_text);

// The usage text's first line: "usage: <program> [options]".
std::string usage_head(const char* program);

// The usage lines of --size, --lang, --help and --version, their texts
// starting at `column`, and the note on --name=value.
std::string shared_usage(int column);

}  // namespace vibsim::kit
