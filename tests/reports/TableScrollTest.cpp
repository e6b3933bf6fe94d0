#include "framework/GridScrollArea.h"
#include "tests/reports/ResultsTable.h"

#include <QApplication>
#include <QScrollBar>
#include <QTest>

namespace {

// The results table docked in the main window on the screen, the riverside network in it.
class TableScroll : public ResultsTable {
protected:
    void SetUp() override {
        ResultsTable::SetUp();
        FrontForm->Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(FrontForm->View()));
        ReadRiverside();
        FrontForm->ResultsTable1->Click();
        QApplication::processEvents();
        ASSERT_EQ(Told(), Texts{});
    }

    static QScrollBar* Bar() {
        return static_cast<GridScrollArea*>(TableForm->DataGrid1->View())->horizontalScrollBar();
    }

    // The bar's thumb and the first scrolling column shown.
    static std::string Where() {
        QApplication::processEvents();
        return "thumb " + std::to_string(Bar()->value()) + " left " +
               std::to_string(TableForm->DataGrid1->GetLeftCol());
    }
};

// Mended: an update took the grid back to its first column and left the thumb at the right, so
// the right arrow did nothing and the left one jumped back to the right.
TEST_F(TableScroll, AfterAnUpdateTheBarAndTheColumnsAgree) {
    ASSERT_TRUE(Bar()->isVisible());
    Bar()->triggerAction(QAbstractSlider::SliderToMaximum);
    const int last = Bar()->maximum();
    ASSERT_GT(last, 2);
    EXPECT_EQ(Where(), "thumb " + std::to_string(last) + " left " + std::to_string(last));

    // The update starts the grid again at its first scrolling column, and the thumb with it.
    TableForm->UpdateTableFromNetworkButton->Click();
    EXPECT_EQ(Where(), "thumb 1 left 1");
    // Each arrow moves one column from there.
    Bar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    Bar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(Where(), "thumb 3 left 3");
    Bar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(Where(), "thumb 2 left 2");
}

} // namespace
