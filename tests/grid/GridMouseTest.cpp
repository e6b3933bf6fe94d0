#include "tests/grid/EditingWindow.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/GeometryPrinter.h"
#include "tests/support/ScriptedResponder.h"

#include <QCursor>
#include <QElapsedTimer>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(GridMouse, AClickReportsTheCellRowFirst) {
    EditingWindow window;
    window.grid->OnClick = [&](TObject*) { window.log.push_back("click"); };
    auto note = [&](std::string what) {
        return [&, what](TObject*, int ARow, int ACol) {
            window.log.push_back(what + std::to_string(ARow) + "," + std::to_string(ACol));
        };
    };
    window.grid->OnClickCell = note("cell ");
    window.grid->OnRightClickCell = note("right ");
    window.grid->OnDblClickCell = note("double ");
    window.Show();
    window.Click(2, 3);
    QTest::mouseClick(window.Cells(), Qt::RightButton, {}, QPoint(3 * 64 + 10, 1 * 21 + 10));
    QTest::mouseClick(window.Cells(), Qt::RightButton, {}, QPoint(400, 180));
    window.Click(1, 2);
    QTest::mouseDClick(window.Cells(), Qt::LeftButton, {}, QPoint(1 * 64 + 10, 2 * 21 + 10));
    // The press is a click and moving the current cell another.
    EXPECT_EQ(window.log, (std::vector<std::string>{"click", "click", "cell 3,2", "right 1,3", "right -1,-1",
                                                    "click", "click", "cell 2,1", "double 2,1"}));
    EXPECT_EQ(window.grid->GetSelection(), (TGridRect{1, 2, 1, 2}));
}

