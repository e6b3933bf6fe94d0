#include "grid/Datagrid.h"
#include "tests/grid/PrintedGrid.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A rich text in DejaVu Sans of 10 points behind a font table as long as a word processor
// writes: its source is many times its shown text.
std::string RichWithLongHeader(const std::string& body) {
    std::string fonts = "{\\f0\\fnil DejaVu Sans;}";
    for (int i = 1; i <= 12; ++i)
        fonts += "{\\f" + std::to_string(i) + "\\fswiss\\fcharset0 A Font Of The Word Processor " +
                 std::to_string(i) + ";}";
    return "{\\rtf1\\ansi\\deff0{\\fonttbl" + fonts + "}\\f0\\fs20 " + body + "\\par}";
}

} // namespace

// A rich cell is measured by the text it shows, as a plain cell holding that text is.
TEST_F(PrintedGrid, ARichCellIsMeasuredByItsShownText) {
    const struct {
        const char* label;
        bool wrapped, autoSized;
    } rows[] = {
        {"one line", false, false},
        {"words wrapped", true, false},
        {"columns measured", false, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        grid.WordWrap = row.wrapped;
        grid.PrintSettings->NoAutoSize = !row.autoSized;
        for (int r = 0; r < 50; ++r)
            grid.SetCells(0, r, "sewer " + std::to_string(r));
        const int plainPages = Preview();
        const std::vector<int> plainRows = LastRows;
        const int plainWidth = grid.GetPrintColWidth(0);
        for (int r = 0; r < 50; ++r)
            grid.SetCells(0, r, RichWithLongHeader("sewer " + std::to_string(r)));
        EXPECT_EQ(Preview(), plainPages);
        EXPECT_EQ(LastRows, plainRows);
        EXPECT_EQ(grid.GetPrintColWidth(0), plainWidth);
    }
}
