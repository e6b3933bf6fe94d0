#include "grid/Datagrid.h"
#include "tests/grid/PrintedGrid.h"
#include "tests/support/PdfPages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

// Lines prefix0 .. prefix(count - 1) joined by separator, the first one as first says.
std::string Numbered(const std::string& prefix, int count, const std::string& separator,
                     const std::string& first = "") {
    std::string text = first.empty() ? prefix + "0" : first;
    for (int i = 1; i < count; ++i)
        text += separator + prefix + std::to_string(i);
    return text;
}

std::string RichParagraphs(const std::string& prefix, int count) {
    return "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil DejaVu Sans;}}\\f0\\fs20 " +
           Numbered(prefix, count, "\\par ") + "\\par}";
}

// The pages the preview counts.
int PreviewPages(TDataGrid& grid) {
    TBitmap page;
    page.SetSize(210, 297);
    grid.SetPreviewPage(1);
    grid.PrintPreview(page.Canvas, Rect(0, 0, 210, 297));
    return grid.GetPrintPageCount();
}

} // namespace

// Every line of a printed cell prints once, whole, inside the sheet's printable area and above
// the row under the cell: whatever breaks it into lines, spaces them or merges it over rows.
TEST(PrintedCellLines, EveryLinePrintsOnceInsideItsSheetAboveTheNextRow) {
    const struct {
        const char* label;
        std::string text;
        std::string prefix;
        int lines;
        // Rows of the block at (0, 1), over columns 0 and 1; 1 is no block.
        int rows;
        std::function<void(TDataGrid&)> set;
        // Rows hidden once the cells are filled and merged.
        std::function<void(TDataGrid&)> hide = nullptr;
    } rows[] = {
        {"plain lines merged over rows, higher than a sheet", Numbered("L", 130, "\r\n"), "L", 130, 2,
         [](TDataGrid& g) { g.Multilinecells = true; }},
        {"wrapped words merged over rows, higher than a sheet", Numbered("W", 600, " "), "W", 600, 2,
         [](TDataGrid& g) {
             g.WordWrap = true;
             g.SetColWidths(0, 40);
             g.SetColWidths(1, 40);
         }},
        {"HTML lines merged over rows, higher than a sheet", Numbered("H", 130, "<BR>", "<B>H0</B>"), "H",
         130, 2, [](TDataGrid& g) { g.EnableHTML = true; }},
        {"rich text merged over rows, higher than a sheet", RichParagraphs("R", 130), "R", 130, 2,
         [](TDataGrid&) {}},
        {"120 lines without row spacing", Numbered("L", 120, "\r\n"), "L", 120, 1,
         [](TDataGrid& g) { g.Multilinecells = true; }},
        {"120 lines spaced 4 mm", Numbered("L", 120, "\r\n"), "L", 120, 1,
         [](TDataGrid& g) {
             g.Multilinecells = true;
             g.PrintSettings->RowSpacing = 40;
         }},
        {"40 lines spaced 4 mm", Numbered("L", 40, "\r\n"), "L", 40, 1,
         [](TDataGrid& g) {
             g.Multilinecells = true;
             g.PrintSettings->RowSpacing = 40;
         }},
        {"5 lines spaced 4 mm", Numbered("L", 5, "\r\n"), "L", 5, 1,
         [](TDataGrid& g) {
             g.Multilinecells = true;
             g.PrintSettings->RowSpacing = 40;
         }},
        {"120 lines spaced 3 mm, centred", Numbered("L", 120, "\r\n"), "L", 120, 1,
         [](TDataGrid& g) {
             g.Multilinecells = true;
             g.VAlignment = vtaCenter;
             g.PrintSettings->RowSpacing = 30;
         }},
        {"one line spaced 2 cm, at the bottom, right under the sheet's top", "L0", "L", 1, 1,
         [](TDataGrid& g) {
             g.VAlignment = vtaBottom;
             g.PrintSettings->RowSpacing = 200;
             g.PrintSettings->HeaderSize = 0;
             g.PrintSettings->TitleSpacing = 0;
         }},
        {"long HTML in a column of 20 pixels, word wrap on", Numbered("w", 1500, " ", "<b>x</b> w0"), "w",
         1500, 1,
         [](TDataGrid& g) {
             g.EnableHTML = true;
             g.WordWrap = true;
             g.SetColWidths(0, 20);
         }},
        {"long HTML in a column of 60 pixels, word wrap off", Numbered("w", 1500, " ", "<b>x</b> w0"), "w",
         1500, 1,
         [](TDataGrid& g) {
             g.EnableHTML = true;
             g.SetColWidths(0, 60);
         }},
        {"plain lines merged over rows, its middle row hidden", Numbered("L", 130, "\r\n"), "L", 130, 3,
         [](TDataGrid& g) { g.Multilinecells = true; }, [](TDataGrid& g) { g.HideRows(2, 2); }},
        {"plain lines merged over rows, its top row hidden", Numbered("L", 130, "\r\n"), "L", 130, 3,
         [](TDataGrid& g) { g.Multilinecells = true; }, [](TDataGrid& g) { g.HideRows(1, 1); }},
        {"plain lines merged over rows, its middle row filtered out", Numbered("L", 130, "\r\n"), "L", 130, 3,
         [](TDataGrid& g) { g.Multilinecells = true; },
         [](TDataGrid& g) {
             g.SetCells(2, 2, "drop");
             TFilterData* condition = g.Filter->Add();
             condition->Column = 2;
             condition->Condition = "!drop";
             g.SetFilterActive(true);
         }},
        {"three lines merged over rows, its middle row hidden", Numbered("L", 3, "\r\n"), "L", 3, 3,
         [](TDataGrid& g) { g.Multilinecells = true; }, [](TDataGrid& g) { g.HideRows(2, 2); }},
        {"plain lines merged over three rows, higher than a sheet", Numbered("L", 130, "\r\n"), "L", 130, 3,
         [](TDataGrid& g) { g.Multilinecells = true; }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        TDataGrid grid(nullptr);
        PrintTwoColumnsOnA4(grid);
        grid.SetColCount(3);
        grid.SetRowCount(5);
        grid.SetFixedRows(0);
        row.set(grid);
        grid.SetCells(0, 0, "above");
        // The cells a block covers keep texts of their own, never printed while it covers them.
        for (int r = 1; r < 1 + row.rows && row.rows > 1; ++r)
            for (int c = 0; c < 2; ++c)
                grid.SetCells(c, r, "covered");
        grid.SetCells(0, 1, row.text);
        if (row.rows > 1)
            grid.MergeCells(0, 1, 2, row.rows);
        grid.SetCells(0, 1 + row.rows, "below");
        if (row.hide)
            row.hide(grid);
        const PrintedPdf printed = PrintToPdf(grid);
        const auto below = std::find_if(printed.Words.begin(), printed.Words.end(),
                                        [](const PdfWord& w) { return w.Text == "below"; });
        const auto above = std::find_if(printed.Words.begin(), printed.Words.end(),
                                        [](const PdfWord& w) { return w.Text == "above"; });
        ASSERT_NE(below, printed.Words.end());
        ASSERT_NE(above, printed.Words.end());
        std::map<std::string, int> seen = WordCounts(printed);
        EXPECT_EQ(seen["above"], 1);
        EXPECT_EQ(seen["below"], 1);
        EXPECT_EQ(seen["covered"], 0);
        for (const PdfWord& word : printed.Words) {
            // A4's printable part lies 10 points in from each edge.
            EXPECT_GE(word.YMin, 10) << word.Text << " on page " << word.Page;
            EXPECT_LE(word.YMax, 832) << word.Text << " on page " << word.Page;
            if (word.Text.rfind(row.prefix, 0) != 0)
                continue;
            EXPECT_LE(word.Page, below->Page) << word.Text;
            if (word.Page == above->Page) {
                EXPECT_GE(word.YMin, above->YMax - 0.5) << word.Text << " over the row above";
            }
            if (word.Page == below->Page) {
                EXPECT_LE(word.YMax, below->YMin + 0.5) << word.Text << " over the row below";
            }
        }
        // In reading order, page by page: every line once.
        const std::vector<int> order = NumberedWords(printed, row.prefix);
        EXPECT_EQ(order.size(), static_cast<std::size_t>(row.lines));
        for (std::size_t i = 0; i < order.size(); ++i)
            if (order[i] != static_cast<int>(i)) {
                ADD_FAILURE() << "line " << i << " reads " << row.prefix << order[i];
                break;
            }
        // However narrow, a column keeps to the sheet: its text breaks instead.
        EXPECT_LE(grid.GetPrintColWidth(0), 2028);
        EXPECT_EQ(PreviewPages(grid), printed.Pages);
    }
}
