#include "tests/app/VisualEditor.h"
#include "tests/support/AnsiStringPrinter.h"

#include "framework/NumberFormat.h"

#include <QTest>

#include <cmath>
#include <vector>

namespace {

using VisualEditMouse = VisualEditor;

// The junctions, "name x y" each.
Texts JunctionPlaces() {
    Texts places;
    for (const SewerNode* j : FrontForm->Network->Junctions)
        places.push_back(j->Name.str() + " " + FloatToStr(j->X).str() + " " + FloatToStr(j->Y).str());
    return places;
}

// The sewers, "name U/S-D/S length" each.
Texts SewerLines() {
    Texts lines;
    for (const Sewer* s : FrontForm->Network->Sewers)
        lines.push_back(s->Name.str() + " " + s->USJunctionName.str() + "-" + s->DSJunctionName.str() + " " +
                        FloatToStr(s->Length).str());
    return lines;
}

// Bands from pixel (100, 100) to (160, 180), (300, 50) to (300, 250) and (10, 290) to (250, 290):
// world (-10, 5) to (-4, -3), 10 m; (10, 10) to (10, -10), 20 m; (-19, -14) to (5, -14), 24 m.
TEST_F(VisualEditMouse, BandsDrawSewersWithTwoNewJunctionsEach) {
    UseView();
    VisualEditForm->DrawModeSpeedButton->ViewClicked();
    Drag(100, 100, 160, 180);
    Drag(300, 50, 300, 250);
    Drag(10, 290, 250, 290);
    ASSERT_NE(FrontForm->Network, nullptr);
    const SimpleSewerNetwork& network = *FrontForm->Network;
    EXPECT_EQ(SewerLines(), (Texts{"S0 J0-J1 10", "S1 J2-J3 20", "S2 J4-J5 24"}));
    EXPECT_EQ(JunctionPlaces(),
              (Texts{"J0 -10 5", "J1 -4 -3", "J2 10 10", "J3 10 -10", "J4 -19 -14", "J5 5 -14"}));
    EXPECT_TRUE(DataEntryForm->NetworkChanged);
    // Connections are rebuilt after each sewer.
    ASSERT_EQ(network.Junctions.size(), 6u);
    EXPECT_EQ(network.Junctions[5]->ConnectedSewers.size(), 1u);
    EXPECT_EQ(VisualEditForm->DragState, 1);
    EXPECT_EQ(VisualEditForm->OutlineDrawn, 0);

    // J0 deleted, the next sewer starts there again.
    FrontForm->Network->DeleteSewer("S0");
    FrontForm->Network->DeleteJunction("J0");
    Drag(200, 150, 250, 150);
    EXPECT_EQ(SewerLines().back(), "S0 J0-J6 5");
}

// A click, or a band shorter than the drag distance, draws nothing.
TEST_F(VisualEditMouse, AClickDrawsNoSewer) {
    UseView();
    VisualEditForm->DrawModeSpeedButton->ViewClicked();
    Press(100, 100);
    Release(100, 100);
    Drag(100, 100, 103, 102);
    EXPECT_EQ(FrontForm->Network, nullptr);
    EXPECT_FALSE(DataEntryForm->NetworkChanged);
    // A right press draws no band.
    Press(100, 100, Qt::RightButton);
    MoveHeld(200, 200);
    EXPECT_EQ(VisualEditForm->OutlineDrawn, 0);
}

// J0 at pixel (200, 150), J1 at (300, 150), J2 at (300, 50).
SimpleSewerNetwork& TwoSewers() {
    FrontForm->ReplaceNetwork(std::make_unique<SimpleSewerNetwork>());
    SimpleSewerNetwork& network = *FrontForm->Network;
    network.AddSewerAt("S0", "J0", "J1", 0, 0, 10, 0);
    network.AddSewerAt("S1", "J2", "J1", 10, 10, 10, 0);
    return network;
}

// A press on J1's square and a drag to (260, 200) moves J1 to world (6, -5), and only J1.
TEST_F(VisualEditMouse, DraggingAJunctionMovesItAndNothingElse) {
    UseView();
    SimpleSewerNetwork& network = TwoSewers();
    Press(303, 148);
    EXPECT_EQ(VisualEditForm->SelectedJunction, network.Junctions[1]);
    EXPECT_EQ(VisualEditForm->DragState, 2);
    // The links were stale: the drag ends come from the sewers as they stand.
    EXPECT_EQ(VisualEditForm->DragEnds,
              (std::vector<SewerNode*>{network.Junctions[0], network.Junctions[2]}));
    MoveHeld(280, 170);
    MoveHeld(260, 200);
    EXPECT_EQ(VisualEditForm->OutlineDrawn, 1);
    // The outline shows in grey over the picture: a line from J0 to the pointer.
    EXPECT_EQ(Shown().pixel(230, 175) & 0xFFFFFF, 0x808080u);
    Release(260, 200);
    EXPECT_EQ(JunctionPlaces(), (Texts{"J0 0 0", "J1 6 -5", "J2 10 10"}));
    EXPECT_EQ(network.Sewers[0]->Length, 10);
    EXPECT_EQ(network.Sewers[1]->Length, 10);
    EXPECT_TRUE(DataEntryForm->NetworkChanged);
    EXPECT_EQ(VisualEditForm->DragState, 1);
    EXPECT_TRUE(VisualEditForm->DragEnds.empty());
}

// A click moves nothing: not far from the junction (it selects the nearest), not on it, and not
// a few pixels' jitter on it.
TEST_F(VisualEditMouse, AClickSelectsAndMovesNothing) {
    UseView();
    SimpleSewerNetwork& network = TwoSewers();
    const Texts before = JunctionPlaces();
    const struct {
        int pressX, pressY, releaseX, releaseY;
        int selected;
    } clicks[] = {
        {380, 160, 260, 200, 1}, {300, 150, 300, 150, 1}, {201, 151, 204, 154, 0}, {310, 40, 150, 40, 2}};
    for (const auto& click : clicks) {
        SCOPED_TRACE(click.pressX);
        Press(click.pressX, click.pressY);
        EXPECT_EQ(VisualEditForm->SelectedJunction,
                  network.Junctions[static_cast<std::size_t>(click.selected)]);
        MoveHeld(click.releaseX, click.releaseY);
        Release(click.releaseX, click.releaseY);
        EXPECT_EQ(JunctionPlaces(), before);
    }
    EXPECT_FALSE(DataEntryForm->NetworkChanged);
}

// A press whose release a message took leaves no drag behind: J3 picked, "J2" typed for its name,
// a press on J4 (refused, the message taking the release), then a press and drag in empty space
// nearest J3 (pixel 300, 150) move nothing. J2, J3 and J4 stand at pixels (200, 150), (300, 150)
// and (300, 50).
TEST_F(VisualEditMouse, APressWhoseReleaseAMessageTookMovesNothingLater) {
    UseView();
    FrontForm->ReplaceNetwork(std::make_unique<SimpleSewerNetwork>());
    SimpleSewerNetwork& network = *FrontForm->Network;
    network.AddSewerAt("S0", "J2", "J3", 0, 0, 10, 0);
    network.AddSewerAt("S1", "J3", "J4", 10, 0, 10, 10);
    DataEntryForm->NetworkChanged = false;
    VisualEditForm->View()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(VisualEditForm->View()));
    const Texts before = JunctionPlaces();

