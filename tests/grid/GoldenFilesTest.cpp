#include "grid/Datagrid.h"

#include "framework/StringList.h"
#include "tests/grid/GridFiles.h"

#include <gtest/gtest.h>

namespace {

// The results table in small: a header row, a name column, an empty cell, a comma, a quote, a
// line break and a character beyond ASCII, and the slope column hidden. Lengths show to the
// right and diameters centred.
struct ResultsGrid : TDataGrid {
    ResultsGrid() : TDataGrid(nullptr) {
        SetCellTexts(*this, {{"Sewer", "Length (m)", "Slope", "Note", "\xC3\x98 (mm)"},
                             {"S1", "12.50", "0.004", "a, b", "225"},
                             {"S2", "", "0.010", "\"q\" said", "300"},
                             {"S3", "7.25", "0.007", "line1\r\nline2", "150"}});
        Multilinecells = true;
        SetColWidths(1, 80);
        HideColumn(2);
        OnGetAlignment = [](TObject*, int, int ACol, TAlignment& HAlign, TVAlignment&) {
            HAlign = ACol == 1 ? taRightJustify : ACol == 4 ? taCenter : taLeftJustify;
        };
    }
};

TEST(GoldenFiles, TheResultsGridIsWrittenByteForByte) {
    TestFolder folder;
    ResultsGrid grid;
    const AnsiString csv = folder.Path("results.csv");
    grid.SaveToCSV(csv);
    grid.AppendToCSV(csv);
    grid.IncludeFixedCells = false;
    grid.AppendToCSV(csv);
    grid.IncludeFixedCells = true;
    EXPECT_EQ(FileBytes(csv), Golden("results.csv"));

    grid.SaveToFile(folder.Path("results.grd"));
    EXPECT_EQ(FileBytes(folder.Path("results.grd")), Golden("results.grd"));
    grid.SaveToASCII(folder.Path("results.txt"));
    EXPECT_EQ(FileBytes(folder.Path("results.txt")), Golden("results.txt"));
    TIntList widths(0, 0);
    grid.SaveToFixed(folder.Path("results-fixed.txt"), &widths);
    EXPECT_EQ(FileBytes(folder.Path("results-fixed.txt")), Golden("results-fixed.txt"));
    grid.URLShow = true;
    grid.SaveToHTML(folder.Path("results.html"));
    EXPECT_EQ(FileBytes(folder.Path("results.html")), Golden("results.html"));
    TStringList tags;
    tags.Add("Name");
    tags.Add("Length");
    grid.SaveToXML(folder.Path("results.xml"), "Table", "Sewer", &tags);
    EXPECT_EQ(FileBytes(folder.Path("results.xml")), Golden("results.xml"));
}

TEST(GoldenFiles, HiddenColumnsTravelWhenAsked) {
    TestFolder folder;
    ResultsGrid grid;
    grid.SetColWidths(2, 70);
    grid.IncludeHiddenColumns = true;
    grid.IncludeFixedCells = false;
    const AnsiString csv = folder.Path("all.csv");
    grid.SaveToCSV(csv);
    // Every real column from the first normal one, by real index.
    EXPECT_EQ(FileBytes(csv), "12.50,0.004,\"a, b\",225\r\n\"\",0.010,\"\"\"q\"\" said\",300\r\n"
                              "7.25,0.007,\"line1\r\nline2\",150\r\n");
    const AnsiString cells = folder.Path("all.grd");
    grid.SaveToFile(cells);
    EXPECT_EQ(FileBytes(cells), "4,3\r\ncw 1,80\r\ncw 2,64\r\ncw 3,70\r\ncw 4,64\r\n"
                                "1,1,12.50\r\n2,1,0.004\r\n3,1,a, b\r\n4,1,225\r\n"
                                "2,2,0.010\r\n3,2,\"q\" said\r\n4,2,300\r\n"
                                "1,3,7.25\r\n2,3,0.007\r\n3,3,line1\t\bline2\r\n4,3,150\r\n");
}

} // namespace
