#include "grid/FixedFormat.h"

#include "tests/support/AnsiStringPrinter.h"

#include <gtest/gtest.h>

namespace {

TEST(FixedFormat, AlignsToAWidthInCharacters) {
    struct Row {
        const char* text;
        TAlignment alignment;
        int width;
        const char* expected;
    } rows[] = {
        {"ab", taLeftJustify, 5, "ab"},
        {"ab", taRightJustify, 5, "   ab"},
        {"abc", taCenter, 5, " abc "},
        {"ab", taCenter, 5, "  ab  "},
        {"abcdef", taRightJustify, 3, "abcdef"},
        {"\xC3\x98", taRightJustify, 3, "  \xC3\x98"},
        {"", taCenter, 2, "  "},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(AlignToWidth(row.text, row.alignment, row.width), row.expected);
    }
}

TEST(FixedFormat, AsciiRowsPadColumnsAndCarryFurtherLines) {
    // Widths 3 and 5: the columns take 4 and 6 characters; the second starts at 4.
    AsciiRow row;
    row.AddCell("ab", taLeftJustify, 0, 3, true);
    row.AddCell("x\r\nyy\r\nzzz", taRightJustify, 4, 5, true);
    std::string out;
    row.AppendTo(out);
    EXPECT_EQ(out, "ab      x \r\n       yy\r\n      zzz\r\n");

    AsciiRow single;
    single.AddCell("x\r\nyy", taLeftJustify, 0, 2, false);
    single.AddCell("\xC3\x98", taLeftJustify, 3, 1, false);
    out.clear();
    single.AppendTo(out);
    EXPECT_EQ(out, "x  \xC3\x98 \r\n");
}

TEST(FixedFormat, LongestLinesCountCharacters) {
    EXPECT_EQ(LongestLineChars("abc\r\nabcdef", true), 6);
    EXPECT_EQ(LongestLineChars("abc\r\nabcdef", false), 3);
    EXPECT_EQ(LongestLineChars("\xC3\x98\xC3\x98", false), 2);
    EXPECT_EQ(LongestLineChars("", true), 0);
}

TEST(FixedFormat, FieldsAreCutOrPaddedAndReadBackTrimmed) {
    std::string out;
    AppendFixedField(out, "abcdef", 4);
    AppendFixedField(out, "\xC3\x98", 3);
    AppendFixedField(out, "x", 0);
    EXPECT_EQ(out, "abcd\xC3\x98  ");
    struct Row {
        const char* line;
        int position, length;
        const char* expected;
    } rows[] = {
        {" ab  cd ", 1, 4, "ab"},
        {" ab  cd ", 5, 4, "cd"},
        {"ab", 5, 4, ""},
        {"abc", 2, 9, "bc"},
        {"\xC3\x98x\ty", 1, 3, "\xC3\x98x"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        EXPECT_EQ(FixedField(row.line, row.position, row.length), row.expected);
    }
}

} // namespace
