#include "tests/app/VisualEditor.h"
#include "tests/support/AnsiStringPrinter.h"

#include "framework/Exceptions.h"

#include <QComboBox>
#include <QTest>

#include <functional>
#include <initializer_list>
#include <vector>

namespace {

using VisualEditPages = VisualEditor;

// S1 from J2 into J0 (30 m), on to J1 through S0 (40 m), and an unused junction J3; S0 shown.
SimpleSewerNetwork& ShownNetwork() {
    FrontForm->ReplaceNetwork(std::make_unique<SimpleSewerNetwork>());
    SimpleSewerNetwork& network = *FrontForm->Network;
    network.AddSewerAt("S0", "J0", "J1", 0, 0, 40, 0);
    network.AddSewerAt("S1", "J2", "J0", -30, 0, 0, 0);
    network.SetJunction("J3", 12.5, -10, -10);
    network.SetSewerPopulation("S0", 2, 3, 150, 250, 100, 100);
    VisualEditForm->PickRadioGroup->SetItemIndex(0);
    VisualEditForm->SelectedSewer = network.Sewers[0];
    VisualEditForm->ShowSewer(network.Sewers[0]);
    return network;
}

TEST_F(VisualEditPages, ShowingASewerFillsThePageAndIsNoEdit) {
    const SimpleSewerNetwork& network = ShownNetwork();
    EXPECT_EQ(VisualEditForm->SewerNameTypedEdit->GetText(), "S0");
    EXPECT_EQ(VisualEditForm->LengthTypedEdit->GetText(), "40.00");
    EXPECT_EQ(VisualEditForm->USJunctionComboBox->GetText(), "J0");
    EXPECT_EQ(VisualEditForm->DSJunctionComboBox->GetText(), "J1");
    EXPECT_EQ(VisualEditForm->InitialInfiltrationTypedEdit->GetText(), "2.00");
    EXPECT_EQ(VisualEditForm->InitialPopTypedEdit->GetText(), "150");
    EXPECT_EQ(VisualEditForm->FinalPopTypedEdit->GetText(), "250");
    // Both lists show the network's junctions, from one list of names.
    QApplication::processEvents();
    const auto* us = static_cast<QComboBox*>(VisualEditForm->USJunctionComboBox->View());
    const auto* ds = static_cast<QComboBox*>(VisualEditForm->DSJunctionComboBox->View());
    EXPECT_EQ(us->count(), 4);
    EXPECT_EQ(us->model(), ds->model());
    EXPECT_FALSE(VisualEditForm->EditChanged);
    // Leaving a box without typing applies nothing.
    VisualEditForm->SewerEditExit(VisualEditForm->LengthTypedEdit);
    EXPECT_FALSE(DataEntryForm->NetworkChanged);
    EXPECT_EQ(network.Sewers[0]->Name, "S0");

    // The houses show the house counts, under their own labels.
    VisualEditForm->PopRadioGroup->SetItemIndex(0);
    EXPECT_EQ(VisualEditForm->InitPopLabel->GetCaption(), "Initial num. of houses");
    EXPECT_EQ(VisualEditForm->FinalPopLabel->GetCaption(), "Final num. of houses");
    EXPECT_EQ(VisualEditForm->InitialPopTypedEdit->GetText(), "0");
}

// One apply per row, from the shown S0, with what it leaves in the network.
TEST_F(VisualEditPages, TheSewerApplyChangesAllOrNothing) {
    const struct {
        const char* label;
        const char* name;
        std::string message;
        const char* stored;
    } rows[] = {
        {"its own name", "S0", "", "S0"},
        {"blanks around are trimmed", "  S7 ", "", "S7"},
        {"another sewer's name", " S1 ", "This sewer name already exists. Please choose another.", "S0"},
        {"empty", "   ", "You must enter a sewer name.", "S0"},
        {"a blank inside", "S 7", RefusedName("S 7"), "S0"},
        {"a leading #", "#S7", RefusedName("#S7"), "S0"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        SimpleSewerNetwork& network = ShownNetwork();
        DataEntryForm->NetworkChanged = false;
        Responder().Clear();
        VisualEditForm->SewerNameTypedEdit->SetText(row.name);
        VisualEditForm->InitialPopTypedEdit->SetText("175");
        VisualEditForm->SewerEditExit(VisualEditForm->SewerNameTypedEdit);
        const bool applied = row.message.empty();
        EXPECT_EQ(Asked(), applied ? Texts{} : Texts{MessageLine("Error", row.message, MB_OK)});
        EXPECT_EQ(network.Sewers[0]->Name, row.stored);
        EXPECT_EQ(network.Sewers[0]->Population.InitialPopulation, applied ? 175 : 150);
        EXPECT_EQ(DataEntryForm->NetworkChanged, applied);
        EXPECT_FALSE(VisualEditForm->EditChanged);
    }
}

// In houses, the persons per house come from the results window; the water use always does.
TEST_F(VisualEditPages, HousesTakeTheResultsWindowsPersonsPerHouse) {
    SimpleSewerNetwork& network = ShownNetwork();
    TableForm->InitialPeopleTypedEdit->SetText("3");
    TableForm->FinalLCDTypedEdit->SetText("140");
    VisualEditForm->PopRadioGroup->SetItemIndex(0);
    VisualEditForm->InitialPopTypedEdit->SetText("20");
    VisualEditForm->FinalPopTypedEdit->SetText("30");
    VisualEditForm->ApplySewerChangesButton->Click();
    const FlowCalc& population = network.Sewers[0]->Population;
    EXPECT_FALSE(population.PopulationEnteredDirectly);
    EXPECT_EQ(population.InitialNumberOfHouses, 20);
    EXPECT_EQ(population.FinalNumberOfHouses, 30);
    EXPECT_EQ(population.InitialHousePopulation, 3);
    EXPECT_EQ(population.FinalHousePopulation, 5);
    EXPECT_EQ(network.FinalLCD, 140);
    EXPECT_EQ(network.Sewers[0]->InitialInfiltration, 2);
}

// A results-window box that is no number stops the apply before anything changes.
TEST_F(VisualEditPages, ABoxThatIsNoNumberChangesNothing) {
    SimpleSewerNetwork& network = ShownNetwork();
    // A minus alone, as typing leaves it while the box still has the focus.
    TableForm->InitialLCDTypedEdit->SetWindowText("-");
    VisualEditForm->SewerNameTypedEdit->SetText("S7");
    VisualEditForm->LengthTypedEdit->SetText("12.00");
    EXPECT_THROW(VisualEditForm->ApplySewerChangesButtonClick(nullptr), EConvertError);
    EXPECT_EQ(network.Sewers[0]->Name, "S0");
    EXPECT_EQ(network.Sewers[0]->Length, 40);
    EXPECT_FALSE(DataEntryForm->NetworkChanged);
}

// A new choice in either list applies the sewer at once, with the other boxes as they stand.
TEST_F(VisualEditPages, AJunctionListChoiceAppliesAtOnce) {
    SimpleSewerNetwork& network = ShownNetwork();
    VisualEditForm->LengthTypedEdit->SetText("12.50");
    emit static_cast<QComboBox*>(VisualEditForm->USJunctionComboBox->View())->activated(3);
    EXPECT_EQ(network.Sewers[0]->USJunctionName, "J3");
    EXPECT_EQ(network.Sewers[0]->UpstreamNode, network.Junctions[3]);
    EXPECT_EQ(network.Sewers[0]->Length, 12.5);
    EXPECT_TRUE(DataEntryForm->NetworkChanged);

    // No choice in a list: nothing is applied.
    Responder().Clear();
    VisualEditForm->DSJunctionComboBox->SetItemIndex(-1);
    VisualEditForm->ApplySewerChangesButton->Click();
    EXPECT_EQ(Asked(), Texts{"Error: You must enter a D/S junction name. (0)"});
    EXPECT_EQ(network.Sewers[0]->DSJunctionName, "J1");
    EXPECT_EQ(network.Junctions.size(), 4u);
}

TEST_F(VisualEditPages, TheDropBoxAppliesOnItsMouseUp) {
    SimpleSewerNetwork& network = ShownNetwork();
    VisualEditForm->DSDropJunctionCheckBox->SetChecked(true);
    EXPECT_FALSE(network.Sewers[0]->DownstreamEnd->DropJunction);
    VisualEditForm->DSDropJunctionCheckBoxMouseUp(nullptr, mbLeft, {}, 4, 4);
    EXPECT_TRUE(network.Sewers[0]->DownstreamEnd->DropJunction);
    EXPECT_FALSE(network.Sewers[0]->UpstreamEnd->DropJunction);
}

// Mended: the box turned by Space was never applied.
TEST_F(VisualEditPages, TheDropBoxAppliesWhenTheUserTurnsIt) {
    SimpleSewerNetwork& network = ShownNetwork();
    VisualEditForm->View()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(VisualEditForm->View()));
    QWidget* box = VisualEditForm->DSDropJunctionCheckBox->View();
    const auto leave = [] {
        VisualEditForm->LengthTypedEdit->SetFocus();
        QApplication::processEvents();
    };
    const struct {
        const char* label;
        std::function<void()> act;
        bool drop;
        bool changed;
    } rows[] = {
        {"a click", [&] { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, 8)); }, true, true},
        {"space, then leaving the box",
         [&] {
             VisualEditForm->DSDropJunctionCheckBox->SetFocus();
             QApplication::processEvents();
             QTest::keyClick(box, Qt::Key_Space);
             leave();
         },
         false, true},
        {"a press taken off the box before the release",
         [&] {
             QTest::mousePress(box, Qt::LeftButton, {}, QPoint(6, 8));
             QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(600, 8));
             leave();
         },
         false, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        DataEntryForm->NetworkChanged = false;
        row.act();
        EXPECT_EQ(network.Sewers[0]->DownstreamEnd->DropJunction, row.drop);
        EXPECT_EQ(DataEntryForm->NetworkChanged, row.changed);
        EXPECT_FALSE(network.Sewers[0]->UpstreamEnd->DropJunction);
    }
    EXPECT_TRUE(Responder().Asked.empty());
}

