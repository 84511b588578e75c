#include "identify/options.hpp"

#include "identify/exercise.hpp"
#include "identify/messages.hpp"
#include "kit/option_parsing.hpp"
#include "kit/start_up.hpp"

#include <cmath>
#include <string_view>
#include <vector>

namespace vibsim::identify {

namespace {

using kit::Argument;
using kit::OptionName;

constexpr OptionName known[] = {
    {"--help", false},        {"-h", false},           {"--version", false},     {"--record", true},
    {"--time-column", true},  {"--value-column", true}, {"--frf", true},          {"--mass", true},
    {"--damping", true},      {"--stiffness", true},   {"--make-exercise", false}, {"--y0", true},
    {"--noise", true},        {"--seed", true},        {"--tolerance", true},    {"--exercise", true},
    {"--answer", true},       {"--result-csv", true},  {"--record-csv", true},   {"--png", true},
    {"--tables", true},       {"--size", true},        {"--lang", true},
};

bool refuse(const Argument& a, const std::string& why, std::string& error)
{
    error = "option " + std::string(a.name) + ": '" + a.value + "' " + why;
    return false;
}

bool read_positive(const Argument& a, double& value, std::string& error)
{
    if (!kit::read_number(a, value, error)) return false;
    return value > 0.0 || refuse(a, "is not more than 0", error);
}

// The options that say what a case is made of, remembered so that a fault
// found once all are read names the one that caused it.
struct Given {
    bool y0 = false, noise = false, seed = false, tolerance = false;
};

bool take(const Argument& a, Options& o, Given& g, std::string& error)
{
    if (a.name == "--help" || a.name == "-h") {
        o.help = true;
    } else if (a.name == "--version") {
        o.version = true;
    } else if (a.name == "--make-exercise") {
        o.make_exercise = true;
    } else if (a.name == "--record" || a.name == "--frf" || a.name == "--tables") {
        std::string& file = a.name == "--record" ? o.record_file : a.name == "--frf" ? o.frf_file : o.tables_folder;
        if (!file.empty()) return refuse(a, "is a second one; give one", error);
        return kit::read_text(a, a.name == "--tables" ? "a folder" : "a file name", file, error);
    } else if (a.name == "--time-column" || a.name == "--value-column") {
        const std::optional<ColumnChoice> column = column_named(a.value);
        if (!column) return refuse(a, "is not a column number or name", error);
        (a.name == "--time-column" ? o.time_column : o.value_column) = *column;
    } else if (a.name == "--mass" || a.name == "--damping" || a.name == "--stiffness") {
        double value = 0.0;
        if (!read_positive(a, value, error)) return false;
        (a.name == "--mass" ? o.mass : a.name == "--damping" ? o.damping : o.stiffness) = value;
    } else if (a.name == "--y0") {
        g.y0 = true;
        if (!kit::read_number(a, o.exercise.y0, error)) return false;
        return o.exercise.y0 != 0.0 || refuse(a, "is 0: nothing would move", error);
    } else if (a.name == "--noise") {
        g.noise = true;
        if (!kit::read_number(a, o.exercise.noise, error)) return false;
        return o.exercise.noise >= 0.0 || refuse(a, "is less than 0", error);
    } else if (a.name == "--seed") {
        g.seed = true;
        long long seed = 0;
        if (!kit::read_whole(a, 0, 4294967295LL, seed, error)) return false;
        o.exercise.seed = static_cast<std::uint32_t>(seed);
    } else if (a.name == "--tolerance") {
        // One percentage for both, or "W,Z": omega0's and zeta's.
        g.tolerance = true;
        std::vector<double> percent;
        if (!kit::read_number_list(a, percent, error)) return false;
        if (percent.size() > 2) return refuse(a, "is more than two percentages", error);
        for (const double p : percent) {
            if (!(p > 0.0 && p < 100.0)) return refuse(a, "is not a percentage above 0 and below 100", error);
        }
        o.exercise.omega0_tolerance = percent.front() / 100.0;
        o.exercise.zeta_tolerance = percent.back() / 100.0;
    } else if (a.name == "--exercise") {
        const CodeReading reading = read_exercise_code(a.value);
        if (reading.problem) {
            error = "option --exercise: " + code_problem_text(*reading.problem, platform::Language::english);
            return false;
        }
        o.exercise_code = a.value;
        o.exercise = reading.exercise;
    } else if (a.name == "--answer") {
        if (!parse_answer(a.value)) return refuse(a, "is not two numbers omega0,zeta", error);
        o.answer = a.value;
    } else if (a.name == "--result-csv") {
        return kit::read_text(a, "a file name", o.result_csv_file, error);
    } else if (a.name == "--record-csv") {
        return kit::read_text(a, "a file name", o.record_csv_file, error);
    } else if (a.name == "--png") {
        return kit::read_text(a, "a file name", o.png_file, error);
    } else if (a.name == "--size") {
        return kit::read_size(a, most_pixels, o.width, o.height, error);
    } else if (a.name == "--lang") {
        return kit::read_language(a, o.language, error);
    }
    return true;
}

// The words of the command line with a bare word (not an option, not an
// option's value) turned into "--record word": the record may be named
// either way.
std::vector<std::string> with_record_named(int argc, char** argv)
{
    std::vector<std::string> words{argc > 0 ? argv[0] : "vibsim-identify"};
    for (int i = 1; i < argc; ++i) {
        const std::string_view word = argv[i];
        bool takes_value = false;
        for (const OptionName& option : known) takes_value = takes_value || (option.takes_value && option.name == word);
        if (takes_value && i + 1 < argc) {
            words.emplace_back(word);
            words.emplace_back(argv[++i]);
        } else if (!word.starts_with("-") || word == "-") {
            words.emplace_back("--record");
            words.emplace_back(word);
        } else {
            words.emplace_back(word);
        }
    }
    return words;
}

// The rules between options, once all are read.
bool check_together(Options& o, const Given& g, std::string& error)
{
    const bool exercise = !o.exercise_code.empty();
    if (o.make_exercise) {
        for (const auto& [name, value] : {std::pair{"--mass", o.mass}, {"--damping", o.damping},
                                          {"--stiffness", o.stiffness}}) {
            if (!value) {
                error = "option --make-exercise needs " + std::string(name);
                return false;
            }
        }
        o.exercise.mass = *o.mass;
        o.exercise.damping = *o.damping;
        o.exercise.stiffness = *o.stiffness;
        if (!sound_exercise(o.exercise)) {
            error = "option --damping: zeta = lambda / (2 sqrt(m K)) is 1 or more: the record would not oscillate";
            return false;
        }
        if (exercise || !o.record_file.empty() || !o.frf_file.empty()) {
            error = "option --make-exercise takes no --exercise, --record or --frf";
            return false;
        }
    } else {
        const char* stray = g.y0 ? "--y0" : g.noise ? "--noise" : g.seed ? "--seed" : g.tolerance ? "--tolerance" : nullptr;
        if (stray == nullptr && !exercise && (o.damping || o.stiffness)) stray = o.damping ? "--damping" : "--stiffness";
        if (stray != nullptr) {
            error = "option " + std::string(stray) + " belongs to --make-exercise";
            return false;
        }
    }
    if (exercise && (!o.record_file.empty() || !o.frf_file.empty())) {
        error = "option --exercise: the exercise is its own record; give no --record or --frf";
        return false;
    }
    if (!o.answer.empty() && !exercise) {
        error = "option --answer needs --exercise CODE";
        return false;
    }
    if (!o.record_csv_file.empty() && !exercise && !o.make_exercise) {
        error = "option --record-csv needs --exercise CODE or --make-exercise";
        return false;
    }
    if (!o.result_csv_file.empty() && o.record_file.empty() && o.frf_file.empty()) {
        error = "option --result-csv needs a record (--record FILE) or a response (--frf FILE)";
        return false;
    }
    if (!o.png_file.empty() && o.record_file.empty() && o.frf_file.empty() && !exercise) {
        error = "option --png needs a record, a response or an exercise";
        return false;
    }
    const kit::NamedOutput outputs[] = {{"--result-csv", &o.result_csv_file},
                                        {"--record-csv", &o.record_csv_file},
                                        {"--png", &o.png_file}};
    return kit::distinct_outputs(outputs, error);
}

}  // namespace

std::optional<Options> parse_options(int argc, char** argv, std::string& error)
{
    std::vector<std::string> words = with_record_named(argc, argv);
    std::vector<char*> pointers;
    for (std::string& word : words) pointers.push_back(word.data());
    pointers.push_back(nullptr);
    Options options;
    Given given;
    const auto take_one = [&](const Argument& argument, std::string& fault) {
        return take(argument, options, given, fault);
    };
    if (!kit::read_options(static_cast<int>(words.size()), pointers.data(), known, take_one, error)) {
        return std::nullopt;
    }
    if (options.help || options.version) return options;
    if (!check_together(options, given, error)) return std::nullopt;
    return options;
}

std::string usage_text(const char* program)
{
    return kit::usage_head(program) + "       " + program + " [options] RECORD.csv\n" +
           "The natural frequency omega0 and the damping ratio zeta of a free decay, by\n"
           "the logarithmic decrement and by a least-squares fit; or from a frequency\n"
           "response by its half-power bandwidth. Exercises handed out by link.\n"
           "Without options the record's file is asked for on the console and a window\n"
           "opens.\n"
           "  --record FILE       the record: time and displacement, velocity or\n"
           "                      acceleration, as CSV (a bare FILE means the same)\n"
           "  --time-column C     the time's column, a number from 1 or a header name\n"
           "                      (default 1)\n"
           "  --value-column C    the value's column (default 2)\n"
           "  --frf FILE          a frequency response: omega and amplitude\n"
           "  --mass M            m in kg: K = m omega0^2 and lambda = 2 zeta m omega0, and\n"
           "                      a link that replays the record in the simulator\n"
           "  --result-csv FILE   no window: write the values found as CSV\n"
           "  --png FILE          no window: write the window's picture as PNG (no X\n"
           "                      display needed)\n"
           "  --make-exercise     print an exercise's link and code for --mass M\n"
           "                      --damping L --stiffness K [--y0 Y] [--noise S]\n"
           "                      [--seed N] [--tolerance P or W,Z in % (default 3,10)]\n"
           "  --exercise CODE     show the exercise's record and ask for omega0 and zeta\n"
           "  --answer W,Z        no window: judge the answer omega0,zeta to --exercise\n"
           "                      (exit status 0 when right, 1 when wrong)\n"
           "  --record-csv FILE   no window: write the exercise's record as CSV\n"
           "  --tables DIR        the folder of the conversion tables (for --noise)\n" +
           kit::shared_usage(22) +
           "Keys in the window: [ ] move the start of the part analysed, - + its end,\n"
           "r the whole record, a answer the exercise, w show the worked identification,\n"
           "Esc quits.\n";
}

}  // namespace vibsim::identify
