#include "grid/Datagrid.h"

#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "grid/TextWidths.h"
#include "tests/grid/GridTexts.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

// The width of a text in a font, as a canvas measures it.
int Measured(const TFont& font, const char* text) {
    TCanvas canvas;
    canvas.Font = font;
    return canvas.TextWidth(text);
}

// The height of a line of text in a font.
int LineHeight(const TFont& font) {
    TCanvas canvas;
    canvas.Font = font;
    return canvas.TextHeight("gh");
}

TEST(DatagridSizing, AutoSizeGivesEachNormalColumnItsWidestTextAndFourteen) {
    TDataGrid grid(nullptr);
    grid.SetColCount(4);
    grid.SetRowCount(4);
    grid.SetColWidths(0, 30);
    grid.SetCells(0, 1, "a fixed column's long text");
    grid.SetCells(1, 0, "Rate");
    grid.SetCells(1, 1, "12.50");
    grid.SetCells(1, 2, "1234.75");
    grid.SetCells(2, 0, "A header wider than its cells");
    grid.SetCells(2, 1, "1");
    // A merged cell does not count.
    grid.SetCells(3, 1, "a merged text far wider than the rest");
    grid.MergeCells(3, 1, 1, 2);
    grid.SetCells(3, 3, "short");
    grid.SetAutoSizeP(true);
    EXPECT_TRUE(grid.AutoSize);
    EXPECT_EQ(grid.GetColWidths(0), 30);
    EXPECT_EQ(grid.GetColWidths(1), Measured(grid.Font, "1234.75") + 14);
    EXPECT_EQ(grid.GetColWidths(2), Measured(grid.FixedFont, "A header wider than its cells") + 14);
    EXPECT_EQ(grid.GetColWidths(3), Measured(grid.Font, "short") + 14);
}

TEST(DatagridSizing, TheFontACellIsPaintedWith) {
    TDataGrid grid(nullptr);
    grid.SetCells(1, 1, "Weight");
    grid.SetCells(1, 2, "Weights");
    grid.OnGetCellColor = [](TObject*, int ARow, int, TGridDrawState, TBrush*, TFont* AFont) {
        if (ARow == 1)
            AFont->Size = 20;
    };
    grid.AutoSizeCol(1);
    TFont large = grid.Font;
    large.Size = 20;
    EXPECT_EQ(grid.GetColWidths(1), Measured(large, "Weight") + 4);
    EXPECT_EQ(grid.GetCellTextSize(1, 2).x, Measured(grid.Font, "Weights"));
}

TEST(DatagridSizing, TextsMeasuredLineByLine) {
    TDataGrid grid(nullptr);
    const int line = LineHeight(grid.Font);
    grid.SetCells(1, 1, "short\rthe longer line");
    EXPECT_EQ(grid.GetCellTextSize(1, 1), Point(Measured(grid.Font, "short"), line));
    grid.Multilinecells = true;
    EXPECT_EQ(grid.GetCellTextSize(1, 1), Point(Measured(grid.Font, "the longer line"), 2 * line));
    grid.URLShow = true;
    grid.SetCells(1, 2, "http://example.org");
    EXPECT_EQ(grid.GetCellTextSize(1, 2).x, Measured(grid.Font, "example.org"));
    EXPECT_EQ(grid.GetCellTextSize(2, 2), Point(0, line));
}

TEST(DatagridSizing, HiddenColumnsAreSizedByTheirRealCells) {
    TDataGrid grid(nullptr);
    FillLettered(grid, 5, 3);
    grid.SetCells(3, 2, "the real column's text");
    grid.OnGetCellColor = [](TObject*, int, int ACol, TGridDrawState, TBrush*, TFont* AFont) {
        if (ACol == 3)
            AFont->Style = fsBold;
    };
    grid.HideColumn(2);
    grid.AutoSizeCol(2);
    TFont bold = grid.Font;
    bold.Style = fsBold;
    EXPECT_EQ(grid.GetColWidths(2), Measured(bold, "the real column's text") + 4);
}

TEST(DatagridSizing, GrowingNeverNarrows) {
    TDataGrid grid(nullptr);
    grid.SetCells(1, 1, "x");
    grid.SetColWidths(1, 200);
    grid.SizeToWidth(1, true);
    EXPECT_EQ(grid.GetColWidths(1), 200);
    grid.SizeToWidth(1, false);
    EXPECT_EQ(grid.GetColWidths(1), Measured(grid.Font, "x") + 4);
}

