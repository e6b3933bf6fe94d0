#include "grid/Dgedit.h"
#include "tests/grid/PaintedPixels.h"
#include "tests/support/AnsiStringPrinter.h"

#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

TEST(DgeditButton, TheButtonFillsItsWidthAndShowsTheFirstImageOfItsGlyph) {
    OneControlForm<TDgEditBtn> form(120, 24);
    TDgEditBtn& edit = *form.control;
    TSpeedButton& button = *edit.Button->Button;
    const struct {
        int asked;
        int width;
    } widths[] = {{24, 24}, {15, 15}, {13, 15}, {0, 15}};
    for (const auto& row : widths) {
        SCOPED_TRACE(row.asked);
        edit.SetButtonWidth(row.asked);
        UpdateStaleViews();
        EXPECT_EQ(edit.GetButtonWidth(), row.width);
        EXPECT_EQ(button.View()->geometry(), QRect(0, 0, row.width, edit.Button->Height()));
        // With a border the button stands 5 pixels in from the right edge.
        EXPECT_EQ(edit.Button->Left(), 120 - row.width - 5);
    }
    TBitmap glyph;
    PaintTwoImages(glyph, 4, 3, clLime, clRed);
    edit.SetButtonWidth(20);
    edit.SetGlyph(glyph);
    edit.Button->SetNumGlyphs(2);
    UpdateStaleViews();
    EXPECT_EQ(static_cast<QToolButton*>(button.View())->iconSize(), QSize(4, 4));
    const QImage shown = Painted(button);
    EXPECT_EQ(CountOf(shown, qRgb(0, 255, 0)), 4 * 3);
    EXPECT_EQ(CountOf(shown, qRgb(255, 0, 0)), 0);
    edit.SetButtonCaption("...");
    UpdateStaleViews();
    EXPECT_EQ(static_cast<QToolButton*>(button.View())->text(), "...");
    EXPECT_EQ(edit.GetButtonCaption(), "...");
}

TEST(DgeditButton, APressClicksBeforeTheButtonIsLetGo) {
    OneControlForm<TDgEditBtn> form(120, 24);
    TDgEditBtn& edit = *form.control;
    int clicks = 0;
    edit.OnClickBtn = [&](TObject* Sender) {
        EXPECT_EQ(Sender, &edit);
        ++clicks;
    };
    QWidget* button = edit.Button->Button->View();
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(static_cast<QToolButton*>(button)->isDown());
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(clicks, 1);
    // Only the left button clicks.
    QTest::mouseClick(button, Qt::RightButton, {}, QPoint(3, 3));
    EXPECT_EQ(clicks, 1);
}

} // namespace
