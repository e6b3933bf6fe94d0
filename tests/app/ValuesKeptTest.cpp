#include "framework/FileBytes.h"
#include "tests/app/DataEntryWindow.h"

#include <QRadioButton>

#include <functional>
#include <string>

namespace {

// The main window with a network read from its file: S0 in houses (20 and 30, infiltration 12.5
// and 7.25) from J0 at (0, 0), ground 101.255, to J1 at (1.3, 2.3), ground 100.125; its length
// is the file's 2.64197 (2.6419690 drawn), its fixed datum 101.255; water use 150.5 and 180.25.
// Every box shows some of these rounded: "2.64", "13", "7", "101.25", "100.13", "151", "180".
class ValuesKept : public DataEntryWindow {
protected:
    void SetUp() override {
        DataEntryWindow::SetUp();
        ReadKept();
    }

    // The file written afresh and read, the tabular editor docked.
    void ReadKept() {
        SimpleSewerNetwork network;
        network.AddSewerAt("S0", "J0", "J1", 0, 0, 1.3, 2.3);
        network.SetSewerHouses("S0", 12.5, 7.25, 20, 30, 4, 4, 150.5, 180.25);
        network.Junctions[0]->Z = 101.255;
        network.Junctions[1]->Z = 100.125;
        network.SetSewerDatum("S0", true, false, 101.255);
        ASSERT_EQ(network.WriteToFile(Path("kept.snt")), 0);
        Responder().Clear();
        Read(Path("kept.snt"));
        ASSERT_EQ(Asked(), Texts{});
        FrontForm->DataEntryShowButton->Click();
        QApplication::processEvents();
    }

    static SimpleSewerNetwork& Network() { return *FrontForm->Network; }
    static const Sewer& S0() { return *Network().Sewers.at(0); }

    // The visual editor docked, picking sewers (item 0) or junctions (item 1), with a click on
    // the world point (x, y).
    static void PickInVisualEditor(int item, double x, double y) {
        FrontForm->ShowVisulaEditorButton->Click();
        QApplication::processEvents();
        const auto radios = VisualEditForm->PickRadioGroup->View()->findChildren<QRadioButton*>();
        ASSERT_EQ(radios.size(), 2);
        QTest::mouseClick(radios[item], Qt::LeftButton);
        const QPoint at(static_cast<int>(VisualEditForm->WorldToScreenX(x)),
                        static_cast<int>(VisualEditForm->WorldToScreenY(y)));
        QTest::mouseClick(VisualEditForm->PaintBox->View(), Qt::LeftButton, {}, at);
        QApplication::processEvents();
    }

    // The focus moved on to next, as a click there would.
    static void LeaveFor(TTypedEdit* next) {
        next->SetFocus();
        QApplication::processEvents();
    }

