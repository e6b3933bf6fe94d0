#include "framework/RadioButton.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/Panel.h"
#include "framework/RadioGroup.h"
#include "tests/framework/ActiveWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct RadioForm : TForm {
    RadioForm() : TForm(nullptr) {
        Group->SetParent(this);
        Other->SetParent(this);
        for (TRadioButton* button : {Vertical, Horizontal, All}) {
            button->SetParent(Group);
            button->OnClick = [this, button](TObject*) { Clicks.push_back(button->GetCaption().str()); };
        }
        Vertical->SetCaption("Vert.");
        Horizontal->SetCaption("Horz.");
        All->SetCaption("All");
        Apart->SetParent(Other);
        Apart->SetChecked(true);
        EndLayout();
    }
    TGroupBox* Group = new TGroupBox(this);
    TPanel* Other = new TPanel(this);
    TRadioButton* Vertical = new TRadioButton(this);
    TRadioButton* Horizontal = new TRadioButton(this);
    TRadioButton* All = new TRadioButton(this);
    TRadioButton* Apart = new TRadioButton(this);
    std::vector<std::string> Clicks;
};

std::string Checks(const RadioForm& form) {
    std::string checks;
    for (const TRadioButton* button : {form.Vertical, form.Horizontal, form.All, form.Apart})
        checks += button->GetChecked() ? 'x' : '.';
    return checks;
}

TEST(RadioButton, CheckingOneUnchecksItsNeighboursOnly) {
    RadioForm form;
    form.All->SetChecked(true);
    EXPECT_EQ(Checks(form), "..xx");
    static_cast<QAbstractButton*>(form.Vertical->View())->click();
    EXPECT_EQ(Checks(form), "x..x");
    // A click on the checked one changes nothing and raises nothing.
    static_cast<QAbstractButton*>(form.Vertical->View())->click();
    form.Horizontal->SetChecked(true);
    EXPECT_EQ(Checks(form), ".x.x");
    EXPECT_EQ(form.Clicks, (std::vector<std::string>{"All", "Vert.", "Horz."}));
    form.Horizontal->SetChecked(false);
    EXPECT_EQ(Checks(form), "...x");
    EXPECT_EQ(form.Clicks.size(), 3u);
}

// A box, a radio group and another box, the group's items given after the layout as a window's
// captions are.
struct GroupForm : TForm {
    GroupForm() : TForm(nullptr) {
        Before->SetParent(this);
        Group->SetParent(this);
        Group->SetBounds(0, 30, 200, 50);
        Group->SetColumns(2);
        After->SetParent(this);
        After->SetTop(100);
        EndLayout();
        Group->Items.Add("Houses");
        Group->Items.Add("Population");
        Group->SetItemIndex(1);
        Group->OnEnter = [this](TObject*) { Heard.push_back("enter"); };
        Group->OnExit = [this](TObject*) { Heard.push_back("exit"); };
        Group->OnClick = [this](TObject*) {
            Heard.push_back("click " + std::to_string(Group->GetItemIndex()));
        };
        ShowActive(*this);
    }

    static void Key(Qt::Key key) {
        QTest::keyClick(QApplication::focusWidget(), key);
        QApplication::processEvents();
    }

    TEdit* Before = new TEdit(this);
    TRadioGroup* Group = new TRadioGroup(this);
    TEdit* After = new TEdit(this);
    std::vector<std::string> Heard;
};

TEST(RadioGroupFocus, TheGroupIsOneStopOfTheTabOrderEnteredAndLeftOnce) {
    GroupForm form;
    form.Before->SetFocus();
    QApplication::processEvents();
    GroupForm::Key(Qt::Key_Tab);
    const auto radios = form.Group->View()->findChildren<QRadioButton*>();
    ASSERT_EQ(radios.size(), 2);
    EXPECT_EQ(QApplication::focusWidget(), radios[1]);
    // An arrow key moves the choice within the group: no exit.
    GroupForm::Key(Qt::Key_Left);
    EXPECT_EQ(QApplication::focusWidget(), radios[0]);
    GroupForm::Key(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form.After->View());
    EXPECT_EQ(form.Heard, (std::vector<std::string>{"enter", "click 0", "exit"}));

    // Focus given to the group goes to its chosen button.
    form.Group->SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), radios[0]);
}

} // namespace
