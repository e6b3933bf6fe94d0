#include "tests/app/DataEntryWindow.h"

#include <QFocusEvent>
#include <QPointer>
#include <QRadioButton>

#include <functional>

namespace {

class DataEntryApply : public DataEntryWindow {
protected:
    // S1 from J1 to J2 and S2 from J2 to J3, S2 highlighted.
    void SetUp() override {
        DataEntryWindow::SetUp();
        auto network = std::make_unique<SimpleSewerNetwork>();
        network->AddSewer("S1", "J1", "J2", 20);
        network->AddSewer("S2", "J2", "J3", 30);
        network->SetSewerPopulation("S2", 5, 6, 100, 150, 100, 100);
        Use(std::move(network));
        ClickItem(DataEntryForm->SewerListBox, 1);
        Responder().Clear();
    }

    // Afresh, for the next row of a table.
    void Restart() {
        TearDown();
        SetUp();
    }

    // Types into box and leaves it; the messages asked must be asked, and the network changed
    // only when it may be.
    static void TypeAndLeave(TTypedEdit* box, const char* typed, const Texts& asked, bool changes) {
        const std::string before = Snapshot(*FrontForm->Network);
        Type(box, typed);
        Leave();
        EXPECT_EQ(Asked(), asked);
        EXPECT_EQ(DataEntryForm->NetworkChanged, changes);
        if (!changes) {
            EXPECT_EQ(Snapshot(*FrontForm->Network), before);
        }
    }

