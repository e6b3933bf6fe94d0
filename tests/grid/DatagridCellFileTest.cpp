#include "grid/Datagrid.h"

#include "framework/Exceptions.h"
#include "framework/NumberFormat.h"
#include "framework/Stream.h"
#include "grid/CellFileFormat.h"
#include "tests/grid/ErrorText.h"
#include "tests/grid/GridFiles.h"
#include "tests/support/AnsiStringPrinter.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <vector>

namespace {

TEST(DatagridCellFile, KeepsSizeWidthsAndEveryNonEmptyCell) {
    TestFolder folder;
    TDataGrid grid(nullptr);
    SetCellTexts(grid, SampleTable);
    grid.SetColWidths(1, 80);
    const AnsiString file = folder.Path("t.grd");
    grid.SaveToFile(file);
    EXPECT_EQ(FileBytes(file), "3,3\r\ncw 0,64\r\ncw 1,80\r\ncw 2,64\r\n"
                               "0,0,Sewer\r\n1,0,Length (m)\r\n2,0,Note\r\n"
                               "0,1,S1\r\n1,1,12.50\r\n2,1,a, b\r\n"
                               "0,2,S2\r\n2,2,line1\t\bline2 \"x\"\r\n");
    for (const bool multiline : {true, false}) {
        SCOPED_TRACE(multiline);
        TDataGrid back(nullptr);
        back.Multilinecells = multiline;
        back.LoadFromFile(file);
        GridCellTexts expected = SampleTable;
        if (!multiline)
            expected[2][2] = "line1";
        EXPECT_EQ(CellTexts(back), expected);
        EXPECT_EQ(back.GetColWidths(1), 80);
    }
}

TEST(DatagridCellFile, EveryCellReadsBackAsItWasSaved) {
    // Line breaks of every kind beside the TAB and backspace that stand for them in the file.
    const GridCellTexts cells = {{"a\tb\r\nc", "a\bb", "a\rb", "\t\b\x1B"},
                                 {"l1\r\nl2\r\n", "x\ny", "\x1B\r\n\t", "tab\tonly"}};
    TestFolder folder;
    TDataGrid grid(nullptr);
    SetCellTexts(grid, cells);
    const AnsiString file = folder.Path("t.grd");
    grid.SaveToFile(file);
    TMemoryStream stream;
    grid.SaveToStream(&stream);
    TDataGrid back(nullptr);
    back.Multilinecells = true;
    back.LoadFromFile(file);
    EXPECT_EQ(CellTexts(back), cells);
    TDataGrid fromStream(nullptr);
    fromStream.Multilinecells = true;
    stream.SetPosition(0);
    fromStream.LoadFromStream(&stream);
    EXPECT_EQ(CellTexts(fromStream), cells);
}

TEST(DatagridCellFile, ReadsCellsAndWidthsInsideTheGridOnly) {
    TestFolder folder;
    const AnsiString file = folder.Path("in.grd");
    WriteFile(file, "2,2\r\ncw 1,90\r\ncw 7,5\r\n1,1,a,b,c\r\n5,0,far\r\n0,9,low\r\n0,0,x\r\n");
    TDataGrid grid(nullptr);
    grid.LoadFromFile(file);
    EXPECT_EQ(CellTexts(grid), Cells("x | a,b,c"));
    EXPECT_EQ(grid.GetColWidths(1), 90);
}

TEST(DatagridCellFile, ADamagedHeaderChangesNothing) {
    const char* headers[] = {"0,3", "3,0", "abc", "-1,5", "5,-1", "10001,1", "1,1000001", "5000,5000"};
    for (const char* header : headers) {
        SCOPED_TRACE(header);
        TestFolder folder;
        const AnsiString file = folder.Path("bad.grd");
        WriteFile(file, std::string(header) + "\r\n0,0,x\r\n");
        TDataGrid grid(nullptr);
        SetCellTexts(grid, SampleTable);
        EXPECT_EQ(ErrorText<EDataGridError>([&] { grid.LoadFromFile(file); }),
                  "File contains no data or corrupt file " + file.str());
        EXPECT_EQ(CellTexts(grid), SampleTable);
    }
}

TEST(DatagridCellFile, AWidthNoColumnCanHaveChangesNothing) {
    struct Row {
        const char* width;
        bool loads;
    } rows[] = {{"-50", false}, {"99999999", false}, {"32768", false}, {"-2", false},
                {"-1", true},   {"0", true},         {"32767", true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.width);
        const std::string bytes = "3,3\r\n0,0,x\r\ncw 1," + std::string(row.width) + "\r\n";
        TestFolder folder;
        const AnsiString file = folder.Path("w.grd");
        WriteFile(file, bytes);
        TDataGrid grid(nullptr);
        SetCellTexts(grid, SampleTable);
        grid.SetColWidths(1, 80);
        TMemoryStream stream;
        stream.WriteBuffer(bytes.data(), static_cast<long long>(bytes.size()));
        stream.SetPosition(0);
        if (row.loads) {
            grid.LoadFromFile(file);
            EXPECT_EQ(grid.GetColWidths(1), std::stoi(row.width));
            EXPECT_EQ(grid.GetCellEx(0, 0), "x");
            continue;
        }
        EXPECT_EQ(ErrorText<EDataGridError>([&] { grid.LoadFromFile(file); }),
                  "File contains no data or corrupt file " + file.str());
        EXPECT_EQ(ErrorText<EDataGridError>([&] { grid.LoadFromStream(&stream); }),
                  "File contains no data or corrupt file ");
        EXPECT_EQ(CellTexts(grid), SampleTable);
        EXPECT_EQ(grid.GetColWidths(1), 80);
    }
}

TEST(DatagridCellFile, AStreamPutsEveryCellBackInPlace) {
    TDataGrid grid(nullptr);
    SetCellTexts(grid, SampleTable);
    grid.IncludeFixedCells = false;
    TMemoryStream stream;
    grid.SaveToStream(&stream);
    // Indices count from the first saved cell.
    EXPECT_EQ(
        std::string(stream.Memory(), static_cast<std::size_t>(stream.GetSize())),
        "2,2\r\ncw 0,64\r\ncw 1,64\r\ncw 2,64\r\n0,0,12.50\r\n1,0,a, b\r\n1,1,line1\t\bline2 \"x\"\r\n");
    TDataGrid back(nullptr);
    back.IncludeFixedCells = false;
    back.Multilinecells = true;
    SetCellTexts(back, {{"h0", "h1", "h2"}, {"s", "", ""}});
    stream.SetPosition(0);
    back.LoadFromStream(&stream);
    EXPECT_EQ(CellTexts(back),
              (GridCellTexts{{"h0", "h1", "h2"}, {"s", "12.50", "a, b"}, {"", "", "line1\r\nline2 \"x\""}}));
}

TEST(DatagridCellFile, ABadStreamRaisesBeforeAnythingChanges) {
    struct Row {
        const char* bytes;
        bool conversion;
    } rows[] = {
        {"2,x\r\n", true}, {"2,2\r\n1,1,a\r\nq,1,b\r\n", true}, {"2,2\r\n0,0,a\r\ncw 5,10\r\n", false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.bytes);
        TMemoryStream stream;
        stream.WriteBuffer(row.bytes, static_cast<long long>(std::string(row.bytes).size()));
        stream.SetPosition(0);
        TDataGrid grid(nullptr);
        SetCellTexts(grid, SampleTable);
        if (row.conversion)
            EXPECT_THROW(grid.LoadFromStream(&stream), EConvertError);
        else
            EXPECT_THROW(grid.LoadFromStream(&stream), EInvalidGridOperation);
        EXPECT_EQ(CellTexts(grid), SampleTable);
    }
}

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
