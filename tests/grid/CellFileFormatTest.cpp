#include "grid/CellFileFormat.h"

#include "framework/Exceptions.h"
#include "framework/NumberFormat.h"
#include "tests/support/AnsiStringPrinter.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(CellFileFormat, WritesHeaderWidthAndCellLines) {
    std::string out;
    AppendCellFileHeader(out, 3, 2);
    AppendWidthLine(out, 0, 64);
    AppendCellLine(out, 2, 1, "a,b");
    AppendCellLine(out, 0, 0, "l1\r\nl2");
    AppendCellLine(out, 1, 0, "x\ny");
    // A line break is TAB and backspace; a lone LF, with no CR in the text, stays.
    EXPECT_EQ(out, "3,2\r\ncw 0,64\r\n2,1,a,b\r\n0,0,l1\t\bl2\r\n1,0,x\ny\r\n");
}

TEST(CellFileFormat, ReadsLinesWithLaxNumbers) {
    const CellFileContent content = ReadCellFile(
        "3,2\r\ncw 1,80\r\n2,1,a,b,c\r\n0,0,l1\t\bl2\r\n1,0,x\ny\r\ncw9,1\r\n x1,$A,hex\r\n,,\r\n", true,
        false);
    EXPECT_TRUE(content.HasHeader);
    EXPECT_EQ(content.ColCount, 3);
    EXPECT_EQ(content.RowCount, 2);
    ASSERT_EQ(content.Widths.size(), 2u);
    EXPECT_EQ(content.Widths[0].Col, 1);
    EXPECT_EQ(content.Widths[0].Width, 80);
    // "cw9,1": the index runs from the fourth character.
    EXPECT_EQ(content.Widths[1].Col, 0);
    struct Cell {
        int col, row;
        const char* text;
    } expected[] = {{2, 1, "a,b,c"}, {0, 0, "l1\r\nl2"}, {1, 0, "x\ny"}, {0, 10, "hex"}, {0, 0, ""}};
    ASSERT_EQ(content.Cells.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(content.Cells[i].Col, expected[i].col);
        EXPECT_EQ(content.Cells[i].Row, expected[i].row);
        EXPECT_EQ(content.Cells[i].Text, expected[i].text);
    }
}

TEST(CellFileFormat, OnlyTheFirstLineOfACellWithoutMultilineCells) {
    const CellFileContent content = ReadCellFile("1,1\r\n0,0,l1\t\bl2\r\n", false, false);
    ASSERT_EQ(content.Cells.size(), 1u);
    EXPECT_EQ(content.Cells[0].Text, "l1");
}

TEST(CellFileFormat, LaxIntegersReadAsFarAsTheyGo) {
    struct Row {
        const char* text;
        long long expected;
    } rows[] = {
        {"12", 12},   {"  -7x", -7}, {"+3", 3},
        {"$ff", 255}, {"0x1A", 26},  {"abc", 0},
        {"", 0},      {"12 34", 12}, {"99999999999999999999999", LLONG_MAX},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(LeadingInteger(row.text), row.expected);
    }
}

TEST(CellFileFormat, StrictNumbersRaiseOnAnythingElse) {
    EXPECT_EQ(ReadCellFile("2,3\r\ncw 1,5\r\n1,2,t\r\n", false, true).Cells.size(), 1u);
    for (const char* text : {"2,x\r\n", "2,3\r\ncw a,5\r\n", "2,3\r\n1x,2,t\r\n", "2,3\r\n\r\n"}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(ReadCellFile(text, false, true), EConvertError);
    }
}

TEST(CellFileFormat, AnEmptyHeaderLineIsNoHeader) {
    const CellFileContent content = ReadCellFile("\r\n0,0,a\r\n", false, false);
    EXPECT_FALSE(content.HasHeader);
    EXPECT_EQ(content.Cells.size(), 1u);
    EXPECT_FALSE(ReadCellFile("", false, false).HasHeader);
}

} // namespace
