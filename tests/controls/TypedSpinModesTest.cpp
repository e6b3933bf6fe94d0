#include "controls/Typedspin.h"
#include "framework/Geometry.h"
#include "framework/Label.h"
#include "framework/MessageBeep.h"
#include "framework/Timer.h"
#include "tests/controls/TypedEditSupport.h"
#include "tests/support/DateSettings.h"

#include <functional>
#include <string>

namespace {

struct SpinModeForm : TForm {
    SpinModeForm() : TForm(nullptr) {
        for (TTypedSpinEdit* spin : {Spin, Other}) {
            spin->SetParent(this);
            spin->SetBounds(10, spin == Spin ? 10 : 40, 120, 21);
        }
        EndLayout();
    }
    TTypedSpinEdit* Spin = new TTypedSpinEdit(this);
    TTypedSpinEdit* Other = new TTypedSpinEdit(this);
};

// Puts the text in the edit with the caret at '|'.
void Show(TTypedSpinEdit& spin, const char* marked) {
    const Marked shown = Unmark(marked);
    spin.SetWindowText(shown.text);
    spin.SetSelStart(shown.start);
}

// The long time format and its separator for one test.
struct TimeSettings {
    TimeSettings() {
        LongTimeFormat = "hh:nn:ss";
        TimeSeparator = ':';
    }
    ~TimeSettings() {
        LongTimeFormat = savedFormat;
        TimeSeparator = savedSeparator;
    }
    AnsiString savedFormat = LongTimeFormat;
    char savedSeparator = TimeSeparator;
};

TEST(TypedSpinModes, SmartStepsMoveTheDigitLeftOfTheCaret) {
    const LocaleSeparators separators('.', ',');
    const struct {
        TTypedSpinType type;
        const char* before;
        int sign;
        const char* after;
    } rows[] = {
        {sptNormal, "1|23", 1, "223"},    {sptNormal, "12|3", -1, "113"},   {sptNormal, "-|5", 1, "-4"},
        {sptNormal, "123|", 1, "124"},    {sptNormal, "|123", 1, "124"},    {sptFloat, "12.34|", 1, "12.35"},
        {sptFloat, "12.3|4", 1, "12.44"}, {sptFloat, "12.|34", 1, "13.34"}, {sptFloat, "1|2.34", -1, "2.34"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.before);
        SpinModeForm form;
        TTypedSpinEdit& spin = *form.Spin;
        spin.IncrementSmart = true;
        spin.MinValue = spin.MaxValue = 0;
        spin.MinFloatValue = spin.MaxFloatValue = 0;
        spin.SetSpinType(row.type);
        spin.SetPrecision(row.type == sptFloat ? 2 : 0);
        Show(spin, row.before);
        const int caret = spin.GetSelStart();
        if (row.sign > 0)
            spin.UpClick(&spin);
        else
            spin.DownClick(&spin);
        EXPECT_EQ(spin.GetWindowText(), row.after);
        EXPECT_EQ(spin.GetSelStart(), caret);
    }
}

TEST(TypedSpinModes, HexDateAndTimeValues) {
    const DateSettings dates("dd/mm/yyyy", '/');
    const TimeSettings times;
    SpinModeForm form;
    TTypedSpinEdit& spin = *form.Spin;
    spin.SetSpinType(sptHex);
    EXPECT_EQ(spin.GetWindowText(), "0x0");
    const struct {
        const char* text;
        int value;
    } hexRows[] = {{"0x1F", 31}, {"0x1F3", 499}, {"0x1f", 31}, {"0xffffffff", -1}, {"0x", 0}};
    for (const auto& row : hexRows) {
        SCOPED_TRACE(row.text);
        spin.SetWindowText(row.text);
        EXPECT_EQ(spin.GetHexValue(), row.value);
    }
    spin.SetHexValue(255);
    EXPECT_EQ(spin.GetWindowText(), "0xFF");
    spin.Increment = 16;
    spin.UpClick(&spin);
    EXPECT_EQ(spin.GetWindowText(), "0x10F");

    const struct {
        TTypedSpinType type;
        const char* before;
        int sign;
        const char* after;
    } stepRows[] = {
        {sptDate, "31/0|1/2011", 1, "28/02/2011"}, {sptDate, "31|/01/2011", 1, "01/02/2011"},
        {sptDate, "29/02/20|12", 1, "28/02/2013"}, {sptDate, "01/03/2011|", -1, "01/03/2010"},
        {sptTime, "2|3:30:00", 1, "00:30:00"},     {sptTime, "23:3|0:00", -1, "23:29:00"},
        {sptTime, "00:00:0|0", -1, "23:59:59"},
    };
    for (const auto& row : stepRows) {
        SCOPED_TRACE(row.before);
        spin.SetSpinType(row.type);
        Show(spin, row.before);
        if (row.sign > 0)
            spin.UpClick(&spin);
        else
            spin.DownClick(&spin);
        EXPECT_EQ(spin.GetWindowText(), row.after);
    }
    spin.SetSpinType(sptDate);
    spin.MinDateValue = EncodeDate(2011, 1, 1);
    spin.MaxDateValue = EncodeDate(2011, 12, 31);
    spin.SetDateValue(EncodeDate(2012, 5, 5));
    EXPECT_EQ(spin.GetWindowText(), "31/12/2011");
    spin.SetWindowText("not a date");
    EXPECT_DOUBLE_EQ(spin.GetDateValue(), EncodeDate(2011, 1, 1));
    spin.SetWindowText("0");
    EXPECT_NEAR(spin.GetDateValue(), Now(), 1.0 / 24);
    spin.SetSpinType(sptTime);
    spin.SetWindowText("later");
    EXPECT_DOUBLE_EQ(spin.GetTimeValue(), 0);
}

TEST(TypedSpinModes, LeavingAHexSpinKeepsItInTheWholeNumberRange) {
    SpinModeForm form;
    form.Show();
    form.View()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.View()));
    TTypedSpinEdit& spin = *form.Spin;
    spin.SetSpinType(sptHex);
    spin.SetFocus();
    QApplication::processEvents();
    Show(spin, "0xFF|");
    form.Other->SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(spin.GetWindowText(), "0x64");
}

