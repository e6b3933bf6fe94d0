#include "grid/Datagrid.h"
#include "grid/HTMLHintWindow.h"

#include "tests/grid/ShownGrid.h"
#include "tests/support/GeometryPrinter.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCursor>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

QWidget* Cells(const TDataGrid& grid) {
    return static_cast<QAbstractScrollArea*>(grid.View())->viewport();
}

// A grid of cols columns of 64 pixels and rows rows of 21 fills its cells exactly in these bounds,
// both bars beside them.
void FitCells(TDataGrid& grid, int cols, int rows) {
    const int bar = QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    grid.SetBounds(0, 0, 4 + cols * 64 + bar, 4 + rows * 21 + bar);
}

// The hint beside the thumb, when it shows.
const THTMLHintWindow* ScrollHint(const TDataGrid& grid) {
    for (const TComponent* owned : grid.Components())
        if (const auto* hint = dynamic_cast<const THTMLHintWindow*>(owned);
            hint && hint->Name == "ScrollHint")
            return hint->GetVisible() && hint->View()->isVisible() ? hint : nullptr;
    return nullptr;
}

std::string ScrollHintText(const TDataGrid& grid) {
    const THTMLHintWindow* hint = ScrollHint(grid);
    return hint ? hint->GetCaption().str() : "(none)";
}

QScrollBar* VerticalBar(const TDataGrid& grid) {
    return static_cast<QAbstractScrollArea*>(grid.View())->verticalScrollBar();
}

TEST(DatagridScroll, TheLastColumnStretchesToTheClientWidth) {
    struct Row {
        const char* name;
        int colCount;
        int clientWidth;
        int lastWidth;
    } rows[] = {
        // 500 - (100 + 100 + 100) - 1.
        {"three columns of 100 in 500 pixels", 4, 500, 199},
        {"a client narrower than the other columns", 4, 250, 64},
        {"one column takes the whole client", 1, 500, 500},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        grid.SetColCount(row.colCount);
        grid.SetRowCount(2);
        grid.SetFixedCols(0);
        for (int c = 0; c < row.colCount - 1; ++c)
            grid.SetColWidths(c, 100);
        // The sunken border takes 2 pixels each side.
        grid.SetBounds(0, 0, row.clientWidth + 4, 100);
        grid.ColumnSize->SetStretch(true);
        EXPECT_EQ(grid.GetColWidths(row.colCount - 1), row.lastWidth);
    }
}

