#include "framework/Button.h"
#include "framework/CheckBox.h"
#include "framework/ComboBox.h"
#include "framework/Form.h"
#include "framework/Panel.h"
#include "framework/RadioGroup.h"

#include <QComboBox>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ControlsForm : public TForm {
public:
    ControlsForm() : TForm(nullptr) {
        Panel = new TPanel(this);
        Panel->SetParent(this);
        Panel->SetBounds(0, 0, 300, 200);
        Check = new TCheckBox(this);
        Check->SetParent(Panel);
        Check->SetChecked(true);
        Radio = new TRadioGroup(this);
        Radio->SetParent(this);
        Radio->SetBounds(0, 0, 200, 100);
        Radio->Items.Add("G-Manning");
        Radio->Items.Add("CW");
        Radio->SetItemIndex(1);
        Combo = new TComboBox(this);
        Combo->SetParent(this);
        Combo->SetTop(120);
        Combo->Style = csDropDownList;
        Button = new TButton(this);
        Button->SetParent(this);
        Button->SetBounds(0, 160, 75, 25);
        EndLayout();
    }
    TPanel* Panel;
    TCheckBox* Check;
    TRadioGroup* Radio;
    TComboBox* Combo;
    TButton* Button;
};

TEST(StandardControls, CodeChangesRaiseClicksButAComboIndexDoesNot) {
    ControlsForm form;
    EXPECT_TRUE(form.Check->GetChecked());
    EXPECT_EQ(form.Radio->GetItemIndex(), 1);
    int checkClicks = 0, radioClicks = 0, comboChanges = 0;
    form.Check->OnClick = [&](TObject*) { ++checkClicks; };
    form.Radio->OnClick = [&](TObject*) { ++radioClicks; };
    form.Combo->OnChange = [&](TObject*) { ++comboChanges; };

    form.Check->SetChecked(false);
    form.Check->SetChecked(false);
    EXPECT_EQ(checkClicks, 1);

    form.Radio->SetItemIndex(0);
    EXPECT_EQ(radioClicks, 1);
    form.Radio->Items.Clear();
    EXPECT_EQ(form.Radio->GetItemIndex(), -1);

    form.Combo->Items.Add("50");
    form.Combo->Items.Add("75");
    form.Combo->SetItemIndex(1);
    EXPECT_EQ(comboChanges, 0);
    EXPECT_EQ(form.Combo->GetText(), "75");
    form.Combo->SetItemIndex(5);
    EXPECT_EQ(form.Combo->GetItemIndex(), -1);
    EXPECT_EQ(form.Combo->GetText(), "");
}

TEST(StandardControls, UserActionsRaiseTheSameEvents) {
    ControlsForm form;
    form.Combo->Items.Add("100");
    form.Combo->Items.Add("125");
    form.Show();
    int buttonClicks = 0, radioClicks = 0, comboChanges = 0;
    form.Button->OnClick = [&](TObject*) { ++buttonClicks; };
    form.Radio->OnClick = [&](TObject*) { ++radioClicks; };
    form.Combo->OnChange = [&](TObject*) { ++comboChanges; };

    QTest::mouseClick(form.Button->View(), Qt::LeftButton);
    EXPECT_EQ(buttonClicks, 1);

    auto radios = form.Radio->View()->findChildren<QRadioButton*>();
    ASSERT_EQ(radios.size(), 2);
    radios[0]->click();
    EXPECT_EQ(form.Radio->GetItemIndex(), 0);
    EXPECT_EQ(radioClicks, 1);

    emit static_cast<QComboBox*>(form.Combo->View())->activated(1);
    EXPECT_EQ(form.Combo->GetItemIndex(), 1);
    EXPECT_EQ(comboChanges, 1);
}

TEST(StandardControls, AModalResultButtonClosesItsModalWindow) {
    ControlsForm form;
    form.Button->ModalResult = mrOk;
    form.Button->Click();
    EXPECT_EQ(form.GetModalResult(), mrOk);
}

} // namespace
