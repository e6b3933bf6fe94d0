#include "controls/Typedmaskedit.h"
#include "controls/Typedspin.h"
#include "framework/Label.h"
#include "tests/controls/TypedEditSupport.h"

namespace {

// A box in a window with the caption "Datum level" attached; the box is sized from the label so
// that centring comes out whole: 8 pixels taller and 10 wider than the label.
struct LabelledBox {
    LabelledBox() {
        box->SetLabelMargin(5);
        box->SetLabelCaption("Datum level");
        label = box->GetLabel();
        box->SetBounds(150, 60, label->Width() + 10, label->Height() + 8);
    }
    TypedEditForm form;
    TTypedEdit* box = form.Box;
    TLabel* label = nullptr;
};

TEST(TypedEditLabel, StandsWhereItsPositionSays) {
    // Where the label's left and top edges fall, from the box's left L, top T, right R and bottom
    // B, the label's width LW and height LH, and the margin 5.
    enum Left { LeftOfBox, AtLeftMinusMargin, AtBoxLeft, Centred };
    enum Top { AtTop, Middle, AtBottom, Above, Below };
    const struct {
        const char* label;
        TLabelPosition position;
        Left left;
        Top top;
    } rows[] = {
        {"left top", lpLeftTop, LeftOfBox, AtTop},
        {"left centre", lpLeftCenter, LeftOfBox, Middle},
        {"left bottom", lpLeftBottom, LeftOfBox, AtBottom},
        {"top left", lpTopLeft, AtBoxLeft, Above},
        {"bottom left", lpBottomLeft, AtBoxLeft, Below},
        {"left top left", lpLeftTopLeft, AtLeftMinusMargin, AtTop},
        {"left centre left", lpLeftCenterLeft, AtLeftMinusMargin, Middle},
        {"left bottom left", lpLeftBottomLeft, AtLeftMinusMargin, AtBottom},
        {"top centre", lpTopCenter, Centred, Above},
        {"bottom centre", lpBottomCenter, Centred, Below},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        LabelledBox boxed;
        boxed.box->SetLabelPosition(row.position);
        const TLabel& label = *boxed.label;
        const TTypedEdit& box = *boxed.box;
        const int lefts[] = {box.Left() - 5 - label.Width(), box.Left() - 5, box.Left(), box.Left() + 5};
        const int tops[] = {box.Top(), box.Top() + 4, box.Top() + 8, box.Top() - 5 - label.Height(),
                            box.Top() + box.Height() + 5};
        EXPECT_EQ(label.Left(), lefts[row.left]);
        EXPECT_EQ(label.Top(), tops[row.top]);
    }
}

TEST(TypedEditLabel, FollowsTheBoxsPlaceVisibilityAndEnabledState) {
    LabelledBox boxed;
    TTypedEdit& box = *boxed.box;
    const TLabel& label = *boxed.label;
    box.SetLabelPosition(lpLeftCenter);
    EXPECT_EQ(label.Parent(), &boxed.form);
    EXPECT_EQ(label.FocusControl, &box);

    box.SetBounds(200, 100, box.Width(), box.Height());
    EXPECT_EQ(label.Left() + label.Width(), 195);
    EXPECT_EQ(label.Top(), 104);
    box.SetEnabledEx(false);
    EXPECT_FALSE(label.GetEnabled());
    box.SetEnabledEx(true);
    EXPECT_TRUE(label.GetEnabled());
    box.SetVisible(false);
    EXPECT_FALSE(label.GetVisible());
    box.SetLabelMargin(9);
    EXPECT_EQ(label.Left() + label.Width(), 191);
}

// The spin edit's and the mask edit's label settings read back, from their own start values.
TEST(TypedEditLabel, SpinAndMaskEditsReadTheirLabelSettings) {
    TForm form(nullptr);
    auto* spin = new TTypedSpinEdit(&form);
    auto* mask = new TTypedMaskEdit(&form);
    EXPECT_EQ(spin->GetLabelPosition(), lpLeftTop);
    EXPECT_EQ(spin->GetLabelMargin(), 4);
    EXPECT_FALSE(spin->GetLabelTransparent());
    EXPECT_EQ(mask->GetLabelPosition(), lpLeftTop);
    EXPECT_EQ(mask->GetLabelMargin(), 0);
    EXPECT_FALSE(mask->GetLabelTransparent());

    TFont font;
    font.SetSize(14);
    font.SetColor(clRed);
    spin->SetLabelFont(font);
    spin->SetLabelPosition(lpBottomCenter);
    spin->SetLabelMargin(7);
    spin->SetLabelTransparent(true);
    EXPECT_EQ(spin->GetLabelFont().Size, 14);
    EXPECT_EQ(spin->GetLabelFont().Color, clRed);
    EXPECT_EQ(spin->GetLabelPosition(), lpBottomCenter);
    EXPECT_EQ(spin->GetLabelMargin(), 7);
    EXPECT_TRUE(spin->GetLabelTransparent());
    mask->SetLabelPosition(lpTopLeft);
    mask->SetLabelMargin(3);
    mask->SetLabelTransparent(true);
    EXPECT_EQ(mask->GetLabelPosition(), lpTopLeft);
    EXPECT_EQ(mask->GetLabelMargin(), 3);
    EXPECT_TRUE(mask->GetLabelTransparent());
}

} // namespace
