#include "grid/Datagrid.h"

#include "framework/Form.h"
#include "framework/GridScrollArea.h"
#include "tests/grid/ShownGrid.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/GeometryPrinter.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A data grid that counts what it was asked to repaint.
struct CountingGrid : TDataGrid {
    using TDataGrid::TDataGrid;
    void Invalidate() override {
        ++invalidations;
        TDataGrid::Invalidate();
    }
    void Paint() override {
        ++paints;
        TDataGrid::Paint();
    }
    using TDataGrid::Loaded;
    int invalidations = 0;
    int paints = 0;
};

TEST(Datagrid, TheCheckedTextMayComeFromTheEvent) {
    TDataGrid grid(nullptr);
    grid.OnGetCheckTrue = [](TObject*, int ACol, int, AnsiString& Value) {
        Value = ACol == 2 ? "Yes" : Value;
    };
    EXPECT_EQ(grid.GetCheckTrue(2, 1), "Yes");
    EXPECT_EQ(grid.GetCheckTrue(1, 1), "Y");
}

TEST(Datagrid, FixedCellsByCountsSwitchesAndEvent) {
    struct Row {
        const char* name;
        int cols, rows, fixedCols, fixedRows;
        bool rowAlways, colAlways;
        int col, row;
        bool fixed;
    } rows[] = {
        {"fixed row", 5, 5, 1, 1, false, false, 2, 0, true},
        {"fixed column", 5, 5, 1, 1, false, false, 0, 2, true},
        {"normal cell", 5, 5, 1, 1, false, false, 2, 2, false},
        {"one row, row always fixed", 5, 1, 0, 0, true, false, 2, 0, true},
        {"one row, switch off", 5, 1, 0, 0, false, false, 2, 0, false},
        {"one column, column always fixed", 1, 5, 0, 0, false, true, 0, 2, true},
        // The switch reads as one fixed row.
        {"two rows, row always fixed", 5, 2, 0, 0, true, false, 2, 0, true},
        {"two rows, row always fixed, a normal row", 5, 2, 0, 0, true, false, 2, 1, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        grid.SetColCount(row.cols);
        grid.SetRowCount(row.rows);
        if (row.fixedCols < grid.GetFixedCols())
            grid.SetFixedCols(row.fixedCols);
        if (row.fixedRows < grid.GetFixedRows())
            grid.SetFixedRows(row.fixedRows);
        grid.FixedRowAlways = row.rowAlways;
        grid.FixedColAlways = row.colAlways;
        bool fixed = !row.fixed;
        grid.GetCellFixed(row.col, row.row, fixed);
        EXPECT_EQ(fixed, row.fixed);
    }

    // The event may add fixed cells, never take them away, and is not asked about fixed ones.
    TDataGrid grid(nullptr);
    std::vector<std::pair<int, int>> asked;
    grid.OnIsFixedCell = [&](TObject*, int ARow, int ACol, bool& IsFixed) {
        asked.emplace_back(ACol, ARow);
        IsFixed = ACol == 4;
    };
    bool fixed = false;
    grid.GetCellFixed(0, 2, fixed);
    EXPECT_TRUE(fixed);
    grid.GetCellFixed(4, 2, fixed);
    EXPECT_TRUE(fixed);
    grid.GetCellFixed(3, 2, fixed);
    EXPECT_FALSE(fixed);
    EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{4, 2}, {3, 2}}));
}