TEST(DatagridScroll, SizeZonesLieWithinThreePixelsOfAHeaderSide) {
    struct Row {
        const char* name;
        TGridOptions options;
        int x;
        int y;
        bool inZone;
    } rows[] = {
        // Column 2 of the header row spans 128..192, row 2 of the fixed column 42..63.
        {"3 pixels right of a header's left side", goColSizing, 131, 10, true},
        {"4 pixels right of it", goColSizing, 132, 10, false},
        {"3 pixels left of a header's right side", goColSizing, 189, 10, true},
        {"a normal row's cell", goColSizing, 131, 80, false},
        {"no column sizing", 0, 131, 10, false},
        {"3 pixels below a fixed cell's top", goRowSizing, 30, 45, true},
        {"4 pixels below it", goRowSizing, 30, 46, false},
        {"3 pixels above its bottom", goRowSizing, 30, 60, true},
        {"no row sizing", 0, 30, 45, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ShownGrid<TDataGrid> shown;
        shown.grid->SetColCount(5);
        shown.grid->SetRowCount(8);
        shown.grid->SetOptions(shown.grid->GetOptions() | row.options);
        shown.Show();
        EXPECT_EQ(shown.grid->InSizeZone(row.x, row.y), row.inZone);
    }
}

TEST(DatagridScroll, ScrollInViewCentresACellOutOfView) {
    struct Row {
        const char* name;
        int col;
        int row;
        int leftCol;
        int topRow;
        int currentCol;
        int currentRow;
    } rows[] = {
        {"a visible cell", 2, 5, 1, 1, 1, 1},
        // 20 rows shown: 100 - 20 / 2.
        {"row 100", 1, 100, 1, 90, 1, 100},
        // Rows 1-20 show; 21 is just below them.
        {"the row just below the view", 1, 21, 1, 11, 1, 21},
        // 4 columns shown: 12 - 4 / 2.
        {"a column beyond the view", 12, 5, 10, 1, 12, 1},
        {"a column beyond, near the start", 5, 5, 3, 1, 5, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ShownGrid<TDataGrid> shown;
        shown.grid->SetColCount(26);
        shown.grid->SetRowCount(1000);
        // 21 rows of 21 pixels and 5 columns of 64 fill the cells, bars aside: one fixed, 20 and 4 shown.
        FitCells(*shown.grid, 5, 21);
        shown.Show();
        ASSERT_EQ(shown.grid->VisibleRowCount(), 20);
        ASSERT_EQ(shown.grid->VisibleColCount(), 4);
        shown.grid->ScrollInView(row.col, row.row);
        EXPECT_EQ(shown.grid->GetLeftCol(), row.leftCol);
        EXPECT_EQ(shown.grid->GetTopRow(), row.topRow);
        EXPECT_EQ(shown.grid->GetCol(), row.currentCol);
        EXPECT_EQ(shown.grid->GetRow(), row.currentRow);
    }
}

TEST(DatagridScroll, SizingOneColumnSizesTheOthersInProportion) {
    struct Row {
        const char* name;
        int dragTo;
        std::vector<int> widths;
    } rows[] = {
        // Column 1 from 50 to 100: the others double; 33 * 2, 64 * 2; the fixed column stays.
        {"50 to 100", 150, {50, 100, 66, 128}},
        // To 1 pixel, as near its start as a drag goes: 33 / 50 and 64 / 50 round to 1.
        {"50 to 1", 40, {50, 1, 1, 1}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ShownGrid<TDataGrid> shown;
        TDataGrid& grid = *shown.grid;
        grid.SetColCount(4);
        grid.SetRowCount(5);
        grid.SetOptions(grid.GetOptions() | goColSizing);
        grid.SetColWidths(0, 50);
        grid.SetColWidths(1, 50);
        grid.SetColWidths(2, 33);
        grid.MouseActions->AllColumnSize = true;
        std::vector<int> ended;
        grid.OnEndColumnSize = [&](TObject*, int ACol) { ended.push_back(ACol); };
        shown.Show();
        // Column 1's right side is at 100.
        QTest::mouseMove(Cells(grid), QPoint(100, 10));
        QTest::mousePress(Cells(grid), Qt::LeftButton, {}, QPoint(100, 10));
        QTest::mouseMove(Cells(grid), QPoint(row.dragTo, 10));
        QTest::mouseRelease(Cells(grid), Qt::LeftButton, {}, QPoint(row.dragTo, 10));
        std::vector<int> widths;
        for (int c = 0; c < grid.GetColCount(); ++c)
            widths.push_back(grid.GetColWidths(c));
        EXPECT_EQ(widths, row.widths);
        EXPECT_EQ(ended, std::vector<int>{1});
    }
}

// A grid that takes scroll messages as the platform sends them.
struct MessagedGrid : TDataGrid {
    using TDataGrid::TDataGrid;
    using TDataGrid::WMVScroll;
};

// A 1,000-row grid with one fixed row showing 20, its vertical thumb dragged by the user.
struct ThumbDrag {
    ThumbDrag() {
        shown.grid->SetColCount(3);
        shown.grid->SetRowCount(1000);
        FitCells(*shown.grid, 3, 21);
        shown.grid->ScrollHints = shVertical;
    }
    void Drag(int to) {
        VerticalBar(*shown.grid)->setSliderDown(true);
        VerticalBar(*shown.grid)->setSliderPosition(to);
    }
    void Release() { VerticalBar(*shown.grid)->setSliderDown(false); }
    ShownGrid<MessagedGrid> shown;
};

TEST(DatagridScroll, AThumbDraggedShowsTheRowItStandsAt) {
    ThumbDrag drag;
    drag.shown.Show();
    ASSERT_EQ(drag.shown.grid->VisibleRowCount(), 20);
    drag.Drag(VerticalBar(*drag.shown.grid)->maximum());
    EXPECT_EQ(ScrollHintText(*drag.shown.grid), "Row : 980");
    // Level with the cursor, 10 pixels right of it, in the hint colour.
    const THTMLHintWindow& hint = *ScrollHint(*drag.shown.grid);
    EXPECT_EQ(QPoint(hint.Left(), hint.Top()), QCursor::pos() + QPoint(10, 0));
    EXPECT_EQ(hint.View()->pos(), QCursor::pos() + QPoint(10, 0));
    EXPECT_EQ(hint.GetColor(), clInfoBk);
    // Without ScrollSynch the rows wait for the release.
    EXPECT_EQ(drag.shown.grid->GetTopRow(), 1);
    drag.Release();
    EXPECT_EQ(drag.shown.grid->GetTopRow(), 980);
    EXPECT_EQ(ScrollHintText(*drag.shown.grid), "(none)");
}

TEST(DatagridScroll, TheScrollHintTakesWhatOnScrollHintMakesOfIt) {
    ThumbDrag drag;
    std::vector<int> asked;
    drag.shown.grid->OnScrollHint = [&](TObject*, int ARow, AnsiString& hint) {
        asked.push_back(ARow);
        hint = "Sewer " + hint;
    };
    drag.shown.grid->HintColor = clAqua;
    drag.shown.Show();
    drag.Drag(500);
    EXPECT_EQ(ScrollHintText(*drag.shown.grid), "Sewer Row : 500");
    // The window shows in the grid's hint colour, inside its frame and beside the text.
    const THTMLHintWindow& hint = *ScrollHint(*drag.shown.grid);
    EXPECT_EQ(hint.GetColor(), clAqua);
    EXPECT_EQ(hint.View()->grab().toImage().pixelColor(2, 2), ToQColor(clAqua));
    drag.Release();
    EXPECT_EQ(asked, std::vector<int>{500});
}

TEST(DatagridScroll, ScrollSynchFollowsTheThumbAndNoHintShowsWithoutScrollHints) {
    ThumbDrag drag;
    drag.shown.grid->ScrollSynch = true;
    drag.shown.grid->ScrollHints = shHorizontal;
    drag.shown.Show();
    drag.Drag(300);
    EXPECT_EQ(drag.shown.grid->GetTopRow(), 300);
    drag.Drag(420);
    EXPECT_EQ(drag.shown.grid->GetTopRow(), 420);
    EXPECT_EQ(ScrollHintText(*drag.shown.grid), "(none)");
    drag.Release();
    EXPECT_EQ(drag.shown.grid->GetTopRow(), 420);
}

// The colours a widget shows, each once.
std::set<QRgb> ColoursOf(QWidget& widget) {
    const QImage image = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    return colours;
}

TEST(DatagridScroll, FlatBarsAreDrawnWithoutBevelsInTheirColourAndWidth) {
    struct Row {
        const char* name;
        TColor colour;
        int width;
    } rows[] = {
        // A width below 1 leaves the bars the style's.
        {"flat, the style's width and background", clNone, 0},
        {"flat, red, 30 pixels", clRed, 30},
        {"flat, aqua, 9 pixels", clAqua, 9},
        {"flat, the style's width for -5 pixels", clNone, -5},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ThumbDrag drag;
        TDataGrid& grid = *drag.shown.grid;
        grid.SetColCount(12);
        drag.shown.Show();
        grid.SetScrollType(ssFlat);
        grid.SetScrollColor(row.colour);
        grid.SetScrollWidth(row.width);
        QApplication::processEvents();
        QScrollBar& bar = *VerticalBar(grid);
        const QPalette& palette = bar.palette();
        const std::set<QRgb> colours = ColoursOf(bar);
        // A flat bar has no light or dark edges: its groove, a plain face, an outline and arrows.
        const QRgb groove =
            row.colour == clNone ? palette.color(QPalette::Window).rgb() : ToQColor(row.colour).rgb();
        const std::set<QRgb> flat = {groove, palette.color(QPalette::Button).rgb(),
                                     palette.color(QPalette::Mid).rgb(),
                                     palette.color(QPalette::ButtonText).rgb()};
        for (const QRgb colour : colours)
            EXPECT_TRUE(flat.count(colour)) << std::hex << colour;
        EXPECT_TRUE(colours.count(groove));
        const int width =
            row.width > 0 ? row.width : QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        EXPECT_EQ(bar.width(), width);
        EXPECT_EQ(static_cast<QAbstractScrollArea*>(grid.View())->horizontalScrollBar()->height(), width);
        // The cells give the bars their room: the viewport and the grid's client agree.
        EXPECT_EQ(Cells(grid)->width(), grid.ClientWidth());
        EXPECT_EQ(Cells(grid)->height(), grid.ClientHeight());
    }
}

TEST(DatagridScroll, NormalBarsComeBackWithTheirBevels) {
    ThumbDrag drag;
    TDataGrid& grid = *drag.shown.grid;
    drag.shown.Show();
    const std::set<QRgb> before = ColoursOf(*VerticalBar(grid));
    grid.SetScrollType(ssEncarta);
    grid.SetScrollWidth(30);
    grid.SetScrollType(ssNormal);
    QApplication::processEvents();
    EXPECT_EQ(ColoursOf(*VerticalBar(grid)), before);
    EXPECT_EQ(VerticalBar(grid)->width(), QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent));
}

TEST(DatagridScroll, AProportionalThumbIsAsLongAsTheShareInView) {
    ThumbDrag drag;
    MessagedGrid& grid = *drag.shown.grid;
    drag.shown.Show();
    grid.SetScrollProportional(true);
    QApplication::processEvents();
    QScrollBar& bar = *VerticalBar(grid);
    // 20 of 1,000 rows: a page of round(20 x 128 / 1000) = 3 of 0-127, the thumb from 0 to 125.
    EXPECT_EQ(bar.minimum(), 0);
    EXPECT_EQ(bar.maximum(), 125);
    EXPECT_EQ(bar.pageStep(), 3);
    // Position 127 is row MulDiv(127, 1000 - 20 - 1, 127) + 1.
    TWMScroll track{SB_THUMBTRACK, 127};
    grid.WMVScroll(track);
    EXPECT_EQ(ScrollHintText(grid), "Row : 980");
    struct Row {
        const char* name;
        int thumb;
        int topRow;
        int thumbAfter;
    } rows[] = {
        // The end of the thumb's way is 127: row 980, the last first row.
        {"the thumb at its end", 125, 980, 125},
        // round(62 x 127 / 125) = 63; MulDiv(63, 979, 127) + 1 = 487; back: MulDiv(486, 125, 979) = 62.
        {"the thumb half way", 62, 487, 62},
        {"the thumb at the top", 0, 1, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        drag.Drag(row.thumb);
        drag.Release();
        QApplication::processEvents();
        EXPECT_EQ(grid.GetTopRow(), row.topRow);
        EXPECT_EQ(bar.value(), row.thumbAfter);
    }
    // A step of the arrow is one row, whatever the thumb's units.
    bar.triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(grid.GetTopRow(), 2);
    grid.SetScrollProportional(false);
    QApplication::processEvents();
    EXPECT_EQ(bar.maximum(), 980);
    EXPECT_EQ(bar.value(), 2);
}

TEST(DatagridScroll, TheHintOfAProportionalThumbShowsTheRowItsReleaseGives) {
    struct Row {
        const char* name;
        int thumb;
        const char* hint;
        int topRow;
    } rows[] = {
        // round(62 x 127 / 125) = 63 of 127: MulDiv(63, 979, 127) + 1 = 487.
        {"half way", 62, "Row : 487", 487},
        {"at the end of its way", 125, "Row : 980", 980},
        {"at the top", 0, "Row : 1", 1},
    };
    ThumbDrag drag;
    MessagedGrid& grid = *drag.shown.grid;
    drag.shown.Show();
    grid.SetScrollProportional(true);
    QApplication::processEvents();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        drag.Drag(row.thumb);
        EXPECT_EQ(ScrollHintText(grid), row.hint);
        drag.Release();
        QApplication::processEvents();
        EXPECT_EQ(grid.GetTopRow(), row.topRow);
    }
}

void WheelOver(QWidget& widget, int delta, Qt::KeyboardModifiers modifiers = {}) {
    const QPoint middle = widget.rect().center();
    QWheelEvent wheel(middle, widget.mapToGlobal(middle), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &wheel);
}

TEST(DatagridScroll, AWheelNotchOverABarStepsItByTheSystemsLines) {
    struct Row {
        const char* name;
        bool proportional;
        std::vector<int> deltas;
        Qt::KeyboardModifiers modifiers;
        int topRow;
    } rows[] = {
        {"a notch down a normal bar", false, {-120}, {}, 104},
        {"a notch down a proportional bar", true, {-120}, {}, 104},
        {"two notches up a proportional bar", true, {120, 120}, {}, 95},
        {"a fine wheel's thirds make a notch", true, {-40, -40, -40}, {}, 104},
        // 20 rows show whole.
        {"with Shift a page", true, {-120}, Qt::ShiftModifier, 121},
    };
    const int lines = QApplication::wheelScrollLines();
    QApplication::setWheelScrollLines(3);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ThumbDrag drag;
        MessagedGrid& grid = *drag.shown.grid;
        drag.shown.Show();
        grid.SetScrollProportional(row.proportional);
        grid.SetTopRow(101);
        QApplication::processEvents();
        for (const int delta : row.deltas)
            WheelOver(*VerticalBar(grid), delta, row.modifiers);
        QApplication::processEvents();
        EXPECT_EQ(grid.GetTopRow(), row.topRow);
    }
    QApplication::setWheelScrollLines(lines);
}

} // namespace
