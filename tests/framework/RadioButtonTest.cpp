#include "framework/RadioButton.h"
#include "framework/Form.h"
#include "framework/Panel.h"

#include <QAbstractButton>
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

} // namespace

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
