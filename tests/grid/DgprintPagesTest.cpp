#include "grid/Datagrid.h"
#include "tests/grid/PrintedGrid.h"
#include "tests/support/PdfPages.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST_F(PrintedGrid, PrintedWidthsFollowTheScreenWithoutAutoSize) {
    const struct {
        int pixels;
        int tenths;
    } rows[] = {
        // (pixels - 4) x 254 / 96 tenths, halves to even.
        {64, 159},  // 158.75
        {100, 254}, // 254.00
        {40, 95},   // 95.25
        {28, 64},   // 63.50
        {76, 190},  // 190.50
    };
    grid.SetColCount(5);
    for (int c = 0; c < 5; ++c)
        grid.SetColWidths(c, rows[c].pixels);
    Preview();
    for (int c = 0; c < 5; ++c) {
        SCOPED_TRACE(rows[c].pixels);
        EXPECT_EQ(grid.GetPrintColWidth(c), rows[c].tenths);
    }
}

TEST_F(PrintedGrid, AutoSizedColumnsTakeTheirWidestTextAndFitAsAsked) {
    // DejaVu Sans Mono: 21.07 tenths a character at 10 points. "S12345678" is 189.65 wide,
    // "Length (m)" 210.72; two millimetres of spacing follow each column.
    UseDejaVu(*grid.PrintSettings, 10, "DejaVu Sans Mono");
    grid.PrintSettings->NoAutoSize = false;
    grid.SetRowCount(2);
    grid.SetCells(0, 0, "Sewer");
    grid.SetCells(0, 1, "S12345678");
    grid.SetCells(1, 0, "Length (m)");
    grid.SetCells(1, 1, "1.50");
    bool allow = false;
    grid.OnFitToPage = [&](TObject*, double&, bool& Allow) { Allow = allow; };
    const struct {
        const char* label;
        TFitToPage fit;
        int width0, width1;
    } rows[] = {
        {"as measured", fpNever, 190, 211},
        {"shrink leaves them", fpShrink, 190, 211},
        // The sheet's 2028 less the spacing, 1988, over 401: 4.958, each width cut.
        {"always fills the sheet", fpAlways, 941, 1046},
        {"grow fills it too", fpGrow, 941, 1046},
        {"custom, refused", fpCustom, 190, 211},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        grid.PrintSettings->FitToPage = row.fit;
        Preview();
        EXPECT_EQ(grid.GetPrintColWidth(0), row.width0);
        EXPECT_EQ(grid.GetPrintColWidth(1), row.width1);
        EXPECT_EQ(grid.GetPrintColOffset(1), row.width0 + 20);
        EXPECT_EQ(grid.GetPrintColOffset(2), row.width0 + row.width1 + 40);
    }
}

TEST_F(PrintedGrid, APageIsFullWhenTheNextRowWouldReachTheFooter) {
    // The page ends 2900 down; no header, and the footer keeps 5 + 41. After k rows of 122 the
    // next (100 measured) fits while 122 k + 100 <= 2854: 23 rows a page.
    FixedRowHeights();
    EXPECT_EQ(Preview(), 3);
    EXPECT_EQ(LastRows, (std::vector<int>{23, 46, 50}));

    // A fixed row printed again at the top of each later page takes one row's place there.
    grid.SetFixedRows(1);
    grid.PrintSettings->RepeatFixedRows = true;
    EXPECT_EQ(Preview(), 3);
    EXPECT_EQ(LastRows, (std::vector<int>{23, 45, 50}));

    // A handler may start a page after any row.
    grid.SetRowCount(5);
    grid.OnPrintNewPage = [](TObject*, int, bool& NewPage) { NewPage = true; };
    EXPECT_EQ(Preview(), 5);
    EXPECT_EQ(LastRows, (std::vector<int>{1, 2, 3, 4, 5}));
}

