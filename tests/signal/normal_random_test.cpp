#include "vibsim/normal_random.hpp"

#include "child_process.hpp"
#include "scanned_lookup.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <string>
#include <vector>
#include <unistd.h>

#if defined(__x86_64__)
#include <cpuid.h>
#endif

namespace vibsim {
namespace {

namespace fs = std::filesystem;

const std::string completion = "\nランダム変換表読み込み完了";
const std::string completion_cp932 =
    "\n\x83\x89\x83\x93\x83\x5f\x83\x80\x95\xcf\x8a\xb7\x95\x5c"
    "\x93\xc7\x82\xdd\x8d\x9e\x82\xdd\x8a\xae\x97\xb9";

// A temporary folder, removed with what it holds at the end.
struct ScratchFolder {
    ScratchFolder() : path(fs::temp_directory_path() / ("vibsim-tables-" + std::to_string(getpid())))
    {
        fs::create_directory(path);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    void write(const std::string& file, const std::string& text) const { std::ofstream(path / file) << text; }
    fs::path path;
};

// What the probe writes for the tables of `folder` and the conversions of `inputs`.
std::string probe(const fs::path& folder, std::vector<std::string> inputs = {},
                  const std::vector<std::string>& environment = {"LC_ALL=C.UTF-8"})
{
    inputs.insert(inputs.begin(), {NORMAL_TABLES_PROBE, folder.string()});
    return test::run_program(inputs, "", environment).output;
}

TEST(NormalTables, DataFolderLoadsAndTheMessageIsInTheConsoleCodeSet)
{
    const std::string report =
        "\n[loaded 101:0.253347/0.1 41:0.524401/0.2 41:0.841621/0.3 41:1.28155/0.4 50:4.16957/0.5]";
    EXPECT_EQ(probe(VIBSIM_DATA_DIR), completion + report);

    const ScratchFolder locales;
    const std::string made = test::run_program(
        {"/bin/sh", "-c", "exec localedef --no-warnings=ascii -i ja_JP -f SHIFT_JIS \"$0\" 2>&1",
         (locales.path / "ja_JP.SJIS").string()}, "").output;
    if (!fs::exists(locales.path / "ja_JP.SJIS")) GTEST_SKIP() << "no Shift-JIS locale: " << made;
    EXPECT_EQ(probe(VIBSIM_DATA_DIR, {}, {"LOCPATH=" + locales.path.string(), "LC_ALL=ja_JP.SJIS"}),
              completion_cp932 + report);
}

TEST(NormalTables, FaultyFilesAreNamedAndLeaveTheirTablesEmpty)
{
    const ScratchFolder folder;
    std::string too_many = "102\n", full = "49\n";
    for (int i = 0; i <= 102; ++i) too_many += "1 0.5\n";
    for (int i = 0; i < 50; ++i) full += std::to_string(i) + " " + std::to_string(0.301 + i / 500.0) + "\n";
    folder.write("normal01.data", too_many);
    folder.write("normal12.data", "0\n2 0.3\n7 7\n");  // one pair; the second is not read
    folder.write("normal34.data", full);                // all 50 entries, keys 0.301 ... 0.399
    folder.write("normal45.data", "3\n1 0.1\n2 0.2\n");

    const std::string output =
        probe(folder.path, {"0.15", "-0.15", "0.25", "0.3", "0.306", "0.3995", "-0.3995", "0.05"});
    for (const char* named : {"normal01.data announces 103 entries", "normal23.data cannot be opened",
                              "normal45.data holds fewer than the 4 pairs"}) {
        EXPECT_NE(output.find(named), std::string::npos) << named << " in:\n" << output;
    }
    EXPECT_EQ(output.find(completion), std::string::npos);
    // Outside a table's keys the nearer end serves; an empty table gives NaN.
    EXPECT_NE(output.find("\n[failed 0 1:2/0.3 0 50:49/0.399 0 2 -2 nan 0 2.5 49 -49 nan]"), std::string::npos)
        << output;
}

// The largest count a long holds, and a larger one that the read clamps to
// it, are named as too many without overflowing on the way.
TEST(NormalTables, CountsAtTheEndOfLongAreNamedAsTooMany)
{
    const ScratchFolder folder;
    folder.write("normal01.data", "9223372036854775807\n1 0.5\n");
    folder.write("normal12.data", "99999999999999999999\n");
    const std::string output = probe(folder.path, {"0.05"});
    for (const char* named :
         {"normal01.data announces 9223372036854775808 entries (count 9223372036854775807), more than the 102",
          "normal12.data announces more than 9223372036854775808 entries (count beyond 9223372036854775807), more"
          " than the 50"}) {
        EXPECT_NE(output.find(named), std::string::npos) << named << " in:\n" << output;
    }
    EXPECT_NE(output.find("\n[failed 0 0 0 0 0 nan]"), std::string::npos) << output;
}

// A value that is not a finite number, written as such or too large for a
// double, is damage like a missing pair; the counts are quoted as written.
TEST(NormalTables, PairsThatAreNotFiniteNumbersAndCountsAreNamed)
{
    const ScratchFolder folder;
    folder.write("normal01.data", "1\n0 0\nnan nan\n");
    folder.write("normal12.data", "2\n0.25 0.1\n0.5 inf\n0.6 0.2\n");
    folder.write("normal23.data", "1\n0.5 0.2\n1e999 0.3\n");
    folder.write("normal34.data", "-5\n");
    folder.write("normal45.data", "9999\n");
    const std::string output = probe(folder.path, {"0.05", "0.15", "0.25"});
    for (const char* named : {"normal01.data holds a pair that is not two finite numbers (pair 2 of 2)",
                              "normal12.data holds a pair that is not two finite numbers (pair 2 of 3)",
                              "normal23.data holds a pair that is not two finite numbers (pair 2 of 2)",
                              "normal34.data announces no entries (count -5)",
                              "normal45.data announces 10000 entries (count 9999), more than the 50"}) {
        EXPECT_NE(output.find(named), std::string::npos) << named << " in:\n" << output;
    }
    EXPECT_NE(output.find("\n[failed 0 0 0 0 0 nan nan nan]"), std::string::npos) << output;
}

// Loads the tables of `folder`, leaving the current folder as it is.
bool load_tables_of(const fs::path& folder)
{
    const fs::path here = fs::current_path();
    const bool loaded = load_normal_tables(folder.string());
    EXPECT_EQ(fs::current_path(), here);
    return loaded;
}

class NormalRandom : public testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(load_tables_of(VIBSIM_DATA_DIR)); }
};

using testing_support::scanned_uniform_to_normal;

// Every input normal_random can convert, each key of the loaded tables with
// its neighbours on both sides and both signs, the band bounds, and inputs
// beyond any key.
std::vector<double> lookup_inputs()
{
    std::vector<double> inputs;
    for (int k = 0; k < 32768; ++k) inputs.push_back((k - 16384) / 32768.0);
    std::vector<double> magnitudes = {0.001, 0.1, 0.2, 0.3, 0.4, 0.5, 0.75, 1e308,
                                      std::numeric_limits<double>::infinity()};
    for (int band = 1; band <= 5; ++band) {
        for (const NormalTablePair& entry : normal_table(band)) magnitudes.push_back(entry.key);
    }
    for (const double m : magnitudes) {
        for (const double near : {std::nextafter(m, 0.0), m, std::nextafter(m, 1.0)}) {
            inputs.push_back(near);
            inputs.push_back(-near);
        }
    }
    return inputs;
}

// The conversion against the scan, bit for bit, over lookup_inputs().
void expect_lookup_equals_scan()
{
    int differing = 0;
    for (const double x : lookup_inputs()) {
        const double found = uniform_to_normal(x);
        const double scanned = scanned_uniform_to_normal(x);
        if (std::bit_cast<std::uint64_t>(found) != std::bit_cast<std::uint64_t>(scanned) &&
            !(std::isnan(found) && std::isnan(scanned)) && ++differing <= 10) {
            ADD_FAILURE() << "x = " << std::hexfloat << x << ": " << found << ", scan " << scanned;
        }
    }
    EXPECT_EQ(differing, 0);
}

TEST_F(NormalRandom, LookupEqualsTheScanOnTheDataTables) { expect_lookup_equals_scan(); }

// Tables with keys at uneven distances, equal neighbouring keys, keys that
// miss their band, keys out of order and keys spanning every double, each
// band's table filled to its capacity or close to it.
TEST_F(NormalRandom, LookupEqualsTheScanOnLoadedTablesWithUnevenKeys)
{
    const ScratchFolder folder;
    std::mt19937_64 random(6);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const auto write_table = [&](const std::string& file, std::vector<double> keys) {
        std::string text = std::to_string(keys.size() - 1) + "\n";
        char pair[64];
        for (const double key : keys) {
            std::snprintf(pair, sizeof pair, "%.17g %.17g\n", 4.0 * unit(random), key);
            text += pair;
        }
        folder.write(file, text);
    };
    // Ascending keys from `first` to `last`, gaps drawn from a skewed
    // distribution, some of them nothing.
    const auto uneven_keys = [&](int count, double first, double last) {
        std::vector<double> gaps(count - 1);
        double total = 0.0;
        for (double& gap : gaps) total += gap = unit(random) < 0.1 ? 0.0 : std::pow(unit(random), 4.0);
        std::vector<double> keys = {first};
        double sum = 0.0;
        for (const double gap : gaps) keys.push_back(first + (last - first) * ((sum += gap) / total));
        keys.back() = last;
        return keys;
    };
    write_table("normal01.data", uneven_keys(102, 0.0, 0.1));
    write_table("normal12.data", uneven_keys(50, 0.1, 0.2));
    std::vector<double> shuffled = uneven_keys(50, 0.15, 0.35);
    std::swap(shuffled[10], shuffled[30]);
    write_table("normal23.data", shuffled);
    write_table("normal34.data", uneven_keys(37, 0.33, 0.37));
    write_table("normal45.data", {-1e308, -1.0, 0.0, 0.41, 0.45, 0.45, 0.45, 0.5, 1.0, 1e308});
    ASSERT_TRUE(load_tables_of(folder.path));
    expect_lookup_equals_scan();

    write_table("normal45.data", uneven_keys(49, 0.4, 0.5));
    write_table("normal01.data", {0.05});
    folder.write("normal23.data", "0\n");
    EXPECT_FALSE(load_tables_of(folder.path));
    expect_lookup_equals_scan();
    EXPECT_EQ(uniform_to_normal(0.07), uniform_to_normal(0.03)) << "one entry serves the whole band";

    ASSERT_TRUE(load_tables_of(VIBSIM_DATA_DIR));
}

TEST_F(NormalRandom, BeyondTheLastKeyTheLastValueServesWithTheSignOfX)
{
    const double last = normal_table(5).back().value;
    for (const double x : {0.75, 1e308, std::numeric_limits<double>::infinity()}) {
        EXPECT_EQ(uniform_to_normal(x), last) << x;
        EXPECT_EQ(uniform_to_normal(-x), -last) << x;
    }
    EXPECT_TRUE(std::isnan(uniform_to_normal(std::numeric_limits<double>::quiet_NaN())));
}

TEST_F(NormalRandom, KeysBandBoundsAndTheLinearRangeGiveTheQuantiles)
{
    for (int band = 1; band <= 5; ++band) {
        for (const NormalTablePair& entry : normal_table(band)) {
            if (entry.key < 0.001) continue;
            EXPECT_DOUBLE_EQ(uniform_to_normal(entry.key), entry.value) << entry.key;
        }
    }
    // The normal quantiles of 0.6 ... 0.9 at the bounds, and just below them.
    const double bounds[] = {0.1, 0.2, 0.3, 0.4};
    const double quantiles[] = {0.2533471031357997, 0.5244005127080407, 0.8416212335729143, 1.2815515655446004};
    for (int b = 0; b < 4; ++b) {
        EXPECT_NEAR(uniform_to_normal(bounds[b]), quantiles[b], 1e-15) << bounds[b];
        EXPECT_NEAR(uniform_to_normal(-std::nextafter(bounds[b], 0.0)), -quantiles[b], 1e-9) << bounds[b];
    }
    // Below 0.001 the line x / 0.4 meets band 1's value at 0.001 to 0.3%.
    EXPECT_EQ(uniform_to_normal(0.0), 0.0);
    EXPECT_EQ(uniform_to_normal(-0.0008), -0.0008 / 0.4);
    EXPECT_DOUBLE_EQ(uniform_to_normal(0.001), 0.002506630899571764);
    EXPECT_NEAR(uniform_to_normal(std::nextafter(0.001, 0.0)), 0.002506630899571764, 1e-5);
}

TEST_F(NormalRandom, WholeUniformGridIsMonotonicOddAndNormal)
{
    EXPECT_EQ(uniform_to_normal(-0.5), -4.1695693233491058) << "rand() = 0: the finite end of band 5";
    double previous = -INFINITY;
    for (int k = 0; k < 32768; ++k) {
        const double u = (k - 16384) / 32768.0;
        const double z = uniform_to_normal(u);
        ASSERT_GT(z, previous) << k;
        previous = z;
        if (k == 0) continue;
        ASSERT_EQ(uniform_to_normal(-u), -z) << k;
        ASSERT_NEAR(0.5 * std::erfc(-z / std::sqrt(2.0)), 0.5 + u, 3e-4) << k;
    }
}

TEST_F(NormalRandom, DrawsAreStandardNormal)
{
    std::srand(2024);
    double sum = 0.0, squares = 0.0;
    for (int i = 0; i < 20000; ++i) {
        const double z = normal_random();
        sum += z;
        squares += z * z;
    }
    EXPECT_NEAR(sum / 20000, 0.0, 0.03);
    EXPECT_NEAR(std::sqrt(squares / 20000), 1.0, 0.03);
}

#if defined(__x86_64__)
// The upper halves of the vector registers, in use after AVX code that ends
// without VZEROUPPER, would make the draw's SSE arithmetic wait on them on
// processors that merge into those halves; a draw leaves them clear, which
// the processor's own record of its state in use (XGETBV with ECX = 1, bit
// 2) shows. Skipped where the processor keeps no such record.
std::uint64_t vector_state_in_use()
{
    std::uint32_t low = 0, high = 0;
    asm volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(1));
    return (std::uint64_t{high} << 32) | low;
}

TEST_F(NormalRandom, ADrawLeavesTheUpperHalvesOfTheVectorRegistersClear)
{
    __builtin_cpu_init();
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (!__builtin_cpu_supports("avx") || !__get_cpuid_count(0xd, 1, &eax, &ebx, &ecx, &edx) || (eax & 4u) == 0) {
        GTEST_SKIP() << "no AVX, or no record of the vector state in use";
    }
    constexpr std::uint64_t upper_halves = 4;
    asm volatile("vpcmpeqd %%ymm15, %%ymm15, %%ymm15" ::: "xmm15");
    ASSERT_NE(vector_state_in_use() & upper_halves, 0u) << "the upper halves could not be set in use";
    std::srand(1);
    const double drawn = vibsim::normal_random();
    EXPECT_EQ(vector_state_in_use() & upper_halves, 0u);
    std::srand(1);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(vibsim::normal_random()), std::bit_cast<std::uint64_t>(drawn));
}
#endif

}  // namespace
}  // namespace vibsim
