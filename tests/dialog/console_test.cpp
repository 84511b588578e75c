// Which code set names the console treats as Shift-JIS.
#include "vibsim/console.hpp"

#include <gtest/gtest.h>

namespace vibsim {
namespace {

TEST(ShiftJisCodeSet, KnowsTheNamesOfShiftJis)
{
    // As nl_langinfo(CODESET) gives them for glibc's SHIFT_JIS and
    // WINDOWS-31J locales, and as other systems and users spell them. The
    // JIS X 0213 form shares the bytes of every character the console writes.
    for (const char* name : {"SHIFT_JIS", "WINDOWS-31J", "SJIS", "CP932", "Shift_JIS", "shift_jis",
                             "shift-jis", "SHIFTJIS", "sjis", "Windows-31J", "windows_31j", "cp932",
                             "MS_KANJI", "MS932", "IBM-943", "csShiftJIS", "SHIFT_JISX0213"}) {
        EXPECT_TRUE(is_shift_jis_codeset(name)) << name;
    }
}

TEST(ShiftJisCodeSet, LeavesEveryOtherCodeSetToUtf8)
{
    for (const char* name : {"UTF-8", "utf8", "ANSI_X3.4-1968", "EUC-JP", "ISO-2022-JP", "ISO-8859-1",
                             "CP1252", "", "SJIS2", "CP9320"}) {
        EXPECT_FALSE(is_shift_jis_codeset(name)) << '"' << name << '"';
    }
}

}  // namespace
}  // namespace vibsim
