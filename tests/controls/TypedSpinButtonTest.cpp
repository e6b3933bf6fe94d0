#include "controls/TypedSpinButton.h"
#include "controls/Typededit.h"
#include "framework/Bitmap.h"
#include "framework/Canvas.h"
#include "framework/Form.h"
#include "framework/Geometry.h"
#include "tests/grid/PaintedPixels.h"

#include <QApplication>
#include <QImage>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

struct PairForm : TForm {
    PairForm() : TForm(nullptr) {
        Pair->SetParent(this);
        Pair->SetBounds(10, 10, 30, 40);
        Box->SetParent(this);
        Box->SetBounds(10, 60, 90, 21);
        Pair->SetFocusControl(Box);
        Pair->OnUpClick = [this](TObject*) { ++UpClicks; };
        EndLayout();
    }
    TTypedSpinButton* Pair = new TTypedSpinButton(this);
    TTypedEdit* Box = new TTypedEdit(this);
    int UpClicks = 0;
};

} // namespace

// A pressed button moves the focus to the edit, and once the edit is gone to the pair itself.
TEST(TypedSpinButton, AFreedFocusControlIsForgotten) {
    PairForm form;
    form.Show();
    form.View()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.View()));
    QTest::mouseClick(form.Pair->UpButton()->View(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_TRUE(form.Box->Focused());
    delete form.Box;
    EXPECT_EQ(form.Pair->GetFocusControl(), nullptr);
    QTest::mouseClick(form.Pair->UpButton()->View(), Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(form.UpClicks, 2);
    EXPECT_TRUE(form.Pair->Focused());
}

TEST(TypedSpinButton, GlyphsShowTheirFirstImageAndNoBitmapBringsBackTheArrow) {
    PairForm form;
    form.Show();
    TTypedSpinButton& pair = *form.Pair;
    const int arrowWidth = pair.GetUpGlyph().Width();
    // Two 5 x 3 images side by side, red then blue.
    TBitmap twoImages;
    PaintTwoImages(twoImages, 5, 3, clRed, clBlue);
    const struct {
        const char* label;
        bool up;
    } rows[] = {{"up", true}, {"down", false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        auto& button = row.up ? *pair.UpButton() : *pair.DownButton();
        if (row.up) {
            pair.SetUpNumGlyphs(2);
            pair.SetUpGlyph(&twoImages);
        } else {
            pair.SetDownNumGlyphs(2);
            pair.SetDownGlyph(&twoImages);
        }
        EXPECT_EQ(row.up ? pair.GetUpNumGlyphs() : pair.GetDownNumGlyphs(), 2);
        EXPECT_EQ((row.up ? pair.GetUpGlyph() : pair.GetDownGlyph()).Width(), 10);
        const QImage shown = Painted(button);
        EXPECT_EQ(CountOf(shown, qRgb(255, 0, 0)), 5 * 3);
        EXPECT_EQ(CountOf(shown, qRgb(0, 0, 255)), 0);
        if (row.up)
            pair.SetUpGlyph(nullptr);
        else
            pair.SetDownGlyph(nullptr);
        EXPECT_EQ(row.up ? pair.GetUpNumGlyphs() : pair.GetDownNumGlyphs(), 1);
        EXPECT_EQ((row.up ? pair.GetUpGlyph() : pair.GetDownGlyph()).Width(), arrowWidth);
        EXPECT_EQ(CountOf(Painted(button), qRgb(255, 0, 0)), 0);
    }
}

// The library's plain windowed control holds controls like any other and shows them within it.
TEST(TypedSpinButton, ThePlainWindowedControlHoldsControls) {
    TForm form(nullptr);
    auto* holder = new Typedspin::TWinCtrl(&form);
    holder->SetParent(&form);
    holder->SetBounds(5, 5, 120, 40);
    auto* box = new TTypedEdit(&form);
    box->SetParent(holder);
    form.Show();
    QApplication::processEvents();
    EXPECT_EQ(holder->ControlCount(), 1);
    EXPECT_EQ(box->View()->parentWidget(), holder->View());
    EXPECT_TRUE(box->View()->isVisible());
}
