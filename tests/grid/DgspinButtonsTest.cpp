#include "framework/Timer.h"
#include "grid/Dgspin.h"
#include "tests/grid/PaintedPixels.h"
#include "tests/grid/SpecialCell.h"
#include "tests/support/AnsiStringPrinter.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Inside the frame's outer two pixels.
QRect Inside(const QImage& image) {
    return image.rect().adjusted(2, 2, -2, -2);
}

TEST(DgspinButtons, AHeldButtonStepsTheCellAfter400ThenEvery100Milliseconds) {
    SpecialCell window(edSpinEdit, "5");
    std::vector<std::string> spins;
    window.grid->OnSpinClick = [&](TObject*, int, int, int AValue, bool UpDown) {
        spins.push_back(std::to_string(AValue) + (UpDown ? " up" : " down"));
    };
    window.Open();
    TGridSpin& spin = *window.Editors().Spin;
    TTimerSpeedButton& up = *spin.Button->UpButton();
    QWidget* held = up.View();
    QTest::mousePress(held, Qt::LeftButton, {}, QPoint(3, 3));
    ASSERT_NE(up.RepeatTimer(), nullptr);
    EXPECT_TRUE(up.RepeatTimer()->GetEnabled());
    EXPECT_EQ(up.RepeatTimer()->GetInterval(), 400u);
    // Nothing steps until the first delay is over.
    EXPECT_EQ(spin.GetWindowText(), "5");
    up.TimerExpired(&up);
    EXPECT_EQ(up.RepeatTimer()->GetInterval(), 100u);
    up.TimerExpired(&up);
    EXPECT_EQ(spin.GetWindowText(), "7");
    // Letting go clicks once more and stops the repeating.
    QTest::mouseRelease(held, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_FALSE(up.RepeatTimer()->GetEnabled());
    up.TimerExpired(&up);
    EXPECT_EQ(spin.GetWindowText(), "8");
    EXPECT_EQ(spins, (std::vector<std::string>{"6 up", "7 up", "8 up"}));
    // The edit kept the focus throughout.
    EXPECT_TRUE(window.HasFocus(spin));
}

TEST(DgspinButtons, SideBySideButtonsStepDownOnTheLeftAndUpOnTheRight) {
    // Tall enough for its text, so the pair is 23 - 2 x 2 high within the border.
    OneControlForm<TDgSpinEdit> form(80, 23);
    TDgSpinEdit& spin = *form.control;
    spin.SetValue(50);
    const struct {
        TSpinDirection direction;
        int width;
        QRect up;
        QRect down;
        TButtonDirection upArrow;
        TButtonDirection downArrow;
    } rows[] = {
        // Up above down; the down button overlaps the up one's bottom edge.
        {spVertical, 15, QRect(0, 0, 15, 9), QRect(0, 8, 15, 11), bdUp, bdDown},
        // Down on the left, up on the right, a pixel apart.
        {spHorizontal, 20, QRect(11, 0, 10, 19), QRect(0, 0, 10, 19), bdRight, bdLeft},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.width);
        spin.SetDirection(row.direction);
        UpdateStaleViews();
        TDgSpinButton& pair = *spin.Button;
        EXPECT_EQ(pair.Width(), row.width);
        EXPECT_EQ(pair.Left(), 80 - row.width - 2);
        EXPECT_EQ(pair.UpButton()->View()->geometry(), row.up);
        EXPECT_EQ(pair.DownButton()->View()->geometry(), row.down);
        EXPECT_EQ(pair.UpButton()->ButtonDirection, row.upArrow);
        EXPECT_EQ(pair.DownButton()->ButtonDirection, row.downArrow);
        // The text stops short of the wider pair.
        EXPECT_EQ(static_cast<QLineEdit*>(spin.View())->textMargins().right(), row.width);
        QTest::mouseClick(pair.UpButton()->View(), Qt::LeftButton, {}, QPoint(3, 3));
        QTest::mouseClick(pair.UpButton()->View(), Qt::LeftButton, {}, QPoint(3, 3));
        QTest::mouseClick(pair.DownButton()->View(), Qt::LeftButton, {}, QPoint(3, 3));
        EXPECT_EQ(spin.GetValue(), 51);
        spin.SetValue(50);
    }
}

TEST(DgspinButtons, ArrowsPointTheirWayAndSinkWhenPressed) {
    OneControlForm<TDgSpinEdit> form(80, 21);
    TDgSpinEdit& spin = *form.control;
    spin.SetDirection(spHorizontal);
    TDgSpinButton& pair = *spin.Button;
    const struct {
        const char* label;
        TTimerSpeedButton* button;
        // The arrow's base, its fullest column, stands right of its tip for a left arrow.
        bool baseOnTheRight;
    } rows[] = {{"left arrow of the down button", pair.DownButton(), true},
                {"right arrow of the up button", pair.UpButton(), false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        const QImage picture = Painted(*row.button);
        const Arrow raised = ArrowIn(picture, Inside(picture));
        ASSERT_FALSE(raised.box.isEmpty());
        EXPECT_EQ(raised.fullestColumn > raised.box.center().x(), row.baseOnTheRight);
        // Held down, the classic arrow moves a pixel right and down.
        QTest::mousePress(row.button->View(), Qt::LeftButton, {}, QPoint(3, 3));
        const Arrow pressed = ArrowIn(Painted(*row.button), Inside(picture));
        QTest::mouseRelease(row.button->View(), Qt::LeftButton, {}, QPoint(3, 3));
        EXPECT_EQ(pressed.box, raised.box.translated(1, 1));
    }
    // Themed, the style draws each button, darker while pressed.
    spin.SetDirection(spVertical);
    const QImage glyph = Painted(*pair.UpButton());
    spin.SetIsWinXP(true);
    EXPECT_TRUE(pair.DownButton()->GetIsWinXP());
    const QImage themed = Painted(*pair.UpButton());
    EXPECT_NE(themed, glyph);
    QTest::mousePress(pair.UpButton()->View(), Qt::LeftButton, {}, QPoint(3, 3));
    const QImage sunk = Painted(*pair.UpButton());
    QTest::mouseRelease(pair.UpButton()->View(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_LT(MeanGray(sunk, sunk.rect()), MeanGray(themed, themed.rect()));
}

TEST(DgspinButtons, AGlyphShowsItsFirstImageAndNoGlyphBringsBackTheArrow) {
    OneControlForm<TDgSpinEdit> form(80, 40);
    TDgSpinEdit& spin = *form.control;
    TDgSpinButton& pair = *spin.Button;
    TBitmap twoImages;
    PaintTwoImages(twoImages, 5, 3, clRed, clBlue);
    pair.SetUpNumGlyphs(2);
    pair.SetUpGlyph(&twoImages);
    const QImage shown = Painted(*pair.UpButton());
    EXPECT_EQ(CountOf(shown, qRgb(255, 0, 0)), 5 * 3);
    EXPECT_EQ(CountOf(shown, qRgb(0, 0, 255)), 0);
    EXPECT_EQ(pair.GetUpNumGlyphs(), 2);
    pair.SetUpGlyph(nullptr);
    EXPECT_EQ(pair.GetUpNumGlyphs(), 1);
    EXPECT_EQ(pair.GetUpGlyph().Width(), pair.GetDownGlyph().Width());
    EXPECT_EQ(CountOf(Painted(*pair.UpButton()), qRgb(255, 0, 0)), 0);
}

} // namespace