    // The datum window opened by button and applied as it opened.
    static void ApplyDatumUnchanged(TButton* button) {
        Responder().ModalActions.push_back([](TForm&) { DatumForm->ApplyButton->Click(); });
        button->Click();
        EXPECT_TRUE(Responder().ModalActions.empty());
    }
};

// Mended: an apply wrote back every box, rounded to its decimals; a population typed made the
// length 2.64 and the water use 151 and 180, a renamed junction's ground level and an unchanged
// datum lost their last decimal, and the inverts moved by 5 mm.
TEST_F(ValuesKept, AnApplyWritesBackOnlyWhatWasTyped) {
    const struct {
        const char* label;
        std::function<void()> act;
        // The edit that was meant.
        std::function<void()> check;
    } rows[] = {
        {"houses typed in the tabular editor",
         [] {
             Type(DataEntryForm->InitialPopTypedEdit, "25");
             Leave();
         },
         [] { EXPECT_EQ(S0().Population.InitialNumberOfHouses, 25); }},
        {"a junction renamed in the tabular editor",
         [] {
             Highlight(DataEntryForm->JunctionListBox, "J0");
             Type(DataEntryForm->JunctionNameTypedEdit, "MH0");
             Leave();
         },
         [] { EXPECT_EQ(S0().USJunctionName, "MH0"); }},
        {"the datum applied unchanged from the tabular editor",
         [] { ApplyDatumUnchanged(DataEntryForm->DatumButton); }, [] {}},
        {"houses typed on the visual editor's sewer page",
         [] {
             PickInVisualEditor(0, 0.65, 1.15);
             Type(VisualEditForm->FinalPopTypedEdit, "35");
             LeaveFor(VisualEditForm->SewerNameTypedEdit);
         },
         [] { EXPECT_EQ(S0().Population.FinalNumberOfHouses, 35); }},
        {"a junction renamed on the visual editor's junction page",
         [] {
             PickInVisualEditor(1, 1.3, 2.3);
             Type(VisualEditForm->JunctionNameTypedEdit, "MH1");
             LeaveFor(VisualEditForm->GroundLevelTypedEdit);
         },
         [] { EXPECT_EQ(S0().DSJunctionName, "MH1"); }},
        {"the datum applied unchanged from the visual editor",
         [] {
             PickInVisualEditor(0, 0.65, 1.15);
             ApplyDatumUnchanged(VisualEditForm->DatumButton);
         },
         [] {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        ReadKept();
        EXPECT_EQ(DataEntryForm->LengthTypedEdit->GetText(), "2.64");
        row.act();
        EXPECT_EQ(Asked(), Texts{});
        EXPECT_TRUE(DataEntryForm->NetworkChanged);
        row.check();
        EXPECT_EQ(S0().Length, 2.64197);
        EXPECT_EQ(S0().InitialInfiltration, 12.5);
        EXPECT_EQ(S0().FinalInfiltration, 7.25);
        EXPECT_EQ(Network().Junctions[0]->Z, 101.255);
        EXPECT_EQ(Network().Junctions[1]->Z, 100.125);
        EXPECT_EQ(S0().UpstreamEnd->DatumLevel, 101.255);
        EXPECT_EQ(Network().InitialLCD, 150.5);
        EXPECT_EQ(Network().FinalLCD, 180.25);
        // The inverts start from the datum as the file has it.
        FrontForm->ShowTableFormButton->Click();
        EXPECT_EQ(Asked(), Texts{});
        EXPECT_EQ(TableForm->DataGrid1->GetCellEx(TableForm->USInvertColumn, 1), "101.255");
    }
}

// Mended: Options > Remove highlights dropped the selection without leaving the box being typed
// in, so the typed length was never applied, and the page went on showing it for no sewer.
TEST_F(ValuesKept, RemoveHighlightsAppliesTheBoxBeingTypedInFirst) {
    PickInVisualEditor(0, 0.65, 1.15);
    DataEntryForm->NetworkChanged = false;
    Type(VisualEditForm->LengthTypedEdit, "55");
    ASSERT_TRUE(VisualEditForm->LengthTypedEdit->Focused());
    FrontForm->Removehighlights1->Click();
    QApplication::processEvents();
    EXPECT_EQ(S0().Length, 55);
    EXPECT_TRUE(DataEntryForm->NetworkChanged);
    EXPECT_EQ(VisualEditForm->SelectedSewer, nullptr);
    // The page shows no sewer, as none is selected.
    EXPECT_EQ(VisualEditForm->SewerNameTypedEdit->GetText(), "");
    EXPECT_EQ(VisualEditForm->LengthTypedEdit->GetText(), "");
    EXPECT_EQ(Asked(), Texts{});
}

// Mended: the network cleared or read, or the shown junction swept away by Check Network, the
// pages went on showing what was no longer selected, and what was typed there was dropped.
TEST_F(ValuesKept, ThePagesShowNothingOnceTheirItemIsGone) {
    const auto clickAt = [](Qt::MouseButton button, double x, double y) {
        const QPoint at(static_cast<int>(VisualEditForm->WorldToScreenX(x)),
                        static_cast<int>(VisualEditForm->WorldToScreenY(y)));
        QTest::mouseClick(VisualEditForm->PaintBox->View(), button, {}, at);
        QApplication::processEvents();
    };
    const struct {
        const char* label;
        // 0 the sewer page, 1 the junction page.
        int page;
        std::function<void()> act;
    } rows[] = {
        {"Clear Network", 0, [] { FrontForm->ClearNetwork1->Click(); }},
        {"Read Network", 1, [this] { Read(Path("kept.snt")); }},
        {"an unused junction swept by Check Network", 1,
         [&] {
             // J2 added at (1.3, 0) and shown, then swept as no sewer uses it.
             Responder().MenuChoices.push_back("Add Junction");
             clickAt(Qt::RightButton, 1.3, 0);
             clickAt(Qt::LeftButton, 1.3, 0);
             ASSERT_EQ(VisualEditForm->JunctionNameTypedEdit->GetText(), "J2");
             VisualEditForm->CheckNetworkButton->Click();
             ASSERT_EQ(Network().JunctionIndex("J2"), -1);
         }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        ReadKept();
        PickInVisualEditor(row.page, 0.65, 1.15);
        row.act();
        QApplication::processEvents();
        TTypedEdit* name =
            row.page == 0 ? VisualEditForm->SewerNameTypedEdit : VisualEditForm->JunctionNameTypedEdit;
        TTypedEdit* number =
            row.page == 0 ? VisualEditForm->LengthTypedEdit : VisualEditForm->GroundLevelTypedEdit;
        EXPECT_EQ(name->GetText(), "");
        EXPECT_EQ(number->GetText(), "");
    }
}

// Mended: a setting typed into the results window marked nothing and was not saved, so the file
// kept Manning's n 0.0130 and quitting offered no save.
TEST_F(ValuesKept, ASettingTypedInTheResultsWindowIsSaved) {
    const std::string quitSave = MessageLine(
        "Network Changed", "The network has been changed, do you want to save it before you quit?",
        MB_YESNO | MB_ICONQUESTION);
    const std::string quit =
        MessageLine("Really Quit", "Do you really want to quit?", MB_YESNO | MB_ICONQUESTION);
    const std::string typedN = "  0.0150 <= ManningN";
    const std::string fileN = "  0.0130 <= ManningN";
    const struct {
        const char* label;
        std::function<void()> edit;
        std::function<void()> save;
        Texts asked;
        // Lines the file holds after the save.
        Texts lines;
    } rows[] = {
        {"Manning's n typed, Save Network",
         [] { Type(TableForm->nTypedEdit, "0.015"); },
         [] { FrontForm->SaveNetwork1->Click(); },
         {},
         {typedN}},
        {"Manning's n typed, quit, saved",
         [] { Type(TableForm->nTypedEdit, "0.015"); },
         [this] {
             Responder().Answer(IDYES);
             Responder().AnswerFile(Path("kept.snt"));
             Responder().Answer(IDNO);
             bool mayClose = true;
             FrontForm->FormCloseQuery(FrontForm, mayClose);
             EXPECT_FALSE(mayClose);
         },
         {quitSave, quit},
         {typedN}},
        {"ground slope limiting turned off, Save Network",
         [] { QTest::mouseClick(TableForm->GroundSlopeCheckBox->View(), Qt::LeftButton, {}, QPoint(6, 8)); },
         [] { FrontForm->SaveNetwork1->Click(); },
         {},
         {fileN, "0 <= Use GroundSlopeLimiting"}},
        // Saved, the box stands for the saved 0.015: typed again as it shows it, nothing changed.
        {"Manning's n typed, saved, typed again as saved, quit",
         [] {
             Type(TableForm->nTypedEdit, "0.015");
             FrontForm->SaveNetwork1->Click();
             Type(TableForm->nTypedEdit, "0.0150");
             LeaveFor(TableForm->peakTypedEdit);
         },
         [] {
             Responder().Answer(IDNO);
             bool mayClose = true;
             FrontForm->FormCloseQuery(FrontForm, mayClose);
         },
         {quit},
         {typedN}},
        // Typed as the box showed it, the water use stands for the file's 150.5 still.
        {"water use typed as shown, Save Network",
         [] { Type(TableForm->InitialLCDTypedEdit, "151"); },
         [] { FrontForm->SaveNetwork1->Click(); },
         {},
         {fileN}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        ReadKept();
        FrontForm->ShowTableFormButton->Click();
        ASSERT_EQ(Asked(), Texts{});
        // The design copies the settings into the network, as they were read.
        ASSERT_FALSE(DataEntryForm->NetworkChanged);
        row.edit();
        row.save();
        EXPECT_EQ(Asked(), row.asked);
        EXPECT_FALSE(DataEntryForm->NetworkChanged);
        std::string file;
        ASSERT_TRUE(ReadFileBytes(Path("kept.snt"), file));
        for (const std::string& line : row.lines)
            EXPECT_NE(file.find(line + "\n"), std::string::npos) << line;
        // The settings not touched keep the file's values, not the boxes' "151" and "180".
        EXPECT_NE(file.find("150.5000 <= InitialLCD\n"), std::string::npos);
        EXPECT_NE(file.find("180.2500 <= FinalLCD\n"), std::string::npos);
    }
}

// Mended: with another window active the box typed in kept the window's focus unseen by the main
// window, which, closed from outside, offered no save, and the value was lost.
TEST_F(ValuesKept, ClosedWhileAnotherWindowIsActiveTheTypedBoxIsLeftFirst) {
    const struct {
        const char* label;
        std::function<void()> type;
        // The line the saved file holds.
        std::string line;
    } rows[] = {
        {"Manning's n in the results window",
         [] {
             FrontForm->ShowTableFormButton->Click();
             Type(TableForm->nTypedEdit, "0.015");
         },
         "  0.0150 <= ManningN"},
        {"a length in the tabular editor", [] { Type(DataEntryForm->LengthTypedEdit, "3"); },
         "   3.00000 <= length "},
        {"a length on the visual editor's page",
         [] {
             PickInVisualEditor(0, 0.65, 1.15);
             Type(VisualEditForm->LengthTypedEdit, "3");
         },
         "   3.00000 <= length "},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        ReadKept();
        Responder().Clear();
        row.type();
        TForm other(nullptr);
        other.Show();
        other.View()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(other.View()));
        Responder().Answer(IDYES);
        Responder().AnswerFile(Path("kept.snt"));
        Responder().Answer(IDNO);
        bool mayClose = true;
        FrontForm->FormCloseQuery(FrontForm, mayClose);
        EXPECT_EQ(
            Asked(),
            (Texts{MessageLine("Network Changed",
                               "The network has been changed, do you want to save it before you quit?",
                               MB_YESNO | MB_ICONQUESTION),
                   MessageLine("Really Quit", "Do you really want to quit?", MB_YESNO | MB_ICONQUESTION)}));
        std::string file;
        ASSERT_TRUE(ReadFileBytes(Path("kept.snt"), file));
        EXPECT_NE(file.find(row.line + "\n"), std::string::npos) << row.line;
    }
}

} // namespace

namespace {

// Mended: after Clear Network the results window went on showing the settings of the network
// read, "151" and "180", while a save wrote the fresh network's 100 l/cap/day for both.
TEST_F(ValuesKept, ASaveAfterClearNetworkWritesTheSettingsTheWindowShows) {
    const struct {
        const char* label;
        std::function<void()> after;
        // The lines the saved file holds.
        Texts lines;
    } rows[] = {
        {"saved once cleared",
         [] {},
         {"151.0000 <= InitialLCD", "180.0000 <= FinalLCD", "  0.0130 <= ManningN"}},
        // The file's own settings shown again, and saved as the file has them.
        {"read again, then saved",
         [this] { Read(Path("kept.snt")); },
         {"150.5000 <= InitialLCD", "180.2500 <= FinalLCD", "  0.0130 <= ManningN"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        ReadKept();
        FrontForm->ShowTableFormButton->Click();
        DataEntryForm->NetworkChanged = true;
        Responder().Answer(IDNO);
        FrontForm->ClearNetwork1->Action()->trigger();
        ASSERT_EQ(TableForm->InitialLCDTypedEdit->GetText(), "151");
        ASSERT_EQ(TableForm->FinalLCDTypedEdit->GetText(), "180");
        row.after();
        Responder().AnswerFile(Path("saved.snt"));
        FrontForm->Save1->Action()->trigger();
        std::string file;
        ASSERT_TRUE(ReadFileBytes(Path("saved.snt"), file));
        for (const std::string& line : row.lines)
            EXPECT_NE(file.find(line + "\n"), std::string::npos) << line;
        EXPECT_EQ(TableForm->InitialLCDTypedEdit->GetText(), "151");
    }
}

} // namespace
