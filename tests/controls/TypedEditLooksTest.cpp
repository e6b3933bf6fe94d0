#include "tests/controls/TypedEditSupport.h"
#include "tests/support/ScriptedResponder.h"

#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>

#include <string>
#include <vector>

namespace {

QLineEdit& ViewOf(TTypedEdit& box) {
    return *static_cast<QLineEdit*>(box.View());
}

void LeaveBox(TypedEditForm& form) {
    form.Other->SetFocus();
    QApplication::processEvents();
}

TEST(TypedEditLooks, FocusColoursComeAndGo) {
    auto form = ShownTypedEditForm();
    TTypedEdit& box = *form->Box;
    box.SetColorEx(clAqua);
    box.FocusColor = clYellow;
    box.FocusFontColor = clBlue;
    box.ShowModified = true;
    box.ModifiedColor = clRed;
    FocusBox(box);
    EXPECT_EQ(box.GetColor(), clYellow);
    EXPECT_EQ(box.Font.Color, clBlue);
    EXPECT_EQ(ViewOf(box).palette().color(QPalette::Base), QColor(255, 255, 0));
    LeaveBox(*form);
    EXPECT_EQ(box.GetColor(), clAqua);
    EXPECT_EQ(box.Font.Color, clWindowText);
    EXPECT_EQ(ViewOf(box).palette().color(QPalette::Base), QColor(0, 255, 255));

    // A changed box keeps its modified colour once the focus has gone.
    FocusBox(box);
    Type(box, "x");
    EXPECT_EQ(box.Font.Color, clRed);
    LeaveBox(*form);
    EXPECT_EQ(box.GetColor(), clAqua);
    EXPECT_EQ(box.Font.Color, clRed);
}

TEST(TypedEditLooks, ErrorColoursWhileTheValueIsInvalid) {
    auto form = ShownTypedEditForm();
    TTypedEdit& box = *form->Box;
    box.ShowError = true;
    box.FocusColor = clYellow;
    box.ErrorColor = clMaroon;
    box.OnValueValidate = [](TObject*, const AnsiString& value, bool& valid) { valid = value.Pos("x") == 0; };
    box.SetText("x");
    EXPECT_TRUE(box.GetError());
    EXPECT_EQ(box.GetColor(), clMaroon);
    EXPECT_EQ(box.Font.Color, clWhite);
    FocusBox(box);
    EXPECT_EQ(box.GetColor(), clMaroon);
    Type(box, "a");
    EXPECT_FALSE(box.GetError());
    EXPECT_EQ(box.GetColor(), clYellow);
    EXPECT_EQ(box.Font.Color, clWindowText);
    Type(box, "x");
    EXPECT_EQ(box.GetColor(), clMaroon);
    LeaveBox(*form);
    EXPECT_EQ(box.GetColor(), clMaroon);
    box.SetText("ok");
    EXPECT_EQ(box.GetColor(), clWindow);
    EXPECT_EQ(box.Font.Color, clWindowText);

    // Without ShowError the state is kept but not shown.
    box.ShowError = false;
    box.SetError(true);
    EXPECT_TRUE(box.GetError());
    EXPECT_EQ(box.GetColor(), clWindow);
}

TEST(TypedEditLooks, DisabledTwiceThenEnabled) {
    auto form = ShownTypedEditForm();
    TTypedEdit& box = *form->Box;
    box.SetColorEx(clAqua);
    box.SetEnabledEx(false);
    EXPECT_FALSE(box.GetEnabledEx());
    EXPECT_EQ(box.GetColor(), clSilver);
    box.SetEnabledEx(false);
    EXPECT_EQ(box.GetColor(), clSilver);
    // A new disabled colour shows at the next disabling only.
    box.SetDisabledColor(clGray);
    EXPECT_EQ(box.GetColor(), clSilver);
    box.SetEnabledEx(true);
    EXPECT_EQ(box.GetColor(), clAqua);
    EXPECT_FALSE(ViewOf(box).palette().color(QPalette::Base) == QColor(128, 128, 128));
    box.SetEnabled(false);
    EXPECT_EQ(box.GetColor(), clGray);
    EXPECT_FALSE(ViewOf(box).isEnabled());
    box.SetEnabled(true);

    // Disabled while focused, the box comes back in its own colour, not the focus colour.
    box.FocusColor = clYellow;
    FocusBox(box);
    EXPECT_EQ(box.GetColor(), clYellow);
    box.SetEnabledEx(false);
    EXPECT_EQ(box.GetColor(), clGray);
    box.SetEnabledEx(true);
    EXPECT_EQ(box.GetColor(), clAqua);
}

TEST(TypedEditLooks, FocusWidensRealignsAndSelects) {
    auto form = ShownTypedEditForm();
    TTypedEdit& box = *form->Box;
    box.FocusWidthInc = 20;
    box.FocusAlign = eaRight;
    box.SetEditType(etFloat);
    box.SetPrecision(2);
    box.SetText("12.5");
    FocusBox(box);
    EXPECT_EQ(box.Width(), 170);
    EXPECT_EQ(box.GetEditAlign(), eaRight);
    EXPECT_TRUE(ViewOf(box).alignment() & Qt::AlignRight);
    EXPECT_EQ(box.GetSelText(), "12.50");
    LeaveBox(*form);
    EXPECT_EQ(box.Width(), 150);
    EXPECT_EQ(box.GetEditAlign(), eaLeft);
    EXPECT_TRUE(ViewOf(box).alignment() & Qt::AlignLeft);

    // A box aligned as it would be when focused keeps its alignment.
    box.SetEditAlign(eaRight);
    FocusBox(box);
    LeaveBox(*form);
    EXPECT_EQ(box.GetEditAlign(), eaRight);

    box.AutoSelect = false;
    FocusBox(box);
    EXPECT_EQ(box.GetSelStart(), 2);
    EXPECT_EQ(box.GetSelLength(), 0);
}

// The pixels of the box as it paints itself.
QImage Painted(TTypedEdit& box) {
    return box.View()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

TEST(TypedEditLooks, EmptyTextShowsInGreyWhileEmptyAndUnfocused) {
    auto form = ShownTypedEditForm();
    TTypedEdit& box = *form->Box;
    box.SetText("");
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
            EXPECT_EQ(qRed(pixel), qGreen(pixel));
            EXPECT_EQ(qGreen(pixel), qBlue(pixel));
            EXPECT_GE(qRed(pixel), 128);
        }
    EXPECT_GT(changed, 20);

    FocusBox(box);
    const QImage focusedPlain = Painted(box);
    box.SetEmptyText("");
    EXPECT_EQ(Painted(box), focusedPlain);
    box.SetEmptyText("Sewer name");
    LeaveBox(*form);
    box.SetText("A1");
    EXPECT_NE(Painted(box), prompted);
}

TEST(TypedEditLooks, LongValueShowsAsTheHint) {
    auto form = ShownTypedEditForm();
    TTypedEdit& box = *form->Box;
    box.Hint = "Name of the sewer";
    box.ShowHint = true;
    box.HintShowLargeText = true;
    box.SetWidth(40);
    struct Row {
        const char* label;
        const char* value;
        const char* hint;
        int x;
    } rows[] = {
        {"short value keeps the hint", "A1", "Name of the sewer", 7},
        {"long value is the hint", "Main trunk sewer from the works", "Main trunk sewer from the works", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        box.SetText(row.value);
        AnsiString hint = box.Hint;
        int x = 7;
        int y = 9;
        box.ViewHintShow(hint, x, y);
        EXPECT_EQ(hint, row.hint);
        EXPECT_EQ(x, row.x);
    }
}

TEST(TypedEditLooks, ClicksKeepTheCaretOffPrefixAndSuffix) {
    auto form = ShownTypedEditForm();
    TTypedEdit& box = *form->Box;
    box.SetPrefix("L=");
    box.SetSuffix(" m");
    box.SetText("12");
    FocusBox(box);
    QLineEdit& view = ViewOf(box);
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(2, view.height() / 2));
    EXPECT_EQ(box.GetSelText(), "12");
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(view.width() - 3, view.height() / 2));
    EXPECT_EQ(box.GetSelStart(), 4);
    EXPECT_EQ(box.GetSelLength(), 0);
}

