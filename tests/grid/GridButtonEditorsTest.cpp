#include "framework/Clipboard.h"
#include "framework/MessageBeep.h"
#include "grid/Dgspin.h"
#include "tests/grid/SpecialCell.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/ScriptedResponder.h"

#include <QFontMetrics>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

QWidget* ButtonOf(TDgEditBtn& edit) {
    return edit.Button->View()->findChild<QToolButton*>();
}

TEST(GridButtonEditors, TheButtonAndF4PutTheEllipsisTextInAllSelected) {
    SpecialCell window(edEditBtn, "old");
    std::vector<std::string> asked;
    window.grid->OnEllipsClick = [&](TObject*, int ACol, int ARow, AnsiString& S) {
        asked.push_back(std::to_string(ACol) + "," + std::to_string(ARow) + " " + S.str());
        S = "picked" + std::to_string(asked.size());
    };
    window.Open();
    TGridEditBtn& edit = *window.Editors().EditBtn;
    QTest::mouseClick(ButtonOf(edit), Qt::LeftButton);
    EXPECT_EQ(edit.GetWindowText(), "picked1");
    EXPECT_EQ(edit.GetSelText(), "picked1");
    EXPECT_TRUE(window.HasFocus(edit));
    window.Press(Qt::Key_F4);
    EXPECT_EQ(edit.GetWindowText(), "picked2");
    EXPECT_EQ(asked, (std::vector<std::string>{"1,1 old", "1,1 picked1"}));
    // Without typing, the button and F4 still work.
    edit.EditorEnabled = false;
    window.Type("x");
    EXPECT_EQ(edit.GetWindowText(), "picked2");
    window.Press(Qt::Key_F4);
    EXPECT_EQ(edit.GetWindowText(), "picked3");
    window.Press(Qt::Key_Return);
    EXPECT_EQ(window.grid->GetCells(1, 1), "picked3");
}

