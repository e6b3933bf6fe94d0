#include "reports/Printcontrol.h"
#include "tests/reports/ResultsTable.h"

#include <functional>

namespace {

using PrintSetup = ResultsTable;

TPrintSettings& Settings() {
    return *TableForm->DataGrid1->PrintSettings;
}

// Opens print setup from the results window's Printer Layout button; the user's actions happen
// in act, on the window shown.
void Open(const std::function<void(TPrintSetupForm&)>& act) {
    Responder().ModalActions.push_back([act](TForm& form) { act(static_cast<TPrintSetupForm&>(form)); });
    TableForm->PrintLayoutButton->Click();
}

// Settings nothing in print setup would choose, so that every field it writes shows.
void Scramble(TPrintSettings& s) {
    s.Time = s.Date = s.PageNr = s.Title = ppBottomRight;
    s.Borders = pbDouble;
    s.FitToPage = fpGrow;
    s.NoAutoSize = false;
    s.Centered = false;
    s.Orientation = poLandscape;
    s.TitleLines.Clear();
    s.TitleLines.Add("old");
    s.TitleLines.Add("lines");
}

TEST_F(PrintSetup, ApplyWritesEveryChoiceIntoThePrintSettings) {
    struct Case {
        const char* label;
        // The network's title: an empty one is one empty line.
        const char* title;
        std::function<void(TPrintSetupForm&)> choose;
        TPrintPosition time, date, pageNr;
        TPrintBorders borders;
        TFitToPage fit;
        bool noAutoSize, centered;
        TPrinterOrientation orientation;
    };
    const Case cases[] = {
        {"as the window opens first", "", [](TPrintSetupForm&) {}, ppNone, ppNone, ppNone, pbSingle, fpAlways,
         true, true, poPortrait},
        {"everything turned", "Riverside estate",
         [](TPrintSetupForm& f) {
             f.CheckBox1->SetChecked(true);
             f.CheckBox2->SetChecked(true);
             f.CheckBox3->SetChecked(true);
             f.RadioButton1->SetChecked(true);
             f.CheckBox5->SetChecked(false);
             f.CheckBox6->SetChecked(false);
             f.CheckBox7->SetChecked(true);
             f.OrientationRadioGroup->SetItemIndex(1);
         },
         ppTopLeft, ppTopRight, ppBottomCenter, pbVertical, fpNever, false, false, poLandscape},
        {"no borders, whichever lines are chosen", "Riverside estate",
         [](TPrintSetupForm& f) {
             f.RadioButton2->SetChecked(true);
             f.CheckBox4->SetChecked(false);
         },
         ppNone, ppNone, ppNone, pbNoborder, fpAlways, true, true, poPortrait},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        // Each case starts from the window as the program makes it.
        PrintSetupForm = new TPrintSetupForm(TableForm);
        Scramble(Settings());
        DataEntryForm->TitleEdit->SetText(c.title);
        Open([&](TPrintSetupForm& f) {
            c.choose(f);
            f.ApplyButton->Click();
        });
        const TPrintSettings& s = Settings();
        EXPECT_EQ(s.Time, c.time);
        EXPECT_EQ(s.Date, c.date);
        EXPECT_EQ(s.PageNr, c.pageNr);
        EXPECT_EQ(s.Borders, c.borders);
        EXPECT_EQ(s.FitToPage, c.fit);
        EXPECT_EQ(s.NoAutoSize, c.noAutoSize);
        EXPECT_EQ(s.Centered, c.centered);
        EXPECT_EQ(s.Orientation, c.orientation);
        // The title, the only line, prints at the top of every page.
        EXPECT_EQ(s.Title, ppTopCenter);
        ASSERT_EQ(s.TitleLines.Count(), 1);
        EXPECT_EQ(s.TitleLines[0], c.title);
        delete PrintSetupForm;
    }
    PrintSetupForm = nullptr;
}

TEST_F(PrintSetup, CancelLeavesTheSettingsAndTheWindowKeepsItsChecks) {
    Scramble(Settings());
    DataEntryForm->TitleEdit->SetText("First title");
    Open([](TPrintSetupForm& f) {
        EXPECT_EQ(f.TitleEdit->GetText(), "First title");
        f.CheckBox1->SetChecked(true);
        f.RadioButton2->SetChecked(true);
        f.OrientationRadioGroup->SetItemIndex(1);
        f.CancelButton->Click();
    });
    EXPECT_EQ(Settings().Date, ppBottomRight);
    EXPECT_EQ(Settings().Borders, pbDouble);
    EXPECT_EQ(Settings().Orientation, poLandscape);
    ASSERT_EQ(Settings().TitleLines.Count(), 2);

    // Shown again: the choices are as the user left them, the title is the network's again.
    DataEntryForm->TitleEdit->SetText("Second title");
    Open([](TPrintSetupForm& f) {
        EXPECT_EQ(f.TitleEdit->GetText(), "Second title");
        EXPECT_TRUE(f.CheckBox1->GetChecked());
        EXPECT_TRUE(f.RadioButton2->GetChecked());
        EXPECT_FALSE(f.RadioButton3->GetChecked());
        EXPECT_EQ(f.OrientationRadioGroup->GetItemIndex(), 1);
        f.ApplyButton->Click();
    });
    EXPECT_EQ(Settings().Date, ppTopRight);
    EXPECT_EQ(Settings().Borders, pbHorizontal);
    EXPECT_EQ(Settings().Orientation, poLandscape);
}

TEST_F(PrintSetup, TheChosenFontAppliesAtOnceEvenOnCancel) {
    Settings().Font.SetName("DejaVu Sans");
    Settings().Font.SetSize(9);
    TFont chosen;
    chosen.SetName("DejaVu Serif");
    chosen.SetSize(12);
    chosen.SetStyle(fsBold);
    Responder().FontAnswers.push_back(chosen);
    // A second choice, cancelled, changes nothing.
    Responder().FontAnswers.push_back(std::nullopt);
    Open([](TPrintSetupForm& f) {
        f.Button8->Click();
        f.Button8->Click();
        f.CancelButton->Click();
    });
    ASSERT_EQ(Responder().FontsAsked.size(), 2u);
    EXPECT_EQ(Responder().FontsAsked[0].Name, "DejaVu Sans");
    EXPECT_EQ(Responder().FontsAsked[0].Size, 9);
    EXPECT_EQ(Responder().FontsAsked[1].Name, "DejaVu Serif");
    EXPECT_EQ(Settings().Font.Name, "DejaVu Serif");
    EXPECT_EQ(Settings().Font.Size, 12);
    EXPECT_EQ(Settings().Font.Style, static_cast<unsigned>(fsBold));
}

} // namespace
