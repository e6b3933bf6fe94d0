#include "tests/controls/TypedEditSupport.h"
#include "tests/support/ScriptedResponder.h"

#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>

#include <functional>
#include <tuple>
#include <vector>

namespace {

QLineEdit& ViewOf(TTypedEdit& box) {
    return *static_cast<QLineEdit*>(box.View());
}

constexpr TColor Unchecked = clNone;

// One step, then the colour the box and its view show, and the font colour unless Unchecked.
struct Step {
    const char* label;
    std::function<void()> act;
    TColor color;
    TColor font = Unchecked;
};

void RunSteps(TTypedEdit& box, const std::vector<Step>& steps) {
    for (const Step& step : steps) {
        SCOPED_TRACE(step.label);
        step.act();
        // The view follows once the event loop turns.
        QApplication::processEvents();
        EXPECT_EQ(box.GetColor(), step.color);
        EXPECT_EQ(ViewOf(box).palette().color(QPalette::Base), ToQColor(step.color));
        EXPECT_EQ(ViewOf(box).isEnabled(), box.GetEnabled());
        if (step.font != Unchecked) {
            EXPECT_EQ(box.Font.Color, step.font);
        }
    }
}

using TypedEditLooks = ShownBox;

TEST_F(TypedEditLooks, FocusColoursComeAndGo) {
    box.SetColorEx(clAqua);
    box.FocusColor = clYellow;
    box.FocusFontColor = clBlue;
    box.ShowModified = true;
    box.ModifiedColor = clRed;
    RunSteps(box, {
                      {"focused", [&] { FocusOn(box); }, clYellow, clBlue},
                      {"left", [&] { Leave(); }, clAqua, clWindowText},
                      {"focused again", [&] { FocusOn(box); }, clYellow, clBlue},
                      {"changed", [&] { Type(box, "x"); }, clYellow, clRed},
                      {"left changed keeps the modified colour", [&] { Leave(); }, clAqua, clRed},
                  });
}

TEST_F(TypedEditLooks, ErrorColoursWhileTheValueIsInvalid) {
    box.ShowError = true;
    box.FocusColor = clYellow;
    box.ErrorColor = clMaroon;
    box.OnValueValidate = [](TObject*, const AnsiString& value, bool& valid) { valid = value.Pos("x") == 0; };
    RunSteps(box, {
                      {"invalid", [&] { box.SetText("x"); }, clMaroon, clWhite},
                      {"focused", [&] { FocusOn(box); }, clMaroon},
                      {"typed valid", [&] { Type(box, "a"); }, clYellow, clWindowText},
                      {"typed invalid", [&] { Type(box, "x"); }, clMaroon},
                      {"left", [&] { Leave(); }, clMaroon},
                      {"valid from code", [&] { box.SetText("ok"); }, clWindow, clWindowText},
                  });
    // Without ShowError the state is kept but not shown.
    box.ShowError = false;
    box.SetError(true);
    EXPECT_EQ(box.GetColor(), clWindow);
}

TEST_F(TypedEditLooks, DisabledTwiceThenEnabled) {
    box.SetColorEx(clAqua);
    box.FocusColor = clYellow;
    RunSteps(box, {
                      {"disabled", [&] { box.SetEnabledEx(false); }, clSilver},
                      {"disabled twice", [&] { box.SetEnabledEx(false); }, clSilver},
                      // A new disabled colour shows at the next disabling only.
                      {"new disabled colour", [&] { box.SetDisabledColor(clGray); }, clSilver},
                      {"enabled", [&] { box.SetEnabledEx(true); }, clAqua},
                      {"disabled as a control", [&] { box.SetEnabled(false); }, clGray},
                      {"enabled as a control", [&] { box.SetEnabled(true); }, clAqua},
                      {"focused", [&] { FocusOn(box); }, clYellow},
                      // Its own colour comes back, not the focus colour.
                      {"disabled while focused", [&] { box.SetEnabledEx(false); }, clGray},
                      {"enabled again", [&] { box.SetEnabledEx(true); }, clAqua},
                  });
}

TEST_F(TypedEditLooks, FocusWidensRealignsAndSelects) {
    box.FocusWidthInc = 20;
    box.FocusAlign = eaRight;
    Apply(box, {etFloat, 2});
    box.SetText("12.5");
    FocusOn(box);
    EXPECT_EQ(box.Width(), 170);
    EXPECT_TRUE(ViewOf(box).alignment() & Qt::AlignRight);
    EXPECT_EQ(box.GetSelText(), "12.50");
    Leave();
    EXPECT_EQ(box.Width(), 150);
    EXPECT_TRUE(ViewOf(box).alignment() & Qt::AlignLeft);
    // A box aligned as it would be when focused keeps its alignment.
    box.SetEditAlign(eaRight);
    FocusOn(box);
    Leave();
    EXPECT_EQ(box.GetEditAlign(), eaRight);
    // Without AutoSelect the caret goes before the decimal separator.
    box.AutoSelect = false;
    FocusOn(box);
    ExpectShown(box, "12|.50");
}

// The pixels of the box as it paints itself.
QImage Painted(TTypedEdit& box) {
    return box.View()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TEST_F(TypedEditLooks, EmptyTextShowsInGreyWhileEmptyAndUnfocused) {
    const QImage plain = Painted(box);
    box.SetEmptyText("Sewer name");
    const QImage prompted = Painted(box);
    ASSERT_EQ(plain.size(), prompted.size());
    int changed = 0;
    for (int y = 0; y < plain.height(); ++y)
        for (int x = 0; x < plain.width(); ++x) {
            const QRgb pixel = prompted.pixel(x, y);
            if (pixel == plain.pixel(x, y))
                continue;
            ++changed;
            // Grey text, blended only towards the white background.
            EXPECT_TRUE(qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel) && qRed(pixel) >= 128)
                << x << ", " << y;
        }
    EXPECT_GT(changed, 20);

    // Not while focused, nor over a value.
    FocusOn(box);
    const QImage focused = Painted(box);
    box.SetEmptyText("");
    EXPECT_EQ(Painted(box), focused);
    Leave();
    box.SetText("A1");
    const QImage valued = Painted(box);
    box.SetEmptyText("Sewer name");
    EXPECT_EQ(Painted(box), valued);
}

TEST_F(TypedEditLooks, LongValueShowsAsTheHint) {
    box.Hint = "Name of the sewer";
    box.ShowHint = true;
    box.HintShowLargeText = true;
    box.SetWidth(40);
    for (const auto& [value, shown, shownX] :
         {std::tuple{"A1", "Name of the sewer", 7},
          {"Main trunk sewer from the works", "Main trunk sewer from the works", 0}}) {
        SCOPED_TRACE(value);
        box.SetText(value);
        AnsiString hint = box.Hint;
        int x = 7, y = 9;
        box.ViewHintShow(hint, x, y);
        EXPECT_EQ(hint, shown);
        EXPECT_EQ(x, shownX);
    }
}

TEST_F(TypedEditLooks, ClicksKeepTheCaretOffPrefixAndSuffix) {
    box.SetPrefix("L=");
    box.SetSuffix(" m");
    box.SetText("12");
    FocusOn(box);
    QLineEdit& view = ViewOf(box);
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(2, view.height() / 2));
    ExpectShown(box, "L=[12] m");
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(view.width() - 3, view.height() / 2));
    ExpectShown(box, "L=12| m");
}

