// Where vibsim-random's files may go: standard output ("-", /dev/stdout)
// and the shell's >(command) written in place, a FIFO opened before any
// work so that its wait comes first, names up to the longest a folder takes,
// and one file named twice refused before it could lose one of them. Tables
// damaged with values that are not numbers are named as such, not blamed on
// the motion.
#include "child_process.hpp"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace vibsim::windows {
namespace {

namespace fs = std::filesystem;

// A folder of the test's own, made empty, removed at the end.
struct Folder {
    explicit Folder(const std::string& name) : path(::testing::TempDir() + "vibsim_outputs_" + name)
    {
        fs::remove_all(path);
        fs::create_directory(path);
    }
    ~Folder() { fs::remove_all(path); }
    std::string operator/(const std::string& name) const { return path + "/" + name; }
    std::vector<std::string> names() const
    {
        std::vector<std::string> found;
        for (const auto& entry : fs::directory_iterator(path)) found.push_back(entry.path().filename().string());
        return found;
    }
    std::string path;
};

std::string file_bytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A bash command line with the program as "$0", its standard error joined to
// its output.
test::ChildResult run_bash(const std::string& command, const std::vector<std::string>& arguments = {})
{
    std::vector<std::string> argv{"/bin/bash", "-c", command + " 2>&1", RANDOM_PROGRAM};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return test::run_program(argv, "");
}

const std::vector<std::string> one_record{"--records", "1", "--seed", "7"};

std::string reference_csv(const Folder& folder)
{
    const std::string csv = folder / "reference.csv";
    std::vector<std::string> argv{RANDOM_PROGRAM};
    argv.insert(argv.end(), one_record.begin(), one_record.end());
    argv.insert(argv.end(), {"--csv", csv});
    EXPECT_EQ(test::run_program(argv, "").exit_code, 0);
    return file_bytes(csv);
}

TEST(RandomVibrationOutputs, StandardOutputAndPipesTakeTheCsvAsItIs)
{
    const Folder folder("pipes");
    const std::string expected = reference_csv(folder);
    ASSERT_FALSE(expected.empty());
    // The console's text goes to standard error when the CSV takes the
    // output; through a pipe or into a file the shell opened.
    const std::string args = "--records 1 --seed 7 --csv";
    const std::string program = "\"$0\" " + args;
    for (const std::string& command : {program + " - 2>/dev/null | cat >\"$1\"",
                                       program + " /dev/stdout 2>/dev/null | cat >\"$1\"",
                                       "{ " + program + " - >\"$1\" 2>/dev/null; }",
                                       program + " >(cat >\"$1\") 2>/dev/null; wait $!"}) {
        SCOPED_TRACE(command);
        const std::string out = folder / "out.csv";
        fs::remove(out);
        const test::ChildResult run = run_bash(command, {out});
        EXPECT_EQ(run.exit_code, 0) << run.output;
        EXPECT_EQ(file_bytes(out), expected);
    }
    const test::ChildResult closed = run_bash("\"$0\" --records 1 --csv /dev/fd/9");
    EXPECT_EQ(closed.exit_code, 1);
    EXPECT_NE(closed.output.find("cannot write /dev/fd/9: it names descriptor 9, which is not open"),
              std::string::npos) << closed.output;
}

TEST(RandomVibrationOutputs, AFifoIsOpenedBeforeAnyWork)
{
    const Folder folder("fifo");
    const std::string expected = reference_csv(folder);
    const std::string fifo = folder / "fifo";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    std::vector<std::string> argv{RANDOM_PROGRAM};
    argv.insert(argv.end(), one_record.begin(), one_record.end());
    argv.insert(argv.end(), {"--csv", fifo});
    test::RunningProgram program(argv, "");
    // Waiting for its reader, the program has not even loaded its tables.
    EXPECT_TRUE(program.stays_quiet(test::Milliseconds(1000)));
    EXPECT_EQ(program.output(), "");
    EXPECT_EQ(file_bytes(fifo), expected);
    const std::optional<test::Ending> ending = program.wait_for_end(test::Milliseconds(60000));
    ASSERT_TRUE(ending.has_value());
    EXPECT_EQ(ending->exit_code, 0);
}

TEST(RandomVibrationOutputs, NamesUpToTheLongestAFolderTakesAreWrittenWithNothingLeftBeside)
{
    const Folder folder("long");
    const std::string expected = reference_csv(folder);
    fs::remove(folder / "reference.csv");
    for (const std::size_t length : {247u, 248u, 254u, 255u}) {
        const std::string name(length, 'n');
        const test::ChildResult run = run_bash("exec \"$0\" --records 1 --seed 7 --csv \"$1\"", {folder / name});
        EXPECT_EQ(run.exit_code, 0) << length << ": " << run.output;
        EXPECT_EQ(file_bytes(folder / name), expected) << length;
        // Written twice: the second replaces the first.
        EXPECT_EQ(run_bash("exec \"$0\" --records 1 --seed 7 --csv \"$1\"", {folder / name}).exit_code, 0);
    }
    EXPECT_EQ(folder.names().size(), 4u);
}

TEST(RandomVibrationOutputs, OneFileForBothOutputsIsRefusedBeforeAnyWork)
{
    const Folder folder("same");
    fs::create_directory(folder / "sub");
    std::ofstream(folder / "kept.png") << "earlier";
    for (const std::vector<std::string>& pair : std::vector<std::vector<std::string>>{
             {"same", "./same"}, {"x.csv", "sub/../x.csv"}, {"kept.png", folder / "kept.png"}, {"-", "/dev/stdout"}}) {
        SCOPED_TRACE(pair[0] + " and " + pair[1]);
        const test::ChildResult run =
            run_bash("cd \"$1\" && exec \"$0\" --records 1 --csv \"$2\" --png \"$3\"", {folder.path, pair[0], pair[1]});
        EXPECT_EQ(run.exit_code, 2) << run.output;
        EXPECT_NE(run.output.find("name the same file"), std::string::npos) << run.output;
        EXPECT_EQ(run.output.find("ランダム変換表"), std::string::npos) << run.output;
    }
    EXPECT_EQ(file_bytes(folder / "kept.png"), "earlier");
    EXPECT_EQ(folder.names().size(), 2u);
}

TEST(RandomVibrationTables, ValuesThatAreNotNumbersAreDamageNotDivergence)
{
    const Folder folder("tables");
    const fs::path shipped = fs::path(RANDOM_PROGRAM).parent_path().parent_path() / "share" / "vibsim";
    for (const auto& entry : fs::directory_iterator(shipped)) {
        fs::copy(entry.path(), folder / entry.path().filename().string());
    }
    for (const std::string damage : {"1e999", "nan", "inf"}) {
        SCOPED_TRACE(damage);
        std::string table = file_bytes(folder / "normal45.data");
        // The value of the last pair.
        const std::size_t line = table.find_last_of('\n', table.size() - 2) + 1;
        table.replace(line, table.find(' ', line) - line, damage);
        std::ofstream(folder / "normal45.data", std::ios::binary | std::ios::trunc) << table;
        const test::ChildResult run =
            run_bash("exec \"$0\" --records 1 --tables \"$1\" --csv \"$1/out.csv\"", {folder.path});
        EXPECT_EQ(run.exit_code, 1) << run.output;
        EXPECT_NE(run.output.find("normal45.data holds a pair that is not two finite numbers"), std::string::npos)
            << run.output;
        EXPECT_EQ(run.output.find("diverged"), std::string::npos) << run.output;
        fs::copy(shipped / "normal45.data", folder / "normal45.data", fs::copy_options::overwrite_existing);
    }
}

}  // namespace
}  // namespace vibsim::windows
