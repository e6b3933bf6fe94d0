#include "reports/Printcontrol.h"
#include "tests/reports/ResultsTable.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

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

// The controls as the user reads them: the title, then each check box and radio button ticked
// ("x") or not ("-"): date, time, page numbers, borders, Vert., Horz., All, fit to page, centred,
// auto size; then the orientation item.
std::string Shown(const TPrintSetupForm& f) {
    std::string shown = "\"" + f.TitleEdit->GetText().str() + "\" ";
    for (const TControl* box : std::initializer_list<const TControl*>{
             f.CheckBox1, f.CheckBox2, f.CheckBox3, f.CheckBox4, f.RadioButton1, f.RadioButton2,
             f.RadioButton3, f.CheckBox5, f.CheckBox6, f.CheckBox7}) {
        const auto* check = dynamic_cast<const TCheckBox*>(box);
        const bool ticked = check ? check->GetChecked() : static_cast<const TRadioButton*>(box)->GetChecked();
        shown += ticked ? "x" : "-";
    }
    return shown + " " + std::to_string(f.OrientationRadioGroup->GetItemIndex());
}

// Every field print setup writes, and the title lines.
std::string Written(const TPrintSettings& s) {
    std::string written;
    for (const int value : {int(s.Time), int(s.Date), int(s.PageNr), int(s.Title), int(s.Borders),
                            int(s.FitToPage), int(s.NoAutoSize), int(s.Centered), int(s.Orientation)})
        written += std::to_string(value) + " ";
    for (int line = 0; line < s.TitleLines.Count(); ++line)
        written += "|" + s.TitleLines[line].str();
    return written;
}

