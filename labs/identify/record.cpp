#include "identify/record.hpp"

#include "identify/csv_lines.hpp"

#include <cmath>
#include <cstdio>
#include <iterator>

#include <sys/stat.h>

namespace vibsim::identify {

namespace {

std::string lower(std::string_view text)
{
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

// The name without a unit in parentheses or brackets at its end, lower case.
std::string bare_name(std::string_view name)
{
    std::string text = lower(name);
    if (!text.empty() && (text.back() == ')' || text.back() == ']')) {
        const std::size_t open = text.find_last_of(text.back() == ')' ? '(' : '[');
        if (open != std::string::npos && open > 0) text.resize(open);
    }
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

std::string column_text(const ColumnChoice& choice)
{
    return choice.name.empty() ? std::to_string(choice.number) : choice.name;
}

// The 0-based index of the column chosen among the header's names (empty
// without a header), or the error.
std::optional<std::size_t> column_index(const ColumnChoice& choice, const std::vector<std::string>& header,
                                        std::size_t fields, RecordError& error)
{
    error.column = column_text(choice);
    if (choice.name.empty()) {
        if (choice.number >= 1 && choice.number <= fields) return choice.number - 1;
        error.problem = RecordProblem::no_such_column;
        return std::nullopt;
    }
    if (header.empty()) {
        error.problem = RecordProblem::no_header;
        return std::nullopt;
    }
    for (std::size_t i = 0; i < header.size(); ++i) {
        if (lower(header[i]) == lower(choice.name)) return i;
    }
    for (std::size_t i = 0; i < header.size(); ++i) {
        if (bare_name(header[i]) == bare_name(choice.name)) return i;
    }
    error.problem = RecordProblem::no_such_column;
    return std::nullopt;
}

// A column as a message names it: its header name, or else its number.
std::string column_label(const std::vector<std::string>& header, std::size_t index)
{
    if (index < header.size() && !header[index].empty()) return printable_excerpt(header[index], 60);
    return std::to_string(index + 1);
}

bool all_numbers(const std::vector<std::string>& fields, bool decimal_comma)
{
    for (const std::string& field : fields) {
        if (!field.empty() && !field_number(field, decimal_comma)) return false;
    }
    return true;
}

RecordReading failed(RecordError error)
{
    RecordReading reading;
    reading.error = std::move(error);
    return reading;
}

}  // namespace

std::optional<ColumnChoice> column_named(std::string_view text)
{
    if (text.empty()) return std::nullopt;
    ColumnChoice choice;
    if (text.find_first_not_of("0123456789") == std::string_view::npos && text.size() < 10) {
        choice.number = static_cast<std::size_t>(std::stoul(std::string(text)));
    } else {
        choice.name = std::string(text);
    }
    return choice;
}

namespace {

// The columns of a text; with `increasing`, each value of the first column
// above the one before.
RecordReading parse(std::string_view text, const std::string& file, const ColumnChoice& x, const ColumnChoice& y,
                    bool increasing)
{
    RecordError error;
    error.file = file;
    const std::vector<std::string_view> lines = text_lines(text);

    // The separator and the decimal mark come from the first line that holds
    // anything; it is the header when a field of it is no number.
    std::size_t first = 0;
    auto passed_over = [](std::string_view line) {
        const std::size_t start = line.find_first_not_of(" \t");
        return start == std::string_view::npos || line[start] == '#';
    };
    while (first < lines.size() && passed_over(lines[first])) ++first;
    if (first == lines.size()) {
        error.problem = RecordProblem::empty;
        return failed(error);
    }
    const Separator separator = separator_of(lines[first]);
    const bool decimal_comma = separator == Separator::semicolon || separator == Separator::tab;
    std::vector<std::string> header = split_fields(lines[first], separator);
    std::size_t data = first + 1;
    if (all_numbers(header, decimal_comma)) {
        header.clear();
        data = first;
    }

    RecordReading reading;
    std::optional<std::size_t> ix;
    std::optional<std::size_t> iy;
    for (std::size_t n = data; n < lines.size(); ++n) {
        if (passed_over(lines[n])) continue;
        const std::vector<std::string> fields = split_fields(lines[n], separator);
        error.line = n + 1;
        if (!ix) {
            // The columns are found on the first line of numbers (or the header).
            const std::size_t width = header.empty() ? fields.size() : header.size();
            ix = column_index(x, header, width, error);
            if (ix) iy = column_index(y, header, width, error);
            if (!ix || !iy) {
                error.line = 0;
                return failed(error);
            }
        }
        const std::size_t columns[2] = {*ix, *iy};
        double values[2] = {0.0, 0.0};
        for (int k = 0; k < 2; ++k) {
            const std::size_t c = columns[k];
            error.column = column_label(header, c);
            if (c >= fields.size() || fields[c].empty()) {
                error.problem = RecordProblem::missing_value;
                return failed(error);
            }
            const std::optional<double> value = field_number(fields[c], decimal_comma);
            error.detail = printable_excerpt(fields[c], 40);
            if (!value) {
                error.problem = RecordProblem::words;
                return failed(error);
            }
            if (!std::isfinite(*value)) {
                error.problem = RecordProblem::not_finite;
                return failed(error);
            }
            values[k] = *value;
        }
        if (increasing && !reading.record.t.empty() && !(values[0] > reading.record.t.back())) {
            error.problem = RecordProblem::not_increasing;
            error.column = column_label(header, *ix);
            error.detail = printable_excerpt(fields[*ix], 40);
            return failed(error);
        }
        reading.record.t.push_back(values[0]);
        reading.record.y.push_back(values[1]);
    }
    error.line = 0;
    error.column.clear();
    error.detail.clear();
    if (reading.record.t.empty()) {
        error.problem = header.empty() ? RecordProblem::empty : RecordProblem::header_only;
        return failed(error);
    }
    if (reading.record.t.size() < least_samples) {
        error.problem = RecordProblem::too_few;
        error.detail = std::to_string(reading.record.t.size());
        return failed(error);
    }
    if (!header.empty()) {
        reading.record.t_name = header[*ix];
        reading.record.y_name = header[*iy];
    }
    return reading;
}

}  // namespace

RecordReading parse_columns(std::string_view text, const std::string& file, const ColumnChoice& x,
                            const ColumnChoice& y)
{
    return parse(text, file, x, y, false);
}

RecordReading parse_record(std::string_view text, const std::string& file, const ColumnChoice& time,
                           const ColumnChoice& value)
{
    return parse(text, file, time, value, true);
}

std::optional<RecordError> read_file(const std::string& path, std::string& content)
{
    // Plain C files rather than streams: the page's program stays small.
    RecordError error;
    error.file = path;
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        error.problem = RecordProblem::missing_file;
        return error;
    }
    std::FILE* file = S_ISDIR(status.st_mode) ? nullptr : std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        error.problem = S_ISDIR(status.st_mode) ? RecordProblem::unreadable_file : RecordProblem::missing_file;
        return error;
    }
    std::string bytes;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        error.problem = RecordProblem::unreadable_file;
        return error;
    }
    content = std::move(bytes);
    return std::nullopt;
}

RecordReading read_record(const std::string& path, const ColumnChoice& time, const ColumnChoice& value)
{
    std::string content;
    if (std::optional<RecordError> error = read_file(path, content)) return failed(*error);
    return parse_record(content, path, time, value);
}

std::string record_csv(const Record& record)
{
    std::string text = "t,y\n";
    char line[64];
    for (std::size_t i = 0; i < record.t.size() && i < record.y.size(); ++i) {
        std::snprintf(line, sizeof line, "%.17g,%.17g\n", record.t[i], record.y[i]);
        text += line;
    }
    return text;
}

}  // namespace vibsim::identify
