// What vibsim-identify shows: a record and the part of it analysed, what
// both methods found there, a frequency response's half-power result, and
// for an exercise whether the worked identification may be shown yet. The
// window, the picture, the page and the console all work on one session.
#pragma once

#include "identify/exercise.hpp"
#include "identify/half_power.hpp"
#include "identify/identification.hpp"
#include "identify/record.hpp"

#include <cstddef>
#include <optional>
#include <string>

namespace vibsim::identify {

struct Session {
    std::string file;               // the record's file as named; empty without a record
    Record record;
    std::size_t first = 0;          // the samples [first, last) analysed
    std::size_t last = 0;
    Identification found;
    std::optional<double> mass;
    ColumnChoice time_column{1, {}};   // the columns a record is read from
    ColumnChoice value_column{2, {}};
    std::string response_file;      // the frequency response's file; empty without one
    Record response;                // omega and amplitude
    std::optional<HalfPower> half_power;
    std::optional<NoPeak> no_peak;
    bool is_exercise = false;
    Exercise exercise;
    bool worked_shown = true;       // false for an exercise until answered right or asked
};

// Analyses [first, last) of the record again.
void analyse(Session& session);

// The session of a record read from `file`: the whole record analysed.
void open_record(Session& session, const std::string& file, Record record);

// Adds the half-power result of a response read from `file`.
void open_response(Session& session, const std::string& file, Record response);

// Moves the start (or the end) of the part analysed by `steps` fiftieths of
// the record, keeping at least least_samples samples in it.
void move_start(Session& session, int steps);
void move_end(Session& session, int steps);

// The whole record analysed again.
void whole_record(Session& session);

// The console's account of what was found: the record, the part analysed,
// both methods (or why there is no decay), the half-power result, and with
// the mass the constants and the link that replays the record.
void print_found(const Session& session);

// The values of the result table in the desktop's --result-csv form.
std::string session_result_csv(const Session& session);

}  // namespace vibsim::identify
