#include "grid/Dgcombo.h"
#include "tests/grid/PaintedPixels.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <string>

namespace {

constexpr int W = 100;
constexpr int H = 21;

// A flat combo box, aqua on a yellow form, the mouse away and the focus elsewhere.
struct FlatCombo : ::testing::Test {
    FlatCombo() {
        form.SetColor(clYellow);
        combo->SetColor(clAqua);
    }
    QRgb At(int x, int y) { return Painted(*combo).pixel(x, y) & 0xFFFFFF; }

    OneControlForm<TDGComboBox> form{W, H};
    TDGComboBox* const combo = form.control;
};

QRgb Rgb(TColor color) {
    return ToQColor(color).rgb() & 0xFFFFFF;
}

QRgb Rgb(const QColor& color) {
    return color.rgb() & 0xFFFFFF;
}

TEST_F(FlatCombo, TheButtonTakesItsOwnWidthAndTheFaceShowsNoBorderWhileCold) {
    // A list to pick from has no edit field over the face.
    combo->Style = csDropDownList;
    for (const int width : {14, 16, 32}) {
        SCOPED_TRACE(width);
        combo->SetButtonWidth(width);
        // Two frames in the parent's colour, one in the box's own, on both sides.
        EXPECT_EQ(At(0, 10), Rgb(clYellow));
        EXPECT_EQ(At(1, 10), Rgb(clYellow));
        EXPECT_EQ(At(2, 10), Rgb(clAqua));
        EXPECT_EQ(At(W - 1, 10), Rgb(clYellow));
        EXPECT_EQ(At(W - 3, 10), Rgb(clAqua));
        // The face runs up to the button, whose border is a band of the button face.
        EXPECT_EQ(At(W - width - 1, 10), Rgb(clAqua));
        EXPECT_EQ(At(W - width, 10), Rgb(clBtnFace));
        EXPECT_EQ(At(W - 4, 10), Rgb(clBtnFace));
    }
    // An editable box's text stops 4 pixels short of the button.
    combo->Style = csDropDown;
    combo->SetButtonWidth(20);
    UpdateStaleViews();
    const QLineEdit* edit = static_cast<QComboBox*>(combo->View())->lineEdit();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->geometry(), QRect(3, 3, W - 20 - 7, H - 6));
}

TEST_F(FlatCombo, UnderTheMouseTheButtonIsRaisedOrEtchedAndTheFaceFramedWithFocusBorder) {
    const QPalette& palette = QApplication::palette();
    const struct {
        bool etched;
        bool focusBorder;
        QRgb buttonEdge;
        QRgb faceEdge;
    } rows[] = {
        {false, false, Rgb(palette.light().color()), Rgb(clYellow)},
        {true, false, Rgb(palette.dark().color()), Rgb(clYellow)},
        {false, true, Rgb(palette.light().color()), Rgb(palette.dark().color())},
    };
    combo->ViewMouseEnter();
    ASSERT_TRUE(combo->IsHot());
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.etched) + " " + std::to_string(row.focusBorder));
        combo->SetEtched(row.etched);
        combo->FocusBorder = row.focusBorder;
        combo->Invalidate();
        EXPECT_EQ(At(W - combo->GetButtonWidth(), 10), row.buttonEdge);
        EXPECT_EQ(At(0, 10), row.faceEdge);
    }
    combo->ViewMouseLeave();
    EXPECT_EQ(At(W - combo->GetButtonWidth(), 10), Rgb(clBtnFace));
}

TEST_F(FlatCombo, TheBordersAreRaisedWhileHotTheFaceOnlyWithFocusBorder) {
    const struct {
        bool mouseIn;
        bool focusBorder;
        bool control3D;
        bool button3D;
    } rows[] = {
        {false, false, false, false},
        {false, true, false, false},
        {true, false, false, true},
        {true, true, true, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.mouseIn) + " " + std::to_string(row.focusBorder));
        row.mouseIn ? combo->ViewMouseEnter() : combo->ViewMouseLeave();
        combo->FocusBorder = row.focusBorder;
        EXPECT_EQ(combo->Is3DBorderControl(), row.control3D);
        EXPECT_EQ(combo->Is3DBorderButton(), row.button3D);
    }
}

