#include "controls/Typededit.h"
#include "framework/DragDrop.h"
#include "framework/Form.h"
#include "grid/Datagrid.h"
#include "grid/Gridobj.h"

#include "tests/grid/DragWindow.h"
#include "tests/grid/GridFiles.h"
#include "tests/grid/OfficeFiles.h"
#include "tests/grid/ShownGrid.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/GeometryPrinter.h"
#include "tests/support/ScriptedResponder.h"

#include <QAbstractScrollArea>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

std::unique_ptr<QMimeData> FileData(const std::vector<AnsiString>& names) {
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const AnsiString& name : names)
        urls.push_back(QUrl::fromLocalFile(QString::fromStdString(name.str())));
    data->setUrls(urls);
    return data;
}

TEST(GridDragDrop, TextDropsPasteAndSelect) {
    const struct {
        const char* label;
        const char* text;
        bool insertRows;
        TGridRect selected;
        const char* row5;
        const char* row7;
    } rows[] = {
        {"two lines of three fields",
         "a\tb\tc\r\nd\te\tf\r\n",
         false,
         {2, 5, 4, 6},
         "05 15 a b c 55",
         "07 17 27 37 47 57"},
        {"rows inserted first",
         "a\tb\tc\r\nd\te\tf\r\n",
         true,
         {2, 5, 4, 6},
         "  a b c ",
         "05 15 25 35 45 55"},
        {"a line break of CR LF counts once", "a\r\nb", true, {2, 5, 2, 6}, "  a   ", "05 15 25 35 45 55"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        DragWindow window;
        window.TakeDrops();
        window.grid->DragDropSettings->OleInsertRows = row.insertRows;
        TRect dropped{};
        window.grid->OnOleDropped = [&](TObject*, const TRect& R) { dropped = R; };
        EXPECT_EQ(window.DropOn(*TextData(row.text), 2, 5), DROPEFFECT_MOVE);
        EXPECT_EQ(window.grid->GetSelection(), row.selected);
        EXPECT_EQ(dropped,
                  Rect(row.selected.Left, row.selected.Top, row.selected.Right, row.selected.Bottom));
        GridCellTexts expected5 = Cells(row.row5);
        GridCellTexts expected7 = Cells(row.row7);
        EXPECT_EQ(CellTexts(*window.grid)[5], expected5[0]);
        EXPECT_EQ(CellTexts(*window.grid)[7], expected7[0]);
    }
}

TEST(GridDragDrop, WhereDropsAreTaken) {
    DragWindow window;
    window.TakeDrops();
    std::vector<std::string> heard;
    window.grid->OnOleDropCol = [&](TObject*, int ARow, int ACol, int DropCol) {
        heard.push_back("column " + std::to_string(DropCol) + " on " + std::to_string(ACol) + "," +
                        std::to_string(ARow));
    };
    const auto before = CellTexts(*window.grid);
    // Text is refused on the header row, columns everywhere but on the header row's normal cells.
    EXPECT_EQ(window.DropOn(*TextData("x"), 2, 0), DROPEFFECT_NONE);
    EXPECT_EQ(window.DropOn(*ColumnData(3), 2, 4), DROPEFFECT_NONE);
    EXPECT_EQ(window.DropOn(*ColumnData(3), 0, 0), DROPEFFECT_NONE);
    EXPECT_EQ(window.DropOn(*ColumnData(3), 2, 0, Qt::ControlModifier), DROPEFFECT_COPY);
    EXPECT_EQ(heard, (std::vector<std::string>{"column 3 on 2,0"}));
    EXPECT_EQ(CellTexts(*window.grid), before);

    // A grid of its fixed row alone takes text on it, into row 1.
    window.grid->SetRowCount(1);
    window.grid->FixedRowAlways = true;
    EXPECT_EQ(window.DropOn(*TextData("x"), 2, 0), DROPEFFECT_MOVE);
    ASSERT_EQ(window.grid->GetRowCount(), 2);
    EXPECT_EQ(window.grid->GetCellEx(2, 1), "x");

    // Refused by the handler: nothing changes.
    window.grid->OnOleDrop = [](TObject*, int, int, const AnsiString&, bool& Allow) { Allow = false; };
    window.DropOn(*TextData("y"), 2, 1);
    EXPECT_EQ(window.grid->GetCellEx(2, 1), "x");
}

TEST(GridDragDrop, RichTextOnlyWhileTheGridsTakeIt) {
    DragWindow window;
    window.TakeDrops();
    const auto data = TextData("plain", "{\\rtf1 rich}");
    window.DropOn(*data, 2, 3);
    EXPECT_EQ(window.grid->GetCellEx(2, 3), "plain");
    window.grid->DragDropSettings->SetOleDropRTF(true);
    window.DropOn(*data, 3, 3);
    // A cell that takes nothing refuses rich text too.
    window.grid->OnCanEditCell = [](TObject*, int, int ACol, bool& CanEdit) { CanEdit = ACol != 4; };
    EXPECT_EQ(window.DropOn(*data, 4, 3), DROPEFFECT_NONE);
    window.grid->DragDropSettings->SetOleDropRTF(false);
    EXPECT_EQ(window.grid->GetCellEx(3, 3), "{\\rtf1 rich}");
    EXPECT_EQ(window.grid->GetCellEx(4, 3), "43");
}

TEST(GridDragDrop, OneDroppedFileLoadsByWhatItsNameHolds) {
    TestFolder folder;
    const std::string csvBytes = "p,q\r\nr,s\r\n";
    const AnsiString csv = folder.Path("data.csv");
    WriteFile(csv, csvBytes);
    const AnsiString upper = folder.Path("DATA.CSV");
    WriteFile(upper, csvBytes);
    const AnsiString bak = folder.Path("data.csv.bak");
    WriteFile(bak, csvBytes);
    const char* sheet = "wb.active['A1'] = 'w'; wb.active['B2'] = 'z'";
    const AnsiString book = folder.Path("data.xlsx");
    MakeWorkbook(book.str(), sheet);
    const AnsiString both = folder.Path("data.csv.xlsx");
    MakeWorkbook(both.str(), sheet);
    // A workbook of the older binary kind, which the reader cannot read.
    const AnsiString old = folder.Path("old.xls");
    WriteFile(old, std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + std::string(504, '\0'));
    const char* untouched = "00 11";
    const struct {
        const char* label;
        std::vector<AnsiString> files;
        // The handler refuses its first question and leaves the second as it comes.
        bool refuseFirst;
        // Cells (0, 0) and (1, 1).
        const char* corners;
        std::vector<AnsiString> asked;
        int effect;
        const char* message;
    } rows[] = {
        {"a CSV file", {csv}, false, "p s", {csv}, DROPEFFECT_MOVE, ""},
        {"an upper-case name", {upper}, false, "p s", {upper}, DROPEFFECT_MOVE, ""},
        {"a name with .csv inside", {bak}, false, "p s", {bak}, DROPEFFECT_MOVE, ""},
        {"a workbook", {book}, false, "w z", {book}, DROPEFFECT_MOVE, ""},
        // Read as CSV first, then as the workbook it is.
        {"a name holding both", {both}, false, "w z", {both, both}, DROPEFFECT_MOVE, ""},
        {"a name holding both, the first refused",
         {both},
         true,
         untouched,
         {both, both},
         DROPEFFECT_NONE,
         ""},
        {"a CSV file refused", {csv}, true, untouched, {csv}, DROPEFFECT_NONE, ""},
        {"an old workbook",
         {old},
         false,
         untouched,
         {old},
         DROPEFFECT_NONE,
         "File contains no data or corrupt file "},
        {"two files", {csv, book}, false, untouched, {}, DROPEFFECT_NONE, ""},
        {"a file of another kind", {folder.Path("notes.txt")}, false, untouched, {}, DROPEFFECT_NONE, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        Responder().Clear();
        DragWindow window;
        window.TakeDrops();
        std::vector<AnsiString> asked;
        window.grid->OnOleDrop = [&](TObject*, int ARow, int ACol, const AnsiString& Data, bool& Allow) {
            EXPECT_EQ(ARow, -1);
            EXPECT_EQ(ACol, -1);
            if (asked.empty() && row.refuseFirst)
                Allow = false;
            asked.push_back(Data);
        };
        EXPECT_EQ(window.DropOn(*FileData(row.files), 2, 3), row.effect);
        EXPECT_EQ(window.grid->GetCellEx(0, 0) + " " + window.grid->GetCellEx(1, 1), row.corners);
        EXPECT_EQ(asked, row.asked);
        if (*row.message) {
            ASSERT_EQ(Responder().Asked.size(), 1u);
            EXPECT_EQ(Responder().Asked[0].Text, row.message + row.files[0]);
        } else {
            EXPECT_TRUE(Responder().Asked.empty());
        }
    }
    Responder().Clear();
}

TEST(GridDragDrop, DragsStartAwayFromWherePressed) {
    const struct {
        const char* label;
        int dx;
        int mx;
        int my;
        TGridOptions options;
        bool starts;
    } rows[] = {
        {"3 pixels right", 20, 3, 0, 0, false},
        {"4 pixels right", 20, 4, 0, 0, true},
        {"4 pixels down", 20, 0, 4, 0, true},
        {"near the side while columns size", 2, 10, 0, goColSizing, false},
        {"away from the side while columns size", 20, 10, 0, goColSizing, true},
        {"while editing", 20, 10, 0, goEditing, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        SourceWindow window;
        window.grid->SetOptions(window.grid->GetOptions() | row.options);
        window.PressAndMove(3, 3, row.dx, row.mx, row.my);
        ASSERT_EQ(Responder().DragsOffered.size(), row.starts ? 1u : 0u);
        if (row.starts) {
            EXPECT_EQ(Responder().DragsOffered[0].Text, "22\t32\r\n23\t33\r\n");
        }
        // A cancelled drag is no drag that stopped.
        EXPECT_TRUE(window.stops.empty());
    }
}

TEST(GridDragDrop, AMoveTakesTheCellsAlong) {
    const struct {
        const char* label;
        int effect;
        bool rowSelect;
        const char* rows2to4;
        // The target takes typing but its OnOleDrop handler says no.
        bool handlerRefuses = false;
        // Where on the target the cells go, and what the target takes.
        int dropCol = 1;
        int dropRow = 6;
        std::function<void(TDataGrid&)> targetSetUp = {};
        // Whole rows go with their header cells, which the target's fixed column does not take.
        bool entireRows = false;
    } rows[] = {
        {"a copy keeps them", DROPEFFECT_COPY, false,
         "02 12 22 32 42 52|03 13 23 33 43 53|04 14 24 34 44 54"},
        {"a move clears them", DROPEFFECT_MOVE, false, "02 12   42 52|03 13   43 53|04 14 24 34 44 54"},
        {"a move of whole rows removes them", DROPEFFECT_MOVE, true,
         "04 14 24 34 44 54|05 15 25 35 45 55|06 16 26 36 46 56"},
        {"a move of entire rows removes them", DROPEFFECT_MOVE, true,
         "04 14 24 34 44 54|05 15 25 35 45 55|06 16 26 36 46 56", false, 1, 6,
         [](TDataGrid& g) {
             g.SetOptions(g.GetOptions() | goRowSelect);
             g.DragDropSettings->OleEntireRows = true;
         },
         true},
        {"a grid that takes no typing refuses a move, which keeps them", DROPEFFECT_NONE, false,
         "02 12 22 32 42 52|03 13 23 33 43 53|04 14 24 34 44 54"},
        {"a target's handler refuses the drop, which keeps them", DROPEFFECT_NONE, false,
         "02 12 22 32 42 52|03 13 23 33 43 53|04 14 24 34 44 54", true},
        // Text a drop cannot write in full is not taken, so a move leaves it where it was.
        {"cells that take nothing", DROPEFFECT_NONE, false,
         "02 12 22 32 42 52|03 13 23 33 43 53|04 14 24 34 44 54", false, 1, 6,
         [](TDataGrid& g) { g.OnCanEditCell = [](TObject*, int, int, bool& CanEdit) { CanEdit = false; }; }},
        {"one cell that takes nothing", DROPEFFECT_NONE, false,
         "02 12 22 32 42 52|03 13 23 33 43 53|04 14 24 34 44 54", false, 1, 6,
         [](TDataGrid& g) {
             g.OnCanEditCell = [](TObject*, int ARow, int ACol, bool& CanEdit) {
                 CanEdit = !(ARow == 7 && ACol == 2);
             };
         }},
        {"a column past the grid", DROPEFFECT_NONE, false,
         "02 12 22 32 42 52|03 13 23 33 43 53|04 14 24 34 44 54", false, 3, 6,
         [](TDataGrid& g) {
             g.SetColCount(4);
             g.Navigation->AllowClipboardColGrow = false;
         }},
        {"a row past the grid", DROPEFFECT_NONE, false,
         "02 12 22 32 42 52|03 13 23 33 43 53|04 14 24 34 44 54", false, 1, 7,
         [](TDataGrid& g) {
             g.SetRowCount(8);
             g.Navigation->AllowClipboardRowGrow = false;
         }},
        {"a row past the grid, which grows", DROPEFFECT_MOVE, false,
         "02 12   42 52|03 13   43 53|04 14 24 34 44 54", false, 1, 7,
         [](TDataGrid& g) {
             g.SetRowCount(8);
             g.Navigation->AllowClipboardRowGrow = true;
         }},
        {"a row past the grid, rows inserted", DROPEFFECT_MOVE, false,
         "02 12   42 52|03 13   43 53|04 14 24 34 44 54", false, 1, 7,
         [](TDataGrid& g) {
             g.SetRowCount(8);
             g.Navigation->AllowClipboardRowGrow = false;
             g.DragDropSettings->OleInsertRows = true;
         }},
        // Rows inserted for the drop are the cells that take it, not the rows they push down.
        {"blank rows inserted that take nothing", DROPEFFECT_NONE, false,
         "02 12 22 32 42 52|03 13 23 33 43 53|04 14 24 34 44 54", false, 1, 6,
         [](TDataGrid& g) {
             // The current cell below the drop stays where it was.
             g.SetRow(8);
             g.DragDropSettings->OleInsertRows = true;
             g.OnCanEditCell = [&g](TObject*, int ARow, int, bool& CanEdit) {
                 CanEdit = !g.GetCellEx(0, ARow).IsEmpty();
             };
         }},
        // The rows go again from the block they joined below its hidden base, which shows its text.
        {"blank rows inserted into a block below its hidden base that take nothing", DROPEFFECT_NONE, false,
         "02 12 22 32 42 52|03 13 23 33 43 53|04 14 24 34 44 54", false, 1, 5,
         [](TDataGrid& g) {
             g.MergeCells(1, 5, 1, 3);
             g.HideRow(5);
             g.DragDropSettings->OleInsertRows = true;
             g.OnCanEditCell = [](TObject*, int, int, bool& CanEdit) { CanEdit = false; };
         }},
        {"blank rows inserted that take it among rows that take nothing", DROPEFFECT_MOVE, false,
         "02 12   42 52|03 13   43 53|04 14 24 34 44 54", false, 1, 6,
         [](TDataGrid& g) {
             g.DragDropSettings->OleInsertRows = true;
             g.OnCanEditCell = [&g](TObject*, int ARow, int, bool& CanEdit) {
                 CanEdit = g.GetCellEx(0, ARow).IsEmpty();
             };
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        SourceWindow window;
        DragWindow target;
        target.TakeDrops();
        if (row.handlerRefuses)
            target.grid->OnOleDrop = [](TObject*, int, int, const AnsiString&, bool& Allow) {
                Allow = false;
            };
        else if (row.targetSetUp)
            row.targetSetUp(*target.grid);
        else if (row.effect == DROPEFFECT_NONE)
            target.grid->SetOptions(target.grid->GetOptions() & ~goEditing);
        const GridCellTexts targetBefore = CellTexts(*target.grid);
        const TGridCoord targetCurrent{target.grid->GetCol(), target.grid->GetRow()};
        if (row.rowSelect) {
            window.grid->SetOptions(window.grid->GetOptions() | goRowSelect);
            window.grid->DragDropSettings->OleRemoveRows = true;
            window.grid->SetSelection({1, 2, 5, 3});
            window.grid->DragDropSettings->OleEntireRows = row.entireRows;
        }
        Responder().DragActions.push_back([&](const QMimeData& data) {
            return target.DropOn(data, row.dropCol, row.dropRow,
                                 row.effect == DROPEFFECT_COPY ? Qt::ControlModifier : Qt::NoModifier);
        });
        window.PressAndMove(3, 3, 20, 10, 0);
        EXPECT_EQ(window.stops,
                  row.effect == DROPEFFECT_NONE ? std::vector<int>{} : std::vector<int>{row.effect});
        const GridCellTexts all = CellTexts(*window.grid);
        EXPECT_EQ(GridCellTexts(all.begin() + 2, all.begin() + 5), Cells(row.rows2to4));
        if (row.effect == DROPEFFECT_NONE) {
            EXPECT_EQ(CellTexts(*target.grid), targetBefore);
            EXPECT_EQ(target.grid->GetCol(), targetCurrent.X);
            EXPECT_EQ(target.grid->GetRow(), targetCurrent.Y);
        } else
            EXPECT_EQ(target.grid->GetCellEx(row.dropCol, row.dropRow), row.rowSelect ? "12" : "22");
    }
}

// Mended: a typed box took the first line of the dragged cells and answered move, so the grid
// emptied all four cells, the two the box left out too.
TEST(GridDragDrop, CellsDroppedOnABoxThatTakesOneLineStayInTheGrid) {
    SourceWindow window;
    TForm form(nullptr);
    auto* box = new TTypedEdit(&form);
    box->SetParent(&form);
    box->SetBounds(10, 10, 150, 21);
    box->SetOleDropTarget(true);
    form.Show();
    Responder().DragActions.push_back([&](const QMimeData& data) {
        const QPoint at(box->Width() - 4, box->Height() / 2);
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(box->View(), &enter);
        QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(box->View(), &move);
        QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
        QApplication::sendEvent(box->View(), &drop);
        return drop.dropAction() == Qt::CopyAction ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    });
    window.PressAndMove(3, 3, 20, 10, 0);
    EXPECT_EQ(box->GetText(), "22\t32");
    EXPECT_EQ(window.stops, std::vector<int>{DROPEFFECT_COPY});
    const GridCellTexts all = CellTexts(*window.grid);
    EXPECT_EQ(GridCellTexts(all.begin() + 2, all.begin() + 4), Cells("02 12 22 32 42 52|03 13 23 33 43 53"));
}

// Rows 5 and 6 marked among disjunct rows, the selection elsewhere: a move takes the marked rows'
// cells in the selection's columns and clears those, not the selection's own.
TEST(GridDragDrop, AMoveOfMarkedRowsClearsTheRowsItTook) {
    const struct {
        const char* label;
        TGridOptions options;
    } rows[] = {
        {"cells selected", 0},
        {"rows selected", goRowSelect},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        SourceWindow window;
        DragWindow target;
        target.TakeDrops();
        window.grid->SetOptions(window.grid->GetOptions() | row.options);
        window.grid->MouseActions->DisjunctRowSelect = true;
        window.grid->SetRowSelect(5, true);
        window.grid->SetRowSelect(6, true);
        std::string dragged;
        Responder().DragActions.push_back([&](const QMimeData& data) {
            dragged = data.text().toStdString();
            return target.DropOn(data, 1, 6);
        });
        window.PressAndMove(3, 5, 20, 10, 0);
        EXPECT_EQ(dragged, "25\t35\r\n26\t36\r\n");
        const GridCellTexts all = CellTexts(*window.grid);
        EXPECT_EQ(GridCellTexts(all.begin() + 2, all.begin() + 7),
                  Cells("02 12 22 32 42 52|03 13 23 33 43 53|04 14 24 34 44 54|05 15   45 55|06 16   46 56"));
    }
}

// Cells (2-3, 2-3) moved within their own grid: what the drop wrote stays, the rest it took is
// emptied, also where rows inserted for the drop pushed them down.
TEST(GridDragDrop, AMoveOntoItsOwnGridKeepsWhatItDropped) {
    const struct {
        const char* label;
        int dropCol;
        int dropRow;
        bool insertRows;
        const char* rows2to6;
    } rows[] = {
        {"one column right, onto half of them", 3, 2, false,
         "02 12  22 32 52|03 13  23 33 53|04 14 24 34 44 54|05 15 25 35 45 55|06 16 26 36 46 56"},
        {"rows inserted above them", 2, 2, true,
         "  22 32  |  23 33  |02 12   42 52|03 13   43 53|04 14 24 34 44 54"},
        {"rows inserted between them", 2, 3, true,
         "02 12   42 52|  22 32  |  23 33  |03 13   43 53|04 14 24 34 44 54"},
        {"rows inserted below them", 4, 4, true,
         "02 12   42 52|03 13   43 53|    22 32|    23 33|04 14 24 34 44 54"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        SourceWindow window;
        window.TakeDrops();
        window.grid->SetOptions(window.grid->GetOptions() & ~goEditing);
        window.grid->Navigation->AllowClipboardAlways = true;
        window.grid->DragDropSettings->OleInsertRows = row.insertRows;
        Responder().DragActions.push_back(
            [&](const QMimeData& data) { return window.DropOn(data, row.dropCol, row.dropRow); });
        window.PressAndMove(3, 3, 20, 10, 0);
        const GridCellTexts all = CellTexts(*window.grid);
        EXPECT_EQ(GridCellTexts(all.begin() + 2, all.begin() + 7), Cells(row.rows2to6));
    }
}

TEST(GridDragDrop, AHeaderDragCarriesItsColumn) {
    SourceWindow window;
    DragWindow target;
    target.TakeDrops();
    int dropped = -1;
    target.grid->OnOleDropCol = [&](TObject*, int, int, int DropCol) { dropped = DropCol; };
    window.grid->HideColumn(1);
    Responder().DragActions.push_back([&](const QMimeData& data) { return target.DropOn(data, 2, 0); });
    // Display column 2 is real column 3 with column 1 hidden.
    window.PressAndMove(2, 0, 20, 10, 0);
    ASSERT_EQ(Responder().DragsOffered.size(), 1u);
    EXPECT_TRUE(Responder().DragsOffered[0].Labelled);
    EXPECT_EQ(dropped, 3);
    EXPECT_EQ(window.stops, (std::vector<int>{DROPEFFECT_MOVE}));
}

// The grid's marker pointing that way, found among its controls.
TArrowWindow& Arrow(TDataGrid& grid, TArrowDirection direction) {
    for (int i = 0; i < grid.ControlCount(); ++i)
        if (auto* arrow = dynamic_cast<TArrowWindow*>(grid.Controls(i));
            arrow && arrow->Direction == direction)
            return *arrow;
    throw std::logic_error("no arrow");
}

TEST(GridDragDrop, ColumnArrowsAreWindowsBesideTheHeaderCell) {
    // Columns start every 64 pixels after the fixed one, lines drawn within the cells; the header
    // row is 21 high, so the down arrow stands from 8 above its top and the up arrow from its foot.
    const struct {
        const char* label;
        int leftCol;
        int col;
        int dx;
        int cellLeft;
    } rows[] = {
        {"first column, near its left end", 1, 1, 2, 64},
        {"first column, near its right end", 1, 1, 62, 64},
        {"last column of a grid scrolled right, near its left end", 3, 5, 2, 192},
        {"last column of a grid scrolled right, near its right end", 3, 5, 62, 192},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        DragWindow window;
        window.TakeDrops();
        // Away from the screen's corner, so that the screen's coordinates differ from the window's.
        window.form.SetBounds(150, 120, 400, 300);
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return window.form.View()->geometry().topLeft() == QPoint(150, 120); }));
        window.grid->SetLeftCol(row.leftCol);
        const QWidget* focused = QApplication::focusWidget();
        const QWidget* active = QApplication::activeWindow();
        const auto data = ColumnData(2);
        ASSERT_TRUE(window.CarryOver(*data, window.At(row.col, 0, row.dx)));
        const QPoint cells = window.Cells()->mapToGlobal(QPoint(0, 0));
        for (const auto& [direction, top] : {std::pair{arrDown, -8}, std::pair{arrUp, 21}}) {
            SCOPED_TRACE(direction == arrDown ? "down" : "up");
            const QWidget& arrow = *Arrow(*window.grid, direction).View();
            EXPECT_TRUE(arrow.isWindow());
            EXPECT_TRUE(arrow.isVisible());
            EXPECT_EQ(arrow.geometry(), QRect(cells + QPoint(row.cellLeft, top), QSize(11, 11)));
            EXPECT_TRUE(arrow.windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
            EXPECT_TRUE(arrow.testAttribute(Qt::WA_ShowWithoutActivating));
        }
        EXPECT_EQ(QApplication::focusWidget(), focused);
        EXPECT_EQ(QApplication::activeWindow(), active);
    }
}

TEST(GridDragDrop, ColumnArrowsGoWhenTheDragDoes) {
    using Ending = std::function<void(DragWindow&, const QMimeData&)>;
    const struct {
        const char* label;
        Ending end;
        // Given up, the drag leaves the arrows to the grid it started from.
        bool shownUntilTheDragEnds;
    } rows[] = {
        {"moved on to a cell", [](DragWindow& w, const QMimeData& d) { w.CarryOver(d, w.At(2, 3)); }, false},
        {"left the grid",
         [](DragWindow& w, const QMimeData&) {
             QDragLeaveEvent leave;
             QApplication::sendEvent(w.Cells(), &leave);
         },
         false},
        {"dropped",
         [](DragWindow& w, const QMimeData& d) {
             QDropEvent drop(w.At(3, 0), Qt::MoveAction, &d, Qt::LeftButton, {});
             QApplication::sendEvent(w.Cells(), &drop);
         },
         false},
        {"given up with Escape", [](DragWindow&, const QMimeData&) {}, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        SourceWindow window;
        // Columns drop without typing, which would keep drags from starting.
        window.grid->DragDropSettings->SetOleDropTarget(true);
        const auto shown = [&] {
            return std::pair{Arrow(*window.grid, arrDown).View()->isVisible(),
                             Arrow(*window.grid, arrUp).View()->isVisible()};
        };
        std::pair<bool, bool> over, ended;
        Responder().DragActions.push_back([&](const QMimeData& data) {
            window.CarryOver(data, window.At(3, 0));
            over = shown();
            row.end(window, data);
            ended = shown();
            return DROPEFFECT_NONE;
        });
        window.PressAndMove(2, 0, 20, 10, 0);
        EXPECT_EQ(over, std::pair(true, true));
        EXPECT_EQ(ended, std::pair(row.shownUntilTheDragEnds, row.shownUntilTheDragEnds));
        EXPECT_EQ(shown(), std::pair(false, false));
    }
}

} // namespace