TEST(TypedSpinModes, TypingFollowsTheType) {
    const DateSettings dates("dd/mm/yyyy", '/');
    const TimeSettings times;
    const struct {
        TTypedSpinType type;
        const char* before;
        const char* typed;
        const char* after;
    } rows[] = {
        {sptHex, "0x1|", "aF", "0x1aF"},
        {sptHex, "0x1|", "g", "0x1"},
        {sptHex, "0|x1", "5", "0x1"},
        {sptHex, "0x|1", "\b", "0x1"},
        {sptHex, "0x1|", "\b", "0x"},
        {sptDate, "31|", "/", "31/"},
        {sptNormal, "31|", "/", "31"},
        {sptTime, "12|", ":", "12:"},
        {sptTime, "12:30:00|", ":", "12:30:00"},
        {sptDate, "1|", ":", "1"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.before) + " + " + row.typed);
        SpinModeForm form;
        TTypedSpinEdit& spin = *form.Spin;
        spin.SetSpinType(row.type);
        Show(spin, row.before);
        for (const char* c = row.typed; *c; ++c) {
            char key = *c;
            bool passOn = true;
            spin.ViewKeyDown(key == '\b' ? VK_BACK : 0, {}, 0, key, passOn);
        }
        EXPECT_EQ(spin.GetWindowText(), row.after);
    }
}

TEST(TypedSpinModes, AHeldButtonRepeatsAfter400ThenEvery100Milliseconds) {
    SpinModeForm form;
    TTypedSpinEdit& spin = *form.Spin;
    spin.MinValue = spin.MaxValue = 0;
    Typedspin::TTimerSpeedButton& up = *spin.Button()->UpButton();
    bool passOn = true;
    up.ViewMouseDown(mbLeft, {}, 2, 2, passOn);
    ASSERT_NE(up.RepeatTimer(), nullptr);
    EXPECT_TRUE(up.RepeatTimer()->GetEnabled());
    EXPECT_EQ(up.RepeatTimer()->GetInterval(), 400u);
    up.TimerExpired(&up);
    EXPECT_EQ(up.RepeatTimer()->GetInterval(), 100u);
    up.TimerExpired(&up);
    EXPECT_EQ(spin.GetWindowText(), "2");
    up.ViewMouseUp(mbLeft, {}, 2, 2, passOn);
    EXPECT_FALSE(up.RepeatTimer()->GetEnabled());
    up.TimerExpired(&up);
    EXPECT_EQ(spin.GetWindowText(), "2");
    // The down button only steps down.
    Typedspin::TTimerSpeedButton& down = *spin.Button()->DownButton();
    down.ViewMouseDown(mbLeft, {}, 2, 2, passOn);
    down.TimerExpired(&down);
    down.ViewMouseUp(mbLeft, {}, 2, 2, passOn);
    EXPECT_EQ(spin.GetWindowText(), "1");
}

