#include "framework/Button.h"
#include "framework/CheckBox.h"
#include "framework/ComboBox.h"
#include "framework/Form.h"
#include "framework/RadioGroup.h"
#include "tests/support/EditMouse.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

// Laid out as a window's layout does: checks, items and choices set before the layout ends.
struct ControlsForm : TForm {
    ControlsForm() : TForm(nullptr) {
        Check->SetParent(this);
        Check->SetChecked(true);
        Radio->SetParent(this);
        Radio->SetBounds(0, 0, 200, 100);
        Radio->Items.Add("G-Manning");
        Radio->Items.Add("CW");
        Radio->SetItemIndex(1);
        Combo->SetParent(this);
        Combo->Style = csDropDownList;
        Combo->Items.Add("50");
        Combo->Items.Add("75");
        Button->SetParent(this);
        EndLayout();
        Check->OnClick = [this](TObject*) { ++CheckClicks; };
        Radio->OnClick = [this](TObject*) { ++RadioClicks; };
        Button->OnClick = [this](TObject*) { ++ButtonClicks; };
        Combo->OnChange = [this](TObject*) { ++ComboChanges; };
    }
    TCheckBox* Check = new TCheckBox(this);
    TRadioGroup* Radio = new TRadioGroup(this);
    TComboBox* Combo = new TComboBox(this);
    TButton* Button = new TButton(this);
    int CheckClicks = 0;
    int RadioClicks = 0;
    int ButtonClicks = 0;
    int ComboChanges = 0;
};

// Code raises a check box's and a radio group's clicks as the user does; a combo box's index set
// by code raises no change.
TEST(StandardControls, CodeAndTheUserRaiseTheSameEventsButAComboIndexFromCode) {
    ControlsForm form;
    EXPECT_TRUE(form.Check->GetChecked());
    EXPECT_EQ(form.Radio->GetItemIndex(), 1);
    form.Check->SetChecked(false);
    form.Check->SetChecked(false);
    EXPECT_EQ(form.CheckClicks, 1);
    form.Combo->SetItemIndex(1);
    EXPECT_EQ(form.ComboChanges, 0);
    EXPECT_EQ(form.Combo->GetText(), "75");
    form.Combo->SetItemIndex(5);
    EXPECT_EQ(form.Combo->GetItemIndex(), -1);
    EXPECT_EQ(form.Combo->GetText(), "");

    form.Show();
    QTest::mouseClick(form.Button->View(), Qt::LeftButton);
    EXPECT_EQ(form.ButtonClicks, 1);
    auto radios = form.Radio->View()->findChildren<QRadioButton*>();
    ASSERT_EQ(radios.size(), 2);
    radios[0]->click();
    EXPECT_EQ(form.Radio->GetItemIndex(), 0);
    form.Radio->SetItemIndex(1);
    EXPECT_EQ(form.RadioClicks, 2);
    emit static_cast<QComboBox*>(form.Combo->View())->activated(1);
    EXPECT_EQ(form.Combo->GetItemIndex(), 1);
    EXPECT_EQ(form.ComboChanges, 1);
    form.Radio->Items.Clear();
    EXPECT_EQ(form.Radio->GetItemIndex(), -1);
}

// Checked apart from a modal run, which would wait for ever without it.
TEST(StandardControls, AModalResultButtonClosesItsModalWindow) {
    ControlsForm form;
    form.Button->ModalResult = mrOk;
    form.Button->Click();
    EXPECT_EQ(form.GetModalResult(), mrOk);
}

// A mouse-up handler of a check box sees the state the click gave it.
TEST(StandardControls, ACheckBoxTurnsOverBeforeItsMouseUp) {
    ControlsForm form;
    form.Show();
    std::vector<bool> seen;
    form.Check->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) {
        seen.push_back(form.Check->GetChecked());
    };
    QTest::mouseClick(form.Check->View(), Qt::LeftButton, {}, QPoint(6, 8));
    QTest::mouseClick(form.Check->View(), Qt::LeftButton, {}, QPoint(6, 8));
    EXPECT_EQ(seen, (std::vector<bool>{false, true}));
    EXPECT_EQ(form.CheckClicks, 2);
    EXPECT_TRUE(static_cast<QCheckBox*>(form.Check->View())->isChecked());
}

