#include "framework/Form.h"
#include "framework/GridScrollArea.h"
#include "framework/Grids.h"

#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A string grid that notes each scroll message of its vertical bar and where the rows stand
// after the framework's handling of it.
struct NotingGrid : TStringGrid {
    using TStringGrid::TStringGrid;
    void WMVScroll(TWMScroll& Message) override {
        TStringGrid::WMVScroll(Message);
        static const char* const Codes[] = {"line up", "line down", "page up", "page down", "position",
                                            "track",   "top",       "bottom",  "end"};
        notes.push_back(std::string(Codes[Message.ScrollCode]) + " " + std::to_string(Message.Pos) + " top " +
                        std::to_string(GetTopRow()));
    }
    std::vector<std::string> notes;
};

// A shown 100-row grid, its bar driven as a user drives it.
struct ScrollingForm {
    explicit ScrollingForm(bool thumbTracking) {
        form.SetBounds(0, 0, 400, 300);
        grid->SetParent(&form);
        grid->SetBounds(10, 10, 300, 200);
        grid->SetRowCount(100);
        if (thumbTracking)
            grid->SetOptions(grid->GetOptions() | goThumbTracking);
        form.Show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(form.View()));
    }
    QScrollBar* Bar() const { return static_cast<GridScrollArea*>(grid->View())->verticalScrollBar(); }
    void Drag(std::vector<int> positions) {
        Bar()->setSliderDown(true);
        for (int at : positions)
            Bar()->setSliderPosition(at);
        Bar()->setSliderDown(false);
    }
    TForm form{nullptr};
    NotingGrid* grid = new NotingGrid(&form);
};

TEST(GridScrollMessages, TheBarsReportWhatTheUserDidAndTheRowsFollow) {
    struct Row {
        const char* name;
        bool thumbTracking;
        void (*act)(ScrollingForm&);
        std::vector<std::string> notes;
    } rows[] = {
        {"an arrow clicked",
         false,
         [](ScrollingForm& form) { form.Bar()->triggerAction(QAbstractSlider::SliderSingleStepAdd); },
         {"line down 2 top 2", "end 2 top 2"}},
        {"the page below the thumb clicked",
         false,
         [](ScrollingForm& form) { form.Bar()->triggerAction(QAbstractSlider::SliderPageStepAdd); },
         {"page down 7 top 7", "end 7 top 7"}},
        {"the thumb dragged",
         false,
         [](ScrollingForm& form) {
             form.Drag({20, 30});
         },
         {"track 20 top 1", "track 30 top 1", "position 30 top 30", "end 30 top 30"}},
        {"the thumb dragged with thumb tracking",
         true,
         [](ScrollingForm& form) {
             form.Drag({20, 30});
         },
         {"track 20 top 20", "track 30 top 30", "position 30 top 30", "end 30 top 30"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ScrollingForm form(row.thumbTracking);
        // Rows of 24 pixels and a line: 6 show whole below the fixed row.
        ASSERT_EQ(form.grid->VisibleRowCount(), 6);
        row.act(form);
        EXPECT_EQ(form.grid->notes, row.notes);
    }
}

TEST(GridScrollMessages, RowsMovedFromCodeReportNothing) {
    ScrollingForm form(false);
    form.grid->SetTopRow(40);
    EXPECT_EQ(form.Bar()->value(), 40);
    EXPECT_TRUE(form.grid->notes.empty());
}

} // namespace