TEST_F(FlatCombo, DisabledTheFaceAndTheTextTakeTheParentsColourAndEnabledTheirOwnAgain) {
    // An editable box: the text's field covers most of the face.
    const struct {
        const char* name;
        bool parentColor;
        TColor enabledColour;
    } rows[] = {
        {"a colour of its own", false, clAqua},
        {"the parent's colour", true, clYellow},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        combo->SetColor(clAqua);
        combo->SetParentColor(row.parentColor);
        combo->SetEnabled(false);
        EXPECT_TRUE(combo->GetParentColor());
        EXPECT_EQ(combo->GetColor(), clYellow);
        // The face's inner frame and the text's field.
        EXPECT_EQ(At(2, 10), Rgb(clYellow));
        EXPECT_EQ(At(20, 10), Rgb(clYellow));
        combo->SetEnabled(true);
        EXPECT_EQ(combo->GetParentColor(), row.parentColor);
        EXPECT_EQ(combo->GetColor(), row.enabledColour);
        EXPECT_EQ(At(2, 10), Rgb(row.enabledColour));
        EXPECT_EQ(At(20, 10), Rgb(row.enabledColour));
    }
}

TEST_F(FlatCombo, WithParentColorTheFaceFollowsTheParentsNewColour) {
    const struct {
        const char* name;
        bool enabled;
        bool parentColor;
        TColor shown;
        TColor enabledAgain;
    } rows[] = {
        {"enabled, its own colour", true, false, clAqua, clAqua},
        {"enabled, the parent's colour", true, true, clLime, clLime},
        {"disabled, its own colour", false, false, clLime, clAqua},
        {"disabled, the parent's colour", false, true, clLime, clLime},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        form.SetColor(clYellow);
        combo->SetColor(clAqua);
        combo->SetParentColor(row.parentColor);
        combo->SetEnabled(row.enabled);
        form.SetColor(clLime);
        EXPECT_EQ(combo->GetColor(), row.shown);
        EXPECT_EQ(At(20, 10), Rgb(row.shown));
        combo->SetEnabled(true);
        EXPECT_EQ(combo->GetColor(), row.enabledAgain);
        EXPECT_EQ(At(20, 10), Rgb(row.enabledAgain));
    }
}

TEST_F(FlatCombo, TheButtonSinksWhileItsListIsDown) {
    combo->Items.Add("one");
    const int width = combo->GetButtonWidth();
    const QRect button(W - width + 4, 4, width - 8, H - 8);
    const struct {
        bool themed;
        const char* label;
    } rows[] = {{false, "classic"}, {true, "themed"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        combo->Themed = row.themed;
        combo->Invalidate();
        const QImage raised = Painted(*combo);
        combo->SetDroppedDown(true);
        const QImage pressed = Painted(*combo);
        combo->SetDroppedDown(false);
        if (row.themed) {
            EXPECT_LT(MeanGray(pressed, button), MeanGray(raised, button));
        } else {
            // The classic arrow moves a pixel right and down.
            const Arrow up = ArrowIn(raised, button);
            ASSERT_FALSE(up.box.isEmpty());
            EXPECT_EQ(ArrowIn(pressed, button).box, up.box.translated(1, 1));
        }
        EXPECT_EQ(Painted(*combo), raised);
    }
}

TEST_F(FlatCombo, ASimpleBoxHasNoButtonNorListAndItsTextRunsToTheBorder) {
    struct Row {
        const char* name;
        bool flat;
    } rows[] = {{"flat", true}, {"with the style's frame", false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        combo->SetFlat(row.flat);
        combo->Style = csSimple;
        combo->Items.Add("one");
        combo->Items.Add("two");
        combo->SetText("one");
        UpdateStaleViews();
        // Where the button stood, the face goes on in the box's own colour.
        for (int x = W - 20; x < W - 4; ++x)
            EXPECT_NE(At(x, 10), Rgb(clBtnFace)) << x;
        const QLineEdit* edit = static_cast<QComboBox*>(combo->View())->lineEdit();
        ASSERT_NE(edit, nullptr);
        if (row.flat) {
            EXPECT_EQ(edit->geometry(), QRect(3, 3, W - 7, H - 6));
            // Between the text and the frame, where a button's border would stand, the face
            // shows, with the mouse away and over the box.
            for (const bool hot : {false, true}) {
                hot ? combo->ViewMouseEnter() : combo->ViewMouseLeave();
                for (int y = 3; y <= H - 4; ++y)
                    EXPECT_EQ(At(W - 4, y), Rgb(clAqua)) << hot << " " << y;
            }
            combo->ViewMouseLeave();
        }
        combo->SetDroppedDown(true);
        EXPECT_FALSE(combo->GetDroppedDown());
    }
}

} // namespace
