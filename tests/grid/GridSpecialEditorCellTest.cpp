#include "tests/grid/SpecialCell.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/DateSettings.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

// Row r's texts from column 0 on, value being r2's value.
std::vector<std::string> MadeTexts(int r, const std::string& value) {
    const std::string n = std::to_string(r);
    return {"r" + n, r == 2 ? value : "v" + n, std::string(1, static_cast<char>('e' - r)), "x" + n, "y" + n};
}

// A window of four named rows r1 to r4 whose column 1 is edited with a special editor: column 0
// the row's name, column 1 its value ("vN", or the text given for r2), column 2 a sort key that
// reverses the rows, columns 3 and 4 plain texts; column 3 may not be edited. The combo offers
// A, B and C.
struct NamedRows : EditingWindow {
    NamedRows(TEditorType type, const char* value) {
        for (int r = 1; r <= 4; ++r) {
            const std::vector<std::string> texts = MadeTexts(r, value);
            for (int c = 0; c < 5; ++c)
                grid->SetCells(c, r, AnsiString(texts[static_cast<std::size_t>(c)]));
        }
        for (const char* item : {"A", "B", "C"})
            grid->AddComboString(item);
        grid->SortSettings->Column = 2;
        grid->OnGetEditorType = [type](TObject*, int ACol, int, TEditorType& AEditor) {
            if (ACol == 1)
                AEditor = type;
        };
        grid->OnCanEditCell = [](TObject*, int, int ACol, bool& CanEdit) { CanEdit = ACol != 3; };
    }
    // F2 on r2's value.
    void Open() {
        Show();
        Select(1, 2);
        Press(Qt::Key_F2);
        QApplication::processEvents();
    }
    // The user goes elsewhere.
    void Leave() {
        edit->SetFocus();
        QApplication::processEvents();
    }
    // Every row's texts by its name, read with its hidden rows and columns shown again.
    std::map<std::string, std::string> Rows() const {
        grid->UnHideRowsAll();
        grid->UnHideColumnsAll();
        std::map<std::string, std::string> rows;
        for (int r = 1; r < grid->GetRowCount(); ++r) {
            std::string texts;
            for (int c = 1; c < grid->GetColCount(); ++c)
                texts += (c > 1 ? "|" : "") + grid->GetCells(c, r).str();
            if (!grid->GetCells(0, r).IsEmpty())
                rows[grid->GetCells(0, r).str()] = texts;
        }
        return rows;
    }
    // Every cell as it shows now.
    std::vector<std::string> Cells() const {
        std::vector<std::string> texts;
        for (int r = 0; r < grid->GetRowCount(); ++r)
            for (int c = 0; c < grid->GetColCount(); ++c)
                texts.push_back(grid->GetCells(c, r).str());
        return texts;
    }
};

// The rows as they were made, as NamedRows::Rows reads them, r2's value being the text given;
// with columns 1 and 3 swapped when asked.
std::map<std::string, std::string> MadeRows(const std::string& value, bool swapped = false) {
    std::map<std::string, std::string> rows;
    for (int r = 1; r <= 4; ++r) {
        std::vector<std::string> texts = MadeTexts(r, value);
        if (swapped)
            std::swap(texts[1], texts[3]);
        rows[texts[0]] = texts[1] + "|" + texts[2] + "|" + texts[3] + "|" + texts[4];
    }
    return rows;
}

// The special editors as a user meets them: a cell text the editor shows as it stands, the
// user's keys and the text they leave; and a text the editor shows otherwise (clamped to the
// spin's limits, no date, no item of the list), which it must not write back untouched.
// A click on the up button of the grid's spin.
void SpinUp(NamedRows& w) {
    QTest::mouseClick(w.grid->Editors().Spin->Button->UpButton()->View(), Qt::LeftButton, {}, QPoint(3, 3));
}

struct Kind {
    const char* name;
    TEditorType type;
    const char* text;
    std::function<void(NamedRows&)> change;
    const char* changed;
    const char* odd;
};