TEST_F(PrintedGrid, ColumnsBeyondTheSheetGoToStripsWithTheFixedColumnsAgain) {
    // Ten columns of 254 tenths: seven fit the 2028 of a sheet (1778), the eighth would not.
    grid.SetColCount(10);
    grid.SetRowCount(3);
    grid.SetFixedCols(1);
    for (int c = 0; c < 10; ++c)
        grid.SetColWidths(c, 100);
    std::vector<int> stripStarts;
    grid.OnPrintPageDone = [&](TObject*, TCanvas*, int, int, int, int, int) {
        stripStarts.push_back(grid.GetPrintColOffset(7));
    };
    const struct {
        const char* label;
        bool repeat;
        bool centred;
        int secondStripStart;
    } rows[] = {
        {"from the left edge", false, false, 0},
        // The fixed column stands first again, 254 wide.
        {"after the fixed column", true, false, 254},
        // Three columns of 254 centred on 2028: (2028 - 762) / 2.
        {"centred", false, true, 633},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        grid.PrintSettings->RepeatFixedCols = row.repeat;
        grid.PrintSettings->Centered = row.centred;
        stripStarts.clear();
        EXPECT_EQ(Preview(), 2);
        ASSERT_EQ(stripStarts.size(), 2u);
        EXPECT_EQ(stripStarts[1], row.secondStripStart);
    }
}

TEST_F(PrintedGrid, AChangedCellIsMeasuredAgain) {
    // Word-wrapped cells as the results table has them: a row is as high as its text needs.
    grid.WordWrap = true;
    grid.SetRowCount(120);
    Preview();
    const std::vector<int> before = LastRows;
    AnsiString longText;
    for (int i = 0; i < 40; ++i)
        longText += "word ";
    grid.SetCells(0, 5, longText);
    Preview();
    ASSERT_FALSE(before.empty());
    ASSERT_FALSE(LastRows.empty());
    EXPECT_LT(LastRows[0], before[0]);
}

namespace {

// The last row of each page of the grid's preview.
std::vector<int> PreviewedLastRows(TDataGrid& grid) {
    std::vector<int> lastRows;
    grid.OnPrintPageDone = [&](TObject*, TCanvas*, int LastRow, int, int, int, int) {
        lastRows.push_back(LastRow);
    };
    TBitmap page;
    page.SetSize(210, 297);
    grid.PrintPreview(page.Canvas, Rect(0, 0, 210, 297));
    return lastRows;
}

// Fifty rows of a tagged text in a large font, two lines and an address, measured from their texts.
void FillMeasured(TDataGrid& grid) {
    PrintTwoColumnsOnA4(grid);
    grid.PrintSettings->NoAutoSize = false;
    grid.SetColCount(3);
    for (int r = 0; r < 50; ++r) {
        grid.SetCells(0, r, "<FONT SIZE=\"30\">S" + std::to_string(r) + "</FONT>");
        grid.SetCells(1, r, "first line\r\nsecond line");
        grid.SetCells(2, r, "http://drenvala.example/sewers/" + std::to_string(r));
    }
}

// The same in narrow columns as on the screen, which grow to show their texts whole.
void FillNarrow(TDataGrid& grid) {
    FillMeasured(grid);
    grid.PrintSettings->NoAutoSize = true;
    for (int c = 0; c < 3; ++c)
        grid.SetColWidths(c, 20);
}

} // namespace

TEST_F(PrintedGrid, ASettingThatChangesAMeasureMeasuresAgain) {
    const struct {
        const char* label;
        void (*fill)(TDataGrid&);
        void (*change)(TDataGrid&);
    } rows[] = {
        {"tags read", FillMeasured, [](TDataGrid& g) { g.EnableHTML = false; }},
        {"lines kept apart", FillMeasured, [](TDataGrid& g) { g.Multilinecells = true; }},
        {"addresses shown short", FillMeasured, [](TDataGrid& g) { g.URLShow = true; }},
        // Centred text keeps no margin beside it.
        {"centred by a handler", FillNarrow,
         [](TDataGrid& g) {
             g.OnGetAlignment = [](TObject*, int, int, TAlignment& HAlign, TVAlignment&) {
                 HAlign = taCenter;
             };
         }},
    };
    // The pages' last rows, then the columns' widths.
    const auto pagesOf = [](TDataGrid& printed) {
        std::vector<int> lastRows = PreviewedLastRows(printed);
        for (int c = 0; c < 3; ++c)
            lastRows.push_back(printed.GetPrintColWidth(c));
        return lastRows;
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        TDataGrid printed(nullptr);
        row.fill(printed);
        const std::vector<int> before = pagesOf(printed);
        row.change(printed);
        TDataGrid fresh(nullptr);
        row.fill(fresh);
        row.change(fresh);
        const std::vector<int> expected = pagesOf(fresh);
        EXPECT_NE(expected, before);
        EXPECT_EQ(pagesOf(printed), expected);
    }
}

