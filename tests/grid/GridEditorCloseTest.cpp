#include "framework/Clipboard.h"
#include "grid/GridEditors.h"
#include "tests/grid/EditingWindow.h"
#include "tests/grid/GridFiles.h"
#include "tests/grid/PrintedGrid.h"
#include "tests/support/AnsiStringPrinter.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QToolButton>
#include <gtest/gtest.h>

#include <cmath>

#include <functional>
#include <string>
#include <vector>

namespace {

// A window of 5 columns and 6 rows (one fixed) whose cell (c, r) reads 10 (c + 1) + r: "10" to
// "55", every cell edited with the editor given.
struct NumberedCells : EditingWindow {
    explicit NumberedCells(TEditorType type, bool alwaysShown = false) {
        if (alwaysShown)
            grid->SetOptions(grid->GetOptions() | goAlwaysShowEditor);
        grid->SetRowCount(6);
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 5; ++c)
                grid->SetCells(c, r, AnsiString(std::to_string(10 * (c + 1) + r)));
        grid->OnGetEditorType = [type](TObject*, int, int, TEditorType& AEditor) { AEditor = type; };
    }
    // 77 typed into the editor opened with F2 on display cell (2, 3).
    void TypeInto() {
        Show();
        Select(2, 3);
        Press(Qt::Key_F2);
        QApplication::processEvents();
        Type("77");
    }
    void Leave() {
        edit->SetFocus();
        QApplication::processEvents();
    }
    // Every cell by real column and row, hidden ones among them.
    GridCellTexts Texts() const {
        GridCellTexts texts;
        for (int r = 0; r < grid->GetRowCount() + grid->NumHiddenRows(); ++r) {
            texts.emplace_back();
            for (int c = 0; c < grid->GetColCount() + grid->NumHiddenColumns(); ++c)
                texts.back().push_back(grid->GetCellsEx(c, r).str());
        }
        return texts;
    }
};

struct Editor {
    const char* name;
    TEditorType type;
    // Whether 77 typed goes after the cell's text instead of in its place.
    bool appends;
    // Whether the editor is open.
    std::function<bool(TDataGrid&)> open;
    // With goAlwaysShowEditor, which opens the editor again on the current cell after the call.
    bool alwaysShown = false;
};

const Editor editors[] = {
    {"text editor", edNormal, false, [](TDataGrid& g) { return g.GetEditorMode(); }},
    {"spin", edSpinEdit, false, [](TDataGrid& g) { return g.Editors().Spin->GetVisible(); }},
    {"edit with button", edEditBtn, false, [](TDataGrid& g) { return g.Editors().EditBtn->GetVisible(); }},
    {"combo", edComboEdit, true, [](TDataGrid& g) { return g.Editors().Combo->GetVisible(); }},
    {"text editor always shown", edNormal, false, [](TDataGrid&) { return false; }, true},
};

using Act = std::function<void(TDataGrid&)>;

struct Call {
    const char* name;
    Act act;
    // What the grid holds before the editor opens.
    Act setup = [](TDataGrid&) {};
    // Whether the call reads the edited cell and moves none: the text editor, which writes as the
    // user types, holds nothing for it to close for.
    bool onlyReads = false;
};

// A grid saved as a cell file and as CSV, for the loads.
struct Files {
    Files() {
        TDataGrid grid(nullptr);
        grid.SetColCount(3);
        grid.SetRowCount(3);
        grid.TextFill(true, "f");
        grid.SaveToFile(Cell);
        grid.SaveToCSV(Csv);
    }
    TestFolder folder;
    AnsiString Cell = folder.Path("cells.cel");
    AnsiString Csv = folder.Path("cells.csv");
};

// A condition of the filter, not yet active.
void AddFilter(TDataGrid& grid, int col, const char* condition) {
    TFilterData* data = grid.Filter->Add();
    data->Column = col;
    data->Condition = condition;
}

// Text dropped on a cell as the mouse drops it.
void DropText(TDataGrid& grid, const char* text, int col, int row) {
    QMimeData data;
    data.setText(text);
    const TRect cell = grid.CellRect(col, row);
    const QPoint at(cell.Left + 20, cell.Top + 10);
    QWidget* cells = static_cast<QAbstractScrollArea*>(grid.View())->viewport();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(cells, &enter);
    QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(cells, &move);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, {});
    QApplication::sendEvent(cells, &drop);
}