const std::vector<Kind>& Kinds() {
    static const std::vector<Kind> kinds{
        {"spin", edSpinEdit, "1", [](NamedRows& w) { w.Type("42"); }, "42", "150"},
        {"float spin", edFloatSpinEdit, "2.5", [](NamedRows& w) { w.Type("7.25"); }, "7.25", "1e300"},
        {"time spin", edTimeSpinEdit, "13:45:10", SpinUp, "14:45:10", "later"},
        {"date spin", edDateSpinEdit, "3/14/2024", SpinUp, "4/14/2024", "n/a"},
        {"edit with button", edEditBtn, "ab", [](NamedRows& w) { w.Type("cd"); }, "cd", "ab"},
        {"combo", edComboEdit, "x", [](NamedRows& w) { w.Type("y"); }, "xy", "x"},
        {"combo on an item in other letters", edComboEdit, "x", [](NamedRows& w) { w.Type("y"); }, "xy", "b"},
        {"list combo", edComboList, "A", [](NamedRows& w) { w.Press(Qt::Key_Down); }, "B", "Z"},
        {"date", edDateEdit, "3/14/2024", [](NamedRows& w) { w.Press(Qt::Key_Up); }, "4/14/2024", "n/a"},
        {"time", edTimeEdit, "13:45:10", [](NamedRows& w) { w.Press(Qt::Key_Up); }, "14:45:10", "later"},
    };
    return kinds;
}

// What the program does to the grid while the editor is open. After most changes the edited cell
// stands on with its row: a typed value goes with it, and every row keeps its own texts. A change
// that removes the cell or fills it anew (Refills) leaves it as it left it.
struct Change {
    const char* name;
    std::function<void(NamedRows&)> act;
    bool refills = false;
    const char* gone = "";
};

const std::vector<Change>& Changes() {
    static const std::vector<Change> changes{
        {"nothing", [](NamedRows&) {}},
        {"SwapRows", [](NamedRows& w) { w.grid->SwapRows(2, 4); }},
        {"QSort", [](NamedRows& w) { w.grid->QSort(); }},
        {"SortByColumn", [](NamedRows& w) { w.grid->SortByColumn(2); }},
        {"a row removed above", [](NamedRows& w) { w.grid->RemoveRows(1, 1); }, false, "r1"},
        {"a row inserted above", [](NamedRows& w) { w.grid->InsertRows(1, 1); }},
        {"its row hidden", [](NamedRows& w) { w.grid->HideRow(2); }},
        {"the first column hidden", [](NamedRows& w) { w.grid->HideColumn(0); }},
        {"a move onto a cell that may not be edited", [](NamedRows& w) { w.grid->SetCol(3); }},
        {"a move onto a row below", [](NamedRows& w) { w.grid->SetRow(3); }},
        {"its row removed", [](NamedRows& w) { w.grid->RemoveRows(2, 1); }, true},
        {"its column removed", [](NamedRows& w) { w.grid->RemoveCols(1, 1); }, true},
        {"Clear", [](NamedRows& w) { w.grid->Clear(); }, true},
        {"ClearNormalCells", [](NamedRows& w) { w.grid->ClearNormalCells(); }, true},
        {"SetRowCount(2)", [](NamedRows& w) { w.grid->SetRowCount(2); }, true},
        {"the rows removed and inserted again",
         [](NamedRows& w) {
             w.grid->RemoveRows(1, 4);
             w.grid->InsertRows(1, 4);
         },
         true},
        {"its cell set", [](NamedRows& w) { w.grid->SetCells(1, 2, "new"); }, true},
    };
    return changes;
}

// A value typed into r2's cell, or none, then the grid changed from code, then the user leaves:
// the rows keep their texts, r2 with what was typed into it, or the cells stay as the change
// left them.
TEST(GridSpecialEditorCell, AnEditorWritesOnlyWhatWasTypedIntoItsOwnCell) {
    for (const Kind& kind : Kinds())
        for (const bool typed : {true, false})
            for (const Change& change : Changes()) {
                SCOPED_TRACE(std::string(kind.name) + (typed ? ", typed, " : ", untouched, ") + change.name);
                NamedRows window(kind.type, typed ? kind.text : kind.odd);
                window.Open();
                if (typed)
                    kind.change(window);
                change.act(window);
                const std::vector<std::string> changed = window.Cells();
                window.Leave();
                if (change.refills) {
                    EXPECT_EQ(window.Cells(), changed);
                    continue;
                }
                std::map<std::string, std::string> rows = MadeRows(typed ? kind.changed : kind.odd);
                rows.erase(change.gone);
                EXPECT_EQ(window.Rows(), rows);
            }
}