// Two boxes show one list: a choice counts in it, a new list drops the choices, and each view
// reads the rows it shows.
TEST(StandardControls, ComboBoxesShareOneList) {
    ControlsForm form;
    auto* other = new TComboBox(&form);
    other->SetParent(&form);
    other->Style = csDropDownList;
    form.Show();
    {
        TSharedComboItems names;
        names.Assign({"J0", "J1", "J2"});
        form.Combo->SetSharedItems(&names);
        other->SetSharedItems(&names);
        form.Combo->SetItemIndex(2);
        other->SetText("J1");
        EXPECT_EQ(form.Combo->GetText(), "J2");
        EXPECT_EQ(other->GetItemIndex(), 1);
        QApplication::processEvents();
        const auto* view = static_cast<QComboBox*>(form.Combo->View());
        EXPECT_EQ(view->count(), 3);
        EXPECT_EQ(view->currentText(), "J2");
        EXPECT_EQ(static_cast<QComboBox*>(other->View())->currentText(), "J1");

        emit static_cast<QComboBox*>(other->View())->activated(0);
        EXPECT_EQ(other->GetText(), "J0");
        names.Assign({"J5"});
        EXPECT_EQ(form.Combo->GetItemIndex(), -1);
        EXPECT_EQ(other->GetText(), "");
    }
    // The list gone, each box shows its own items again.
    EXPECT_EQ(form.Combo->GetItemIndex(), -1);
    form.Combo->SetItemIndex(0);
    EXPECT_EQ(form.Combo->GetText(), "50");
    QApplication::processEvents();
    EXPECT_EQ(static_cast<QComboBox*>(form.Combo->View())->count(), 2);
}

std::vector<std::string> ViewItems(const TComboBox& box) {
    QApplication::processEvents();
    const auto* view = static_cast<const QComboBox*>(box.View());
    std::vector<std::string> items;
    for (int i = 0; i < view->count(); ++i)
        items.push_back(view->itemText(i).toStdString());
    return items;
}

std::vector<std::string> ModelItems(const TComboBox& box) {
    std::vector<std::string> items;
    for (int i = 0; i < box.Items.Count(); ++i)
        items.push_back(box.Items[i].str());
    return items;
}

TEST(ComboBox, AShownBoxTakesManyItemsAndEveryChangeOfThem) {
    TForm form(nullptr);
    auto* box = new TComboBox(&form);
    box->SetParent(&form);
    form.Show();
    for (int i = 0; i < 5000; ++i)
        box->Items.Add("J" + std::to_string(i));
    EXPECT_EQ(ViewItems(*box).size(), 5000u);
    EXPECT_EQ(ViewItems(*box)[4999], "J4999");
    const std::pair<const char*, std::function<void()>> changes[] = {
        {"insert", [&] { box->Items.Insert(2, "new"); }},
        {"delete", [&] { box->Items.Delete(0); }},
        {"put", [&] { box->Items.SetString(4000, "renamed"); }},
        {"add after a change",
         [&] {
             box->Items.Delete(10);
             box->Items.Add("last");
         }},
        {"clear and refill",
         [&] {
             box->Items.Clear();
             box->Items.Add("only");
         }},
    };
    for (const auto& [label, change] : changes) {
        SCOPED_TRACE(label);
        change();
        EXPECT_EQ(ViewItems(*box), ModelItems(*box));
    }
}

TEST(ComboBox, ADropDownBoxTakesTypedTextAListBoxOnlyPicks) {
    ControlsForm form;
    auto* typed = new TComboBox(&form);
    typed->SetParent(&form);
    typed->SetTop(60);
    typed->Items.Add("150");
    typed->Items.Add("225");
    int changes = 0;
    typed->OnChange = [&](TObject*) { ++changes; };
    form.Show();
    QApplication::processEvents();
    auto* view = static_cast<QComboBox*>(typed->View());
    ASSERT_TRUE(view->isEditable());
    EXPECT_FALSE(static_cast<QComboBox*>(form.Combo->View())->isEditable());
    view->setFocus();
    QTest::keyClicks(view->lineEdit(), "22");
    EXPECT_EQ(typed->GetText(), "22");
    EXPECT_EQ(typed->GetItemIndex(), -1);
    QTest::keyClicks(view->lineEdit(), "5");
    EXPECT_EQ(typed->GetItemIndex(), 1);
    EXPECT_EQ(changes, 3);
    typed->SetItemIndex(0);
    QApplication::processEvents();
    EXPECT_EQ(view->currentText(), "150");
    EXPECT_EQ(changes, 3);
}