TEST_F(VisualEditPages, TheJunctionApplyRenamesEverywhere) {
    SimpleSewerNetwork& network = ShownNetwork();
    VisualEditForm->SelectedJunction = network.Junctions[0];
    VisualEditForm->ShowJunction(network.Junctions[0]);
    EXPECT_EQ(VisualEditForm->GroundLevelTypedEdit->GetText(), "0.00");
    VisualEditForm->JunctionNameTypedEdit->SetText(" J2 ");
    VisualEditForm->JunctionEditExit(VisualEditForm->JunctionNameTypedEdit);
    EXPECT_EQ(Asked(), Texts{"Error: This junction name already exists. Please choose another. (0)"});
    EXPECT_FALSE(DataEntryForm->NetworkChanged);

    VisualEditForm->JunctionNameTypedEdit->SetText(" MH1 ");
    VisualEditForm->GroundLevelTypedEdit->SetText("31.25");
    VisualEditForm->ApplyJunctionChangesButton->Click();
    EXPECT_EQ(network.Junctions[0]->Name, "MH1");
    EXPECT_EQ(network.Junctions[0]->Z, 31.25);
    EXPECT_EQ(network.Sewers[0]->USJunctionName, "MH1");
    EXPECT_EQ(network.Sewers[1]->DSJunctionName, "MH1");
    EXPECT_TRUE(DataEntryForm->NetworkChanged);
    // The sewer page lists the new name.
    EXPECT_EQ(VisualEditForm->USJunctionComboBox->GetText(), "MH1");
}