std::vector<Call> Calls(const Files& files) {
    const auto descending = [](TDataGrid& g) {
        g.SortSettings->Column = 1;
        g.SortSettings->Direction = sdDescending;
    };
    // A sort that moves only the cells of the edited column.
    const auto oneColumn = [](TDataGrid& g) {
        g.SortSettings->Column = 2;
        g.SortSettings->SingleColumn = true;
        g.SortSettings->Direction = sdDescending;
    };
    const auto node = [](TDataGrid& g) { g.AddNode(2, 3); };
    const auto contracted = [](TDataGrid& g) {
        g.AddNode(2, 3);
        g.ContractNode(2);
    };
    const auto marked = [](TDataGrid& g) {
        g.MouseActions->DisjunctRowSelect = true;
        g.SetRowSelect(1, true);
        g.SetRowSelect(4, true);
    };
    const auto merged = [](TDataGrid& g) { g.MergeCells(2, 3, 1, 2); };
    // The row holding 22 filtered out, or not yet.
    const auto filter = [](TDataGrid& g) { AddFilter(g, 1, "!22"); };
    // The row of the edited cell judged by what was typed into it: out once it ends in 77.
    const auto ownFilter = [](TDataGrid& g) { AddFilter(g, 2, "!*77"); };
    // Grouped under the labels A and B, the label of B's node row on (2, 3).
    const auto labelled = [](TDataGrid& g) {
        g.SetFixedCols(1);
        for (int r = 1; r < 6; ++r)
            g.SetCells(4, r, r == 1 ? "A" : "B");
        g.Group(4);
    };
    const auto filtered = [filter](TDataGrid& g) {
        filter(g);
        g.SetFilterActive(true);
    };
    return {
        {"InsertRows above", [](TDataGrid& g) { g.InsertRows(1, 1); }},
        {"InsertRows below", [](TDataGrid& g) { g.InsertRows(4, 2); }},
        {"AddRow", [](TDataGrid& g) { g.AddRow(); }},
        {"RemoveRows above", [](TDataGrid& g) { g.RemoveRows(1, 1); }},
        {"RemoveRows of its row", [](TDataGrid& g) { g.RemoveRows(3, 1); }},
        {"RemoveRowsEx", [](TDataGrid& g) { g.RemoveRowsEx(1, 2); }},
        {"RemoveSelectedRows", [](TDataGrid& g) { g.RemoveSelectedRows(); }, marked},
        {"MoveRow of its row", [](TDataGrid& g) { g.MoveRow(3, 5); }},
        {"MoveRow past it", [](TDataGrid& g) { g.MoveRow(1, 4); }},
        {"SwapRows", [](TDataGrid& g) { g.SwapRows(3, 5); }},
        {"SortSwapRows of one column", [](TDataGrid& g) { g.SortSwapRows(3, 5); }, oneColumn},
        {"SortLine of one column", [](TDataGrid& g) { g.SortLine(2, 3, 5); }, oneColumn},
        {"QSort", [](TDataGrid& g) { g.QSort(); }, descending},
        {"SortByColumn", [](TDataGrid& g) { g.SortByColumn(1); }, descending},
        {"QSortIndexed", [](TDataGrid& g) { g.QSortIndexed(); },
         [](TDataGrid& g) { g.SortIndexes().AddIndex(1, false); }},
        {"HideRow above", [](TDataGrid& g) { g.HideRow(1); }},
        {"HideRow of its row", [](TDataGrid& g) { g.HideRow(3); }},
        {"HideRowsEx of its row", [](TDataGrid& g) { g.HideRowsEx(2, 3); }},
        {"HideSelectedRows", [](TDataGrid& g) { g.HideSelectedRows(); }, marked},
        {"UnHideRow", [](TDataGrid& g) { g.UnHideRow(2); }, [](TDataGrid& g) { g.HideRow(2); }},
        {"UnHideRowsAll", [](TDataGrid& g) { g.UnHideRowsAll(); }, [](TDataGrid& g) { g.HideRows(1, 2); }},
        {"InsertCols before", [](TDataGrid& g) { g.InsertCols(1, 1); }},
        {"AddColumn", [](TDataGrid& g) { g.AddColumn(); }},
        {"RemoveCols before", [](TDataGrid& g) { g.RemoveCols(0, 2); }},
        {"RemoveCols of its column", [](TDataGrid& g) { g.RemoveCols(2, 1); }},
        {"MoveColumn of its column", [](TDataGrid& g) { g.MoveColumn(2, 4); }},
        {"MoveColumn past it", [](TDataGrid& g) { g.MoveColumn(0, 3); }},
        {"SwapColumns", [](TDataGrid& g) { g.SwapColumns(2, 4); }},
        {"HideColumn before", [](TDataGrid& g) { g.HideColumn(1); }},
        {"HideColumn of its column", [](TDataGrid& g) { g.HideColumn(2); }},
        {"UnHideColumn", [](TDataGrid& g) { g.UnHideColumn(1); }, [](TDataGrid& g) { g.HideColumn(1); }},
        {"MergeCols", [](TDataGrid& g) { g.MergeCols(1, 2); }},
        {"CopyCols onto its column", [](TDataGrid& g) { g.CopyCols(2, 1); }},
        {"MergeCells from above", [](TDataGrid& g) { g.MergeCells(2, 2, 1, 2); }},
        {"MergeCells from its cell", [](TDataGrid& g) { g.MergeCells(2, 3, 2, 1); }},
        {"MergeCells elsewhere", [](TDataGrid& g) { g.MergeCells(3, 4, 2, 2); }},
        {"MergeColumnCells", [](TDataGrid& g) { g.MergeColumnCells(2, true); },
         [](TDataGrid& g) { g.SetCells(2, 2, "33"); }},
        {"MergeRowCells", [](TDataGrid& g) { g.MergeRowCells(3, true); },
         [](TDataGrid& g) { g.SetCells(1, 3, "33"); }},
        {"ApplyColumnMerge", [](TDataGrid& g) { g.MergedColumns().Add(2); },
         [](TDataGrid& g) { g.SetCells(2, 4, "33"); }},
        {"UndoColumnMerge", [](TDataGrid& g) { g.UndoColumnMerge(); }, merged},
        {"MergeCells with a column hidden", [](TDataGrid& g) { g.MergeCells(2, 2, 1, 2); },
         [](TDataGrid& g) { g.HideColumn(0); }},
        {"SplitCells", [](TDataGrid& g) { g.SplitCells(2, 3); }, merged},
        {"SplitColumnCells", [](TDataGrid& g) { g.SplitColumnCells(2); }, merged},
        {"SplitRowCells", [](TDataGrid& g) { g.SplitRowCells(3); }, merged},
        {"RowCount up", [](TDataGrid& g) { g.SetRowCount(8); }},
        {"RowCount down past its row", [](TDataGrid& g) { g.SetRowCount(3); }},
        {"ColCount up", [](TDataGrid& g) { g.SetColCount(7); }},
        {"ColCount down past its column", [](TDataGrid& g) { g.SetColCount(2); }},
        {"AddNode", [](TDataGrid& g) { g.AddNode(2, 3); }},
        {"ContractNode", [](TDataGrid& g) { g.ContractNode(2); }, node},
        {"ContractAll", [](TDataGrid& g) { g.ContractAll(); }, node},
        {"ExpandNode", [](TDataGrid& g) { g.ExpandNode(2); }, contracted},
        {"ExpandAll", [](TDataGrid& g) { g.ExpandAll(); }, contracted},
        {"RemoveNode", [](TDataGrid& g) { g.RemoveNode(2); }, contracted},
        {"Group", [](TDataGrid& g) { g.Group(4); }},
        {"UnGroup", [](TDataGrid& g) { g.UnGroup(); }, [](TDataGrid& g) { g.Group(4); }},
        {"filter on", [](TDataGrid& g) { g.SetFilterActive(true); }, filter},
        {"filter off", [](TDataGrid& g) { g.SetFilterActive(false); }, filtered},
        {"SwapRows under the filter", [](TDataGrid& g) { g.SwapRows(2, 4); }, filtered},
        {"InsertRows under a contracted node", [](TDataGrid& g) { g.InsertRows(3, 1); }, contracted},
        {"LoadFromCSV", [&files](TDataGrid& g) { g.LoadFromCSV(files.Csv); }},
        {"InsertFromCSV", [&files](TDataGrid& g) { g.InsertFromCSV(files.Csv); }},
        {"LoadFromFile", [&files](TDataGrid& g) { g.LoadFromFile(files.Cell); }},
        {"Clear", [](TDataGrid& g) { g.Clear(); }},
        {"ClearRows of its row", [](TDataGrid& g) { g.ClearRows(3, 1); }},
        {"ClearRows above", [](TDataGrid& g) { g.ClearRows(1, 1); }},
        {"ClearCols", [](TDataGrid& g) { g.ClearCols(2, 1); }},
        {"ClearNormalCells", [](TDataGrid& g) { g.ClearNormalCells(); }},
        {"SetSelection elsewhere",
         [](TDataGrid& g) {
             g.SetSelection({4, 4, 4, 4});
         }},
        {"SelectRange", [](TDataGrid& g) { g.SelectRange(1, 4, 1, 4); }},
        {"SelectRows", [](TDataGrid& g) { g.SelectRows(4, 2); }},
        {"SelectCols", [](TDataGrid& g) { g.SelectCols(3, 1); }},
        {"a text dropped elsewhere", [](TDataGrid& g) { DropText(g, "dropped", 4, 4); },
         [](TDataGrid& g) { g.DragDropSettings->SetOleDropTarget(true); }},
        {"filter judging its cell", [](TDataGrid& g) { g.SetFilterActive(true); }, ownFilter},
        {"ApplyFilter judging its cell", [](TDataGrid& g) { g.ApplyFilter(); }, ownFilter},
        {"CopyRows out of its row", [](TDataGrid& g) { g.CopyRows(5, 3); }, [](TDataGrid&) {}, true},
        {"UnGroup of its label", [](TDataGrid& g) { g.UnGroup(); }, labelled},
    };
}

