#include "grid/Datagrid.h"

#include "framework/Exceptions.h"

#include "tests/grid/ErrorText.h"
#include "tests/grid/GridFiles.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/FileSizeLimit.h"
#include "tests/support/GeometryPrinter.h"

#include <QFileInfo>
#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(DatagridCsv, SavesEveryRowAndColumnWithItsQuotes) {
    TestFolder folder;
    TDataGrid grid(nullptr);
    SetCellTexts(grid, SampleTable);
    const AnsiString file = folder.Path("t.csv");
    grid.SaveToCSV(file);
    const std::string saved = "Sewer,Length (m),Note\r\n"
                              "S1,12.50,\"a, b\"\r\n"
                              "S2,\"\",\"line1\r\nline2 \"\"x\"\"\"\r\n";
    EXPECT_EQ(FileBytes(file), saved);
    grid.IncludeFixedCells = false;
    grid.QuoteEmptyFields = false;
    grid.Delimiter = ';';
    grid.AppendToCSV(file);
    EXPECT_EQ(FileBytes(file), saved + "12.50;a, b\r\n;\"line1\r\nline2 \"\"x\"\"\"\r\n");
}

// With OemConvert a file holds code page 850: "ü" is 0x81, "½" 0xAB, and "€", which the page
// lacks, is written "?".
TEST(DatagridCsv, OemConvertWritesAndReadsTheOemCodePage) {
    TestFolder folder;
    TDataGrid grid(nullptr);
    grid.OemConvert = true;
    SetCellTexts(grid, {{"Zürich", "½"}, {"€", "ÿ"}});
    const AnsiString file = folder.Path("oem.csv");
    grid.SaveToCSV(file);
    EXPECT_EQ(FileBytes(file), "Z\x81rich,\xAB\r\n?,\x98\r\n");
    TDataGrid read(nullptr);
    read.OemConvert = true;
    read.LoadFromCSV(file);
    EXPECT_EQ(read.GetCells(0, 0), "Zürich");
    EXPECT_EQ(read.GetCells(1, 0), "½");
    EXPECT_EQ(read.GetCells(0, 1), "?");
    EXPECT_EQ(read.GetCells(1, 1), "ÿ");
}

TEST(DatagridCsv, AppendingToAMissingFileCreatesIt) {
    TestFolder folder;
    TDataGrid grid(nullptr);
    SetCellTexts(grid, {{"a", "b"}, {"c", "d"}});
    const AnsiString file = folder.Path("new.csv");
    grid.AppendToCSV(file);
    grid.AppendToCSV(file);
    EXPECT_EQ(FileBytes(file), "a,b\r\nc,d\r\na,b\r\nc,d\r\n");
}