TEST(TypedSpinModes, ButtonsStandAtTheRightEdgeAndTheEditKeepsItsHeight) {
    SpinModeForm form;
    TTypedSpinEdit& spin = *form.Spin;
    const TTypedSpinButton& pair = *spin.Button();
    EXPECT_EQ(pair.Width(), 15);
    EXPECT_EQ(pair.Left() + pair.Width(), spin.Width() - 2);
    EXPECT_EQ(pair.UpButton()->Height(), pair.Height() / 2);
    EXPECT_EQ(pair.DownButton()->Top(), pair.Height() / 2 - 1);
    spin.SetDirection(spHorizontal);
    EXPECT_EQ(pair.Width(), 20);
    EXPECT_EQ(pair.DownButton()->Left(), 0);
    EXPECT_EQ(pair.UpButton()->Left(), 11);
    EXPECT_EQ(pair.UpButton()->ButtonDirection, bdRight);
    spin.SetHeight(3);
    EXPECT_GT(spin.Height(), QFontMetrics(spin.Font.ToQFont()).height());
    spin.SetLabelCaption("Top:");
    EXPECT_EQ(spin.GetLabel()->Left() + spin.GetLabel()->Width() + 4, spin.Left());
}

// A button pair that takes the focus itself (no FocusControl) beside a box to move it to.
struct FocusPairForm : TForm {
    FocusPairForm() : TForm(nullptr) {
        Pair->SetParent(this);
        Pair->SetBounds(10, 10, 30, 40);
        Box->SetParent(this);
        Box->SetBounds(10, 60, 90, 21);
        EndLayout();
    }
    TTypedSpinButton* Pair = new TTypedSpinButton(this);
    TTypedEdit* Box = new TTypedEdit(this);
};

QImage Picture(const Typedspin::TTimerSpeedButton& button) {
    return button.View()->grab().toImage();
}

// Where two pictures of a button differ: on the rectangle 3 pixels inside its edges, and elsewhere.
struct Differences {
    int onFocusRect = 0;
    int elsewhere = 0;
};

Differences Compare(const QImage& before, const QImage& after) {
    Differences found;
    const TRect ring = Rect(3, 3, before.width() - 4, before.height() - 4);
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x) {
            if (before.pixel(x, y) == after.pixel(x, y))
                continue;
            const bool onRing = ((x == ring.Left || x == ring.Right) && y >= ring.Top && y <= ring.Bottom) ||
                                ((y == ring.Top || y == ring.Bottom) && x >= ring.Left && x <= ring.Right);
            ++(onRing ? found.onFocusRect : found.elsewhere);
        }
    return found;
}

TEST(TypedSpinModes, TheFocusedButtonOfAFocusedPairShowsAFocusRectangle) {
    FocusPairForm form;
    form.Show();
    form.View()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.View()));
    form.Box->SetFocus();
    QApplication::processEvents();
    Typedspin::TTimerSpeedButton& up = *form.Pair->UpButton();
    Typedspin::TTimerSpeedButton& down = *form.Pair->DownButton();
    const QImage upPlain = Picture(up);
    const QImage downPlain = Picture(down);

    form.Pair->SetFocus();
    QApplication::processEvents();
    EXPECT_NE(up.TimeBtnState & Typedspin::tbFocusRect, 0u);
    const Differences upFocused = Compare(upPlain, Picture(up));
    EXPECT_GT(upFocused.onFocusRect, 0);
    EXPECT_EQ(upFocused.elsewhere, 0);

    // Down moves the focus rectangle to the down button.
    QTest::keyClick(form.Pair->View(), Qt::Key_Down);
    EXPECT_EQ(up.TimeBtnState & Typedspin::tbFocusRect, 0u);
    EXPECT_EQ(Picture(up), upPlain);
    const Differences downFocused = Compare(downPlain, Picture(down));
    EXPECT_GT(downFocused.onFocusRect, 0);
    EXPECT_EQ(downFocused.elsewhere, 0);

    form.Box->SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(down.TimeBtnState & Typedspin::tbFocusRect, 0u);
    EXPECT_EQ(Picture(down), downPlain);
}

} // namespace