namespace {

// A grid of another class: nothing tells the page builder its cells print in one font.
struct OtherGrid : TDataGrid {
    using TDataGrid::TDataGrid;
};

// Three word-wrapped columns of 200 rows: names, a text of one to four lines in every seventh
// row, a formula, and two cells merged in row 30.
void FillWrapped(TDataGrid& grid) {
    PrintTwoColumnsOnA4(grid);
    grid.WordWrap = true;
    grid.SetColCount(3);
    grid.SetRowCount(200);
    for (int r = 0; r < 200; ++r) {
        grid.SetCells(0, r, "S" + std::to_string(r));
        if (r % 7 == 0)
            grid.SetCells(1, r, std::string(r % 4 * 3, 'w') + " flow of the day (l/s)");
        grid.SetCells(2, r, r % 5 == 0 ? "=1+2" : "0.125");
    }
    grid.SetCells(1, 30, "merged across two columns, in lines");
    grid.MergeCells(1, 30, 2, 1);
}

} // namespace

TEST_F(PrintedGrid, RowsAreAsHighAsTheirLinesHoweverTheCellsAreMeasured) {
    // The same cells measured a row at a time, for a grid that may print each cell in a font of
    // its own, give the same pages as the one sweep over a grid that prints them in one font.
    const auto pagesOf = PreviewedLastRows;
    TDataGrid plain(nullptr);
    FillWrapped(plain);
    const std::vector<int> swept = pagesOf(plain);
    OtherGrid other(nullptr);
    FillWrapped(other);
    EXPECT_EQ(pagesOf(other), swept);
    plain.OnGetCellPrintColor = [](TObject*, int, int, TGridDrawState, TBrush*, TFont*) {};
    EXPECT_EQ(pagesOf(plain), swept);
    // Texts of one line take fewer pages.
    for (int r = 0; r < 200; r += 7)
        other.SetCells(1, r, "");
    other.SplitCells(1, 30);
    other.SetCells(1, 30, "");
    EXPECT_LT(pagesOf(other).size(), swept.size());
}

TEST_F(PrintedGrid, TheGridKeepsItsOwnFontScaleWhileItsCellsPrintLarger) {
    // Two columns of 159 fitted to the sheet's 2028: the cells print 6.4 times as large, while
    // the grid, asked from inside the pass, still maps 10 points to 35 tenths.
    grid.SetRowCount(3);
    grid.SetCells(0, 1, "S1");
    grid.PrintSettings->FitToPage = fpAlways;
    std::vector<int> heights;
    grid.OnGetCellPrintColor = [&](TObject*, int, int, TGridDrawState, TBrush*, TFont* AFont) {
        EXPECT_EQ(AFont->Size, 10);
        heights.push_back(grid.MapFontHeight(10));
    };
    Preview();
    EXPECT_EQ(grid.GetPrintColWidth(0), 1014);
    ASSERT_FALSE(heights.empty());
    EXPECT_EQ(heights, std::vector<int>(heights.size(), -35));
}

TEST_F(PrintedGrid, ACellColouredAfterAWhiteOneInItsRowPrintsItsColour) {
    grid.SetRowCount(2);
    // The event takes the row first.
    grid.OnGetCellPrintColor = [](TObject*, int, int ACol, TGridDrawState, TBrush* ABrush, TFont*) {
        ABrush->Color = ACol == 1 ? clRed : clWhite;
    };
    const auto redIn = [](const QImage& page) {
        int red = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                red += (page.pixel(x, y) & 0xFFFFFF) == 0xFF0000u;
        return red;
    };
    // Printed, and on the preview's white sheet, where white cells are left unfilled.
    QImage printed = PageImage(600, 300, 254);
    TCanvas canvas;
    canvas.SetImage(&printed);
    grid.PrintDraw(&canvas, Rect(0, 0, 600, 300));
    QImage preview = PageImage(600, 850, 96);
    canvas.SetImage(&preview);
    grid.PrintPreview(&canvas, Rect(0, 0, 600, 850));
    // Two cells of 159 x 56 tenths printed; in the preview a page 2028 wide in 600 pixels.
    EXPECT_NEAR(redIn(printed), 2 * 159 * 56, 2 * 159 * 6);
    EXPECT_NEAR(redIn(preview), 2 * 47 * 16, 2 * 47 * 6);
}