TEST(DatagridSizing, Rows) {
    TDataGrid grid(nullptr);
    FillLettered(grid, 4, 4);
    const int line = LineHeight(grid.Font);
    // Short texts keep the default height.
    grid.AutoSizeRow(1);
    EXPECT_EQ(grid.GetRowHeights(1), grid.GetDefaultRowHeight());
    // Three words in a column that takes one each: three lines and 4 pixels.
    grid.SetColWidths(2, Measured(grid.Font, "three") + 4);
    grid.SetCells(2, 2, "one two three");
    grid.AutoSizeRow(2);
    EXPECT_EQ(grid.GetRowHeights(2), 3 * line + 4);
    // Measured in the real column: shown column 2 is real column 3 once column 2 hides.
    grid.HideColumn(2);
    grid.AutoSizeRow(2);
    EXPECT_EQ(grid.GetRowHeights(2), grid.GetDefaultRowHeight());

    grid.SizeToLines(3, 3, 0);
    EXPECT_EQ(grid.GetRowHeights(3), (line + line / 4) * 3);
    grid.Multilinecells = true;
    grid.SetCells(1, 3, "a\rb");
    grid.AutoSizeRows(false, 2);
    EXPECT_EQ(grid.MaxLinesInRow(3), 2);
    EXPECT_EQ(grid.GetRowHeights(3), (line + line / 4) * 2 + 2);
    EXPECT_EQ(grid.GetRowHeights(1), line + line / 4 + 2);
}

TEST(DatagridSizing, EveryCellAtOnce) {
    TDataGrid grid(nullptr);
    grid.SetColCount(3);
    grid.SetRowCount(3);
    grid.SetCells(1, 1, "wide text");
    grid.SetCells(2, 2, "x");
    grid.AutoSizeCells(true, 6, 2);
    EXPECT_EQ(grid.GetColWidths(0), 64);
    EXPECT_EQ(grid.GetColWidths(1), Measured(grid.Font, "wide text") + 6);
    EXPECT_EQ(grid.GetColWidths(2), Measured(grid.Font, "x") + 6);
    EXPECT_EQ(grid.GetRowHeights(1), LineHeight(grid.Font) + 2);
    EXPECT_EQ(grid.GetRowHeights(0), grid.GetDefaultRowHeight());
}

// Tagged text is measured laid out whole, as wide as its lines need (the columns are sized after),
// beside the cell's graphic as plain text is.
TEST(DatagridSizing, EveryHTMLCellAtOnce) {
    TDataGrid grid(nullptr);
    grid.SetColCount(4);
    grid.SetRowCount(3);
    grid.SetColWidths(1, 10);
    grid.SetColWidths(2, 10);
    grid.SetCells(1, 1, "<B>aaa</B> bbb ccc");
    grid.SetCells(2, 2, "a<BR><I>b</I>");
    grid.SetCells(3, 1, "<B>x</B>");
    TBitmap picture;
    picture.SetSize(20, 30);
    grid.AddBitmap(3, 1, &picture, false, haBeforeText, vaTop);
    grid.AutoSizeCells(true, 6, 2);
    TFont bold = grid.Font;
    bold.Style = fsBold;
    const int line = LineHeight(grid.Font);
    EXPECT_EQ(grid.GetColWidths(1), Measured(bold, "aaa") + Measured(grid.Font, " bbb ccc") + 6);
    EXPECT_EQ(grid.GetColWidths(3), 20 + Measured(bold, "x") + 6);
    EXPECT_EQ(grid.GetRowHeights(1), std::max(line, 30) + 2);
    EXPECT_EQ(grid.GetRowHeights(2), 2 * line + 2);
}

TEST(DatagridSizing, SmallGridsSizeWithoutFault) {
    TDataGrid grid(nullptr);
    grid.SetColCount(1);
    grid.SetRowCount(1);
    grid.AutoSizeColumns(true, 10);
    EXPECT_EQ(grid.GetColWidths(0), 14);
    grid.AutoSizeRows(true, 0);
    grid.AutoSizeCells(false, 0, 0);
    EXPECT_EQ(grid.GetColWidths(0), 0);
    EXPECT_EQ(grid.MaxLinesInRow(0), 1);
}

TEST(TextWidths, MeasureAsTheCanvasDoes) {
    const char* texts[] = {"",          "1.234E+00",   "-0.05",         "S104",
                           "AV To. Wa", "office flow", "fluffy waffle", "café Ölbad",
                           "tab\there", "a  b",        "(l/s)"};
    struct Font {
        int size;
        unsigned style;
    } fonts[] = {{8, 0}, {12, 0}, {9, fsBold}, {10, fsItalic}};
    TextWidths widths;
    // On the screen, and on images of their own resolutions (none: the screen).
    for (const int dpi : {0, 192, 72}) {
        QImage image(10, 10, QImage::Format_RGB32);
        image.setDotsPerMeterX(static_cast<int>(dpi / 0.0254 + 0.5));
        image.setDotsPerMeterY(static_cast<int>(dpi / 0.0254 + 0.5));
        const QPaintDevice* device = dpi > 0 ? &image : nullptr;
        for (const Font& style : fonts) {
            TCanvas canvas;
            if (dpi > 0)
                canvas.SetImage(&image);
            canvas.Font.Size = style.size;
            canvas.Font.Style = style.style;
            for (const char* text : texts) {
                SCOPED_TRACE(std::to_string(dpi) + " dpi " + std::to_string(style.size) + " " + text);
                // Asked twice: once worked out, once from what was kept.
                EXPECT_EQ(widths.Width(canvas.Font, text, device), canvas.TextWidth(text));
                EXPECT_EQ(widths.Width(canvas.Font, text, device), canvas.TextWidth(text));
            }
            EXPECT_EQ(widths.Height(canvas.Font, device), canvas.TextHeight("gh"));
        }
    }
}

} // namespace
