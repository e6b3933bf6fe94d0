#include "framework/Form.h"
#include "framework/GridScrollArea.h"
#include "grid/Basegrid.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <map>

namespace {

// A base grid on a white ground whose merged cells paint red; it counts what each cell's
// content drawing was asked for.
struct PaintedGrid : TBaseGrid {
    using TBaseGrid::TBaseGrid;
    void GetVisualProperties(int ACol, int ARow, TGridDrawState&, bool, bool, TBrush* ABrush, TFont*,
                             TAlignment&, TVAlignment&, bool&) override {
        if (IsMergedCell(ACol, ARow))
            ABrush->Color = clRed;
    }
    void DrawGridCell(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState) override {
        ++drawn[{ACol, ARow}];
        TBaseGrid::DrawGridCell(ACanvas, ACol, ARow, ARect, AState);
    }
    std::map<std::pair<int, int>, int> drawn;
};

// Columns of 64 and rows of 24 pixels (the lines lie inside the cells), one fixed row and
// column: cell (1, 1) covers 64..127 x 24..47.
struct PaintForm : TForm {
    PaintForm() : TForm(nullptr) {
        SetBounds(0, 0, 400, 300);
        Grid->SetParent(this);
        Grid->SetBounds(0, 0, 360, 260);
        Grid->SetColor(clWhite);
        Grid->SetColCount(6);
        Grid->SetRowCount(30);
        EndLayout();
        Show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(View()));
    }
    QRgb Pixel(int x, int y) {
        QWidget* surface = static_cast<GridScrollArea*>(Grid->View())->viewport();
        return surface->grab().toImage().pixel(x, y) & 0xFFFFFF;
    }
    PaintedGrid* Grid = new PaintedGrid(this);
};

constexpr QRgb White = 0xFFFFFF;
constexpr QRgb Silver = 0xC0C0C0;
constexpr QRgb Gray = 0x808080;
constexpr QRgb Red = 0xFF0000;

TEST(BasegridPaint, LinesLieInsideTheCells) {
    struct Row {
        const char* name;
        int lineWidth;
        int x, y;
        QRgb expected;
    } rows[] = {
        {"inside a normal cell", 1, 100, 30, White},
        {"its right line", 1, 127, 30, Silver},
        {"its bottom line", 1, 100, 47, Silver},
        {"the corner where they meet", 1, 127, 47, Silver},
        {"the fixed column's right line", 1, 63, 30, Gray},
        {"the fixed row's bottom line", 1, 100, 23, Gray},
        {"inside a fixed cell", 1, 30, 30, White},
        {"no lines at width 0", 0, 127, 30, White},
        {"no bottom line at width 0", 0, 100, 47, White},
        {"fixed lines stay at width 0", 0, 63, 30, Gray},
        // A 3-pixel line stands at the cell's edge less 2, 3 pixels wide.
        {"wide line, left pixel", 3, 125, 30, Silver},
        {"wide line, right pixel", 3, 127, 30, Silver},
        {"wide line, inside", 3, 123, 30, White},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        PaintForm form;
        form.Grid->SetGridLineWidth(row.lineWidth);
        QApplication::processEvents();
        EXPECT_EQ(form.Pixel(row.x, row.y), row.expected);
    }
}

TEST(BasegridPaint, ABlockScrolledUnderTheFixedRowIsClippedThere) {
    PaintForm form;
    form.Grid->MergeCells(1, 1, 2, 2);
    form.Grid->SetTopRow(2);
    form.Grid->drawn.clear();
    form.Grid->View()->repaint();
    // The base cell, out of view, was drawn once for the two cells of the block in view.
    EXPECT_EQ((form.Grid->drawn[{1, 1}]), 1);
    EXPECT_EQ((form.Grid->drawn[{2, 2}]), 0);
    // Rows 1-2 of the block: row 1 lies under the fixed row, row 2 shows at 24..47.
    EXPECT_EQ(form.Pixel(100, 30), Red);
    EXPECT_EQ(form.Pixel(150, 30), Red);
    EXPECT_NE(form.Pixel(100, 10), Red);
    EXPECT_EQ(form.Pixel(100, 60), White);
}

TEST(BasegridPaint, TheFooterRowIsPlainBackground) {
    PaintForm form;
    form.Grid->SetRowCount(5);
    form.Grid->SetCells(1, 4, "total");
    form.Grid->LastRowIsFooter = true;
    form.Grid->drawn.clear();
    form.Grid->View()->repaint();
    EXPECT_EQ((form.Grid->drawn[{1, 4}]), 0);
    EXPECT_EQ((form.Grid->drawn[{1, 3}]), 1);
    EXPECT_EQ(form.Pixel(127, 100), White);
}

} // namespace