TEST(GridButtonEditors, NumberTypesFilterWhatIsTyped) {
    struct Row {
        const char* label;
        TEditorType type;
        const char* typed;
        const char* result;
        int beeps;
        bool pasted = false;
    } rows[] = {
        {"anything", edEditBtn, "a-1.x", "a-1.x", 0},
        {"whole numbers: letters beep", edNumericEditBtn, "1a2", "12", 1},
        {"whole numbers: a sign at the start", edNumericEditBtn, "-3", "-3", 0},
        {"float: one point, letters dropped", edFloatEditBtn, "2x.5.", "2.5", 0},
        // Mended: a paste went in whatever it held.
        {"anything, pasted", edEditBtn, "a-1.x", "a-1.x", 0, true},
        {"whole numbers: letters, pasted", edNumericEditBtn, "1a2", "", 0, true},
        {"whole numbers: a sign only first, pasted", edNumericEditBtn, "5-3", "", 0, true},
        {"whole numbers: a sign at the start, pasted", edNumericEditBtn, "-3\r\n", "-3", 0, true},
        {"float: two points, pasted", edFloatEditBtn, "2.5.", "", 0, true},
        {"float: a number, pasted", edFloatEditBtn, "-2.5", "-2.5", 0, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        SpecialCell window(row.type, "");
        window.Open();
        const int beeps = MessageBeeps();
        if (row.pasted) {
            Clipboard().SetAsText(row.typed);
            window.Press(Qt::Key_V, Qt::ControlModifier);
        } else {
            window.Type(row.typed);
        }
        EXPECT_EQ(window.Editors().EditBtn->GetWindowText(), row.result);
        EXPECT_EQ(MessageBeeps() - beeps, row.beeps);
    }
}

TEST(GridButtonEditors, AUnitCellKeepsItsTextAndTakesAUnitFromTheMenu) {
    for (const char* text : {"12.5 kg", "m2", "kg 12", "-3,5mm", ""}) {
        SCOPED_TRACE(text);
        SpecialCell window(edUnitEditBtn, text);
        window.Open();
        window.Press(Qt::Key_Return);
        EXPECT_EQ(window.grid->GetCells(1, 1), text);
    }
    SpecialCell window(edUnitEditBtn, "12.5 kg");
    TStringList units;
    units.Add(" g");
    units.Add(" kg");
    units.Add(" t");
    window.Editors().UnitEditBtn->SetUnits(&units);
    window.Open();
    EXPECT_EQ(window.Editors().UnitEditBtn->GetWindowText(), "12.5");
    Responder().MenuChoices.push_back(" t");
    window.Press(Qt::Key_F4);
    EXPECT_EQ(Responder().MenusShown.back(), (std::vector<AnsiString>{" g", " kg", " t"}));
    EXPECT_EQ(window.Editors().UnitEditBtn->GetUnitID(), " t");
    window.Press(Qt::Key_Return);
    EXPECT_EQ(window.grid->GetCells(1, 1), "12.5 t");
}

TEST(GridButtonEditors, CheckBoxPickerAndButtonKeys) {
    SpecialCell box(edCheckBox, "Yes");
    box.Open();
    box.Press(Qt::Key_Space);
    EXPECT_TRUE(box.Editors().CheckBox->GetChecked());
    box.Press(Qt::Key_Return);
    EXPECT_FALSE(box.Editors().CheckBox->GetVisible());
    EXPECT_EQ(box.grid->GetCol(), 2);

    SpecialCell picker(edDateEdit, "3/14/2024");
    picker.Open();
    TGridDatePicker& date = *picker.Editors().DatePicker;
    date.ViewDropped(true);
    picker.Press(Qt::Key_Return);
    EXPECT_TRUE(date.GetVisible());
    date.ViewDropped(false);
    date.SetDate(EncodeDate(2024, 3, 15));
    picker.Press(Qt::Key_Return);
    EXPECT_FALSE(date.GetVisible());
    EXPECT_EQ(picker.grid->GetCells(1, 1), "3/15/2024");

    SpecialCell button(edButton, "Go");
    int clicks = 0;
    button.grid->OnEllipsClick = [&](TObject*, int, int, AnsiString& S) { S = S + std::to_string(++clicks); };
    button.Open();
    QTest::mouseClick(button.Editors().Button->View(), Qt::LeftButton);
    EXPECT_EQ(button.Editors().Button->GetCaption(), "Go1");
    button.Press(Qt::Key_Space);
    EXPECT_EQ(button.Editors().Button->GetCaption(), "Go12");
    EXPECT_TRUE(button.HasFocus(*button.Editors().Button));
    button.Press(Qt::Key_Right);
    QApplication::processEvents();
    EXPECT_FALSE(button.Editors().Button->GetVisible());
    EXPECT_EQ(button.grid->GetCol(), 2);
}

TEST(GridButtonEditors, OnlyTabAndDigitsReachTheEditsKeyPress) {
    SpecialCell window(edEditBtn, "");
    window.Open();
    TGridEditBtn& edit = *window.Editors().EditBtn;
    std::string heard;
    edit.OnKeyPress = [&](TObject*, char& Key) { heard += Key; };
    window.Type("a1-b2");
    // Every character is still typed; only the digits were heard.
    EXPECT_EQ(edit.GetWindowText(), "a1-b2");
    EXPECT_EQ(heard, "12");
}

TEST(GridButtonEditors, ACheckBoxTurnsAsTheButtonGoesDown) {
    SpecialCell window(edCheckBox, "");
    window.Open();
    TGridCheckBox& box = *window.Editors().CheckBox;
    const bool before = box.GetChecked();
    QTest::mousePress(box.View(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(box.GetChecked(), !before);
    // Letting go turns nothing back.
    QTest::mouseRelease(box.View(), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(box.GetChecked(), !before);
    // The right button turns nothing.
    QTest::mouseClick(box.View(), Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(box.GetChecked(), !before);
}

TEST(GridButtonEditors, AnEditTooLowForItsTextIsRaisedAndItsButtonPlaced) {
    // A line needs the font's height and a quarter of the smaller of its and the system font's;
    // the spin edit 2 more, and 4 for a single border's edges.
    TDgEditBtn edit(nullptr);
    edit.Font.SetSize(14);
    const int font = QFontMetrics(edit.Font.ToQFont()).height();
    const int line = font + std::min(font, QFontMetrics(QApplication::font()).height()) / 4;
    TDgSpinEdit spin(nullptr);
    spin.Font.SetSize(14);
    struct Row {
        const char* name;
        int asked;
        int editHeight;
        int spinHeight;
    } rows[] = {
        {"too low", 5, line, line + 2 + 4},
        {"tall enough", 60, 60, 60},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        edit.SetBounds(0, 0, 80, row.asked);
        EXPECT_EQ(edit.Height(), row.editHeight);
        // With a border the button stands 5 pixels in from the right and the bottom.
        EXPECT_EQ(edit.Button->Height(), row.editHeight - 5);
        spin.SetBounds(0, 0, 80, row.asked);
        EXPECT_EQ(spin.Height(), row.spinHeight);
    }
}

} // namespace
