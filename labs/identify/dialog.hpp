// vibsim-identify's console dialog in the simulator's form: the record's
// file and the mass; for an exercise, the answer omega0, zeta on one line.
#pragma once

#include "identify/session.hpp"

#include <optional>
#include <string>

namespace vibsim::identify {

// Asks for the record's file until one reads as a record (each fault named),
// then for the mass (an empty line for none). False at the end of input.
bool ask_record(Session& session, const ColumnChoice& time, const ColumnChoice& value);

// Asks for omega0 and zeta and answers whether they are right; after a
// right answer the worked identification is shown. An empty line (or the
// end of input) asks nothing more.
void ask_answer(Session& session);

// Judges `answer` ("W,Z") for the session's exercise and says so; true when
// it is right, which shows the worked identification.
bool answer_exercise(Session& session, const std::string& answer);

// The keys of the window.
void print_key_help(const Session& session);

}  // namespace vibsim::identify