// 77 typed into r2's cell, then the rows or columns reordered, then Escape on the grid: Escape
// puts r2's text back only where r2's cell is current, and no other row takes it.
TEST(GridSpecialEditorCell, EscapeAfterAReorderPutsBackOnlyTheEditedCellsText) {
    struct Reorder {
        const char* name;
        std::function<void(NamedRows&)> act;
        // Whether r2's cell is current again, its text put back, and columns 1 and 3 swapped.
        bool restored;
        bool swapped;
    } reorders[] = {
        {"SwapRows", [](NamedRows& w) { w.grid->SwapRows(2, 4); }, false, false},
        {"QSort", [](NamedRows& w) { w.grid->QSort(); }, false, false},
        {"QSort with the current row following its data",
         [](NamedRows& w) {
             w.grid->Navigation->MoveRowOnSort = true;
             w.grid->QSort();
         },
         false, false},
        {"SortByColumn", [](NamedRows& w) { w.grid->SortByColumn(2); }, false, false},
        {"SwapColumns", [](NamedRows& w) { w.grid->SwapColumns(1, 3); }, false, true},
        {"SwapRows there and back",
         [](NamedRows& w) {
             w.grid->SwapRows(2, 4);
             w.grid->SwapRows(4, 2);
         },
         true, false},
        {"two clicks on the sorting header",
         [](NamedRows& w) {
             w.grid->SortSettings->Show = true;
             w.Click(2, 0);
             w.Click(2, 0);
         },
         false, false},
    };
    for (const TEditorType type : {edNormal, edSpinEdit})
        for (const Reorder& reorder : reorders) {
            SCOPED_TRACE(std::string(type == edNormal ? "text editor, " : "spin, ") + reorder.name);
            NamedRows window(type, "12");
            window.Open();
            window.Type("77");
            reorder.act(window);
            window.grid->SetFocus();
            window.Press(Qt::Key_Escape);
            EXPECT_EQ(window.Rows(), MadeRows(reorder.restored ? "12" : "77", reorder.swapped));
        }
}

// Each editor opened on a text it shows otherwise (clamped, today, the first item) and left
// untouched, however the user leaves it: the cell keeps its text and nothing is validated.
TEST(GridSpecialEditorCell, AnUntouchedEditorWritesNothing) {
    struct Leave {
        const char* name;
        std::function<void(NamedRows&)> act;
    } leaves[] = {
        {"the focus taken elsewhere", [](NamedRows& w) { w.Leave(); }},
        {"a click on another cell", [](NamedRows& w) { w.Click(4, 4); }},
        {"Enter", [](NamedRows& w) { w.Press(Qt::Key_Return); }},
        {"Escape", [](NamedRows& w) { w.Press(Qt::Key_Escape); }},
    };
    for (const Kind& kind : Kinds())
        for (const Leave& leave : leaves) {
            SCOPED_TRACE(std::string(kind.name) + ", " + leave.name);
            NamedRows window(kind.type, kind.odd);
            window.grid->OnCellValidate = [&](TObject*, int, int, AnsiString& Value, bool&) {
                window.log.push_back(Value.str());
            };
            window.Open();
            leave.act(window);
            EXPECT_EQ(window.Rows(), MadeRows(kind.odd));
            EXPECT_EQ(window.log, std::vector<std::string>{});
        }
}

} // namespace

