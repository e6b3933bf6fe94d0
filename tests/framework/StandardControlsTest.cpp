#include "framework/Button.h"
#include "framework/CheckBox.h"
#include "framework/ComboBox.h"
#include "framework/Form.h"
#include "framework/RadioGroup.h"

#include <QComboBox>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
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

TEST(StandardControls, CodeChangesRaiseClicksButAComboIndexDoesNot) {
    ControlsForm form;
    EXPECT_TRUE(form.Check->GetChecked());
    EXPECT_EQ(form.Radio->GetItemIndex(), 1);
    form.Check->SetChecked(false);
    form.Check->SetChecked(false);
    EXPECT_EQ(form.CheckClicks, 1);
    form.Radio->SetItemIndex(0);
    EXPECT_EQ(form.RadioClicks, 1);
    form.Radio->Items.Clear();
    EXPECT_EQ(form.Radio->GetItemIndex(), -1);

    form.Combo->SetItemIndex(1);
    EXPECT_EQ(form.ComboChanges, 0);
    EXPECT_EQ(form.Combo->GetText(), "75");
    form.Combo->SetItemIndex(5);
    EXPECT_EQ(form.Combo->GetItemIndex(), -1);
    EXPECT_EQ(form.Combo->GetText(), "");
}

TEST(StandardControls, UserActionsRaiseTheSameEvents) {
    ControlsForm form;
    form.Show();
    QTest::mouseClick(form.Button->View(), Qt::LeftButton);
    EXPECT_EQ(form.ButtonClicks, 1);
    auto radios = form.Radio->View()->findChildren<QRadioButton*>();
    ASSERT_EQ(radios.size(), 2);
    radios[0]->click();
    EXPECT_EQ(form.Radio->GetItemIndex(), 0);
    EXPECT_EQ(form.RadioClicks, 1);
    emit static_cast<QComboBox*>(form.Combo->View())->activated(1);
    EXPECT_EQ(form.Combo->GetItemIndex(), 1);
    EXPECT_EQ(form.ComboChanges, 1);
}

TEST(StandardControls, ACheckBoxTogglesBeforeItsReleaseIsHeard) {
    ControlsForm form;
    form.Show();
    std::vector<std::string> heard;
    const auto state = [&form] { return form.Check->GetChecked() ? " checked" : " unchecked"; };
    form.Check->OnClick = [&](TObject*) { heard.push_back(std::string("click") + state()); };
    form.Check->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) {
        heard.push_back(std::string("mouse up") + state());
    };
    form.Check->OnKeyUp = [&](TObject*, WORD&, TShiftState) {
        heard.push_back(std::string("key up") + state());
    };
    QTest::mouseClick(form.Check->View(), Qt::LeftButton, {}, QPoint(5, 5));
    QTest::keyClick(form.Check->View(), Qt::Key_Space);
    const std::vector<std::string> expected{"click unchecked", "mouse up unchecked", "click checked",
                                            "key up checked"};
    EXPECT_EQ(heard, expected);
}

TEST(StandardControls, AModalResultButtonClosesItsModalWindow) {
    ControlsForm form;
    form.Button->ModalResult = mrOk;
    form.Button->Click();
    EXPECT_EQ(form.GetModalResult(), mrOk);
}

} // namespace