    Press(300, 150);
    Release(300, 150);
    TTypedEdit* name = VisualEditForm->JunctionNameTypedEdit;
    name->SetFocus();
    QApplication::processEvents();
    ASSERT_TRUE(name->Focused());
    QTest::keyClicks(name->View(), "J2");
    Press(300, 50);
    EXPECT_EQ(Asked(), Texts{"Error: This junction name already exists. Please choose another. (0)"});
    EXPECT_EQ(VisualEditForm->SelectedJunction, network.Junctions[2]);
    // No drag outline follows the pointer with the button up.
    Send(QEvent::MouseMove, Qt::NoButton, Qt::NoButton, 250, 100);
    EXPECT_EQ(VisualEditForm->OutlineDrawn, 0);
    EXPECT_EQ(VisualEditForm->DragState, 1);

    Press(330, 170);
    EXPECT_EQ(VisualEditForm->SelectedJunction, network.Junctions[1]);
    MoveHeld(345, 185);
    MoveHeld(360, 200);
    Release(360, 200);
    EXPECT_EQ(JunctionPlaces(), before);
    EXPECT_FALSE(DataEntryForm->NetworkChanged);
    EXPECT_EQ(VisualEditForm->DragState, 1);
    EXPECT_EQ(VisualEditForm->OutlineDrawn, 0);
}