TEST(GridMouse, DirectEditOpensTheEditorAwayFromTheColumnsSides) {
    struct Row {
        const char* name;
        int dx;
        bool opens;
    } rows[] = {
        {"3 pixels from the left side", 3, false},
        {"4 pixels from the left side", 4, true},
        {"the middle", 32, true},
        {"4 pixels from the right side", 60, true},
        {"3 pixels from the right side", 61, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EditingWindow window;
        window.grid->MouseActions->DirectEdit = true;
        window.grid->SetCells(2, 2, "5");
        window.Show();
        window.Click(2, 2, row.dx);
        EXPECT_EQ(window.grid->GetEditorMode(), row.opens);
        EXPECT_EQ(window.grid->GetCol(), 2);
    }
}

TEST(GridMouse, ADoubleClickOnAHeaderBorderSizesTheColumnLeftOfIt) {
    struct Row {
        const char* name;
        int x;
        int sized;
    } rows[] = {
        {"left border of column 2", 129, 1},
        {"right border of column 2", 190, 2},
        {"left of column 0", 1, -1},
        {"inside the header", 160, -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EditingWindow window;
        window.grid->SetOptions(window.grid->GetOptions() | goColSizing);
        for (int c = 0; c < 5; ++c)
            window.grid->SetCells(c, 2, "a rather long unit name " + std::to_string(c));
        window.Show();
        QTest::mouseDClick(window.Cells(), Qt::LeftButton, {}, QPoint(row.x, 10));
        for (int c = 0; c < 5; ++c) {
            SCOPED_TRACE(c);
            if (c == row.sized)
                EXPECT_GT(window.grid->GetColWidths(c), 100);
            else
                EXPECT_EQ(window.grid->GetColWidths(c), 64);
        }
    }
}

TEST(GridMouse, TheFixedColumnIsSizedByItsEdgeAndNeverBelowNothing) {
    EditingWindow window;
    window.grid->SetFixedCols(1);
    window.grid->MouseActions->SizeFixedCol = true;
    window.Show();
    QTest::mouseMove(window.Cells(), QPoint(63, 50));
    QTest::mousePress(window.Cells(), Qt::LeftButton, {}, QPoint(63, 50));
    QTest::mouseMove(window.Cells(), QPoint(90, 50));
    QTest::mouseRelease(window.Cells(), Qt::LeftButton, {}, QPoint(90, 50));
    EXPECT_EQ(window.grid->GetColWidths(0), 90);
    QTest::mouseMove(window.Cells(), QPoint(89, 50));
    QTest::mousePress(window.Cells(), Qt::LeftButton, {}, QPoint(89, 50));
    QTest::mouseMove(window.Cells(), QPoint(-40, 50));
    QTest::mouseRelease(window.Cells(), Qt::LeftButton, {}, QPoint(-40, 50));
    EXPECT_EQ(window.grid->GetColWidths(0), 0);
}

TEST(GridMouse, HeadersSelectTheirRowsColumnsOrEverything) {
    struct Row {
        const char* name;
        QPoint at;
        TGridRect selection;
    } rows[] = {
        {"a column header", QPoint(150, 10), {2, 1, 2, 4}},
        {"a row header", QPoint(30, 70), {1, 3, 4, 3}},
        {"the corner", QPoint(30, 10), {1, 1, 4, 4}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EditingWindow window;
        window.grid->SetFixedCols(1);
        window.grid->MouseActions->ColSelect = true;
        window.grid->MouseActions->RowSelect = true;
        window.grid->MouseActions->AllSelect = true;
        window.Show();
        QTest::mouseMove(window.Cells(), row.at);
        QTest::mouseClick(window.Cells(), Qt::LeftButton, {}, row.at);
        EXPECT_EQ(window.grid->GetSelection(), row.selection);
    }
}

TEST(GridMouse, TheSortColumnKeepsItsColumnThroughMoves) {
    struct Row {
        const char* name;
        int from, to, sortedAfter;
    } rows[] = {
        {"the sort column itself moved right", 2, 4, 4},
        {"a column from its left moved past it", 1, 3, 1},
        {"a column from its right moved past it", 4, 1, 3},
        {"a move right of it", 3, 4, 2},
        {"a move left of it", 1, 1, 2},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        grid.SetColCount(5);
        grid.SortSettings->Column = 2;
        grid.MoveColumn(row.from, row.to);
        EXPECT_EQ(grid.SortSettings->Column, row.sortedAfter);
    }
}

TEST(GridMouse, LinksFollowedAreWebAndMailAddressesAndCellsOnly) {
    struct Row {
        const char* name;
        const char* text;
        std::vector<AnsiString> opened;
        int col, row;
    } rows[] = {
        // A click on a link follows it and leaves the current cell where it was.
        {"a web address", "https://example.org/rates", {"https://example.org/rates"}, 0, 1},
        {"a mail address", "mailto:office@example.org", {"mailto:office@example.org"}, 0, 1},
        {"a cell of the grid", "cell://R3C2", {}, 2, 3},
        {"a file", "file:///etc/passwd", {}, 0, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Responder().Clear();
        EditingWindow window;
        window.grid->URLShow = true;
        window.grid->SetCells(1, 1, row.text);
        window.Show();
        window.Click(1, 1);
        EXPECT_EQ(Responder().Opened, row.opened);
        EXPECT_EQ(window.grid->GetCol(), row.col);
        EXPECT_EQ(window.grid->GetRow(), row.row);
    }
}

TEST(GridMouse, HoveringMovesTheCurrentCellWithinATick) {
    EditingWindow window;
    window.grid->Hovering = true;
    window.Show();
    window.Select(0, 1);
    QCursor::setPos(window.Cells()->mapToGlobal(QPoint(2 * 64 + 20, 3 * 21 + 10)));
    // The tick comes every 500 ms.
    QElapsedTimer waited;
    waited.start();
    while (window.grid->GetRow() != 3 && waited.elapsed() < 1000)
        QTest::qWait(20);
    EXPECT_EQ(window.grid->GetCol(), 2);
    EXPECT_EQ(window.grid->GetRow(), 3);
    // Over the fixed row, nothing moves.
    QCursor::setPos(window.Cells()->mapToGlobal(QPoint(64 + 20, 10)));
    QTest::qWait(550);
    EXPECT_EQ(window.grid->GetCol(), 2);
    EXPECT_EQ(window.grid->GetRow(), 3);
}

} // namespace