TEST(Datagrid, ActiveCellHeadersTakeTheActiveFont) {
    struct Row {
        const char* name;
        int fixedCols;
        int col, row;
        bool bold;
    } rows[] = {
        {"row header of the current row", 1, 0, 5, true},
        {"column header of the current column", 1, 3, 0, true},
        {"another row header", 1, 0, 4, false},
        {"the current cell itself", 1, 3, 5, false},
        {"no fixed column: no row header", 0, 0, 5, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        grid.SetRowCount(8);
        grid.ActiveCellShow = true;
        if (row.fixedCols == 0)
            grid.SetFixedCols(0);
        grid.SetCol(3);
        grid.SetRow(5);
        TBrush brush;
        TFont font;
        bool colorAsked = false;
        grid.OnGetCellColor = [&](TObject*, int, int, TGridDrawState, TBrush*, TFont* AFont) {
            colorAsked = true;
            EXPECT_EQ(AFont, &font);
        };
        grid.GetCellColor(row.col, row.row, 0, &brush, &font);
        EXPECT_EQ(font.Style == fsBold, row.bold);
        EXPECT_TRUE(colorAsked);
    }
}

TEST(Datagrid, PerCellQueriesHandTheirEventsTheRowFirst) {
    TDataGrid grid(nullptr);
    std::vector<std::string> heard;
    auto note = [&](const char* name, int a, int b) {
        heard.push_back(std::string(name) + " " + std::to_string(a) + "," + std::to_string(b));
    };
    grid.OnGetAlignment = [&](TObject*, int ARow, int ACol, TAlignment& h, TVAlignment&) {
        note("align", ARow, ACol);
        h = taRightJustify;
    };
    grid.OnCanEditCell = [&](TObject*, int ARow, int ACol, bool& can) {
        note("edit", ARow, ACol);
        can = false;
    };
    grid.OnGetEditorType = [&](TObject*, int ACol, int ARow, TEditorType& editor) {
        note("editor", ACol, ARow);
        editor = edSpinEdit;
    };
    TAlignment h = taLeftJustify;
    TVAlignment v = vtaTop;
    grid.GetCellAlign(2, 3, h, v);
    bool canEdit = true;
    grid.GetCellReadOnly(2, 3, canEdit);
    TEditorType editor = edNormal;
    grid.GetCellEditor(2, 3, editor);
    EXPECT_EQ(heard, (std::vector<std::string>{"align 3,2", "edit 3,2", "editor 2,3"}));
    EXPECT_EQ(h, taRightJustify);
    EXPECT_FALSE(canEdit);
    EXPECT_EQ(editor, edSpinEdit);
}

TEST(Datagrid, IntegralHeightKeepsWholeRowsAndStays) {
    TDataGrid grid(nullptr);
    grid.SetScrollBars(ssNone);
    grid.SetBounds(0, 0, 300, 200);
    grid.SetIntegralHeight(true);
    // 200 less the 4-pixel border leaves 196: nine rows of 21 (189) and the border, 193.
    EXPECT_EQ(grid.Height(), 193);
    grid.SetBounds(0, 0, 300, grid.Height());
    EXPECT_EQ(grid.Height(), 193);
    grid.SetColCount(12);
    grid.SetIntegralHeight(true);
    EXPECT_EQ(grid.Height(), 193);
    grid.SetBounds(0, 0, 300, 10);
    EXPECT_EQ(grid.Height(), 25);
    grid.SetIntegralHeight(false);
    grid.SetBounds(0, 0, 300, 10);
    EXPECT_EQ(grid.Height(), 10);
}

TEST(Datagrid, UpdateLockHoldsPaintingBackUntilTheLastEnd) {
    ShownGrid<CountingGrid> shown;
    shown.Show();
    CountingGrid* grid = shown.grid;
    QApplication::processEvents();
    grid->paints = 0;
    grid->BeginUpdate();
    grid->BeginUpdate();
    EXPECT_TRUE(grid->GetLockFlag());
    grid->SetCells(1, 1, "held");
    grid->SetColWidths(1, 90);
    QApplication::processEvents();
    EXPECT_EQ(grid->paints, 0);
    grid->EndUpdate();
    QApplication::processEvents();
    EXPECT_EQ(grid->paints, 0);
    grid->EndUpdate();
    QApplication::processEvents();
    EXPECT_EQ(grid->paints, 1);
    EXPECT_FALSE(grid->GetLockFlag());
    grid->EndUpdate();
    EXPECT_FALSE(grid->GetLockFlag());
    grid->SetLockFlag(true);
    grid->ResetUpdate();
    EXPECT_FALSE(grid->GetLockFlag());
}

// A notifier that writes down what it heard.
struct Listener : TGridChangeNotifier {
    Listener(std::vector<std::string>& heard, std::string name)
        : TGridChangeNotifier(nullptr), heard(heard), name(std::move(name)) {}
    void CellsChanged(const TRect& R) override {
        heard.push_back(name + " " + std::to_string(R.Left) + "-" + std::to_string(R.Bottom));
    }
    std::vector<std::string>& heard;
    std::string name;
};

TEST(Datagrid, ChangedCellsReachTheEventThenEachNotifierOnce) {
    std::vector<std::string> heard;
    auto grid = std::make_unique<TDataGrid>(nullptr);
    auto first = std::make_unique<Listener>(heard, "first");
    auto second = std::make_unique<Listener>(heard, "second");
    grid->OnCellsChanged = [&](TObject*, const TRect& R) {
        heard.push_back("event " + std::to_string(R.Right));
    };
    grid->RegisterNotifier(first.get());
    grid->RegisterNotifier(second.get());
    grid->RegisterNotifier(first.get());
    grid->CellsChanged(Rect(1, 2, 3, 4));
    EXPECT_EQ(heard, (std::vector<std::string>{"event 3", "first 1-4", "second 1-4"}));

    // A notifier freed first leaves the grid; a grid freed first leaves the notifier.
    heard.clear();
    first.reset();
    grid->CellsChanged(Rect(0, 0, 1, 1));
    EXPECT_EQ(heard, (std::vector<std::string>{"event 1", "second 0-1"}));
    grid->UnRegisterNotifier(second.get());
    grid->UnRegisterNotifier(second.get());
    grid->RegisterNotifier(second.get());
    grid.reset();
    second.reset();
}

// A form with its own resize handler and two grids that follow it.
struct FollowingForm : TForm {
    FollowingForm() : TForm(nullptr) {
        // The window has its size before its grids are made, as a layout gives it.
        SetBounds(0, 0, 400, 300);
        First = new TDataGrid(this);
        Second = new TDataGrid(this);
        for (TDataGrid* grid : {First, Second}) {
            grid->SetParent(this);
            grid->SetScrollBars(ssNone);
            grid->SetBounds(0, 0, 304, 104);
            grid->SetColCount(3);
            grid->SizeWithForm = true;
            grid->ColumnSize->SetStretch(true);
        }
        EndLayout();
    }
    TDataGrid* First;
    TDataGrid* Second;
};

TEST(Datagrid, GridsFollowTheirFormAndStretchAsTheyResize) {
    FollowingForm form;
    // 300 client pixels, two 64-pixel columns: the last gets 300 - 128 - 1.
    EXPECT_EQ(form.First->GetColWidths(2), 171);
    std::vector<int> seen;
    form.OnResize = [&](TObject*) {
        seen = {form.First->Width(), form.Second->Width(), form.First->GetColWidths(2)};
    };
    form.SetBounds(0, 0, 450, 330);
    // The grid's own size change stretches its last column before the form's handler runs.
    EXPECT_EQ(seen, (std::vector<int>{354, 354, 221}));
    EXPECT_EQ(form.First->GetColWidths(2), 221);
    EXPECT_EQ(form.Second->Height(), 134);

    // A grid freed before its form no longer hears of it.
    delete form.First;
    form.OnResize = nullptr;
    form.SetBounds(0, 0, 420, 330);
    EXPECT_EQ(form.Second->Width(), 324);

    form.Second->SizeWithForm = false;
    form.SetBounds(0, 0, 500, 400);
    EXPECT_EQ(form.Second->Width(), 324);
    // Shrinking past nothing leaves the grid as it is.
    form.Second->SizeWithForm = true;
    form.SetBounds(0, 0, 10, 10);
    EXPECT_EQ(form.Second->Width(), 324);
}

TEST(Datagrid, StretchingTheLastColumn) {
    struct Row {
        const char* name;
        int clientWidth;
        int expected;
    } rows[] = {
        {"room left", 500, 199},
        {"no room left", 250, 64},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TDataGrid grid(nullptr);
        grid.SetScrollBars(ssNone);
        grid.SetBounds(0, 0, row.clientWidth + 4, 100);
        grid.SetColCount(3);
        grid.SetColWidths(0, 100);
        grid.SetColWidths(1, 200);
        grid.ColumnSize->SetStretch(true);
        EXPECT_EQ(grid.GetColWidths(2), row.expected);
    }
    TDataGrid single(nullptr);
    single.SetScrollBars(ssNone);
    single.SetBounds(0, 0, 124, 100);
    single.SetColCount(1);
    single.ColumnSize->SetStretch(true);
    EXPECT_EQ(single.GetColWidths(0), 120);
}

TEST(Datagrid, HeadersComeFromTheirLists) {
    CountingGrid grid(nullptr);
    grid.ColumnHeaders.Add("Sewer");
    grid.ColumnHeaders.Add("Flow\\n(l/s)");
    EXPECT_EQ(grid.GetCells(1, 0), "Flow\r(l/s)");
    grid.RowHeaders.Add("");
    grid.RowHeaders.Add("S1");
    EXPECT_EQ(grid.GetCells(0, 1), "S1");
    // The header column is written after the header row: its first entry takes the corner.
    EXPECT_EQ(grid.GetCells(0, 0), "");
    grid.SetCells(1, 0, "changed");
    grid.Loaded();
    EXPECT_EQ(grid.GetCells(1, 0), "Flow\r(l/s)");
}

TEST(Datagrid, TheBlinkTickRepaintsBlinkingCellsOnly) {
    ShownGrid<TDataGrid> shown;
    TDataGrid* grid = shown.grid;
    grid->SetCells(2, 3, "<BLINK>late</BLINK>");
    grid->SetCells(1, 1, "on time");
    shown.Show();
    QApplication::processEvents();
    PaintedArea painted(static_cast<GridScrollArea*>(grid->View())->viewport());
    const bool phase = grid->BlinkPhase();
    grid->WMTimer(111);
    QApplication::processEvents();
    EXPECT_NE(grid->BlinkPhase(), phase);
    const TRect cell = grid->CellRect(2, 3);
    EXPECT_EQ(painted.area.boundingRect(), QRect(cell.Left, cell.Top, cell.Width(), cell.Height()));
}

} // namespace
