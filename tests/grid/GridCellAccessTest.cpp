#include "tests/grid/EditingWindow.h"
#include "tests/grid/GridTexts.h"
#include "tests/support/AnsiStringPrinter.h"

#include <gtest/gtest.h>

namespace {

TEST(GridCellAccess, RealColumnsPastHiddenOnes) {
    TDataGrid grid(nullptr);
    FillLettered(grid, 5, 4);
    grid.HideColumn(2);
    grid.SetCellsEx(3, 1, "x");
    EXPECT_EQ(grid.GetCellsEx(3, 1), "x");
    // Display column 2 now shows real column 3.
    EXPECT_EQ(grid.GetCellEx(grid.RemapCol(2), 1), "x");
    EXPECT_EQ(RowTexts(grid, 1), "a1 b1 c1 x e1");
}

TEST(GridCellAccess, AHiddenRowIsReadAndWrittenApart) {
    TDataGrid grid(nullptr);
    FillLettered(grid, 3, 5);
    grid.HideRow(2);
    EXPECT_EQ(grid.GetCellsEx(1, 2), "b2");
    grid.SetCellsEx(1, 2, "kept");
    EXPECT_EQ(grid.GetCellsEx(1, 2), "kept");
    // The rows in view are untouched; the row comes back with its new text.
    EXPECT_EQ(ColTexts(grid, 1), "b0 b1 b3 b4");
    grid.UnHideRow(2);
    EXPECT_EQ(ColTexts(grid, 1), "b0 b1 kept b3 b4");
}

TEST(GridCellAccess, TheEditorShowsTagsOnlyWhenAsked) {
    struct Row {
        const char* name;
        bool withTags;
        const char* shown;
    } rows[] = {
        {"without tags", false, "12"},
        {"with tags", true, "<B>12</B>"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EditingWindow window;
        window.grid->EditWithTags = row.withTags;
        window.grid->SetCells(1, 1, "<B>12</B>");
        window.Show();
        window.Select(1, 1);
        window.Press(Qt::Key_F2);
        EXPECT_EQ(window.EditorText(), row.shown);
    }
}

} // namespace
