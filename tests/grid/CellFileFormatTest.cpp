#include "grid/CellFileFormat.h"

#include "framework/Exceptions.h"
#include "framework/NumberFormat.h"
#include "tests/support/AnsiStringPrinter.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <vector>

namespace {

struct Line {
    bool width;
    int col, value;
    std::string text;
    friend bool operator==(const Line&, const Line&) = default;
    friend void PrintTo(const Line& line, std::ostream* out) {
        *out << (line.width ? "cw " : "") << line.col << "," << line.value << "," << line.text;
    }
};

std::vector<Line> Lines(CellFileReader& reader) {
    std::vector<Line> lines;
    for (CellFileLine line; reader.Next(line);)
        lines.push_back({line.IsWidth, line.Col, line.Value, line.Text.str()});
    return lines;
}

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
    CellFileReader reader(
        "3,2\r\ncw 1,80\r\n2,1,a,b,c\r\n0,0,l1\t\bl2\r\n1,0,x\ny\r\ncw9,1\r\n x1,$A,hex\r\n,,\r\n", true,
        false);
    EXPECT_TRUE(reader.HasHeader());
    EXPECT_EQ(reader.ColCount(), 3);
    EXPECT_EQ(reader.RowCount(), 2);
    // "cw9,1": the index runs from the fourth character.
    const std::vector<Line> expected = {
        {true, 1, 80, ""}, {false, 2, 1, "a,b,c"}, {false, 0, 0, "l1\r\nl2"}, {false, 1, 0, "x\ny"},
        {true, 0, 1, ""},  {false, 0, 10, "hex"},  {false, 0, 0, ""}};
    EXPECT_EQ(Lines(reader), expected);
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
    CellFileReader good("2,3\r\ncw 1,5\r\n1,2,t\r\n", false, true);
    EXPECT_EQ(Lines(good).size(), 2u);
    EXPECT_THROW(CellFileReader("2,x\r\n", false, true), EConvertError);
    for (const char* text : {"2,3\r\ncw a,5\r\n", "2,3\r\n1x,2,t\r\n", "2,3\r\n\r\n"}) {
        SCOPED_TRACE(text);
        CellFileReader reader(text, false, true);
        EXPECT_THROW(Lines(reader), EConvertError);
    }
}

TEST(CellFileFormat, AnEmptyHeaderLineIsNoHeader) {
    CellFileReader reader("\r\n0,0,a\r\n", false, false);
    EXPECT_FALSE(reader.HasHeader());
    EXPECT_EQ(Lines(reader).size(), 1u);
    EXPECT_FALSE(CellFileReader("", false, false).HasHeader());
}

} // namespace
