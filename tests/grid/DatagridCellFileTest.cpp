#include "grid/Datagrid.h"

#include "framework/Exceptions.h"
#include "framework/Stream.h"
#include "tests/grid/ErrorText.h"
#include "tests/grid/GridFiles.h"
#include "tests/support/AnsiStringPrinter.h"

#include <gtest/gtest.h>

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

} // namespace
