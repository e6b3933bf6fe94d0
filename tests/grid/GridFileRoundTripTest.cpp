#include "grid/Datagrid.h"

#include "tests/grid/GridFiles.h"
#include "tests/support/AnsiStringPrinter.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

constexpr const char* Feff = "\xEF\xBB\xBF";

// Saves the grid to a file and loads that file into another grid, in one of the text formats.
struct Format {
    const char* label;
    std::function<void(TDataGrid&, const AnsiString&)> save;
    std::function<void(TDataGrid&, const AnsiString&)> load;
};

const Format Formats[] = {
    {"CSV", [](TDataGrid& grid, const AnsiString& file) { grid.SaveToCSV(file); },
     [](TDataGrid& grid, const AnsiString& file) { grid.LoadFromCSV(file); }},
    {"cell file", [](TDataGrid& grid, const AnsiString& file) { grid.SaveToFile(file); },
     [](TDataGrid& grid, const AnsiString& file) { grid.LoadFromFile(file); }},
    {"fixed width",
     [](TDataGrid& grid, const AnsiString& file) {
         TIntList widths = Positions({12, 12});
         grid.SaveToFixed(file, &widths);
     },
     [](TDataGrid& grid, const AnsiString& file) {
         TIntList positions = Positions({1, 13, 25});
         grid.LoadFromFixed(file, &positions);
     }},
};

TEST(GridFileRoundTrip, CellsComeBackThroughEachFormat) {
    struct Row {
        const char* label;
        GridCellTexts cells;
    } rows[] = {
        // Once the readers stopped at the first Ctrl-Z, the rest of the file lost.
        {"Ctrl-Z (26) inside cells", {{"a\x1Az", "b"}, {"x\x1A\x1Ay", "last"}}},
        // Once read as a byte order mark, the first line shifted or the character lost.
        {"a first cell beginning with U+FEFF", {{std::string(Feff) + "first", "b"}, {Feff, "last"}}},
    };
    for (const Row& row : rows) {
        for (const Format& format : Formats) {
            SCOPED_TRACE(std::string(row.label) + ", " + format.label);
            TestFolder folder;
            const AnsiString file = folder.Path("cells.txt");
            TDataGrid grid(nullptr);
            SetCellTexts(grid, row.cells);
            format.save(grid, file);
            TDataGrid back(nullptr);
            SetCellTexts(back, Cells(" | "));
            format.load(back, file);
            EXPECT_EQ(CellTexts(back), row.cells);
        }
    }
}

TEST(GridFileRoundTrip, OldFilesEndedByCtrlZStillRead) {
    const std::string bytes[] = {"a,b\r\nc,d\r\n\x1A", "2,2\r\n0,0,a\r\n1,0,b\r\n0,1,c\r\n1,1,d\r\n\x1A",
                                 "a           b           \r\nc           d           \r\n\x1A"};
    for (std::size_t i = 0; i < std::size(Formats); ++i) {
        SCOPED_TRACE(Formats[i].label);
        TestFolder folder;
        const AnsiString file = folder.Path("old.txt");
        WriteFile(file, bytes[i]);
        TDataGrid grid(nullptr);
        SetCellTexts(grid, Cells(" | "));
        Formats[i].load(grid, file);
        EXPECT_EQ(CellTexts(grid), Cells("a b|c d"));
    }
}

TEST(GridFileRoundTrip, OnlyTheBytesThatAreNotUtf8AreReadAsWindows1252) {
    // "Zürich" in UTF-8 beside "München" with its "ü" in Windows-1252 (0xFC), as a file edited in
    // two programs holds them.
    const std::string zurich = "Z\xC3\xBCrich";
    const std::string munich = "M\xC3\xBCnchen";
    const std::string bytes[] = {"Z\xC3\xBCrich,M\xFCnchen\r\n",
                                 "2,1\r\n0,0,Z\xC3\xBCrich\r\n1,0,M\xFCnchen\r\n",
                                 "Z\xC3\xBCrich      M\xFCnchen     \r\n"};
    for (std::size_t i = 0; i < std::size(Formats); ++i) {
        SCOPED_TRACE(Formats[i].label);
        TestFolder folder;
        const AnsiString file = folder.Path("mixed.txt");
        WriteFile(file, bytes[i]);
        TDataGrid grid(nullptr);
        SetCellTexts(grid, Cells(" "));
        Formats[i].load(grid, file);
        EXPECT_EQ(CellTexts(grid), (GridCellTexts{{zurich, munich}}));
    }

    TestFolder folder;
    const AnsiString ini = folder.Path("print.ini");
    WriteFile(ini, "[PRINTSETTINGS]\r\nTitleText=Z\xC3\xBCrich M\xFCnchen\r\n");
    TDataGrid grid(nullptr);
    grid.LoadPrintSettings(ini, "PRINTSETTINGS");
    EXPECT_EQ(grid.PrintSettings->TitleText, zurich + " " + munich);
}

TEST(GridFileRoundTrip, TildeLineBreaksKeepEveryRowApart) {
    // Tilde line breaks drop each LF; a cell that then begins with a quote must be quoted, or the
    // reader takes its quote for the opening of a field that runs into the next row.
    const GridCellTexts cells = {{"\n\"x", "b"}, {"\r\n\"y\"", "c"}, {"d", "e"}};
    TestFolder folder;
    const AnsiString file = folder.Path("tilde.csv");
    TDataGrid grid(nullptr);
    grid.TildeLineBreaks = true;
    SetCellTexts(grid, cells);
    grid.SaveToCSV(file);
    TDataGrid back(nullptr);
    back.TildeLineBreaks = true;
    SetCellTexts(back, Cells(" "));
    back.LoadFromCSV(file);
    EXPECT_EQ(CellTexts(back), (GridCellTexts{{"\"x", "b"}, {"\r\n\"y\"", "c"}, {"d", "e"}}));
}

} // namespace