// The edit field of a drop-down box takes a double-clicked number whole, as an edit box does.
TEST(ComboBox, ADoubleClickInTheEditFieldSelectsTheWordBetweenBlanks) {
    ControlsForm form;
    auto* typed = new TComboBox(&form);
    typed->SetParent(&form);
    typed->SetTop(60);
    typed->SetText("2.64 m");
    form.Show();
    QApplication::processEvents();
    QLineEdit* field = static_cast<QComboBox*>(typed->View())->lineEdit();
    ASSERT_NE(field, nullptr);
    int x = 0;
    while (x < field->width() && field->cursorPositionAt(QPoint(x, 0)) != 3)
        ++x;
    DoubleClick(field, QPoint(x, field->height() / 2));
    EXPECT_EQ(typed->GetSelStart(), 0);
    EXPECT_EQ(typed->GetSelLength(), 4);
}

// A copy of a control's font is a font of its own: changing it leaves the control alone.
TEST(StandardControls, ACopiedFontHasNoHoldOnTheControl) {
    ControlsForm form;
    int changes = 0;
    form.Button->Font.OnChange = [&](TObject*) { ++changes; };
    TFont copy = form.Button->Font;
    copy.SetColor(clRed);
    copy.SetStyle(fsBold);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(form.Button->Font.Color, clWindowText);
    form.Button->Font = copy;
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(form.Button->Font.Style, static_cast<unsigned>(fsBold));
}

// The pick choice refills its own items from its click, as the visual editor's does.
TEST(StandardControls, ARadioGroupRefilledFromItsOwnClickKeepsWorking) {
    ControlsForm form;
    form.Radio->OnClick = [&](TObject*) {
        if (form.Radio->Items.Count() == 2) {
            form.Radio->Items.Clear();
            for (const char* item : {"Houses", "Population", "Both"})
                form.Radio->Items.Add(item);
        }
    };
    form.Show();
    auto shownRadios = [&] {
        QApplication::processEvents();
        QList<QRadioButton*> shown;
        for (QRadioButton* radio : form.Radio->View()->findChildren<QRadioButton*>())
            if (radio->isVisible())
                shown.append(radio);
        return shown;
    };
    auto radios = shownRadios();
    ASSERT_EQ(radios.size(), 2);
    QTest::mouseClick(radios[0], Qt::LeftButton, {}, QPoint(4, 4));
    radios = shownRadios();
    ASSERT_EQ(radios.size(), 3);
    QTest::mouseClick(radios[2], Qt::LeftButton, {}, QPoint(4, 4));
    EXPECT_EQ(form.Radio->GetItemIndex(), 2);
}

} // namespace

namespace {

// A typed box whose text matches an item only in letter case, set from code or typed, keeps that
// text as the user leaves it, by the focus or by Enter, and hears of no change then.
TEST(ComboBox, ATextMatchingAnItemInOtherLettersStaysAsTheBoxIsLeft) {
    for (const bool typed : {false, true})
        for (const bool byEnter : {false, true}) {
            SCOPED_TRACE(std::string(typed ? "typed" : "set from code") + (byEnter ? ", Enter" : ", focus"));
            ControlsForm form;
            auto* box = new TComboBox(&form);
            box->SetParent(&form);
            box->SetTop(60);
            box->Items.Add("Pipe");
            form.Show();
            QApplication::processEvents();
            auto* view = static_cast<QComboBox*>(box->View());
            view->setFocus();
            if (typed)
                QTest::keyClicks(view->lineEdit(), "pipe");
            else
                box->SetText("pipe");
            QApplication::processEvents();
            int changes = 0;
            box->OnChange = [&](TObject*) { ++changes; };
            if (byEnter)
                QTest::keyClick(view->lineEdit(), Qt::Key_Return);
            form.Button->SetFocus();
            QApplication::processEvents();
            EXPECT_EQ(box->GetText(), "pipe");
            EXPECT_EQ(changes, 0);
        }
}

} // namespace