// Mended: the window opened with its own first choices, a title and single borders among them,
// which the next print did not use until "Apply" was pressed with nothing changed.
TEST_F(PrintSetup, TheWindowShowsWhatTheNextPrintUsesAndApplyUnchangedKeepsIt) {
    const struct {
        const char* label;
        std::function<void(TPrintSettings&)> settings;
        std::string shown;
        // The settings after "Apply" with nothing changed: as before, the title one line.
        std::string kept;
    } rows[] = {
        // No title, date, time or page number, no borders, shrunk to the page, centred, no auto
        // size, portrait.
        {"as the table's layout sets them", [](TPrintSettings&) {}, "\"\" ------xxx- 0",
         "0 0 0 0 0 2 1 1 0 |"},
        // Every position bottom right, double borders, grown to the page, not centred, auto size,
        // landscape. The title box shows the network's title, here none.
        {"settings print setup would not choose", Scramble, "\"\" xxxx---x-x 1", "5 5 5 0 2 1 0 0 1 |"},
        {"single borders, a title at the top, a date, fit always",
         [](TPrintSettings& s) {
             s.Borders = pbSingle;
             s.Title = ppTopCenter;
             s.TitleLines.Add("Riverside estate");
             s.Date = ppTopRight;
             s.FitToPage = fpAlways;
         },
         "\"\" x--x--xxx- 0", "0 2 0 0 1 3 1 1 0 |"},
        {"vertical lines, no fit",
         [](TPrintSettings& s) {
             s.Borders = pbVertical;
             s.FitToPage = fpNever;
         },
         "\"\" ---xx---x- 0", "0 0 0 0 3 0 1 1 0 |"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        // Each row starts from the windows as the program makes them.
        TearDown();
        SetUp();
        row.settings(Settings());
        std::string shown;
        Open([&shown](TPrintSetupForm& f) {
            shown = Shown(f);
            f.ApplyButton->Click();
        });
        EXPECT_EQ(shown, row.shown);
        EXPECT_EQ(Written(Settings()), row.kept);
    }
}

TEST_F(PrintSetup, ApplyWritesEveryChoiceIntoThePrintSettings) {
    struct Case {
        const char* label;
        std::function<void(TPrintSetupForm&)> choose;
        // Time, date, page number, title, borders, fit, no auto size, centred, orientation; lines.
        std::string written;
    };
    const Case cases[] = {
        {"everything turned",
         [](TPrintSetupForm& f) {
             f.TitleEdit->SetText("Riverside estate");
             f.CheckBox1->SetChecked(true);
             f.CheckBox2->SetChecked(true);
             f.CheckBox3->SetChecked(true);
             f.CheckBox4->SetChecked(true);
             f.RadioButton1->SetChecked(true);
             f.CheckBox5->SetChecked(false);
             f.CheckBox6->SetChecked(false);
             f.CheckBox7->SetChecked(true);
             f.OrientationRadioGroup->SetItemIndex(1);
         },
         "1 2 6 3 3 0 0 0 1 |Riverside estate"},
        // All is the window's first choice of lines.
        {"borders ticked", [](TPrintSetupForm& f) { f.CheckBox4->SetChecked(true); }, "0 0 0 0 1 2 1 1 0 |"},
        {"no borders, whichever lines are chosen",
         [](TPrintSetupForm& f) {
             f.RadioButton2->SetChecked(true);
             f.CheckBox4->SetChecked(false);
         },
         "0 0 0 0 0 2 1 1 0 |"},
        {"fit to page turned off and on again",
         [](TPrintSetupForm& f) {
             f.CheckBox5->SetChecked(false);
             f.CheckBox5->SetChecked(true);
         },
         "0 0 0 0 0 2 1 1 0 |"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        TearDown();
        SetUp();
        Open([&](TPrintSetupForm& f) {
            c.choose(f);
            f.ApplyButton->Click();
        });
        EXPECT_EQ(Written(Settings()), c.written);
    }
    // Fit turned on from off fits always; a title emptied takes its position away.
    Settings().FitToPage = fpNever;
    Settings().Title = ppTopCenter;
    Settings().TitleLines.Add("Riverside estate");
    Open([](TPrintSetupForm& f) {
        f.CheckBox5->SetChecked(true);
        f.TitleEdit->SetText("");
        f.ApplyButton->Click();
    });
    EXPECT_EQ(Written(Settings()), "0 0 0 0 0 3 1 1 0 |");
}

TEST_F(PrintSetup, CancelLeavesTheSettingsAndTheNextShowingShowsThem) {
    Scramble(Settings());
    const std::string scrambled = Written(Settings());
    Open([](TPrintSetupForm& f) {
        EXPECT_EQ(f.TitleEdit->GetText(), "");
        f.TitleEdit->SetText("First title");
        f.CheckBox1->SetChecked(false);
        f.RadioButton2->SetChecked(true);
        f.OrientationRadioGroup->SetItemIndex(0);
        f.CancelButton->Click();
    });
    EXPECT_EQ(Written(Settings()), scrambled);

    // Shown again: what is in effect, not what was cancelled.
    std::string shown;
    Open([&shown](TPrintSetupForm& f) {
        shown = Shown(f);
        f.CancelButton->Click();
    });
    EXPECT_EQ(shown, "\"\" xxxx---x-x 1");
    EXPECT_EQ(Written(Settings()), scrambled);
}

// Mended: the title box showed the title lines in effect, not the network's title, so a network
// titled in the editor printed under its old title or none.
TEST_F(PrintSetup, EachOpeningPutsTheNetworksTitleInTheTitleBox) {
    const struct {
        const char* label;
        std::function<void()> open;
    } rows[] = {
        {"the results window's Printer Layout", [] { TableForm->PrintLayoutButton->Click(); }},
        {"File > Printer Layout for Solution Table",
         [] { FrontForm->Printlayoutoftable1->Action()->trigger(); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        TearDown();
        SetUp();
        Scramble(Settings());
        const std::string scrambled = Written(Settings());
        DataEntryForm->TitleEdit->SetText("Day scheme");
        std::vector<std::string> shown;
        const auto show = [&shown](TPrintSetupForm& f) { shown.push_back(Shown(f)); };
        // Changed and cancelled, then opened again with another title, then applied.
        Responder().ModalActions.push_back([&show](TForm& form) {
            auto& f = static_cast<TPrintSetupForm&>(form);
            show(f);
            f.TitleEdit->SetText("Night scheme");
            f.CheckBox1->SetChecked(false);
            f.CancelButton->Click();
        });
        row.open();
        EXPECT_EQ(Written(Settings()), scrambled);
        DataEntryForm->TitleEdit->SetText("Dusk scheme");
        Responder().ModalActions.push_back([&show](TForm& form) {
            auto& f = static_cast<TPrintSetupForm&>(form);
            show(f);
            f.ApplyButton->Click();
        });
        row.open();
        EXPECT_EQ(shown,
                  (std::vector<std::string>{"\"Day scheme\" xxxx---x-x 1", "\"Dusk scheme\" xxxx---x-x 1"}));
        // Every position bottom right as before, the title's among them, and its one line.
        EXPECT_EQ(Written(Settings()), "5 5 5 5 2 1 0 0 1 |Dusk scheme");
    }
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