TEST_F(PrintedGrid, BordersAsTheSettingsDrawThem) {
    // Drawn at one pixel per tenth: two columns of 254 and two rows of 122 from the top left.
    // The inner edge runs at x = 254, the line between the rows at y = 122, the right edge at
    // x = 508 and the page's closing line at 244 - 5 / 2 = 242.
    grid.SetRowCount(2);
    for (int c = 0; c < 2; ++c)
        grid.SetColWidths(c, 100);
    FixedRowHeights();
    const struct {
        TPrintBorders borders;
        bool inner, between, right, closing;
    } rows[] = {
        {pbNoborder, false, false, false, false},      {pbSingle, true, true, true, true},
        {pbVertical, true, false, true, false},        {pbHorizontal, false, true, false, true},
        {pbAround, false, false, true, true},          {pbAroundVertical, true, false, true, true},
        {pbAroundHorizontal, false, true, true, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.borders);
        grid.PrintSettings->Borders = row.borders;
        QImage image = PageImage(600, 300, 254);
        TCanvas canvas;
        canvas.SetImage(&image);
        grid.PrintDraw(&canvas, Rect(0, 0, 600, 300));
        EXPECT_EQ(Dark(image, 254, 61), row.inner);
        EXPECT_EQ(Dark(image, 127, 122), row.between);
        EXPECT_EQ(Dark(image, 508, 61), row.right);
        EXPECT_EQ(Dark(image, 127, 242) || Dark(image, 127, 244), row.closing);
    }
}

namespace {

struct PrintedToPdf : PrintedGrid {
    AnsiString File(const char* name) { return dir.filePath(name).toStdString(); }
    QTemporaryDir dir;
};

} // namespace

TEST_F(PrintedToPdf, FastPreviewPrintsOnlyTheFirstPage) {
    FixedRowHeights();
    grid.FastPreview = true;
    Responder().AnswerFile(File("fast.pdf"));
    grid.Print();
    EXPECT_EQ(PdfPageCount(QString::fromStdString(File("fast.pdf").str())), 1);
    EXPECT_EQ(grid.FromPage, 1);
    EXPECT_EQ(grid.ToPage, 1);
}

TEST_F(PrintedToPdf, ARangeRefusedAtTheStartPrintsNothing) {
    const struct {
        const char* label;
        int from, to;
    } rows[] = {{"to before from", 3, 2}, {"from 0", 0, 2}, {"to 0", 1, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        Responder().Clear();
        grid.OnPrintStart = [&](TObject*, int NrOfPages, int& FromPage, int& ToPage) {
            EXPECT_EQ(NrOfPages, 1);
            FromPage = row.from;
            ToPage = row.to;
        };
        grid.Print();
        EXPECT_TRUE(Responder().FilesAsked.empty());
    }
}

TEST_F(PrintedToPdf, PagesChosenAtTheStartAreThePrintedOnes) {
    FixedRowHeights();
    grid.SetRowCount(120);
    for (int r = 0; r < 120; ++r)
        grid.SetCells(0, r, "R" + std::to_string(r));
    // 23 rows a page: six pages, of which 2 to 3 print.
    grid.OnPrintStart = [](TObject*, int NrOfPages, int& FromPage, int& ToPage) {
        EXPECT_EQ(NrOfPages, 6);
        FromPage = 2;
        ToPage = 3;
    };
    Responder().AnswerFile(File("two.pdf"));
    grid.Print();
    const auto pages = PdfPageTexts(QString::fromStdString(File("two.pdf").str()));
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_NE(pages[0].find("R23"), std::string::npos);
    EXPECT_EQ(pages[0].find("R22"), std::string::npos);
    EXPECT_NE(pages[1].find("R68"), std::string::npos);
    EXPECT_EQ(pages[1].find("R69"), std::string::npos);
}