// 77 typed into an open editor, then a call that changes which cell a position names, moves the
// current cell or reads the edited cell, then the user leaves: the grid holds what it holds when
// the editor is first closed onto its cell and the call comes after.
TEST(GridEditorClose, ACallThatMovesCellsClosesTheEditorOntoItsCellFirst) {
    const Files files;
    for (const Editor& editor : editors)
        for (const Call& call : Calls(files)) {
            SCOPED_TRACE(std::string(editor.name) + ", " + call.name);
            NumberedCells closedFirst(editor.type, editor.alwaysShown);
            call.setup(*closedFirst.grid);
            const GridCellTexts before = closedFirst.Texts();
            closedFirst.TypeInto();
            closedFirst.grid->HideInplaceEdit();
            // Only the edited cell changed, the block it heads read through any of its cells.
            const GridCellTexts typed = closedFirst.Texts();
            int changed = 0;
            for (std::size_t r = 0; r < typed.size(); ++r)
                for (std::size_t c = 0; c < typed[r].size(); ++c)
                    if (typed[r][c] != before[r][c]) {
                        ++changed;
                        EXPECT_EQ(typed[r][c], (editor.appends ? before[r][c] : "") + "77");
                    }
            EXPECT_GE(changed, 1);
            call.act(*closedFirst.grid);
            closedFirst.Leave();

            NumberedCells window(editor.type, editor.alwaysShown);
            call.setup(*window.grid);
            window.TypeInto();
            call.act(*window.grid);
            if (!call.onlyReads || editor.type != edNormal) {
                EXPECT_FALSE(editor.open(*window.grid));
            }
            window.Leave();
            EXPECT_EQ(window.Texts(), closedFirst.Texts());
        }
}

} // namespace