    static const Sewer& S(int index) {
        return *FrontForm->Network->Sewers.at(static_cast<std::size_t>(index));
    }
};

const std::string Duplicate = "Error: This sewer name already exists. Please choose another. (48)";

std::string Refused(const std::string& name) {
    return "Error: " + RefusedName(name) + " (48)";
}

// A sewer box left applies to S2, a junction box to J2, all or nothing.
TEST_F(DataEntryApply, ABoxLeftAppliesAllOrNothing) {
    using Box = TTypedEdit* TDataEntryForm::*;
    const Box name = &TDataEntryForm::SewerNameTypedEdit;
    const Box us = &TDataEntryForm::USJunctionTypedEdit;
    const Box ds = &TDataEntryForm::DSJunctionTypedEdit;
    const Box junction = &TDataEntryForm::JunctionNameTypedEdit;
    const std::string noName = "Error: You must enter a sewer name. (48)";
    const struct {
        const char* label;
        Box box;
        const char* typed;
        Texts asked;
        // The sewers, S1's D/S junction, S2's U/S and D/S junctions, then the junctions; empty when
        // nothing may change.
        Texts network;
    } rows[] = {
        {"a new name", name, "S9", {}, {"S1", "S9", "J2", "J2", "J3", "J1", "J2", "J3"}},
        {"blanks around a name", name, "  S9  ", {}, {"S1", "S9", "J2", "J2", "J3", "J1", "J2", "J3"}},
        {"its own name", name, "S2 ", {}, {"S1", "S2", "J2", "J2", "J3", "J1", "J2", "J3"}},
        {"another sewer's name", name, "S1", {Duplicate}, {}},
        {"another sewer's name with blanks", name, " S1", {Duplicate}, {}},
        {"no name", name, "", {noName}, {}},
        {"blanks only", name, "   ", {noName}, {}},
        {"a blank inside", name, "S 9", {Refused("S 9")}, {}},
        {"a name beginning with #", name, "#S9", {Refused("#S9")}, {}},
        {"a new U/S junction", us, "J7", {}, {"S1", "S2", "J2", "J7", "J3", "J1", "J2", "J3", "J7"}},
        // "J1 " would have been a second junction J1, saved as J1 and refused when read.
        {"an existing U/S junction with a blank",
         us,
         "J1 ",
         {},
         {"S1", "S2", "J2", "J1", "J3", "J1", "J2", "J3"}},
        {"no U/S junction", us, "", {"Error: You must enter a U/S junction name. (48)"}, {}},
        {"a U/S junction holding a blank", us, "J 1", {Refused("J 1")}, {}},
        {"no D/S junction", ds, " ", {"Error: You must enter a D/S junction name. (48)"}, {}},
        {"a D/S junction beginning with #", ds, "#J", {Refused("#J")}, {}},
        {"a population too large for a whole number",
         &TDataEntryForm::InitialPopTypedEdit,
         "99999999999",
         {"Drenvala: '99999999999' is not a valid integer value (16)"},
         {}},
        {"a new junction name", junction, " J5 ", {}, {"S1", "S2", "J5", "J5", "J3", "J1", "J5", "J3"}},
        {"another junction's name",
         junction,
         "J1",
         {"Error: This junction name already exists. Please choose another. (48)"},
         {}},
        {"no junction name", junction, "", {"Error: You must enter a junction name. (48)"}, {}},
        {"a junction name with a blank inside", junction, "J 5", {Refused("J 5")}, {}},
        {"a ground level",
         &TDataEntryForm::GroundLevelTypedEdit,
         "101.5",
         {},
         {"S1", "S2", "J2", "J2", "J3", "J1", "J2", "J3"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        Restart();
        const bool junctionBox = row.box == junction || row.box == &TDataEntryForm::GroundLevelTypedEdit;
        if (junctionBox)
            ClickItem(DataEntryForm->JunctionListBox, 1);
        TypeAndLeave(DataEntryForm->*row.box, row.typed, row.asked, !row.network.empty());
        if (row.network.empty())
            continue;
        Texts network = Names(DataEntryForm->SewerListBox);
        for (const AnsiString& end : {S(0).DSJunctionName, S(1).USJunctionName, S(1).DSJunctionName})
            network.push_back(end.str());
        for (const std::string& j : Names(DataEntryForm->JunctionListBox))
            network.push_back(j);
        EXPECT_EQ(network, row.network);
        // The highlight stays on the item applied.
        EXPECT_EQ(
            (junctionBox ? DataEntryForm->JunctionListBox : DataEntryForm->SewerListBox)->GetItemIndex(), 1);
        EXPECT_EQ(DataEntryForm->SewerNameTypedEdit->GetText(), S(1).Name);
    }
    EXPECT_DOUBLE_EQ(FrontForm->Network->Junctions.at(1)->Z, 101.5);
}

// Mended: a refused name stayed in its box beside the list's old one, and the ground level box,
// which the user had not touched, turned red when the Tab key moved on to it.
TEST_F(DataEntryApply, ARefusedJunctionNameLeavesTheBoxesShowingTheJunction) {
    const struct {
        const char* label;
        const char* typed;
        std::string told;
    } rows[] = {
        {"another junction's name", "J1",
         "Error: This junction name already exists. Please choose another. (48)"},
        {"no name", "", "Error: You must enter a junction name. (48)"},
        {"a blank inside", "M 3", Refused("M 3")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        Restart();
        FrontForm->Network->SetJunctionLevel("J2", 12.5);
        ClickItem(DataEntryForm->JunctionListBox, 1);
        Responder().Clear();
        Type(DataEntryForm->JunctionNameTypedEdit, row.typed);
        QTest::keyClick(DataEntryForm->JunctionNameTypedEdit->View(), Qt::Key_Tab);
        QApplication::processEvents();
        EXPECT_EQ(Asked(), Texts{row.told});
        EXPECT_EQ(Names(DataEntryForm->JunctionListBox), (Texts{"J1", "J2", "J3"}));
        EXPECT_EQ(DataEntryForm->JunctionListBox->GetItemIndex(), 1);
        EXPECT_EQ(DataEntryForm->JunctionNameTypedEdit->Font.Color, clWindowText);
        EXPECT_EQ(DataEntryForm->GroundLevelTypedEdit->Font.Color, clWindowText);
        EXPECT_EQ(DataEntryForm->JunctionNameTypedEdit->GetText(), "J2");
        EXPECT_EQ(DataEntryForm->GroundLevelTypedEdit->GetText(), "12.50");
    }
}

// Answers as the scripted responder does, moving the focus as a message box shown by a window
// manager moves it: its window, made active, takes the focus from the application's focus widget
// and gives it back as it closes.
class ActivatingResponder : public ScriptedResponder {
public:
    ActivatingResponder() { SetDialogResponder(this); }
    ~ActivatingResponder() override { SetDialogResponder(&Responder()); }
    ActivatingResponder(const ActivatingResponder&) = delete;
    ActivatingResponder& operator=(const ActivatingResponder&) = delete;

    int MessageBox(const MessageRequest& request) override {
        const QPointer<QWidget> focused = QApplication::focusWidget();
        QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
        if (focused)
            QApplication::sendEvent(focused, &out);
        if (WhileShown)
            WhileShown();
        const int answer = ScriptedResponder::MessageBox(request);
        QFocusEvent in(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
        if (focused)
            QApplication::sendEvent(focused, &in);
        return answer;
    }

    std::function<void()> WhileShown;
};

// Mended: Tab from a refused junction name makes the ground level box Qt's focus widget before
// telling it so; the message shown meanwhile took the focus from it, and the box, never entered,
// ran its leaving steps: marked modified and red while the message was on screen.
TEST_F(DataEntryApply, AMessageOnLeavingANameLeavesTheNextBoxAsItWas) {
    FrontForm->Network->SetJunctionLevel("J2", 12.5);
    ClickItem(DataEntryForm->JunctionListBox, 1);
    TTypedEdit* ground = DataEntryForm->GroundLevelTypedEdit;
    ActivatingResponder responder;
    int shown = 0;
    responder.WhileShown = [&] {
        ++shown;
        EXPECT_EQ(QApplication::focusWidget(), ground->View());
        EXPECT_EQ(ground->Font.Color, clWindowText);
        EXPECT_FALSE(ground->GetModified());
        EXPECT_EQ(ground->GetText(), "12.50");
    };
    Type(DataEntryForm->JunctionNameTypedEdit, "J1");
    QTest::keyClick(DataEntryForm->JunctionNameTypedEdit->View(), Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(ground->Focused());
    EXPECT_EQ(ground->GetColor(), ground->FocusColor);
    EXPECT_EQ(ground->Font.Color, clWindowText);
    EXPECT_EQ(ground->GetText(), "12.50");
    EXPECT_EQ(DataEntryForm->JunctionNameTypedEdit->GetText(), "J2");
    // The box was not touched: leaving it changes nothing.
    Leave();
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(DataEntryForm->NetworkChanged);
}

// Infiltration typed with its decimals is stored as typed and shown with two, as a value from a
// file is: 12.5, never 125.
TEST_F(DataEntryApply, InfiltrationKeepsItsTypedDecimals) {
    Type(DataEntryForm->InitialInfiltrationTypedEdit, "7.25");
    Leave();
    Type(DataEntryForm->FinalInfiltrationTypedEdit, "12.5");
    Leave();
    EXPECT_EQ(Asked(), Texts{});
    EXPECT_EQ(S(1).InitialInfiltration, 7.25);
    EXPECT_EQ(S(1).FinalInfiltration, 12.5);
    EXPECT_EQ(DataEntryForm->InitialInfiltrationTypedEdit->GetText(), "7.25");
    EXPECT_EQ(DataEntryForm->FinalInfiltrationTypedEdit->GetText(), "12.50");
    // A value of the file's shows the same way.
    FrontForm->Network->SetSewerPopulation("S1", 0.5, 12.5, 10, 10, 100, 100);
    ClickItem(DataEntryForm->SewerListBox, 0);
    EXPECT_EQ(DataEntryForm->InitialInfiltrationTypedEdit->GetText(), "0.50");
    EXPECT_EQ(DataEntryForm->FinalInfiltrationTypedEdit->GetText(), "12.50");
}

TEST_F(DataEntryApply, ARenameAndAPopulationInOneApplyReachTheRenamedSewer) {
    Type(DataEntryForm->SewerNameTypedEdit, "S9");
    DataEntryForm->InitialPopTypedEdit->SetText("250");
    DataEntryForm->FinalPopTypedEdit->SetText("300");
    DataEntryForm->LengthTypedEdit->SetText("45.5");
    Leave();
    EXPECT_EQ(S(1).Name, "S9");
    EXPECT_TRUE(S(1).Population.PopulationEnteredDirectly);
    EXPECT_EQ(S(1).Population.InitialPopulation, 250);
    EXPECT_EQ(S(1).Population.FinalPopulation, 300);
    EXPECT_DOUBLE_EQ(S(1).Length, 45.5);
}

TEST_F(DataEntryApply, ANumberThatIsNoneStopsTheApplyBeforeTheRename) {
    const std::string before = Snapshot(*FrontForm->Network);
    Type(DataEntryForm->SewerNameTypedEdit, "S9");
    // The results window's persons per house, read with the rest.
    TableForm->FinalPeopleTypedEdit->SetWindowText("");
    Leave();
    EXPECT_EQ(Asked(), Texts{"Drenvala: '' is not a valid integer value (16)"});
    EXPECT_EQ(Snapshot(*FrontForm->Network), before);
    EXPECT_FALSE(DataEntryForm->NetworkChanged);
}

TEST_F(DataEntryApply, HousesTakeThePersonsPerHouseAndWaterUseFromTheResultsWindow) {
    TableForm->InitialPeopleTypedEdit->SetText("3");
    TableForm->FinalPeopleTypedEdit->SetText("6");
    TableForm->InitialLCDTypedEdit->SetText("80");
    TableForm->FinalLCDTypedEdit->SetText("90");
    const auto radios = DataEntryForm->PopRadioGroup->View()->findChildren<QRadioButton*>();
    ASSERT_EQ(radios.size(), 2);
    QTest::mouseClick(radios[0], Qt::LeftButton);
    EXPECT_EQ(DataEntryForm->InitPopLabel->GetCaption(), "Initial num. of houses");
    EXPECT_EQ(DataEntryForm->FinalPopLabel->GetCaption(), "Final num. of houses");
    Type(DataEntryForm->InitialPopTypedEdit, "12");
    Type(DataEntryForm->FinalPopTypedEdit, "15");
    Leave();
    const FlowCalc& population = S(1).Population;
    EXPECT_FALSE(population.PopulationEnteredDirectly);
    EXPECT_EQ(population.InitialNumberOfHouses, 12);
    EXPECT_EQ(population.FinalNumberOfHouses, 15);
    EXPECT_EQ(population.InitialHousePopulation, 3);
    EXPECT_EQ(population.FinalHousePopulation, 6);
    // The population entered before stays beside the houses.
    EXPECT_EQ(population.InitialPopulation, 100);
    EXPECT_DOUBLE_EQ(FrontForm->Network->InitialLCD, 80);
    EXPECT_DOUBLE_EQ(FrontForm->Network->FinalLCD, 90);

    QTest::mouseClick(radios[1], Qt::LeftButton);
    EXPECT_EQ(DataEntryForm->InitialPopTypedEdit->GetText(), "100");
    Leave();
    EXPECT_TRUE(S(1).Population.PopulationEnteredDirectly);
}

TEST_F(DataEntryApply, TheDropBoxAppliesWhenTheUserTurnsIt) {
    QTest::mouseClick(DataEntryForm->DSDropJunctionCheckBox->View(), Qt::LeftButton, {}, QPoint(6, 8));
    EXPECT_TRUE(S(1).DownstreamEnd->DropJunction);
    EXPECT_TRUE(DataEntryForm->NetworkChanged);

    DataEntryForm->NetworkChanged = false;
    DataEntryForm->DSDropJunctionCheckBox->SetFocus();
    QApplication::processEvents();
    QTest::keyClick(DataEntryForm->DSDropJunctionCheckBox->View(), Qt::Key_Space);
    Leave();
    EXPECT_FALSE(S(1).DownstreamEnd->DropJunction);
    EXPECT_TRUE(DataEntryForm->NetworkChanged);

    // A press taken off the box before the release turns nothing.
    DataEntryForm->NetworkChanged = false;
    QTest::mousePress(DataEntryForm->DSDropJunctionCheckBox->View(), Qt::LeftButton, {}, QPoint(6, 8));
    QTest::mouseRelease(DataEntryForm->DSDropJunctionCheckBox->View(), Qt::LeftButton, {}, QPoint(600, 8));
    DataEntryForm->PopRadioGroup->SetFocus();
    Leave();
    EXPECT_FALSE(S(1).DownstreamEnd->DropJunction);
    EXPECT_FALSE(DataEntryForm->NetworkChanged);
}

TEST_F(DataEntryApply, EveryEditSetsTheChangedFlagAndNothingElseDoes) {
    const auto datum = [](bool apply) {
        Responder().ModalActions.push_back([apply](TForm&) {
            if (!apply) {
                DatumForm->CloseButton->Click();
                return;
            }
            DatumForm->SetDatumCheckBox->SetChecked(true);
            DatumForm->ApplyButton->Click();
        });
        DataEntryForm->DatumButton->Click();
    };
    const struct {
        const char* label;
        std::function<void()> act;
        bool changed;
    } rows[] = {
        {"Add Sewer", [] { RightClick(DataEntryForm->SewerListBox, 0, "Add Sewer"); }, true},
        {"Add junction", [] { RightClick(DataEntryForm->JunctionListBox, 0, "Add junction"); }, true},
        {"Delete Sewer answered Yes",
         [] {
             Responder().Answer(IDYES);
             RightClick(DataEntryForm->SewerListBox, 1, "Delete Sewer");
         },
         true},
        {"Delete junction unused",
         [] {
             FrontForm->Network->SetJunctionLevel("J9", 0);
             DataEntryForm->RefreshJunctionList();
             ClickItem(DataEntryForm->JunctionListBox, 3);
             RightClick(DataEntryForm->JunctionListBox, 3, "Delete junction");
         },
         true},
        {"a sewer apply", [] { DataEntryForm->ApplySewerChangeButton->Click(); }, true},
        {"a junction apply", [] { DataEntryForm->ApplyJunctionChangesButton->Click(); }, true},
        {"the sweep of Check Network",
         [] {
             FrontForm->Network->SetJunctionLevel("J9", 0);
             DataEntryForm->CheckNetworkButton->Click();
         },
         true},
        {"Check Network with nothing to sweep", [] { DataEntryForm->CheckNetworkButton->Click(); }, false},
        {"the datum window applied", [&datum] { datum(true); }, true},
        {"the datum window cancelled", [&datum] { datum(false); }, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        Restart();
        row.act();
        QApplication::processEvents();
        EXPECT_EQ(DataEntryForm->NetworkChanged, row.changed);
    }
}

TEST_F(DataEntryApply, CheckNetworkSweepsUnusedJunctionsFirstWhenTheOptionIsOn) {
    const struct {
        const char* label;
        bool sweep, datum;
        Texts junctions;
        Texts asked;
    } rows[] = {
        {"swept, with a datum", true, true, {"J1", "J2", "J3"}, {"Passed: Network passed check! (48)"}},
        {"swept, without a datum",
         true,
         false,
         {"J1", "J2", "J3"},
         {"Drenvala: Subnet: 0 has no datum junction set. (0)",
          "Error: You must correct the network specification before you can do any calculations. (48)"}},
        {"not swept",
         false,
         true,
         {"J_up", "J_down", "J1", "J2", "J3", "J_spare"},
         {"Passed: Network passed check! (48)"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        Restart();
        // Two sewers added through the editor, then moved onto other junctions: the editor's own
        // junctions are left unused, among the used ones.
        SimpleSewerNetwork& network = *FrontForm->Network;
        network.FreeLists();
        network.AddSewer("S0", "J_up", "J_down", 10);
        network.SetJunctionLevel("J1", 0);
        network.SetJunctionLevel("J2", 0);
        network.EditSewer("S0", "S0", "J1", false, "J2", false, 10);
        network.SetJunctionLevel("J_down", 0);
        network.AddSewer("S1", "J2", "J3", 10);
        network.SetJunctionLevel("J_spare", 0);
        network.SetSewerDatum("S0", row.datum, true, 0);
        DataEntryForm->RefreshLists();
        FrontForm->DeleteUnusedJunctionsMenu->SetChecked(row.sweep);
        Responder().Clear();
        DataEntryForm->CheckNetworkButton->Click();
        EXPECT_EQ(Names(DataEntryForm->JunctionListBox), row.junctions);
        EXPECT_EQ(Asked(), row.asked);
    }
}

TEST_F(DataEntryApply, TheDatumButtonOpensTheDatumOfTheSewerShown) {
    Responder().ModalActions.push_back([](TForm&) {
        EXPECT_EQ(DatumForm->SewerNameEdit->GetText(), "S2");
        EXPECT_EQ(DatumForm->JunctionNameEdit->GetText(), "J2");
        DatumForm->SetDatumCheckBox->SetChecked(true);
        DatumForm->ApplyButton->Click();
    });
    DataEntryForm->DatumButton->Click();
    EXPECT_TRUE(S(1).UpstreamEnd->DatumReference);

    // The name box left holding another sewer's name, refused: the datum window stays shut.
    Type(DataEntryForm->SewerNameTypedEdit, "S1");
    Responder().ModalActions.push_back([](TForm&) { ADD_FAILURE() << "the datum window opened"; });
    DataEntryForm->DatumButton->Click();
    EXPECT_EQ(Responder().ModalActions.size(), 1u);
}

// Answers every message by trying the apply again, as a focus change under a message box could.
class ReenteringResponder : public ScriptedResponder {
public:
    int MessageBox(const MessageRequest& request) override {
        const int answer = ScriptedResponder::MessageBox(request);
        DataEntryForm->ApplySewerChangeButtonClick(nullptr);
        return answer;
    }
};

TEST_F(DataEntryApply, AMessageShownByAnApplyStartsNoOtherApply) {
    ReenteringResponder reentering;
    SetDialogResponder(&reentering);
    Type(DataEntryForm->SewerNameTypedEdit, "S1");
    Leave();
    SetDialogResponder(&Responder());
    ASSERT_EQ(reentering.Asked.size(), 1u);
    EXPECT_EQ(reentering.Asked[0].Text, "This sewer name already exists. Please choose another.");
}

} // namespace
