#include "tests/app/DataEntryWindow.h"
#include "tests/app/VisualEditor.h"

namespace {

void Undo(TTypedEdit* box) {
    box->SetFocus();
    QApplication::processEvents();
    QTest::keyClick(box->View(), Qt::Key_Z, Qt::ControlModifier);
    QApplication::processEvents();
}

using TabularUndo = DataEntryWindow;

// Mended: after a length typed for S0 and the next sewer shown, Ctrl+Z in the Length box brought
// back what was typed for S0 ("3"), and leaving the box gave it to S1.
TEST_F(TabularUndo, CtrlZAfterAnotherSewerIsShownKeepsItsLength) {
    auto network = std::make_unique<SimpleSewerNetwork>();
    network->AddSewer("S0", "J1", "J2", 20);
    network->AddSewer("S1", "J2", "J3", 30);
    Use(std::move(network));
    Highlight(DataEntryForm->SewerListBox, "S0");
    Type(DataEntryForm->LengthTypedEdit, "35");
    Leave();
    Highlight(DataEntryForm->SewerListBox, "S1");
    Undo(DataEntryForm->LengthTypedEdit);
    EXPECT_EQ(DataEntryForm->LengthTypedEdit->GetText(), "30.00");
    Leave();
    EXPECT_DOUBLE_EQ(FrontForm->Network->GetSewer("S0")->Length, 35);
    EXPECT_DOUBLE_EQ(FrontForm->Network->GetSewer("S1")->Length, 30);
}

using VisualUndo = VisualEditor;

TEST_F(VisualUndo, CtrlZAfterAnotherSewerIsShownKeepsItsLength) {
    SimpleSewerNetwork& network = NewNetwork();
    network.AddSewerAt("S0", "J0", "J1", 0, 0, 40, 0);
    network.AddSewerAt("S1", "J2", "J0", -30, 0, 0, 0);
    VisualEditForm->View()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(VisualEditForm->View()));
    const auto show = [&](int index) {
        VisualEditForm->SelectedSewer = network.Sewers[static_cast<std::size_t>(index)];
        VisualEditForm->ShowSewer(network.Sewers[static_cast<std::size_t>(index)]);
        QApplication::processEvents();
    };
    const auto leave = [] {
        VisualEditForm->SewerNameTypedEdit->SetFocus();
        QApplication::processEvents();
    };
    show(0);
    TTypedEdit* length = VisualEditForm->LengthTypedEdit;
    length->SetFocus();
    QApplication::processEvents();
    QTest::keyClicks(length->View(), "35");
    leave();
    show(1);
    Undo(length);
    EXPECT_EQ(length->GetText(), "30.00");
    leave();
    EXPECT_DOUBLE_EQ(network.Sewers[0]->Length, 35);
    EXPECT_DOUBLE_EQ(network.Sewers[1]->Length, 30);
}

} // namespace