namespace {

// 77 typed into the editor on (2, 3), which holds 33, then a call that reads the cells: it reads
// what was typed (the combo's 77 follows the 33), the editor that held it closed onto the cell
// first. Each call gives what it read, which holds the typed text, or what the row says.
TEST(GridEditorClose, ACallThatReadsCellsReadsWhatTheOpenEditorHolds) {
    using Read = std::function<std::string(TDataGrid&, const AnsiString& typed)>;
    const TestFolder folder;
    const auto saved = [&folder](const char* name, void (TDataGrid::*save)(const AnsiString&)) -> Read {
        return [&folder, name, save](TDataGrid& g, const AnsiString&) {
            const AnsiString path = folder.Path(name);
            (g.*save)(path);
            return FileBytes(path);
        };
    };
    const auto foundAt = [](bool found, int col, int row) {
        return found ? std::to_string(col) + "," + std::to_string(row) : std::string("none");
    };
    const struct {
        const char* name;
        Read read;
        std::function<std::string(const std::string& typed)> holds = [](const std::string& typed) {
            return typed;
        };
    } calls[] = {
        {"FindFirst",
         [&](TDataGrid& g, const AnsiString& typed) {
             const TPoint found = g.FindFirst(typed, fnMatchFull);
             return foundAt(found.x >= 0, found.x, found.y);
         },
         [](const std::string&) { return std::string("2,3"); }},
        {"IsCell",
         [&](TDataGrid& g, const AnsiString& typed) {
             int col = -1;
             int row = -1;
             const bool found = g.IsCell(typed, col, row);
             return foundAt(found, col, row);
         },
         [](const std::string&) { return std::string("2,3"); }},
        // 31 + 32 + 33 + 34 + 35 = 165, with the typed number in place of the 33.
        {"ColumnSum",
         [](TDataGrid& g, const AnsiString&) { return std::to_string(std::lround(g.ColumnSum(2, 1, 5))); },
         [](const std::string& typed) { return std::to_string(165 - 33 + std::stoi(typed)); }},
        {"SelectedText", [](TDataGrid& g, const AnsiString&) { return g.SelectedText().str(); }},
        {"CopyToClipBoard",
         [](TDataGrid& g, const AnsiString&) {
             g.CopyToClipBoard();
             return Clipboard().GetAsText().str();
         }},
        {"SaveToCSV", saved("cells.csv", &TDataGrid::SaveToCSV)},
        {"SaveToFile", saved("cells.cel", &TDataGrid::SaveToFile)},
        {"SaveToHTML", saved("cells.html", &TDataGrid::SaveToHTML)},
        {"SaveToASCII", saved("cells.txt", &TDataGrid::SaveToASCII)},
        {"SaveToXML",
         [&folder](TDataGrid& g, const AnsiString&) {
             const AnsiString path = folder.Path("cells.xml");
             g.SaveToXML(path, "list", "row", nullptr);
             return FileBytes(path);
         }},
        {"Print",
         [&folder](TDataGrid& g, const AnsiString&) {
             UseA4PdfPrinter();
             const AnsiString path = folder.Path("cells.pdf");
             Responder().AnswerFile(path.str());
             g.Print();
             std::string text;
             for (const std::string& page : PdfPageTexts(QString::fromStdString(path.str())))
                 text += page;
             return text;
         }},
    };
    for (const Editor& editor : editors)
        for (const auto& call : calls) {
            SCOPED_TRACE(std::string(editor.name) + ", " + call.name);
            NumberedCells window(editor.type, editor.alwaysShown);
            window.TypeInto();
            const std::string typed = editor.appends ? "3377" : "77";
            const std::string read = call.read(*window.grid, typed);
            EXPECT_NE(read.find(call.holds(typed)), std::string::npos) << read;
            // The text editor writes as the user types: it holds nothing its cell lacks.
            if (editor.type != edNormal) {
                EXPECT_FALSE(editor.open(*window.grid));
            }
        }
}

// 77 typed into the spin on display cell (2, 3) of a grid arranged otherwise, then a read of the
// cell where the spin writes it (real column, shown row; the block's base cell): it reads 77.
TEST(GridEditorClose, ACallReadsTheEditWhereverItsCellIsStored) {
    const struct {
        const char* name;
        Act setup;
        int col;
        int row;
    } grids[] = {
        {"a column hidden before it", [](TDataGrid& g) { g.HideColumn(0); }, 3, 3},
        {"in a block merged from above", [](TDataGrid& g) { g.MergeCells(2, 2, 1, 2); }, 2, 2},
        // Real rows 2-4 merged, row 2 hidden: the block shows from display row 2.
        {"in a block below its hidden base",
         [](TDataGrid& g) {
             g.MergeCells(2, 2, 1, 3);
             g.HideRow(2);
         },
         2, 2},
        {"with a row filtered out above it",
         [](TDataGrid& g) {
             AddFilter(g, 1, "!22");
             g.SetFilterActive(true);
         },
         2, 3},
    };
    for (const auto& arranged : grids) {
        SCOPED_TRACE(arranged.name);
        NumberedCells window(edSpinEdit);
        arranged.setup(*window.grid);
        window.TypeInto();
        EXPECT_EQ(window.grid->GetCellEx(arranged.col, arranged.row), "77");
        EXPECT_FALSE(window.grid->Editors().Spin->GetVisible());
    }
}

// 77 typed into the editor on (2, 3), then the grid's own handling reads that cell: the editor stays
// open for the user to go on with, and the cell takes what they leave in it.
TEST(GridEditorClose, TheGridsOwnReadsLeaveTheEditorOpen) {
    const auto blinkTick = [](NumberedCells& w) {
        // As the grid's timer delivers it.
        CallFromView(*w.grid, [&w] { w.grid->WMTimer(111); });
        w.Press(Qt::Key_Backspace);
    };
    const struct {
        const char* name;
        TEditorType type;
        std::function<void(NumberedCells&)> act;
        const char* left;
    } rows[] = {
        {"the blink tick over a spin", edSpinEdit, blinkTick, "7"},
        {"the blink tick over a combo", edComboEdit, blinkTick, "337"},
        // The window the ellipsis opens reads the cell as it shows.
        {"a window of the ellipsis", edEditBtn,
         [](NumberedCells& w) {
             w.grid->OnEllipsClick = [&w](TObject*, int, int, AnsiString& S) {
                 CallFromView(*w.edit, [&w] { w.grid->GetCells(2, 3); });
                 S = "picked";
             };
             QTest::mouseClick(w.grid->Editors().EditBtn->Button->View()->findChild<QToolButton*>(),
                               Qt::LeftButton);
         },
         "picked"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        NumberedCells window(row.type);
        window.TypeInto();
        row.act(window);
        window.Leave();
        EXPECT_EQ(window.grid->GetCells(2, 3), row.left);
    }
}

// 77 typed into the editor on (2, 3), then the program sets that cell: the editor takes the
// program's text in place of what was typed, and the cell keeps it as the user leaves.
TEST(GridEditorClose, ATextSetFromCodeInTheEditedCellReplacesWhatWasTyped) {
    for (const Editor& editor : editors) {
        SCOPED_TRACE(editor.name);
        NumberedCells window(editor.type, editor.alwaysShown);
        window.TypeInto();
        window.grid->SetCells(2, 3, "new");
        EXPECT_TRUE(editor.alwaysShown || editor.open(*window.grid));
        window.Leave();
        EXPECT_EQ(window.grid->GetCells(2, 3), "new");
    }
}

// With the editor always shown, (2, 3) current and, when asked, x typed over its 33: every way of
// moving on closes the editor onto (2, 3) first; the next cell keeps its own text and the editor
// opens there with it.
TEST(GridEditorClose, EveryMoveClosesTheAlwaysShownEditorOntoTheCellLeft) {
    const struct {
        const char* name;
        std::function<void(NumberedCells&)> move;
        int col;
        int row;
    } moves[] = {
        {"Right", [](NumberedCells& w) { w.Press(Qt::Key_Right); }, 3, 3},
        // From the caret at the text's start.
        {"Left",
         [](NumberedCells& w) {
             w.grid->GetInplaceEditor()->SetSelStart(0);
             w.Press(Qt::Key_Left);
         },
         1, 3},
        {"Tab", [](NumberedCells& w) { w.Press(Qt::Key_Tab); }, 3, 3},
        {"Shift+Tab", [](NumberedCells& w) { w.Press(Qt::Key_Backtab, Qt::ShiftModifier); }, 1, 3},
        {"Down", [](NumberedCells& w) { w.Press(Qt::Key_Down); }, 2, 4},
        {"Up", [](NumberedCells& w) { w.Press(Qt::Key_Up); }, 2, 2},
        {"Enter", [](NumberedCells& w) { w.Press(Qt::Key_Return); }, 3, 3},
        {"a click", [](NumberedCells& w) { w.Click(4, 4); }, 4, 4},
        {"the current cell set from code", [](NumberedCells& w) { w.grid->SetCol(4); }, 4, 3},
        {"a selection set from code", [](NumberedCells& w) { w.grid->SelectRange(3, 4, 2, 4); }, 4, 4},
        {"a text dropped",
         [](NumberedCells& w) {
             w.grid->DragDropSettings->SetOleDropTarget(true);
             DropText(*w.grid, "54", 4, 4);
         },
         4, 4},
    };
    for (const bool typed : {false, true})
        for (const auto& move : moves) {
            SCOPED_TRACE(std::string(move.name) + (typed ? ", x typed" : ""));
            NumberedCells window(edNormal);
            window.grid->SetOptions(window.grid->GetOptions() | goAlwaysShowEditor | goTabs);
            window.Show();
            window.Click(2, 3);
            QApplication::processEvents();
            if (typed)
                window.Type("x");
            move.move(window);
            QApplication::processEvents();
            EXPECT_EQ(window.grid->GetCells(2, 3), typed ? "x" : "33");
            const std::string next = std::to_string(10 * (move.col + 1) + move.row);
            EXPECT_EQ(window.grid->GetCells(move.col, move.row), next);
            EXPECT_EQ(window.grid->GetCol(), move.col);
            EXPECT_EQ(window.grid->GetRow(), move.row);
            EXPECT_EQ(window.EditorText(), next);
        }
}

// (2, 3) current, with 77 typed over its 33 and the editor closed or without an edit, then a
// write from code, then Escape on the grid: Escape takes back only the user's own edit, never a
// text the program wrote into the cell.
TEST(GridEditorClose, EscapeTakesBackNoTextWrittenFromCode) {
    const struct {
        const char* name;
        bool edited;
        std::function<void(TDataGrid&)> write;
        const char* text;
    } rows[] = {
        {"no write", true, [](TDataGrid&) {}, "33"},
        {"SetCells of the cell", false, [](TDataGrid& g) { g.SetCells(2, 3, "new"); }, "new"},
        {"SetCells of the cell after the edit", true, [](TDataGrid& g) { g.SetCells(2, 3, "new"); }, "new"},
        {"SetCells of another cell", true, [](TDataGrid& g) { g.SetCells(1, 3, "new"); }, "33"},
        {"SetCurrentCell", false, [](TDataGrid& g) { g.SetCurrentCell("new"); }, "new"},
        {"SetRowCells", false,
         [](TDataGrid& g) {
             std::vector<AnsiString> texts{"a", "b", "new"};
             g.SetRowCells(3, std::move(texts));
         },
         "new"},
        {"ClearRows", true, [](TDataGrid& g) { g.ClearRows(3, 1); }, ""},
        {"CopyCols onto its column", false, [](TDataGrid& g) { g.CopyCols(2, 1); }, "23"},
        {"ClearNormalCells", false, [](TDataGrid& g) { g.ClearNormalCells(); }, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        NumberedCells window(edNormal);
        window.grid->Navigation->AdvanceOnEnter = false;
        window.Show();
        window.Click(2, 3);
        if (row.edited) {
            window.Press(Qt::Key_F2);
            window.Type("77");
            window.Press(Qt::Key_Return);
        }
        row.write(*window.grid);
        window.Press(Qt::Key_Escape);
        EXPECT_EQ(window.grid->GetCells(2, 3), row.text);
    }
}

} // namespace

namespace {

// 77 typed over the 33 of (2, 3) and refused by OnCellValidate as a call closes the editor; the
// call then moves the cell before the user is sent back: the user goes back into the refused cell where it
// now stands, its 33 put back and the editor open on it.
TEST(GridEditorClose, ARefusedValueSendsTheUserBackIntoItsCellWhereverTheCallMovedIt) {
    const struct {
        const char* name;
        Act act;
        int col;
        int row;
    } calls[] = {
        {"InsertRows above", [](TDataGrid& g) { g.InsertRows(1, 1); }, 2, 4},
        {"SwapRows", [](TDataGrid& g) { g.SwapRows(3, 5); }, 2, 5},
        {"MoveRow", [](TDataGrid& g) { g.MoveRow(3, 5); }, 2, 5},
        {"InsertCols before", [](TDataGrid& g) { g.InsertCols(1, 1); }, 3, 3},
        {"HideColumn before", [](TDataGrid& g) { g.HideColumn(1); }, 1, 3},
        {"SwapColumns", [](TDataGrid& g) { g.SwapColumns(2, 4); }, 4, 3},
    };
    for (const auto& call : calls) {
        SCOPED_TRACE(call.name);
        NumberedCells window(edNormal);
        window.grid->OnCellValidate = [](TObject*, int, int, AnsiString& Value, bool& Valid) {
            Valid = Value != "77";
        };
        window.TypeInto();
        call.act(*window.grid);
        QApplication::processEvents();
        EXPECT_EQ(window.grid->GetCol(), call.col);
        EXPECT_EQ(window.grid->GetRow(), call.row);
        EXPECT_EQ(window.grid->GetCells(window.grid->RemapCol(call.col), call.row), "33");
        EXPECT_TRUE(window.grid->GetEditorMode());
    }
}

} // namespace