namespace {

// 42 typed into r2's value with the spin, then its row or column moved from code, then the user
// moves on and the validation refuses the value: it hears of r2's cell where the cell now stands,
// and r2 gets its text back there; no other row changes.
TEST(GridSpecialEditorCell, AnEditIsValidatedInItsCellWhereverItMoved) {
    struct Move {
        const char* name;
        std::function<void(NamedRows&)> act;
        const char* validated;
        std::map<std::string, std::string> rows;
    } moves[] = {
        {"SwapRows", [](NamedRows& w) { w.grid->SwapRows(2, 4); }, "1,4 42", MadeRows("1")},
        {"MoveRow", [](NamedRows& w) { w.grid->MoveRow(2, 4); }, "1,4 42", MadeRows("1")},
        {"QSort", [](NamedRows& w) { w.grid->QSort(); }, "1,3 42", MadeRows("1")},
        {"SwapColumns", [](NamedRows& w) { w.grid->SwapColumns(1, 3); }, "3,2 42", MadeRows("1", true)},
        // "42" sorts first and goes alone to r1's row, the other values moving down after it.
        {"QSort of the value column alone",
         [](NamedRows& w) {
             w.grid->SortSettings->SingleColumn = true;
             w.grid->SortSettings->Column = 1;
             w.grid->QSort();
         },
         "1,1 42",
         {{"r1", "1|d|x1|y1"}, {"r2", "v1|c|x2|y2"}, {"r3", "v3|b|x3|y3"}, {"r4", "v4|a|x4|y4"}}},
    };
    for (const Move& move : moves) {
        SCOPED_TRACE(move.name);
        NamedRows window(edSpinEdit, "1");
        window.grid->OnCellValidate = [&](TObject*, int Col, int Row, AnsiString& Value, bool& Valid) {
            window.log.push_back(std::to_string(Col) + "," + std::to_string(Row) + " " + Value.str());
            Valid = false;
        };
        window.Open();
        window.Type("42");
        move.act(window);
        window.Click(4, 1);
        EXPECT_EQ(window.log, std::vector<std::string>{move.validated});
        EXPECT_EQ(window.Rows(), move.rows);
    }
}

} // namespace

namespace {

// r2's date stepped up by a month, with the spin's up button (caret on the first part, the month
// in both formats) or the picker's Up key, then the user leaves, by Enter, Escape or the focus:
// the editor opened on the cell's date and the cell takes the new one in the short date format,
// the program's own "mmmm d, yyyy" included; Escape leaves the cell's date.
TEST(GridSpecialEditorCell, ASteppedDateIsWrittenInTheShortDateFormat) {
    const struct {
        const char* name;
        const char* format;
        TEditorType type;
        const char* text;
        // The key that ends the edit, if any, before the focus leaves.
        Qt::Key key;
        const char* written;
    } rows[] = {
        {"spin, numbers", "m/d/yyyy", edDateSpinEdit, "3/14/2024", Qt::Key_unknown, "4/14/2024"},
        {"spin, month name", "mmmm d, yyyy", edDateSpinEdit, "March 14, 2024", Qt::Key_unknown,
         "April 14, 2024"},
        {"spin, month name, Enter", "mmmm d, yyyy", edDateSpinEdit, "March 14, 2024", Qt::Key_Return,
         "April 14, 2024"},
        {"spin, month name, Escape", "mmmm d, yyyy", edDateSpinEdit, "March 14, 2024", Qt::Key_Escape,
         "March 14, 2024"},
        {"picker, month name", "mmmm d, yyyy", edDateEdit, "March 14, 2024", Qt::Key_unknown,
         "April 14, 2024"},
        {"up-down picker, month name, Enter", "mmmm d, yyyy", edDateEditUpDown, "March 14, 2024",
         Qt::Key_Return, "April 14, 2024"},
        {"picker, numbers, Escape", "m/d/yyyy", edDateEdit, "3/14/2024", Qt::Key_Escape, "3/14/2024"},
        {"picker, month name, Escape", "mmmm d, yyyy", edDateEdit, "March 14, 2024", Qt::Key_Escape,
         "March 14, 2024"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const DateSettings settings(row.format, '/');
        NamedRows window(row.type, row.text);
        window.Open();
        if (row.type == edDateSpinEdit)
            SpinUp(window);
        else
            window.Press(Qt::Key_Up);
        if (row.key != Qt::Key_unknown)
            window.Press(row.key);
        window.Leave();
        EXPECT_EQ(window.Rows(), MadeRows(row.written));
    }
}

} // namespace

namespace {

// 42 typed into r2's value, then a notch of the wheel with Ctrl over the grid zooms it three
// pixels a size: a special editor, which would stay at the cell's old place and size, closes
// onto its cell with what was typed, as it does when the grid scrolls; the text editor moves
// and grows with its cell.
TEST(GridSpecialEditorCell, ZoomingClosesASpecialEditorOntoItsCell) {
    const struct {
        const char* name;
        TEditorType type;
        std::function<TWinControl*(NamedRows&)> editor;
        // The combo adds what is typed to the cell's text.
        const char* typed = "42";
    } rows[] = {
        {"text editor", edNormal, [](NamedRows& w) -> TWinControl* { return w.grid->GetInplaceEditor(); }},
        {"spin", edSpinEdit, [](NamedRows& w) -> TWinControl* { return w.grid->Editors().Spin; }},
        {"edit with button", edEditBtn,
         [](NamedRows& w) -> TWinControl* { return w.grid->Editors().EditBtn; }},
        {"combo", edComboEdit, [](NamedRows& w) -> TWinControl* { return w.grid->Editors().Combo; }, "142"},
    };
    const int lines = QApplication::wheelScrollLines();
    QApplication::setWheelScrollLines(3);
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        NamedRows window(row.type, "1");
        window.Open();
        window.Type("42");
        static_cast<TControl&>(*window.grid).ViewMouseWheel(TShiftState{ssCtrl}, -120, 300, 150);
        QApplication::processEvents();
        // 64 + 3 pixels wide, 21 + 3 high, one pixel short of the cell for the editor.
        EXPECT_EQ(window.grid->GetColWidths(1), 67);
        const TWinControl& editor = *row.editor(window);
        if (row.type == edNormal) {
            const TRect cell = window.grid->CellRect(1, 2);
            EXPECT_EQ(editor.BoundsRect(), Rect(cell.Left, cell.Top, cell.Right - 1, cell.Bottom - 1));
        } else {
            EXPECT_FALSE(editor.GetVisible());
            EXPECT_EQ(window.grid->GetCells(1, 2), row.typed);
        }
        window.Leave();
        EXPECT_EQ(window.Rows(), MadeRows(row.typed));
    }
    QApplication::setWheelScrollLines(lines);
}

} // namespace

