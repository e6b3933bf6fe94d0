#include "framework/Clipboard.h"
#include "tests/grid/SpecialCell.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/DateSettings.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace {

TEST(GridSpecialEditors, EachTypeOpensItsEditorOverTheCellFilledFromIt) {
    struct Row {
        const char* label;
        TEditorType type;
        const char* text;
        std::function<TWinControl&(TGridEditors&)> editor;
        // The editor's rectangle from the cell's: (dx, dy, dw, dh) added to (left, top, w, h),
        // w and h one pixel short of the cell's width and height.
        int dx, dy, dw, dh;
        std::function<std::string(TGridEditors&)> filling;
        const char* expected;
    } rows[] = {
        {"spin", edSpinEdit, "42", [](TGridEditors& e) -> TWinControl& { return *e.Spin; }, 0, 0, 0, 0,
         [](TGridEditors& e) { return e.Spin->GetWindowText().str(); }, "42"},
        {"spin on a text that is no number keeps the text", edSpinEdit, "n/a",
         [](TGridEditors& e) -> TWinControl& { return *e.Spin; }, 0, 0, 0, 0,
         [](TGridEditors& e) { return e.Spin->GetWindowText().str(); }, "n/a"},
        {"edit with button", edEditBtn, "abc", [](TGridEditors& e) -> TWinControl& { return *e.EditBtn; }, 0,
         0, 0, 0, [](TGridEditors& e) { return e.EditBtn->GetWindowText().str(); }, "abc"},
        {"unit", edUnitEditBtn, "12.5 kg", [](TGridEditors& e) -> TWinControl& { return *e.UnitEditBtn; }, 0,
         0, 0, 0,
         [](TGridEditors& e) {
             return e.UnitEditBtn->GetWindowText().str() + "|" + e.UnitEditBtn->GetUnitID().str();
         },
         "12.5| kg"},
        {"check box", edCheckBox, "Yes", [](TGridEditors& e) -> TWinControl& { return *e.CheckBox; }, 0, 0, 0,
         0,
         [](TGridEditors& e) {
             return e.CheckBox->GetCaption().str() + (e.CheckBox->GetChecked() ? "|on" : "|off");
         },
         "Yes|off"},
        {"button, one pixel beyond the cell all round", edButton, "Go",
         [](TGridEditors& e) -> TWinControl& { return *e.Button; }, -1, -1, 2, 2,
         [](TGridEditors& e) { return e.Button->GetCaption().str(); }, "Go"},
        {"date picker", edDateEdit, "3/14/2024",
         [](TGridEditors& e) -> TWinControl& { return *e.DatePicker; }, 0, 0, 0, 0,
         [](TGridEditors& e) { return DateToStr(e.DatePicker->GetDate()).str(); }, "3/14/2024"},
        {"time picker", edTimeEdit, "13:45:10", [](TGridEditors& e) -> TWinControl& { return *e.DatePicker; },
         0, 0, 0, 0, [](TGridEditors& e) { return TimeToStr(e.DatePicker->GetTime()).str(); }, "13:45:10"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        SpecialCell window(row.type, row.text);
        window.Open();
        TWinControl& editor = row.editor(window.Editors());
        const TRect cell = window.grid->CellRect(1, 1);
        EXPECT_TRUE(editor.GetVisible());
        EXPECT_TRUE(editor.GetEnabled());
        EXPECT_TRUE(window.HasFocus(editor));
        EXPECT_EQ(editor.Left(), cell.Left + row.dx);
        EXPECT_EQ(editor.Top(), cell.Top + row.dy);
        EXPECT_EQ(editor.Width(), cell.Width() - 1 + row.dw);
        EXPECT_EQ(editor.Height(), cell.Height() - 1 + row.dh);
        EXPECT_EQ(row.filling(window.Editors()), row.expected);
        EXPECT_FALSE(window.grid->GetEditorMode());
    }
}

TEST(GridSpecialEditors, ComboOpensTallEnoughForItsListWithTheCellsItem) {
    struct Row {
        const char* label;
        TEditorType type;
        const char* text;
        int selection;
        int index;
        const char* shown;
    } rows[] = {
        {"list: the cell's item", edComboList, "B", -1, 1, "B"},
        {"list: a text of no item shows the first", edComboList, "Z", -1, 0, "A"},
        {"list: or the combo selection", edComboList, "Z", 2, 2, "C"},
        {"editable: the text as it stands", edComboEdit, "Z", -1, -1, "Z"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        SpecialCell window(row.type, row.text);
        for (const char* item : {"A", "B", "C"})
            window.grid->AddComboString(item);
        if (row.selection >= 0) {
            EXPECT_TRUE(window.grid->SetComboSelectionString("C"));
        }
        window.Open();
        TGridCombo& combo = *window.Editors().Combo;
        const TRect cell = window.grid->CellRect(1, 1);
        const int h = cell.Height() - 1;
        EXPECT_EQ(combo.BoundsRect(), Rect(cell.Left, cell.Top, cell.Left + cell.Width() - 1,
                                           cell.Top + combo.ItemHeight * (combo.DropDownCount + 1) + h));
        EXPECT_EQ(combo.View()->height(), h);
        EXPECT_EQ(combo.GetItemIndex(), row.index);
        EXPECT_EQ(combo.GetText(), row.shown);
        EXPECT_TRUE(window.HasFocus(combo));
    }
}

TEST(GridSpecialEditors, TypingOnASpinCellOpensTheSpinWithTheKey) {
    SpecialCell window(edSpinEdit, "42");
    window.Show();
    window.Select(1, 1);
    window.Type("5");
    QApplication::processEvents();
    EXPECT_TRUE(window.HasFocus(*window.Editors().Spin));
    EXPECT_EQ(window.Editors().Spin->GetWindowText(), "5");
    window.Press(Qt::Key_Return);
    EXPECT_EQ(window.grid->GetCells(1, 1), "5");
    EXPECT_FALSE(window.Editors().Spin->GetVisible());
}

TEST(GridSpecialEditors, SpinKeysStepWithinTheLimitsAndCommitOnlyValidatedText) {
    struct Row {
        const char* label;
        const char* text;
        Qt::Key key;
        const char* shown;
        int value;
        bool up;
    } rows[] = {
        {"PgUp at the maximum stays", "100", Qt::Key_PageUp, "100", 100, true},
        {"PgDn at the minimum stays", "0", Qt::Key_PageDown, "0", 0, false},
        {"PgUp steps", "41", Qt::Key_PageUp, "42", 42, true},
        {"End goes to the minimum", "55", Qt::Key_End, "0", 0, false},
        {"Home goes to the maximum", "55", Qt::Key_Home, "100", 100, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        SpecialCell window(edSpinEdit, row.text);
        std::vector<std::pair<int, bool>> clicks;
        window.grid->OnSpinClick = [&](TObject*, int ACol, int ARow, int AValue, bool UpDown) {
            EXPECT_EQ(ACol, 1);
            EXPECT_EQ(ARow, 1);
            clicks.emplace_back(AValue, UpDown);
        };
        window.Open();
        window.Press(row.key);
        EXPECT_EQ(window.Editors().Spin->GetWindowText(), row.shown);
        ASSERT_EQ(clicks.size(), 1u);
        EXPECT_EQ(clicks[0], std::make_pair(row.value, row.up));
        EXPECT_TRUE(window.HasFocus(*window.Editors().Spin));
    }

    SpecialCell window(edSpinEdit, "10");
    bool accept = false;
    window.grid->OnCellValidate = [&](TObject*, int, int, AnsiString&, bool& Valid) { Valid = accept; };
    window.Open();
    window.Type("7");
    window.Press(Qt::Key_Up);
    // Refused: the cell keeps its text, shown again, and the spin stays.
    EXPECT_EQ(window.grid->GetCells(1, 1), "10");
    EXPECT_EQ(window.Editors().Spin->GetWindowText(), "10");
    EXPECT_TRUE(window.HasFocus(*window.Editors().Spin));
    EXPECT_EQ(window.grid->GetRow(), 1);
    accept = true;
    window.Type("7");
    window.Press(Qt::Key_Down);
    // The caret was left at the end of the text shown again.
    EXPECT_EQ(window.grid->GetCells(1, 1), "107");
    EXPECT_FALSE(window.Editors().Spin->GetVisible());
    EXPECT_EQ(window.grid->GetRow(), 2);

    // Typed beyond the maximum, the value comes back to it as the spin is left.
    SpecialCell typed(edSpinEdit, "10");
    typed.Open();
    typed.Type("150");
    typed.edit->SetFocus();
    EXPECT_EQ(typed.grid->GetCells(1, 1), "100");
}

// A spin closed over a text that is no value of its type never gives its cell the least value:
// Enter stores the text as typed, for the grid's validation to judge; otherwise a whole number or
// a time is written as typed, and a float or a date that does not read leaves its cell as it was.
// A sign goes only first, so "12-" is refused whole.
TEST(GridSpecialEditors, ASpinClosedOverNoValueNeverGivesItsCellTheLeastValue) {
    const DateSettings dates("dd/mm/yyyy", '/');
    const struct {
        const char* label;
        TEditorType type;
        const char* cell;
    } types[] = {
        {"whole number", edSpinEdit, "12"},
        {"float", edFloatSpinEdit, "12"},
        {"date", edDateSpinEdit, "12/01/2024"},
        {"time", edTimeSpinEdit, "10:30:00"},
    };
    const struct {
        const char* label;
        const char* text;
        bool pasted;
        // What each type's spin shows then, over its whole text selected: a refused character
        // leaves it as it was.
        const char* shown[4];
        // The cell of each type once the spin is closed by other ways than Enter.
        const char* closed[4];
    } entries[] = {
        {"typed", "-", false, {"-", "-", "12/01/2024", "10:30:00"}, {"-", "12", "12/01/2024", "10:30:00"}},
        {"pasted", "-", true, {"-", "-", "12/01/2024", "10:30:00"}, {"-", "12", "12/01/2024", "10:30:00"}},
        {"pasted after figures",
         "12-",
         true,
         {"12", "12", "12/01/2024", "10:30:00"},
         {"12", "12", "12/01/2024", "10:30:00"}},
        {"a date half typed", "12/", false, {"12", "12", "12/", "12"}, {"12", "12", "12/01/2024", "12"}},
        {"a time half typed", "1:", false, {"1", "1", "1", "1:"}, {"1", "1", "12/01/2024", "1:"}},
    };
    const struct {
        const char* label;
        std::function<void(SpecialCell&)> close;
        // The row the edited cell is in afterwards.
        int row;
    } ways[] = {
        {"Enter", [](SpecialCell& w) { w.Press(Qt::Key_Return); }, 1},
        {"Tab", [](SpecialCell& w) { w.Press(Qt::Key_Tab); }, 1},
        {"a click on another cell", [](SpecialCell& w) { w.Click(2, 2); }, 1},
        {"a call that moves cells", [](SpecialCell& w) { w.grid->InsertRows(1, 1); }, 2},
    };
    for (std::size_t t = 0; t < std::size(types); ++t)
        for (const auto& entry : entries)
            for (const auto& way : ways) {
                const auto& type = types[t];
                SCOPED_TRACE(std::string(type.label) + ", " + entry.label + " '" + entry.text + "', " +
                             way.label);
                SpecialCell window(type.type, type.cell);
                window.grid->SetOptions(window.grid->GetOptions() | goTabs);
                window.Open();
                TGridSpin& spin = *window.Editors().Spin;
                spin.SelectAll();
                if (entry.pasted) {
                    Clipboard().SetAsText(entry.text);
                    window.Press(Qt::Key_V, Qt::ControlModifier);
                } else {
                    window.Type(entry.text);
                }
                ASSERT_EQ(spin.GetWindowText(), entry.shown[t]);
                way.close(window);
                QApplication::processEvents();
                EXPECT_FALSE(spin.GetVisible());
                const bool enter = std::string(way.label) == "Enter";
                EXPECT_EQ(window.grid->GetCells(1, way.row), enter ? entry.shown[t] : entry.closed[t]);
            }
}

} // namespace
