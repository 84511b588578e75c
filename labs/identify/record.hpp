// A record read from a file: two columns of numbers, such as time and the
// displacement, velocity or acceleration of a free decay, or the frequency
// and amplitude of a response. The reader takes CSV with or without a header
// line, quoted fields, comma, semicolon, tab or blank separators, and decimal
// commas where the separator is a semicolon or a tab.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vibsim::identify {

// Fewer samples than this do not make a record.
inline constexpr std::size_t least_samples = 20;

// A column by its 1-based number or by its header name. The name matches
// without regard to case, and also without a unit in parentheses at its end:
// "acceleration x" names "Acceleration x (m/s^2)".
struct ColumnChoice {
    std::size_t number = 0;  // 1-based; 0 when a name is given
    std::string name;
};

// "3" is column 3, any other text a header name; an empty text is nothing.
std::optional<ColumnChoice> column_named(std::string_view text);

// What is wrong with a record.
enum class RecordProblem {
    missing_file,      // the file cannot be opened
    unreadable_file,   // it opens, but cannot be read (a folder, a read error)
    empty,             // no line with anything on it
    header_only,       // a header line and no numbers
    words,             // a field that is not a number (line, column, the text)
    missing_value,     // a line without the column (line, column)
    not_finite,        // NaN or infinity (line, column, the text)
    too_few,           // fewer than least_samples lines of numbers (the count)
    not_increasing,    // time (or frequency) not above the line before (line)
    no_such_column,    // the column named is not there (the name or number)
    no_header,         // a column named while the file has no header
};

struct RecordError {
    RecordProblem problem = RecordProblem::empty;
    std::string file;     // the file as the user named it
    std::size_t line = 0; // 1-based line of the file; 0 when none applies
    std::string column;   // the column's name or number as text
    std::string detail;   // the text found, or the count, as text
};

struct Record {
    std::vector<double> t;  // the first column chosen (time, or frequency)
    std::vector<double> y;  // the second (the value)
    std::string t_name;     // their header names; empty without a header
    std::string y_name;
};

// A record, or what is wrong with it.
struct RecordReading {
    Record record;
    std::optional<RecordError> error;
};

// The columns `x` and `y` of the text of a file named `file`, every line of
// numbers with both columns finite; at least least_samples lines. Lines that
// hold only blanks, and lines starting with '#', are passed over. The order
// of the first column is not checked.
RecordReading parse_columns(std::string_view text, const std::string& file, const ColumnChoice& x,
                            const ColumnChoice& y);

// parse_columns with the time strictly increasing.
RecordReading parse_record(std::string_view text, const std::string& file, const ColumnChoice& time,
                           const ColumnChoice& value);

// The whole content of the file at `path`, or the missing_file or
// unreadable_file error.
std::optional<RecordError> read_file(const std::string& path, std::string& content);

// parse_record of the file at `path`.
RecordReading read_record(const std::string& path, const ColumnChoice& time, const ColumnChoice& value);

// "t,y" and a line per sample, numbers in "%.17g".
std::string record_csv(const Record& record);

}  // namespace vibsim::identify
