#include "framework/Application.h"
#include "tests/app/ProgramWindows.h"
#include "tests/support/AnsiStringPrinter.h"

#include <functional>

namespace {

class DatumWindow : public ProgramWindows {
protected:
    void SetUp() override {
        ProgramWindows::SetUp();
        FrontForm->ReplaceNetwork(std::make_unique<SimpleSewerNetwork>());
        FrontForm->Network->AddSewer("S1", "J1", "J2", 20);
        sewer = FrontForm->Network->GetSewer("S1");
        sewer->UpstreamEnd->AutoDatum = true;
        sewer->UpstreamEnd->DatumLevel = 12.345;
    }

    // Opens the dialog for S1 and acts in it as the user, through the seam.
    int Open(std::function<void(TDatumForm&)> act) {
        DatumForm->Fill(*sewer);
        Responder().ModalActions.push_back([act](TForm&) { act(*DatumForm); });
        return DatumForm->ShowModal();
    }

    Sewer* sewer = nullptr;
};

TEST_F(DatumWindow, ShowsTheSewersDatumWithoutMarkingAChange) {
    // A dialog left showing another sewer's fixed datum, so that filling changes every control.
    DatumForm->SetDatumCheckBox->SetChecked(true);
    DatumForm->FixDatumCheckBox->SetChecked(true);
    DatumForm->DatumTypedEdit->SetText("3");
    DataEntryForm->NetworkChanged = false;

    DatumForm->Fill(*sewer);
    EXPECT_EQ(DatumForm->SewerNameEdit->GetText(), "S1");
    EXPECT_EQ(DatumForm->JunctionNameEdit->GetText(), "J1");
    EXPECT_FALSE(DatumForm->SetDatumCheckBox->GetChecked());
    EXPECT_FALSE(DatumForm->FixDatumCheckBox->GetChecked());
    EXPECT_FALSE(DatumForm->DatumTypedEdit->GetEnabled());
    // 12.345 to the box's two decimals, ties away from zero.
    EXPECT_EQ(DatumForm->DatumTypedEdit->GetWindowText(), "12.35 m");
    EXPECT_FALSE(DataEntryForm->NetworkChanged);
}

TEST_F(DatumWindow, ApplyStoresTheChoiceAndCancelNothing) {
    const struct {
        const char* label;
        std::function<void(TDatumForm&)> act;
        int result;
        bool datumReference, autoDatum;
        double level;
    } rows[] = {
        {"a fixed datum of 12.5",
         [](TDatumForm& form) {
             form.SetDatumCheckBox->SetChecked(true);
             form.FixDatumCheckBox->SetChecked(true);
             form.DatumTypedEdit->SetText("12.5");
             form.ApplyButton->Click();
         },
         mrOk, true, false, 12.5},
        // The level is kept even where the program works it out, as it was, not as the box
        // rounds it.
        {"a datum at the calculated level",
         [](TDatumForm& form) {
             form.SetDatumCheckBox->SetChecked(true);
             form.ApplyButton->Click();
         },
         mrOk, true, true, 12.345},
        {"cancelled",
         [](TDatumForm& form) {
             form.SetDatumCheckBox->SetChecked(true);
             form.FixDatumCheckBox->SetChecked(true);
             form.DatumTypedEdit->SetText("99");
             form.CloseButton->Click();
         },
         mrCancel, false, true, 12.345},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        sewer->UpstreamEnd->DatumReference = false;
        sewer->UpstreamEnd->AutoDatum = true;
        sewer->UpstreamEnd->DatumLevel = 12.345;
        DataEntryForm->NetworkChanged = false;
        EXPECT_EQ(Open(row.act), row.result);
        EXPECT_EQ(sewer->UpstreamEnd->DatumReference, row.datumReference);
        EXPECT_EQ(sewer->UpstreamEnd->AutoDatum, row.autoDatum);
        EXPECT_DOUBLE_EQ(sewer->UpstreamEnd->DatumLevel, row.level);
        // The user changed the dialog in every row: the network counts as changed.
        EXPECT_TRUE(DataEntryForm->NetworkChanged);
    }
}

TEST_F(DatumWindow, TheLevelBoxIsEnabledExactlyWhenTheValueIsFixed) {
    DatumForm->Fill(*sewer);
    DatumForm->FixDatumCheckBox->SetChecked(true);
    EXPECT_TRUE(DatumForm->DatumTypedEdit->GetEnabled());
    EXPECT_TRUE(DatumForm->DatumTypedEdit->GetLabel()->GetEnabled());
    EXPECT_TRUE(DataEntryForm->NetworkChanged);
    DatumForm->FixDatumCheckBox->SetChecked(false);
    EXPECT_FALSE(DatumForm->DatumTypedEdit->GetEnabled());
}

// The level box of a datum worked out from the cover is greyed at the first opening as at every
// later one: the colour it shows and its label say it cannot be typed in.
TEST_F(DatumWindow, TheDisabledLevelBoxLooksDisabledFromTheFirstOpening) {
    for (int opening = 1; opening <= 2; ++opening) {
        SCOPED_TRACE(opening);
        Open([](TDatumForm& form) {
            const TTypedEdit& level = *form.DatumTypedEdit;
            EXPECT_FALSE(level.GetEnabled());
            EXPECT_EQ(level.GetColor(), level.GetDisabledColor());
            EXPECT_FALSE(level.GetLabel()->GetEnabled());
            form.CloseButton->Click();
        });
    }
}

TEST_F(DatumWindow, ALevelThatIsNoNumberLeavesTheDialogOpenAndTheNetworkAlone) {
    DatumForm->Fill(*sewer);
    DatumForm->FixDatumCheckBox->SetChecked(true);
    // What is left after the user deletes the digits but a minus sign.
    DatumForm->DatumTypedEdit->SetWindowText("- m");
    DataEntryForm->NetworkChanged = false;
    DatumForm->SetModalResult(mrNone);
    CallGuarded([] { DatumForm->ApplyButton->Click(); });
    EXPECT_EQ(Asked(), Texts{"Drenvala: '-' is not a valid floating point value (16)"});
    EXPECT_EQ(DatumForm->GetModalResult(), mrNone);
    EXPECT_TRUE(sewer->UpstreamEnd->AutoDatum);
    EXPECT_DOUBLE_EQ(sewer->UpstreamEnd->DatumLevel, 12.345);
    EXPECT_FALSE(DataEntryForm->NetworkChanged);
}

TEST_F(DatumWindow, ASewerDeletedMeanwhileIsLeftAlone) {
    const int result = Open([](TDatumForm& form) {
        FrontForm->Network->DeleteSewer("S1");
        DataEntryForm->NetworkChanged = false;
        form.ApplyButton->Click();
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_FALSE(DataEntryForm->NetworkChanged);
    EXPECT_EQ(FrontForm->Network->Sewers.size(), 0u);
}

} // namespace