// Picking sewers selects the sewer of the nearest middle and starts no drag.
TEST_F(VisualEditMouse, PickingSewersShowsTheSewerPage) {
    UseView();
    SimpleSewerNetwork& network = TwoSewers();
    VisualEditForm->PickRadioGroup->SetItemIndex(0);
    Press(290, 90);
    Release(290, 90);
    EXPECT_EQ(VisualEditForm->SelectedSewer, network.Sewers[1]);
    EXPECT_EQ(VisualEditForm->DragState, 1);
    EXPECT_EQ(VisualEditForm->PageControl1->GetActivePage(), VisualEditForm->TabSheet1);
    EXPECT_EQ(VisualEditForm->SewerNameTypedEdit->GetText(), "S1");
    EXPECT_EQ(VisualEditForm->USJunctionComboBox->GetText(), "J2");
    EXPECT_EQ(VisualEditForm->DSJunctionComboBox->GetText(), "J1");
    EXPECT_FALSE(DataEntryForm->NetworkChanged);
}

// The pop-up holds the items of the pick choice and opens after the pick; its choice runs then.
TEST_F(VisualEditMouse, ThePopupFollowsThePickChoice) {
    UseView();
    Responder().MenuChoices = {"Add Junction"};
    Press(250, 100, Qt::RightButton);
    Release(250, 100, Qt::RightButton);
    ASSERT_EQ(Responder().MenusShown.size(), 1u);
    EXPECT_EQ(Responder().MenusShown[0], (std::vector<AnsiString>{"Delete Junction", "-", "Add Junction"}));
    ASSERT_NE(FrontForm->Network, nullptr);
    ASSERT_EQ(FrontForm->Network->Junctions.size(), 1u);
    const SewerNode& added = *FrontForm->Network->Junctions[0];
    EXPECT_EQ(added.Name, "J0");
    EXPECT_EQ(added.X, 5);
    EXPECT_EQ(added.Y, 5);
    EXPECT_EQ(added.Z, 0);

    // The pick is made before the menu shows: Delete Junction deletes the junction just picked.
    Responder().MenuChoices = {"Delete Junction"};
    Press(250, 100, Qt::RightButton);
    EXPECT_TRUE(FrontForm->Network->Junctions.empty());
    EXPECT_EQ(VisualEditForm->SelectedJunction, nullptr);

    VisualEditForm->PickRadioGroup->SetItemIndex(0);
    Responder().MenuChoices = {"Add Sewer"};
    Press(250, 100, Qt::RightButton);
    EXPECT_EQ(Responder().MenusShown.back(), (std::vector<AnsiString>{"Delete Sewer", "-", "Add Sewer"}));
    EXPECT_EQ(VisualEditForm->Mode, 0);
    EXPECT_TRUE(VisualEditForm->DrawModeSpeedButton->GetDown());
}

TEST_F(VisualEditMouse, ARightClickOnAnEmptyEditorOpensTheMenuAndPicksNothing) {
    UseView();
    Press(250, 100, Qt::RightButton);
    Release(250, 100, Qt::RightButton);
    EXPECT_EQ(Responder().MenusShown.size(), 1u);
    EXPECT_EQ(FrontForm->Network, nullptr);
    EXPECT_EQ(VisualEditForm->SelectedJunction, nullptr);
    Responder().MenuChoices = {"Delete Junction"};
    Press(250, 100, Qt::RightButton);
    EXPECT_TRUE(Responder().Asked.empty());
}

// A network replaced in the middle of a drag leaves nothing of the old one to move or draw.
TEST_F(VisualEditMouse, ANetworkReplacedUnderADragEndsIt) {
    UseView();
    TwoSewers();
    Press(300, 150);
    MoveHeld(260, 200);
    ASSERT_EQ(VisualEditForm->DragState, 2);
    TwoSewers();
    EXPECT_EQ(VisualEditForm->SelectedJunction, nullptr);
    EXPECT_TRUE(VisualEditForm->DragEnds.empty());
    MoveHeld(250, 220);
    Release(250, 220);
    // The drag moved the old J1 only: every junction of the new network stays where it was put.
    EXPECT_EQ(JunctionPlaces(), (Texts{"J0 0 0", "J1 10 0", "J2 10 10"}));
    EXPECT_EQ(SewerLines(), (Texts{"S0 J0-J1 10", "S1 J2-J1 10"}));
    Shown();
    EXPECT_TRUE(Responder().Asked.empty());
}

} // namespace