TEST(TypedEditLooks, AClickInsideTheSelectionPlacesTheCaretOnRelease) {
    auto form = ShownTypedEditForm();
    TTypedEdit& box = *form->Box;
    box.SetText("abcdef");
    FocusBox(box);
    ASSERT_EQ(box.GetSelLength(), 6);
    QLineEdit& view = ViewOf(box);
    const int x = QFontMetrics(view.font()).horizontalAdvance("abc");
    QTest::mousePress(&view, Qt::LeftButton, {}, QPoint(x, view.height() / 2));
    EXPECT_EQ(box.GetSelLength(), 6);
    QTest::mouseRelease(&view, Qt::LeftButton, {}, QPoint(x, view.height() / 2));
    EXPECT_EQ(box.GetSelLength(), 0);
    EXPECT_EQ(box.GetSelStart(), box.CharFromPos(x));
}

TEST(TypedEditLooks, AutoFocusTakesTheFocusWhenTheMouseComes) {
    auto form = ShownTypedEditForm();
    form->Box->ViewMouseEnter();
    QApplication::processEvents();
    EXPECT_TRUE(form->Other->Focused());
    form->Box->AutoFocus = true;
    form->Box->ViewMouseEnter();
    QApplication::processEvents();
    EXPECT_TRUE(form->Box->Focused());
}

TEST(TypedEditLooks, UnreadableValueOnLeavingIsReported) {
    auto form = ShownTypedEditForm();
    TTypedEdit& box = *form->Box;
    box.SetEditType(etFloat);
    box.SetPrecision(2);
    box.Signed = true;
    box.SetText("");
    bool exited = false;
    box.OnExit = [&](TObject*) { exited = true; };
    Responder().Clear();
    FocusBox(box);
    Type(box, "-");
    LeaveBox(*form);
    ASSERT_EQ(Responder().Asked.size(), 1u);
    EXPECT_EQ(Responder().Asked[0].Text, "'-' is not a valid floating point value");
    EXPECT_FALSE(exited);
    Responder().Clear();
}

} // namespace