TEST(DatagridCsv, ReadsIntoTheGrid) {
    struct Row {
        const char* label;
        std::string bytes;
        char delimiter;
        bool includeFixed;
        bool insert;
        const char* expected;
    } rows[] = {
        {"fewer lines than rows drop the rows beyond", "x,y\r\n", ',', true, false, "x y 02"},
        {"short lines keep the old text to their right", "x\r\ny\r\n", ',', true, false, "x 01 02|y 11 12"},
        {"lines longer than the grid widen it", "a,b,c,d\r\n", ',', true, false, "a b c d"},
        {"without the fixed cells from the first normal cell", "x,y\r\n", ',', false, false,
         "00 01 02|10 x y"},
        {"inserting goes below the last row", "x\r\n", ',', true, true, "00 01 02|10 11 12|20 21 22|x  "},
        {"semicolons found", "p;q\r\nr;s\r\n", 0, true, false, "p q 02|r s 12"},
        {"one line with a separator is split", "p;q\r\n", 0, true, false, "p q 02"},
        {"one line without a separator: one cell", "pq\r\n", 0, true, false, "pq 01 02"},
        {"a byte order mark and Windows-1252", "\xEF\xBB\xBF\xD8,\x80\r\n", ',', true, false,
         "\xC3\x98 \xE2\x82\xAC 02"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        TestFolder folder;
        const AnsiString file = folder.Path("in.csv");
        WriteFile(file, row.bytes);
        TDataGrid grid(nullptr);
        SetCellTexts(grid, Cells("00 01 02|10 11 12|20 21 22"));
        grid.Delimiter = row.delimiter;
        grid.IncludeFixedCells = row.includeFixed;
        if (row.insert)
            grid.InsertFromCSV(file);
        else
            grid.LoadFromCSV(file);
        EXPECT_EQ(CellTexts(grid), Cells(row.expected));
        EXPECT_EQ(grid.Delimiter, row.delimiter);
    }
}

TEST(DatagridCsv, FindsTheSeparatorOfRecordsThatHoldQuotesAndLineBreaks) {
    struct Row {
        const char* label;
        const char* bytes;
        GridCellTexts expected;
    } rows[] = {
        {"a quoted comma in the first row",
         "Sewer,\"Length, m\",Note\r\nS1,12.5,\"a\r\nb\"\r\n",
         {{"Sewer", "Length, m", "Note"}, {"S1", "12.5", "a\r\nb"}}},
        {"a quoted line break in the first row",
         "\"l1\r\nl2\",x\r\ny,z\r\n",
         {{"l1\r\nl2", "x"}, {"y", "z"}}},
        {"a TAB in both rows", "x\ty,\"p,q\"\r\nz\tw,r\r\n", {{"x\ty", "p,q"}, {"z\tw", "r"}}},
        {"one row of several fields", "a,b,c\r\n", {{"a", "b", "c"}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        TestFolder folder;
        const AnsiString file = folder.Path("in.csv");
        WriteFile(file, row.bytes);
        TDataGrid grid(nullptr);
        grid.LoadFromCSV(file);
        EXPECT_EQ(CellTexts(grid, static_cast<int>(row.expected.front().size())), row.expected);
        EXPECT_EQ(grid.Delimiter, 0);
    }
}

TEST(DatagridCsv, AReadTellsOfTheChangedCellsOnceAndReportsProgress) {
    TestFolder folder;
    const AnsiString file = folder.Path("four.csv");
    WriteFile(file, "a\r\nb\r\nc\r\nd\r\n");
    struct Watcher : TDataGrid {
        using TDataGrid::TDataGrid;
        void CellsLoaded() override { loaded.push_back(GetRowCount()); }
        std::vector<int> loaded;
    } grid(nullptr);
    std::vector<TRect> changed;
    std::vector<short> progress;
    grid.OnCellsChanged = [&](TObject*, const TRect& R) { changed.push_back(R); };
    grid.OnFileProgress = [&](TObject*, short percent) { progress.push_back(percent); };
    grid.LoadFromCSV(file);
    EXPECT_EQ(progress, (std::vector<short>{25, 50, 75, 100}));
    EXPECT_EQ(changed, (std::vector<TRect>{Rect(0, 0, 5, 4)}));
    EXPECT_EQ(grid.loaded, (std::vector<int>{4}));

    // A one-row grid has written all of itself after its only row.
    progress.clear();
    TDataGrid single(nullptr);
    single.SetRowCount(1);
    single.OnFileProgress = [&](TObject*, short percent) { progress.push_back(percent); };
    single.SaveToCSV(file);
    EXPECT_EQ(progress, (std::vector<short>{100}));
}

TEST(DatagridCsv, WritersWriteWhatSaveCellGives) {
    struct Units : TDataGrid {
        using TDataGrid::TDataGrid;
        AnsiString SaveCell(int ACol, int ARow) override { return GetCellEx(ACol, ARow) + " m"; }
    } grid(nullptr);
    SetCellTexts(grid, {{"1", "2"}});
    TestFolder folder;
    grid.SaveToCSV(folder.Path("u.csv"));
    EXPECT_EQ(FileBytes(folder.Path("u.csv")), "1 m,2 m\r\n");
}

TEST(DatagridCsv, FailuresLeaveFilesAndGridAsTheyWere) {
    TestFolder folder;
    ASSERT_TRUE(QDir(folder.dir.path()).mkdir("sub"));
    const AnsiString existing = folder.Path("kept.csv");
    WriteFile(existing, "old\r\n");
    TDataGrid grid(nullptr);
    SetCellTexts(grid, SampleTable);
    struct Row {
        AnsiString file;
        bool append;
    } writes[] = {
        {folder.Path("missing/t.csv"), false},
        {folder.Path("missing/t.csv"), true},
        {folder.Path("sub"), false},
        {folder.Path("sub"), true},
    };
    for (const Row& row : writes) {
        SCOPED_TRACE(row.file.str() + (row.append ? " append" : " save"));
        EXPECT_EQ(ErrorText<EDataGridError>([&] { grid.OutputToCSV(row.file, row.append); }),
                  "Cannot Create file " + row.file.str());
    }
    EXPECT_TRUE(QFileInfo(folder.dir.filePath("sub")).isDir());
    EXPECT_FALSE(QFileInfo::exists(folder.dir.filePath("missing")));
    for (const AnsiString& file : {folder.Path("none.csv"), folder.Path("sub")}) {
        SCOPED_TRACE(file.str());
        EXPECT_EQ(ErrorText<EDataGridError>([&] { grid.LoadFromCSV(file); }),
                  "Cannot open file " + file.str());
        EXPECT_EQ(CellTexts(grid), SampleTable);
    }
    EXPECT_EQ(FileBytes(existing), "old\r\n");
}

TEST(DatagridCsv, AWriteThatFailsMidwayKeepsTheOldFile) {
    TestFolder folder;
    const AnsiString file = folder.Path("kept.csv");
    WriteFile(file, "old\r\n");
    TDataGrid grid(nullptr);
    grid.SetColCount(26);
    grid.SetRowCount(2000);
    for (int c = 0; c < 26; ++c)
        grid.SetCellEx(c, 1, "a cell of some length");
    {
        FileSizeLimit limit(4096);
        EXPECT_THROW(grid.AppendToCSV(file), EInOutError);
        EXPECT_THROW(grid.SaveToCSV(file), EInOutError);
    }
    EXPECT_EQ(FileBytes(file), "old\r\n");
}

} // namespace