// Without a selection, or with one deleted meanwhile, the pages do nothing.
TEST_F(VisualEditPages, NothingSelectedNothingApplied) {
    SimpleSewerNetwork& network = ShownNetwork();
    network.DeleteSewer("S0");
    VisualEditForm->SewerNameTypedEdit->SetText("S9");
    VisualEditForm->ApplySewerChangesButton->Click();
    VisualEditForm->DatumButton->Click();
    VisualEditForm->DeleteSewerButton->Click();
    VisualEditForm->ApplyJunctionChangesButton->Click();
    VisualEditForm->DeleteJunctionButton->Click();
    EXPECT_TRUE(Responder().Asked.empty());
    EXPECT_EQ(network.Sewers[0]->Name, "S1");
    EXPECT_EQ(network.Junctions.size(), 4u);
    EXPECT_FALSE(DataEntryForm->NetworkChanged);
}

TEST_F(VisualEditPages, DeletingASewerAsksFirst) {
    SimpleSewerNetwork& network = ShownNetwork();
    Responder().Answer(IDNO);
    VisualEditForm->DeleteSewerButton->Click();
    EXPECT_EQ(Asked(), Texts{"Warning: Do you really want to delete this sewer: \"S0\"? (36)"});
    EXPECT_EQ(network.Sewers.size(), 2u);
    EXPECT_FALSE(DataEntryForm->NetworkChanged);

    Responder().Answer(IDYES);
    VisualEditForm->DeleteSewerButton->Click();
    EXPECT_EQ(network.Sewers.size(), 1u);
    EXPECT_EQ(VisualEditForm->SelectedSewer, nullptr);
    EXPECT_EQ(network.Junctions.size(), 4u);
    EXPECT_TRUE(DataEntryForm->NetworkChanged);
}

