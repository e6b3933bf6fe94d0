#include "grid/Datagrid.h"

#include "framework/GridScrollArea.h"
#include "grid/HTMLHintWindow.h"
#include "tests/grid/PrintedGrid.h"
#include "tests/grid/ShownGrid.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/GeometryPrinter.h"
#include "tests/support/PdfPages.h"
#include "tests/support/ScriptedResponder.h"

#include <QApplication>
#include <QFontMetrics>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A shown grid of 5 x 8 cells, 64 x 21 pixels each, on white.
struct HTMLGrid : ShownGrid<TDataGrid> {
    HTMLGrid() {
        grid->SetRowCount(8);
        grid->SetColor(clWhite);
        grid->HideSelection();
    }
    QWidget* Cells() { return static_cast<GridScrollArea*>(grid->View())->viewport(); }
    QImage Shot() {
        QApplication::processEvents();
        return Cells()->grab().toImage();
    }
    // Dark pixels inside cell (c, r).
    int Ink(const QImage& shot, int col, int row) {
        int dark = 0;
        for (int y = 21 * row + 1; y < 21 * row + 19; ++y)
            for (int x = 64 * col + 1; x < 64 * col + 62; ++x)
                dark += qGray(shot.pixel(x, y)) < 128;
        return dark;
    }
};

TEST(DatagridHTML, BoldTagPaintsBold) {
    HTMLGrid window;
    window.grid->SetCells(1, 1, "<B>xxx</B>");
    window.grid->SetCells(2, 1, "xxx</Z>");
    window.Show();
    const QImage shot = window.Shot();
    const int regular = window.Ink(shot, 2, 1);
    EXPECT_GT(regular, 0);
    EXPECT_GT(window.Ink(shot, 1, 1), regular);
}

TEST(DatagridHTML, ColumnSizedToTheLaidOutText) {
    TDataGrid grid(nullptr);
    grid.SetRowCount(3);
    grid.SetCells(1, 1, "<B>abc</B> def");
    grid.SetCells(1, 2, "ab");
    grid.AutoSizeCol(1);
    QFont font = QApplication::font();
    font.setPointSize(grid.Font.Size);
    const QFontMetrics regular(font);
    font.setBold(true);
    const QFontMetrics bold(font);
    EXPECT_EQ(grid.GetColWidths(1), bold.horizontalAdvance("abc") + regular.horizontalAdvance(" def") + 4);
}

TEST(DatagridHTML, AnchorsFollowedOnAPress) {
    struct Row {
        const char* anchor;
        TPoint current;
        std::vector<AnsiString> opened;
    } rows[] = {
        {"CELL://R5C2", Point(2, 5), {}},
        {"http://example.com/a", Point(1, 1), {"http://example.com/a"}},
        {"file:/etc/passwd", Point(1, 1), {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.anchor);
        HTMLGrid window;
        window.grid->SetCells(3, 3, AnsiString("<A HREF=\"") + row.anchor + "\">go</A>");
        window.grid->UnHideSelection();
        window.grid->SetCol(1);
        window.grid->SetRow(1);
        window.Show();
        Responder().Clear();
        AnsiString clicked;
        window.grid->OnAnchorClick = [&](TObject*, int, int, const AnsiString& anchor, bool&) {
            clicked = anchor;
        };
        QTest::mouseClick(window.Cells(), Qt::LeftButton, {}, QPoint(3 * 64 + 5, 3 * 21 + 8));
        EXPECT_EQ(clicked, row.anchor);
        EXPECT_EQ(Point(window.grid->GetCol(), window.grid->GetRow()), row.current);
        EXPECT_EQ(Responder().Opened, row.opened);
    }
}

TEST_F(PrintedGrid, HTMLCellsPrintTheirText) {
    grid.SetCells(0, 0, "<B>bold</B> and <I>slanted</I>");
    grid.SetCells(1, 0, "plain");
    QTemporaryDir dir;
    const AnsiString file = dir.filePath("html.pdf").toStdString();
    Responder().AnswerFile(file);
    grid.Print();
    const auto pages = PdfPageTexts(QString::fromStdString(file.str()));
    ASSERT_FALSE(pages.empty());
    EXPECT_NE(pages[0].find("bold and slanted"), std::string::npos);
    EXPECT_EQ(pages[0].find("<B>"), std::string::npos);
    EXPECT_NE(pages[0].find("plain"), std::string::npos);
}

TEST(DatagridHTML, HintWindowKeepsInsideTheScreen) {
    TDataGrid grid(nullptr);
    THTMLHintWindow window(&grid);
    const AnsiString hint = "cw=<b>120</b>";
    const TRect screen = Rect(0, 0, 800, 600);
    const TRect inside = window.HintRect(Rect(100, 100, 100, 100), hint, screen);
    EXPECT_EQ(inside.Left, 100);
    EXPECT_EQ(inside.Top, 100);
    const TRect past = window.HintRect(Rect(790, 595, 790, 595), hint, screen);
    EXPECT_EQ(past.Right, 798);
    EXPECT_EQ(past.Bottom, 598);
    EXPECT_EQ(past.Width(), inside.Width());
    EXPECT_EQ(past.Height(), inside.Height());
    window.ActivateHint(Rect(10, 10, 10, 10), hint);
    EXPECT_TRUE(window.View()->isVisible());
    EXPECT_EQ(window.View()->geometry(), QRect(10, 10, inside.Width(), inside.Height()));
    window.ReleaseHandle();
    EXPECT_FALSE(window.View()->isVisible());
}

} // namespace