namespace {

// Column 0 hidden, 42 typed into r2's value (shown first), then r2's hidden name set from code:
// the editor keeps what was typed, which its cell takes as the user leaves; the name is set.
TEST(GridSpecialEditorCell, AHiddenCellOfItsRowSetFromCodeLeavesTheEditorAsItIs) {
    const struct {
        const char* name;
        TEditorType type;
        const char* typed;
    } rows[] = {
        {"text editor", edNormal, "42"},
        {"spin", edSpinEdit, "42"},
        {"edit with button", edEditBtn, "42"},
        {"combo", edComboEdit, "142"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        NamedRows window(row.type, "1");
        window.grid->HideColumn(0);
        window.Show();
        window.Select(0, 2);
        window.Press(Qt::Key_F2);
        window.Type("42");
        window.grid->SetCells(0, 2, "named");
        window.Leave();
        std::map<std::string, std::string> expected = MadeRows(row.typed);
        expected.erase("r2");
        expected["named"] = std::string(row.typed) + "|c|x2|y2";
        EXPECT_EQ(window.Rows(), expected);
    }
}

} // namespace

namespace {

// r2's and r3's values and sort keys merged into one block of 2 x 2 cells, a click on one of its
// cells, F2, 5 typed and the user leaves: the editor opened at once over the block, and the
// block's text is 5.
TEST(GridSpecialEditorCell, F2OpensTheEditorOfAMergedBlockWhereverItWasClicked) {
    for (const TEditorType type : {edNormal, edSpinEdit})
        for (const TGridCoord clicked : {TGridCoord{1, 2}, TGridCoord{2, 3}}) {
            SCOPED_TRACE(std::string(type == edNormal ? "text editor" : "spin") + " on " +
                         std::to_string(clicked.X) + "," + std::to_string(clicked.Y));
            NamedRows window(type, "1");
            window.grid->OnGetEditorType = [type](TObject*, int, int, TEditorType& AEditor) {
                AEditor = type;
            };
            window.grid->MergeCells(1, 2, 2, 2);
            window.Show();
            window.Click(clicked.X, clicked.Y);
            window.Press(Qt::Key_F2);
            QApplication::processEvents();
            EXPECT_NE(QApplication::focusWidget(), window.grid->View());
            window.Type("5");
            window.Leave();
            EXPECT_EQ(window.grid->GetCells(1, 2), "5");
            EXPECT_EQ(window.grid->GetCells(2, 3), "5");
        }
}

} // namespace
