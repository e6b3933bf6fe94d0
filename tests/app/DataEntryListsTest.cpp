#include "tests/app/DataEntryWindow.h"

namespace {

using DataEntryLists = DataEntryWindow;

TEST_F(DataEntryLists, AddingNamesSewersAndJunctionsByTheFirstFreeNumber) {
    ASSERT_EQ(FrontForm->Network, nullptr);
    RightClick(DataEntryForm->SewerListBox, -1, "Add Sewer");
    ASSERT_NE(FrontForm->Network, nullptr);
    const Sewer& s0 = *FrontForm->Network->Sewers.at(0);
    EXPECT_EQ(s0.Name, "S0");
    EXPECT_EQ(s0.USJunctionName, "J_up");
    EXPECT_EQ(s0.DSJunctionName, "J_down");
    EXPECT_DOUBLE_EQ(s0.Length, 10.0);
    EXPECT_EQ(DataEntryForm->SewerListBox->GetItemIndex(), 0);
    EXPECT_EQ(DataEntryForm->SewerNameTypedEdit->GetText(), "S0");
    EXPECT_EQ(DataEntryForm->LengthTypedEdit->GetText(), "10.00");
    EXPECT_EQ(DataEntryForm->USJunctionTypedEdit->GetText(), "J_up");
    EXPECT_EQ(DataEntryForm->DSJunctionTypedEdit->GetText(), "J_down");

    RightClick(DataEntryForm->SewerListBox, 0, "Add Sewer");
    EXPECT_EQ(Names(DataEntryForm->SewerListBox), (Texts{"S0", "S1"}));
    // Both run between the same two junctions.
    EXPECT_EQ(Names(DataEntryForm->JunctionListBox), (Texts{"J_up", "J_down"}));

    ClickItem(DataEntryForm->SewerListBox, 0);
    Responder().Answer(IDYES);
    QTest::keyClick(DataEntryForm->SewerListBox->View(), Qt::Key_Delete);
    EXPECT_EQ(Names(DataEntryForm->SewerListBox), (Texts{"S1"}));
    RightClick(DataEntryForm->SewerListBox, 0, "Add Sewer");
    EXPECT_EQ(Names(DataEntryForm->SewerListBox), (Texts{"S1", "S0"}));

    RightClick(DataEntryForm->JunctionListBox, 0, "Add junction");
    RightClick(DataEntryForm->JunctionListBox, 0, "Add junction");
    // A sewer's name does not take a junction's.
    FrontForm->Network->AddSewer("J2", "J_up", "J_down", 5);
    RightClick(DataEntryForm->JunctionListBox, 0, "Add junction");
    EXPECT_EQ(Names(DataEntryForm->JunctionListBox), (Texts{"J_up", "J_down", "J0", "J1", "J2"}));
    EXPECT_DOUBLE_EQ(FrontForm->Network->Junctions.back()->Z, 0.0);
}

TEST_F(DataEntryLists, ARefreshKeepsTheHighlightOrTakesTheLast) {
    Read(Data("riverside.snt"));
    // Nothing was highlighted: the last sewer is, and the junction list follows it to its U/S
    // junction, the last junction.
    EXPECT_EQ(Names(DataEntryForm->SewerListBox), (Texts{"S1", "S2", "S3"}));
    EXPECT_EQ(Names(DataEntryForm->JunctionListBox), (Texts{"J1", "J2", "J3", "J4"}));
    EXPECT_EQ(DataEntryForm->SewerListBox->GetItemIndex(), 2);
    EXPECT_EQ(DataEntryForm->JunctionListBox->GetItemIndex(), 3);

    ClickItem(DataEntryForm->SewerListBox, 0);
    EXPECT_EQ(DataEntryForm->SewerNameTypedEdit->GetText(), "S1");
    EXPECT_EQ(DataEntryForm->JunctionListBox->GetItemIndex(), 0);
    EXPECT_EQ(DataEntryForm->JunctionNameTypedEdit->GetText(), "J1");
    FrontForm->DataEntryForm1->Click();
    EXPECT_EQ(DataEntryForm->SewerListBox->GetItemIndex(), 0);

    // The arrow keys move the highlight and show the sewer, as a click does.
    QTest::keyClick(DataEntryForm->SewerListBox->View(), Qt::Key_Down);
    EXPECT_EQ(DataEntryForm->SewerNameTypedEdit->GetText(), "S2");
    QTest::keyClick(DataEntryForm->SewerListBox->View(), Qt::Key_Down);
    EXPECT_EQ(DataEntryForm->SewerNameTypedEdit->GetText(), "S3");

    // The last sewer deleted, its place is gone: the new last is highlighted.
    Responder().Answer(IDYES);
    RightClick(DataEntryForm->SewerListBox, 2, "Delete Sewer");
    EXPECT_EQ(Names(DataEntryForm->SewerListBox), (Texts{"S1", "S2"}));
    EXPECT_EQ(DataEntryForm->SewerListBox->GetItemIndex(), 1);
    EXPECT_EQ(DataEntryForm->SewerNameTypedEdit->GetText(), "S2");
}

TEST_F(DataEntryLists, DockingReadingAndClearingShowTheNetworkAsItIsNow) {
    Read(Data("riverside.snt"));
    FrontForm->ShowCalculationFormButton->Click();
    FrontForm->Network->AddSewer("S9", "J4", "J5", 5);
    FrontForm->DataEntryForm1->Click();
    EXPECT_EQ(FrontForm->CurrentChildForm, DataEntryForm);
    EXPECT_EQ(Names(DataEntryForm->SewerListBox), (Texts{"S1", "S2", "S3", "S9"}));
    EXPECT_EQ(Names(DataEntryForm->JunctionListBox), (Texts{"J1", "J2", "J3", "J4", "J5"}));

    FrontForm->ClearNetwork1->Click();
    EXPECT_EQ(Names(DataEntryForm->SewerListBox), (Texts{"S0"}));
    EXPECT_EQ(Names(DataEntryForm->JunctionListBox), (Texts{"J_up", "J_down"}));
    EXPECT_EQ(DataEntryForm->SewerNameTypedEdit->GetText(), "S0");

    // The window's own Read Network button: the save is offered, the file read and shown.
    DataEntryForm->NetworkChanged = true;
    Responder().Clear();
    Responder().Answer(IDNO);
    Responder().AnswerFile(Data("riverside.snt"));
    DataEntryForm->ReadNetworkButton->Click();
    EXPECT_EQ(Asked(), (Texts{"Really Quit: The existing network has not been saved, do you want to save it "
                              "before you read in a new network? (52)"}));
    EXPECT_EQ(Names(DataEntryForm->SewerListBox), (Texts{"S1", "S2", "S3"}));
    EXPECT_EQ(DataEntryForm->TitleEdit->GetText(), "Riverside scheme");
    EXPECT_FALSE(DataEntryForm->NetworkChanged);
    EXPECT_EQ(FrontForm->Network->Junctions.at(0)->ConnectedSewers.size(), 1u);
}

TEST_F(DataEntryLists, DeletingAsksForASewerAndRefusesAJunctionInUse) {
    Read(Data("riverside.snt"));
    const std::string before = Snapshot(*FrontForm->Network);
    ClickItem(DataEntryForm->SewerListBox, 1);
    Responder().Answer(IDNO);
    QTest::keyClick(DataEntryForm->SewerListBox->View(), Qt::Key_Delete);
    const Texts askS2{"Warning: Do you really want to delete this sewer: \"S2\"? (36)"};
    EXPECT_EQ(Asked(), askS2);
    EXPECT_EQ(Snapshot(*FrontForm->Network), before);

    // A right click on another sewer leaves the highlight where it is.
    Responder().Clear();
    Responder().Answer(IDNO);
    RightClick(DataEntryForm->SewerListBox, 0, "Delete Sewer");
    EXPECT_EQ(DataEntryForm->SewerListBox->GetItemIndex(), 1);
    EXPECT_EQ(Asked(), askS2);
    ASSERT_EQ(Responder().MenusShown.size(), 1u);
    EXPECT_EQ(Responder().MenusShown[0], (std::vector<AnsiString>{"Add Sewer", "-", "Delete Sewer"}));

    Responder().Clear();
    ClickItem(DataEntryForm->JunctionListBox, 1);
    QTest::keyClick(DataEntryForm->JunctionListBox->View(), Qt::Key_Delete);
    EXPECT_EQ(
        Asked(),
        (Texts{
            "Error: This junction is in use by sewer S1. Delete the sewer first, then the junction. (0)"}));
    EXPECT_EQ(Snapshot(*FrontForm->Network), before);
    EXPECT_FALSE(DataEntryForm->NetworkChanged);

    Responder().Clear();
    Responder().Answer(IDYES);
    QTest::keyClick(DataEntryForm->SewerListBox->View(), Qt::Key_Delete);
    // The sewer's junctions stay.
    EXPECT_EQ(Names(DataEntryForm->SewerListBox), (Texts{"S1", "S3"}));
    EXPECT_EQ(Names(DataEntryForm->JunctionListBox), (Texts{"J1", "J2", "J3", "J4"}));
}

TEST_F(DataEntryLists, WithoutANetworkOrSewersNothingHappens) {
    const auto tryEverything = [] {
        QTest::keyClick(DataEntryForm->SewerListBox->View(), Qt::Key_Delete);
        QTest::keyClick(DataEntryForm->JunctionListBox->View(), Qt::Key_Delete);
        DataEntryForm->ApplySewerChangeButton->Click();
        DataEntryForm->ApplyJunctionChangesButton->Click();
        DataEntryForm->DatumButton->Click();
        DataEntryForm->CheckNetworkButton->Click();
        RightClick(DataEntryForm->SewerListBox, -1, "Delete Sewer");
        RightClick(DataEntryForm->JunctionListBox, -1, "Delete junction");
    };
    tryEverything();
    EXPECT_EQ(FrontForm->Network, nullptr);
    EXPECT_TRUE(Asked().empty());

    Use(std::make_unique<SimpleSewerNetwork>());
    DataEntryForm->SewerNameTypedEdit->SetText("kept");
    tryEverything();
    EXPECT_TRUE(Names(DataEntryForm->SewerListBox).empty());
    EXPECT_TRUE(Names(DataEntryForm->JunctionListBox).empty());
    // The check of an empty network passes.
    EXPECT_EQ(Asked(), (Texts{"Passed: Network passed check! (48)"}));
    EXPECT_EQ(DataEntryForm->SewerNameTypedEdit->GetText(), "kept");
    EXPECT_FALSE(DataEntryForm->NetworkChanged);
}

TEST_F(DataEntryLists, BrowsingAndTabbingThroughEveryBoxChangesNothing) {
    auto network = std::make_unique<SimpleSewerNetwork>();
    network->AddSewer("S1", "J1", "J2", 12.3456);
    network->AddSewer("S2", "J2", "J3", 7.125);
    network->SetSewerHouses("S1", 12.5, 0.25, 10, 20, 4, 3, 120, 150);
    network->SetSewerPopulation("S2", 1.5, 2.5, 33, 44, 120, 150);
    network->GetSewer("S2")->UpstreamEnd->DropJunction = true;
    network->SetJunctionLevel("J1", 101.2345);
    Use(std::move(network));
    const std::string before = Snapshot(*FrontForm->Network);

    for (int row = 0; row < 2; ++row) {
        ClickItem(DataEntryForm->SewerListBox, row);
        DataEntryForm->SewerNameTypedEdit->SetFocus();
        QApplication::processEvents();
        for (int tab = 0; tab < 20; ++tab) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QApplication::processEvents();
        }
    }
    DataEntryForm->JunctionListBox->SetFocus();
    QTest::keyClick(DataEntryForm->JunctionListBox->View(), Qt::Key_Home);
    for (int junction = 0; junction < 3; ++junction) {
        DataEntryForm->GroundLevelTypedEdit->SetFocus();
        QApplication::processEvents();
        DataEntryForm->JunctionListBox->SetFocus();
        QTest::keyClick(DataEntryForm->JunctionListBox->View(), Qt::Key_Down);
    }
    DataEntryForm->SewerListBox->SetFocus();
    QTest::keyClick(DataEntryForm->SewerListBox->View(), Qt::Key_Up);
    FrontForm->Save1->Click();

    EXPECT_EQ(Snapshot(*FrontForm->Network), before);
    EXPECT_FALSE(DataEntryForm->NetworkChanged);
    EXPECT_TRUE(Asked().empty());
}

} // namespace
