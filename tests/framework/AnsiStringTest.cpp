#include "framework/AnsiString.h"
#include "tests/support/AnsiStringPrinter.h"

#include <gtest/gtest.h>

namespace {

TEST(AnsiString, CountsFromOne) {
    AnsiString s("Sewer1");
    EXPECT_EQ(s.Length(), 6);
    EXPECT_EQ(s[1], 'S');
    EXPECT_EQ(s.Pos("wer"), 3);
    EXPECT_EQ(s.Pos("x"), 0);
    EXPECT_EQ(s.SubString(2, 3), "ewe");
    EXPECT_EQ(s.SubString(5, 100), "r1");
    EXPECT_EQ(s.SubString(7, 1), "");
    EXPECT_EQ(AnsiString(s).Delete(1, 2), "wer1");
    EXPECT_EQ(AnsiString(s).Insert("-", 7), "Sewer1-");
    EXPECT_EQ(AnsiString("  a b \t").Trim(), "a b");
    EXPECT_EQ(AnsiString("mixed Case").UpperCase(), "MIXED CASE");
    EXPECT_NE(AnsiString("s1"), AnsiString("S1"));
}

} // namespace
