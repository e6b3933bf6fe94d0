#include "grid/Datagrid.h"

#include "framework/Screen.h"
#include "grid/FixedFormat.h"
#include "tests/grid/ErrorText.h"
#include "tests/grid/GridFiles.h"
#include "tests/support/AnsiStringPrinter.h"

#include <gtest/gtest.h>

namespace {

TEST(DatagridFixed, AsciiColumnsAreTheLongestLinePlusABlank) {
    TestFolder folder;
    TDataGrid grid(nullptr);
    SetCellTexts(grid, {{"abc", "x"}, {"a", "hello"}, {"b\r\nlong", "y\r\nz"}});
    grid.Multilinecells = true;
    // Column 1 right-justified: blanks before it up to 5, then one after.
    grid.OnGetAlignment = [](TObject*, int, int ACol, TAlignment& HAlign, TVAlignment&) {
        if (ACol == 1)
            HAlign = taRightJustify;
    };
    std::vector<TCursor> cursors;
    grid.OnGetDisplText = [&](TObject*, int, int, AnsiString&) { cursors.push_back(Screen->GetCursor()); };
    grid.SaveToASCII(folder.Path("t.txt"));
    // Widths 4 ("long") and 5 ("hello").
    EXPECT_EQ(FileBytes(folder.Path("t.txt")), "abc      x \r\n"
                                               "a    hello \r\n"
                                               "b        y \r\n"
                                               "long     z\r\n");
    ASSERT_FALSE(cursors.empty());
    EXPECT_EQ(cursors.front(), crHourGlass);
    EXPECT_EQ(Screen->GetCursor(), crDefault);
    EXPECT_THROW(grid.SaveToASCII(folder.Path("none/t.txt")), EDataGridError);
    EXPECT_EQ(Screen->GetCursor(), crDefault);
}

TEST(DatagridFixed, FixedWidthsComeFromTheCallerOrTheLongestLine) {
    TestFolder folder;
    TDataGrid grid(nullptr);
    SetCellTexts(grid, {{"abc", "x"}, {"a", "hello\r\nmore"}});
    TIntList widths(0, 0);
    grid.SaveToFixed(folder.Path("f.txt"), &widths);
    ASSERT_EQ(widths.Count(), 2);
    EXPECT_EQ(widths.GetInteger(0), 4);
    EXPECT_EQ(widths.GetInteger(1), 6);
    // A record is one line: the cell's further lines stay out.
    EXPECT_EQ(FileBytes(folder.Path("f.txt")), "abc x     \r\na   hello \r\n");
    TIntList narrow(0, 0);
    narrow.Add(2);
    grid.SaveToFixed(folder.Path("g.txt"), &narrow);
    EXPECT_EQ(narrow.GetInteger(1), 6);
    EXPECT_EQ(FileBytes(folder.Path("g.txt")), "abx     \r\na hello \r\n");
}

TEST(DatagridFixed, ReadsFieldsByTheirPositions) {
    TestFolder folder;
    const AnsiString file = folder.Path("in.txt");
    WriteFile(file, " ab  cd \r\nxy\r\n\t12345678  \r\n");
    TDataGrid grid(nullptr);
    SetCellTexts(grid, Cells("  |  |  |  |  kept"));
    TIntList positions = Positions({1, 5, 9});
    grid.LoadFromFixed(file, &positions);
    // Two columns of four characters each, trimmed; RowCount never goes down.
    EXPECT_EQ(grid.GetColCount(), 2);
    EXPECT_EQ(CellTexts(grid, 3), Cells("ab cd |xy  |123 4567 |  |  kept"));

    TDataGrid small(nullptr);
    small.SetRowCount(2);
    small.LoadFromFixed(file, &positions);
    EXPECT_EQ(small.GetRowCount(), 3);
}

// A byte that is not UTF-8 is one character, as the reader takes it (Windows-1252): widths written
// and positions read count the same characters, so the fields after it stay in place.
TEST(DatagridFixed, BytesThatAreNotUtf8CountOneCharacterEach) {
    TestFolder folder;
    TDataGrid grid(nullptr);
    SetCellTexts(grid, {{"a\x80\x80"
                         "b",
                         "xyz", "12:00:00"},
                        {"ab", "x", "y"}});
    TIntList widths(0, 0);
    grid.SaveToFixed(folder.Path("f.txt"), &widths);
    ASSERT_EQ(widths.Count(), 3);
    EXPECT_EQ(widths.GetInteger(0), 5);
    EXPECT_EQ(widths.GetInteger(1), 4);
    EXPECT_EQ(widths.GetInteger(2), 9);
    TIntList positions = Positions({1, 6, 10, 19});
    TDataGrid back(nullptr);
    back.SetRowCount(2);
    back.LoadFromFixed(folder.Path("f.txt"), &positions);
    // Each 0x80 read as the euro sign.
    EXPECT_EQ(CellTexts(back), (GridCellTexts{{"a\xE2\x82\xAC\xE2\x82\xAC"
                                               "b",
                                               "xyz", "12:00:00"},
                                              {"ab", "x", "y"}}));
    // The readable table's columns line up in the same characters.
    grid.SaveToASCII(folder.Path("t.txt"));
    EXPECT_EQ(FileBytes(folder.Path("t.txt")), "a\x80\x80"
                                               "b xyz 12:00:00 \r\n"
                                               "ab   x   y        \r\n");
}

TEST(DatagridFixed, BadPositionsChangeNothing) {
    TestFolder folder;
    const AnsiString file = folder.Path("in.txt");
    WriteFile(file, "abcd\r\n");
    for (TIntList positions :
         {Positions({}), Positions({1}), Positions({0, 4}), Positions({1, 5, 5}), Positions({3, 2})}) {
        SCOPED_TRACE(positions.Count());
        TDataGrid grid(nullptr);
        SetCellTexts(grid, {{"a", "b", "c"}});
        EXPECT_EQ(ErrorText<EDataGridError>([&] { grid.LoadFromFixed(file, &positions); }),
                  "Invalid column positions");
        EXPECT_EQ(CellTexts(grid), (GridCellTexts{{"a", "b", "c"}}));
    }
    TIntList positions = Positions({1, 3});
    TDataGrid grid(nullptr);
    EXPECT_EQ(ErrorText<EDataGridError>([&] { grid.LoadFromFixed(folder.Path("none.txt"), &positions); }),
              "File " + folder.Path("none.txt").str() + " not found");
}

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
