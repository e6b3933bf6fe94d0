#include "framework/Form.h"
#include "framework/GridScrollArea.h"
#include "framework/Grids.h"
#include "tests/framework/ActiveWindow.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/GeometryPrinter.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A shown window with a 300 x 200 string grid of 10 columns and 100 rows: 64 x 24 cells with
// 1-pixel lines, one fixed row and column.
struct GridForm : TForm {
    GridForm() : TForm(nullptr) {
        SetBounds(0, 0, 400, 300);
        Grid->SetParent(this);
        Grid->SetBounds(10, 10, 300, 200);
        Grid->SetColCount(10);
        Grid->SetRowCount(100);
        for (int r = 0; r < 100; ++r)
            Grid->SetCells(1, r, "r" + std::to_string(r));
        EndLayout();
        ShowActive(*this);
        Grid->SetFocus();
    }
    GridScrollArea* Area() const { return static_cast<GridScrollArea*>(Grid->View()); }
    QWidget* Surface() const { return Area()->viewport(); }
    TStringGrid* Grid = new TStringGrid(this);
};

TEST(GridView, TheViewShowsTheModelsClientAreaAndScrollBars) {
    GridForm form;
    QScrollBar* vertical = form.Area()->verticalScrollBar();
    EXPECT_EQ(form.Surface()->width(), form.Grid->ClientWidth());
    EXPECT_EQ(form.Surface()->height(), form.Grid->ClientHeight());
    EXPECT_TRUE(vertical->isVisible());
    EXPECT_TRUE(form.Area()->horizontalScrollBar()->isVisible());
    EXPECT_EQ(vertical->minimum(), 1);
    EXPECT_EQ(vertical->value(), 1);
    EXPECT_EQ(vertical->pageStep(), form.Grid->VisibleRowCount());

    form.Grid->SetTopRow(40);
    EXPECT_EQ(vertical->value(), 40);
    vertical->setValue(70);
    EXPECT_EQ(form.Grid->GetTopRow(), 70);
    vertical->setValue(vertical->maximum());
    // The last row shows whole at the bottom.
    const TRect last = form.Grid->CellRect(1, 99);
    EXPECT_LE(last.Bottom, form.Grid->ClientHeight());
    EXPECT_GT(last.Bottom, form.Grid->ClientHeight() - 25);

    form.Grid->SetRowCount(5);
    EXPECT_FALSE(vertical->isVisible());
    EXPECT_EQ(form.Grid->GetTopRow(), 1);
    EXPECT_EQ(form.Surface()->height(), form.Grid->ClientHeight());
}

// What each key does is the grid's own test; here the keys reach it and the scroll bar follows.
TEST(GridView, KeysTypedIntoTheGrid) {
    struct Step {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int col, row;
    } steps[] = {
        {"right", Qt::Key_Right, {}, 2, 1},
        {"page down", Qt::Key_PageDown, {}, 2, -1},
        {"ctrl+end", Qt::Key_End, Qt::ControlModifier, 9, 99},
        {"ctrl+home", Qt::Key_Home, Qt::ControlModifier, 1, 1},
        {"tab leaves without goTabs", Qt::Key_Tab, {}, 1, 1},
    };
    GridForm form;
    const int page = form.Grid->VisibleRowCount();
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        QTest::keyClick(form.Area(), step.key, step.modifiers);
        EXPECT_EQ(form.Grid->GetCol(), step.col);
        EXPECT_EQ(form.Grid->GetRow(), step.row < 0 ? 1 + page : step.row);
        EXPECT_EQ(form.Area()->verticalScrollBar()->value(), form.Grid->GetTopRow());
    }
    form.Grid->SetOptions(form.Grid->GetOptions() | goTabs);
    form.Grid->SetFocus();
    QTest::keyClick(form.Area(), Qt::Key_Tab);
    EXPECT_EQ(form.Grid->GetCol(), 2);
}

TEST(GridView, MouseSelectsSizesAndWheels) {
    GridForm form;
    // Cell (2, 3) lies at 130..193 x 75..98.
    QTest::mouseClick(form.Surface(), Qt::LeftButton, {}, QPoint(150, 80));
    EXPECT_EQ(form.Grid->GetCol(), 2);
    EXPECT_EQ(form.Grid->GetRow(), 3);
    QTest::mouseClick(form.Surface(), Qt::LeftButton, Qt::ShiftModifier, QPoint(200, 110));
    EXPECT_EQ(form.Grid->GetSelection(), (TGridRect{2, 3, 3, 4}));

    // A drag from column 2's right edge in the fixed row: 64 + 30 pixels wide.
    form.Grid->SetOptions(form.Grid->GetOptions() | goColSizing);
    QTest::mousePress(form.Surface(), Qt::LeftButton, {}, QPoint(194, 10));
    QTest::mouseMove(form.Surface(), QPoint(224, 10));
    QTest::mouseRelease(form.Surface(), Qt::LeftButton, {}, QPoint(224, 10));
    EXPECT_EQ(form.Grid->GetColWidths(2), 94);

    // Each notch moves the current row by one: three down, one up.
    for (const int delta : {-120, -120, -120, 120}) {
        QWheelEvent wheel(QPointF(100, 100), form.Surface()->mapToGlobal(QPointF(100, 100)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(form.Surface(), &wheel);
    }
    EXPECT_EQ(form.Grid->GetRow(), 6);
}

// Colour of a viewport pixel.
QRgb PixelAt(QWidget* surface, int x, int y) {
    return surface->grab().toImage().pixel(x, y) & 0xFFFFFF;
}

TEST(GridView, PaintsCellsSelectionAndLines) {
    GridForm form;
    form.Grid->SetFixedColor(clRed);
    form.Grid->SetColor(clWhite);
    form.Grid->SetRow(3);
    QApplication::processEvents();
    EXPECT_EQ(PixelAt(form.Surface(), 10, 40), 0xFF0000u);
    EXPECT_EQ(PixelAt(form.Surface(), 180, 40), 0xFFFFFFu);
    // The fixed lines are black, the others silver, in the pixel after each cell.
    EXPECT_EQ(PixelAt(form.Surface(), 64, 40), 0x000000u);
    EXPECT_EQ(PixelAt(form.Surface(), 129, 40), 0xC0C0C0u);
    // The current cell shows selected in its row when it is not focused; beyond the cells, the
    // grid's colour.
    form.Grid->SetRowCount(3);
    form.Grid->SetColCount(2);
    QApplication::processEvents();
    EXPECT_EQ(PixelAt(form.Surface(), 250, 100), 0xFFFFFFu);
}

// Cells drawn by each paint, in the order drawn.
struct DrawnCells : TStringGrid {
    using TStringGrid::TStringGrid;
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override {
        drawn.push_back(std::to_string(ACol) + "," + std::to_string(ARow));
        TStringGrid::DrawCell(ACol, ARow, ARect, AState);
    }
    std::vector<std::string> drawn;
};

TEST(GridView, AMoveOfTheCurrentCellDrawsTheTwoCellsOnly) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 300);
    auto* grid = new DrawnCells(&form);
    grid->SetParent(&form);
    grid->SetBounds(0, 0, 300, 200);
    grid->SetRowCount(100);
    ShowActive(form);
    grid->SetFocus();
    QApplication::processEvents();
    grid->drawn.clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QApplication::processEvents();
    EXPECT_EQ(grid->drawn, (std::vector<std::string>{"1,1", "1,2"}));
    // A scroll draws every cell in view.
    grid->drawn.clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
    QApplication::processEvents();
    EXPECT_GT(grid->drawn.size(), 20u);
}

} // namespace
