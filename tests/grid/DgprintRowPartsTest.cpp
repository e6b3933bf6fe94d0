#include "grid/Datagrid.h"
#include "tests/grid/PrintedGrid.h"
#include "tests/support/PdfPages.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

// Rows of laid-out text higher than a sheet: word-wrapped, HTML and rich text.
struct PrintRowParts : PrintedGrid {};

TEST_F(PrintRowParts, EachLineOfALaidOutRowPrintsOnceWithinItsSheet) {
    std::string words, html = "<B>H1</B>",
                       rich = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil DejaVu Sans;}}\\f0\\fs20 R1";
    for (int i = 1; i <= 120; ++i)
        words += (i > 1 ? " W" : "W") + std::to_string(i);
    for (int i = 2; i <= 120; ++i) {
        html += "<BR>H" + std::to_string(i);
        rich += "\\par R" + std::to_string(i);
    }
    rich += "\\par}";
    const struct {
        const char* label;
        std::string text;
        char prefix;
        bool wrapped, html;
        // The row above is a fixed row repeated on every sheet.
        bool fixedAbove;
        // A wide column beside shrinks the cells' fonts to less than half, to fit the sheet; the
        // first column, wider then, still holds a line's word.
        bool shrunk;
    } rows[] = {
        // A column one word wide: a word a line.
        {"words wrapped", words, 'W', true, false, false, false},
        // HTML lines are 41 tenths apart, plain ones 46.
        {"HTML", html, 'H', false, true, false, false},
        {"rich text", rich, 'R', false, false, false, false},
        {"words wrapped under a fixed row", words, 'W', true, false, true, false},
        {"HTML under a fixed row", html, 'H', false, true, true, false},
        {"rich text under a fixed row", rich, 'R', false, false, true, false},
        // Rich text keeps its own fonts' size, its row as high as they set its lines.
        {"rich text shrunk to the sheet", rich, 'R', false, false, false, true},
    };
    const int secondWidth = grid.GetColWidths(1);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        grid.SetRowCount(3);
        grid.SetFixedRows(row.fixedAbove ? 1 : 0);
        grid.PrintSettings->RepeatFixedRows = row.fixedAbove;
        grid.WordWrap = row.wrapped;
        grid.EnableHTML = row.html;
        grid.SetColWidths(0, row.shrunk ? 120 : 40);
        grid.SetColWidths(1, row.shrunk ? 1500 : secondWidth);
        grid.PrintSettings->FitToPage = row.shrunk ? fpShrink : fpNever;
        grid.SetCells(0, 0, "above");
        grid.SetCells(0, 1, row.text);
        grid.SetCells(0, 2, "below");
        const PrintedPdf printed = PrintToPdf(grid);
        // A4's printable part lies 10 points in from each edge.
        for (const PdfWord& word : printed.Words) {
            EXPECT_GE(word.YMin, 10) << word.Text << " on page " << word.Page;
            EXPECT_LE(word.YMax, 832) << word.Text << " on page " << word.Page;
        }
        std::map<std::string, int> seen = WordCounts(printed);
        const std::vector<int> order = NumberedWords(printed, std::string(1, row.prefix));
        EXPECT_EQ(seen["above"], row.fixedAbove ? printed.Pages : 1);
        EXPECT_EQ(seen["below"], 1);
        // In reading order, page by page: every line once, none cut in two.
        EXPECT_EQ(order.size(), 120u);
        for (std::size_t i = 0; i < order.size(); ++i)
            if (order[i] != static_cast<int>(i) + 1) {
                ADD_FAILURE() << "line " << i + 1 << " reads " << row.prefix << order[i];
                break;
            }
        EXPECT_GE(printed.Pages, 3);
        EXPECT_EQ(Preview(), printed.Pages);
    }
}