TEST_F(TypedEditLooks, AClickInsideTheSelectionPlacesTheCaretOnRelease) {
    box.SetText("abcdef");
    FocusOn(box);
    QLineEdit& view = ViewOf(box);
    const QPoint at(QFontMetrics(view.font()).horizontalAdvance("abc"), view.height() / 2);
    QTest::mousePress(&view, Qt::LeftButton, {}, at);
    EXPECT_EQ(box.GetSelLength(), 6);
    QTest::mouseRelease(&view, Qt::LeftButton, {}, at);
    EXPECT_EQ(box.GetSelLength(), 0);
    EXPECT_EQ(box.GetSelStart(), box.CharFromPos(at.x()));
}

TEST_F(TypedEditLooks, AutoFocusTakesTheFocusWhenTheMouseComes) {
    box.ViewMouseEnter();
    QApplication::processEvents();
    EXPECT_TRUE(form->Other->Focused());
    box.AutoFocus = true;
    box.ViewMouseEnter();
    QApplication::processEvents();
    EXPECT_TRUE(box.Focused());
}

// Typing lets through only what the box reads; a text put in from code past its checks may not be.
TEST_F(TypedEditLooks, UnreadableValueOnLeavingIsReported) {
    Apply(box, {etFloat, 2, "", "", true});
    box.SetWindowText("12a");
    bool exited = false;
    box.OnExit = [&](TObject*) { exited = true; };
    Responder().Clear();
    FocusOn(box);
    Leave();
    ASSERT_EQ(Responder().Asked.size(), 1u);
    EXPECT_EQ(Responder().Asked[0].Text, "'12a' is not a valid floating point value");
    EXPECT_EQ(Responder().Asked[0].Flags, MB_OK | MB_ICONERROR);
    EXPECT_FALSE(exited);
    Responder().Clear();
}

} // namespace