// Mended: the sewer page went on showing the deleted sewer, and the junction page the deleted
// junction. S0 is picked near its middle, pixel (400, 150); J3 at pixel (100, 250).
TEST_F(VisualEditPages, DeletingEmptiesThePage) {
    const auto shown = [](std::initializer_list<TTypedEdit*> boxes) {
        Texts texts;
        for (const TTypedEdit* box : boxes)
            texts.push_back(box->GetText().str());
        return texts;
    };
    const TVisualEditForm& form = *VisualEditForm;
    const struct {
        const char* label;
        int pick;
        int x, y;
        TButton* TVisualEditForm::*button;
        std::function<Texts()> page;
        Texts before;
    } rows[] = {
        {"a sewer",
         0,
         400,
         150,
         &TVisualEditForm::DeleteSewerButton,
         [&] {
             Texts page =
                 shown({form.SewerNameTypedEdit, form.LengthTypedEdit, form.InitialInfiltrationTypedEdit,
                        form.FinalInfiltrationTypedEdit, form.InitialPopTypedEdit, form.FinalPopTypedEdit});
             page.push_back(form.USJunctionComboBox->GetText().str());
             page.push_back(form.DSJunctionComboBox->GetText().str());
             page.push_back(form.DSDropJunctionCheckBox->GetChecked() ? "drop" : "");
             return page;
         },
         {"S0", "40.00", "2.00", "3.00", "150", "250", "J0", "J1", ""}},
        {"a junction",
         1,
         100,
         250,
         &TVisualEditForm::DeleteJunctionButton,
         [&] {
             return shown({form.JunctionNameTypedEdit, form.GroundLevelTypedEdit});
         },
         {"J3", "12.50"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        ShownNetwork();
        UseView();
        VisualEditForm->PickRadioGroup->SetItemIndex(row.pick);
        Press(row.x, row.y);
        Release(row.x, row.y);
        EXPECT_EQ(row.page(), row.before);
        Responder().Clear();
        Responder().Answer(IDYES);
        (VisualEditForm->*row.button)->Click();
        const Texts empty(row.before.size());
        EXPECT_EQ(row.page(), empty);
        EXPECT_FALSE(VisualEditForm->EditChanged);
    }
}

// A junction in use is refused by the network's own message; an unused one goes.
TEST_F(VisualEditPages, DeletingAJunction) {
    SimpleSewerNetwork& network = ShownNetwork();
    VisualEditForm->SelectedJunction = network.Junctions[1];
    VisualEditForm->DeleteJunctionButton->Click();
    EXPECT_EQ(
        Asked(),
        Texts{"Error: This junction is in use by sewer S0. Delete the sewer first, then the junction. (0)"});
    EXPECT_EQ(network.Junctions.size(), 4u);
    EXPECT_FALSE(DataEntryForm->NetworkChanged);
    VisualEditForm->SelectedJunction = network.Junctions[3];
    VisualEditForm->VEditDelJunctPopupMenuItem->Click();
    EXPECT_EQ(network.Junctions.size(), 3u);
    EXPECT_EQ(VisualEditForm->SelectedJunction, nullptr);
    EXPECT_TRUE(DataEntryForm->NetworkChanged);
}

TEST_F(VisualEditPages, TheDatumButtonOpensTheDatumWindowForTheSewer) {
    SimpleSewerNetwork& network = ShownNetwork();
    network.SetSewerDatum("S0", true, false, 12.5);
    AnsiString sewer, junction, level;
    Responder().ModalActions.push_back([&](TForm&) {
        sewer = DatumForm->SewerNameEdit->GetText();
        junction = DatumForm->JunctionNameEdit->GetText();
        level = DatumForm->DatumTypedEdit->GetText();
        DatumForm->SetDatumCheckBox->SetChecked(false);
        DatumForm->ApplyButton->Click();
    });
    VisualEditForm->DatumButton->Click();
    EXPECT_EQ(sewer, "S0");
    EXPECT_EQ(junction, "J0");
    EXPECT_EQ(level, "12.50");
    EXPECT_FALSE(network.Sewers[0]->UpstreamEnd->DatumReference);
    EXPECT_TRUE(DataEntryForm->NetworkChanged);
}

// With the sweep on, the unused J3 goes before the check; each sub-network is listed.
TEST_F(VisualEditPages, TheCheckSweepsAndListsTheSubnets) {
    SimpleSewerNetwork& network = ShownNetwork();
    network.SetSewerDatum("S0", true, true, 0);
    network.SetJunction("J4", 0, 5, 5);
    network.SetJunction("J5", 0, 6, 6);
    VisualEditForm->CheckNetworkButton->Click();
    EXPECT_EQ(network.Junctions.size(), 3u);
    EXPECT_TRUE(DataEntryForm->NetworkChanged);
    EXPECT_EQ(Asked(), Texts{"Passed: Network passed check! (48)"});
    ASSERT_EQ(VisualEditForm->SubNetsComboBox->Items.Count(), 1);
    EXPECT_EQ(VisualEditForm->SubNetsComboBox->Items[0], "Subnet 0");
    EXPECT_EQ(VisualEditForm->SubNetsComboBox->GetItemIndex(), 0);

    // A drop at S1's end makes S1 a sub-network of its own, without a datum.
    Responder().Clear();
    DataEntryForm->NetworkChanged = false;
    FrontForm->DeleteUnusedJunctionsMenu->Click();
    network.SetJunction("J6", 0, 7, 7);
    network.Sewers[1]->DownstreamEnd->DropJunction = true;
    VisualEditForm->CheckNetworkButton->Click();
    EXPECT_EQ(network.Junctions.size(), 4u);
    EXPECT_FALSE(DataEntryForm->NetworkChanged);
    EXPECT_EQ(
        Asked(),
        (Texts{
            "Drenvala: Subnet: 1 has no datum junction set. (0)",
            "Error: You must correct the network specification before you can do any calculations. (48)"}));
    EXPECT_EQ(VisualEditForm->SubNetsComboBox->Items.Count(), 2);
    EXPECT_EQ(VisualEditForm->SubNetsComboBox->Items[1], "Subnet 1");

    // The highlight takes the chosen sub-net when the box or the list is touched.
    VisualEditForm->ShowSubNetsCheckBox->SetChecked(true);
    EXPECT_TRUE(VisualEditForm->ShowSubnet);
    EXPECT_EQ(VisualEditForm->SubnetIndex, 0);
    emit static_cast<QComboBox*>(VisualEditForm->SubNetsComboBox->View())->activated(1);
    EXPECT_EQ(VisualEditForm->SubnetIndex, 1);
}

} // namespace
