#include "controls/Typedspin.h"
#include "framework/MessageBeep.h"
#include "tests/controls/TypedEditSupport.h"
#include "tests/support/AnsiStringPrinter.h"
#include "tests/support/DateSettings.h"
#include "tests/support/MaskSpinNumbers.h"
#include "tests/support/ScriptedResponder.h"
#include "tests/support/SpinStepUndo.h"

#include <QToolButton>

#include <functional>
#include <string>
#include <vector>

namespace {

// A spin edit for lengths as the grid's print settings window has them (2 decimals, steps of
// 0.1, 0 to 100), and a box to take the focus.
struct SpinForm : TForm {
    SpinForm() : TForm(nullptr) {
        Spin->SetParent(this);
        Spin->SetBounds(10, 10, 90, 21);
        Spin->SetSpinType(sptFloat);
        Spin->SetPrecision(2);
        Other->SetParent(this);
        Other->SetBounds(10, 40, 90, 21);
        Spin->OnChange = [this](TObject*) { ++Changes; };
        EndLayout();
    }
    Typedspin::TTypedMaskSpinEdit* Spin = new Typedspin::TTypedMaskSpinEdit(this);
    TTypedSpinEdit* Other = new TTypedSpinEdit(this);
    int Changes = 0;
};

struct ShownSpin : testing::Test {
    ShownSpin() {
        form->Show();
        form->View()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form->View()));
        spin.SetFocus();
        QApplication::processEvents();
    }
    // Puts the text in the box with the caret at '|'.
    void Show(const char* marked) {
        const Marked shown = Unmark(marked);
        spin.SetWindowText(shown.text);
        spin.SetSelStart(shown.start);
        spin.SetSelLength(0);
    }
    // The up button, then the down one.
    void Click(int button) { spin.View()->findChildren<QToolButton*>()[button]->click(); }

    LocaleSeparators separators{'.', ','};
    std::unique_ptr<SpinForm> form = std::make_unique<SpinForm>();
    TTypedSpinEdit& spin = *form->Spin;
};

// Mended: the mask spin wrote its values as they came, past its EditMask.
TEST(TypedSpinEdit, TheMaskSpinFitsItsValuesIntoItsEditMask) {
    const DateSettings dates("dd/mm/yyyy", '/');
    LocaleSeparators separators{'.', ','};
    Typedspin::TTypedMaskSpinEdit spin(nullptr);
    spin.MaxValue = 9999;
    spin.SetEditMask("9999;1;_");
    spin.SetValue(12);
    EXPECT_EQ(spin.GetWindowText(), "12__");
    EXPECT_EQ(spin.GetValue(), 12);
    spin.UpClick(&spin);
    EXPECT_EQ(spin.GetWindowText(), "13__");
    EXPECT_EQ(spin.GetValue(), 13);

    spin.SetEditMask("9.999;1;_");
    spin.SetSpinType(sptFloat);
    spin.SetPrecision(2);
    spin.SetFloatValue(3.5);
    EXPECT_EQ(spin.GetWindowText(), "3.50_");
    EXPECT_DOUBLE_EQ(spin.GetFloatValue(), 3.5);

    spin.SetEditMask("99/99/0000;1;_");
    spin.SetSpinType(sptDate);
    spin.SetDateValue(EncodeDate(2024, 1, 31));
    EXPECT_EQ(spin.GetWindowText(), "31/01/2024");
    EXPECT_DOUBLE_EQ(spin.GetDateValue(), EncodeDate(2024, 1, 31));
}

// A mask spin holds a value with its digits on either side of the mask's literals, read back as
// the same value; a value the mask cannot hold that way leaves the text as it was.
TEST(TypedSpinEdit, AMaskSpinHoldsItsValueAroundTheMasksLiterals) {
    const DateSettings dates("d/m/yyyy", '/');
    const LocaleSeparators separators('.', ',');
    const AnsiString longTime = LongTimeFormat;
    LongTimeFormat = "h:nn:ss";
    const TDateTime march5 = EncodeDate(2024, 3, 5);
    const TDateTime time = EncodeTime(9, 5, 3, 0);
    const struct {
        const char* mask;
        TTypedSpinType type;
        int precision;
        double first;
        double then;
        const char* shown;
        double reads;
    } rows[] = {
        // "3.25" put in order gave "3_.5_", read as nothing.
        {"99.99;1;_", sptFloat, 2, 13.5, 3.25, "03.25", 3.25},
        {"99.99;1;_", sptFloat, 1, 13.5, 3.5, "03.5_", 3.5},
        {"99.99;1;_", sptFloat, 0, 13.5, 3, "03.__", 3},
        {"99.99;1;_", sptFloat, 2, 3.25, 123.5, "03.25", 3.25},
        {"99.99;1;_", sptFloat, 2, 3.25, -1.5, "03.25", 3.25},
        // The point stands for the decimal separator whether Text keeps the literals or not.
        {"99.99;0;_", sptFloat, 0, 3, 3.25, "03.25", 3.25},
        {"999;1;_", sptNormal, 0, 12, 42, "42_", 42},
        {"999;1;_", sptNormal, 0, 432, 4321, "432", 432},
        {"999;1;_", sptNormal, 0, 7, -7, "7__", 7},
        {"#99;1;_", sptNormal, 0, 7, -7, "-7_", -7},
        // A sign stands in the first place, zeros between it and the digits.
        {"#99.99;1;_", sptFloat, 2, 13.5, -5.5, "-05.50", -5.5},
        {"#99.99;1;_", sptFloat, 2, 13.5, -0.25, "-00.25", -0.25},
        {"#9.99;1;_", sptFloat, 2, 3.5, -5.5, "-5.50", -5.5},
        {"999.99;1;_", sptFloat, 2, 3.5, -5.5, "003.50", 3.5},
        {"\\0xAA;1;_", sptHex, 0, 0x1F, 0xA, "0xA_", 0xA},
        {"99:99:99;1;_", sptTime, 0, 0, time, "09:05:03", time},
        {"99/99/9999;1;_", sptDate, 0, march5 + 1, march5, "05/03/2024", march5},
        // A blank that is a figure reads as that figure: 100 was "100.00" read as 1, and kept out.
        {"999.99;1;0", sptFloat, 2, 3.5, 100, "100.00", 100},
        {"999.99;1;0", sptFloat, 1, 3.5, 105.5, "105.50", 105.5},
        {"999;1;0", sptNormal, 0, 7, 42, "042", 42},
        {"\\0xAA;1;0", sptHex, 0, 0x1F, 0xA0, "0xA0", 0xA0},
        {"\\0xAA;1;0", sptHex, 0, 0x1F, 0xA, "0x0A", 0xA},
        {"99:99:99;1;0", sptTime, 0, 0, EncodeTime(10, 0, 0, 0), "10:00:00", EncodeTime(10, 0, 0, 0)},
        {"99/99/9999;1;0", sptDate, 0, march5 + 1, march5, "05/03/2024", march5},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.mask) + " " + std::to_string(row.then));
        Typedspin::TTypedMaskSpinEdit spin(nullptr);
        spin.MinValue = spin.MaxValue = 0;
        spin.MinFloatValue = spin.MaxFloatValue = 0;
        spin.SetEditMask(row.mask);
        spin.SetSpinType(row.type);
        spin.SetPrecision(row.precision);
        const auto set = [&](double value) {
            switch (row.type) {
            case sptFloat:
                return spin.SetFloatValue(value);
            case sptHex:
                return spin.SetHexValue(static_cast<int>(value));
            case sptTime:
                return spin.SetTimeValue(value);
            case sptDate:
                return spin.SetDateValue(value);
            default:
                return spin.SetValue(static_cast<int>(value));
            }
        };
        set(row.first);
        set(row.then);
        EXPECT_EQ(spin.GetWindowText(), row.shown);
        const double read = row.type == sptFloat  ? spin.GetFloatValue()
                            : row.type == sptHex  ? spin.GetHexValue()
                            : row.type == sptTime ? spin.GetTimeValue()
                            : row.type == sptDate ? spin.GetDateValue()
                                                  : spin.GetValue();
        EXPECT_DOUBLE_EQ(read, row.reads);
    }

    // A step goes on from the value read: 3.25 up by 1 is 4.25; 999 up has no place for 1000.
    Typedspin::TTypedMaskSpinEdit spin(nullptr);
    spin.MaxValue = spin.MaxFloatValue = 9999;
    spin.SetEditMask("99.99;1;_");
    spin.SetSpinType(sptFloat);
    spin.SetPrecision(2);
    spin.IncrementFloat = 1;
    spin.SetFloatValue(3.25);
    spin.UpClick(&spin);
    EXPECT_EQ(spin.GetWindowText(), "04.25");
    // Down through 0 into a signed mask.
    spin.MinFloatValue = -9999;
    spin.SetEditMask("#99.99;1;_");
    spin.SetFloatValue(0.5);
    spin.DownClick(&spin);
    EXPECT_EQ(spin.GetWindowText(), "-00.50");
    spin.DownClick(&spin);
    EXPECT_EQ(spin.GetWindowText(), "-01.50");
    spin.SetEditMask("999;1;_");
    spin.SetSpinType(sptNormal);
    spin.SetValue(999);
    spin.UpClick(&spin);
    EXPECT_EQ(spin.GetWindowText(), "999");

    // A new mask takes the value shown, as a value written.
    Typedspin::TTypedMaskSpinEdit plain(nullptr);
    plain.SetSpinType(sptFloat);
    plain.SetPrecision(2);
    plain.SetFloatValue(3.25);
    plain.SetEditMask("99.99;1;_");
    EXPECT_EQ(plain.GetWindowText(), "03.25");
    Typedspin::TTypedMaskSpinEdit dated(nullptr);
    dated.SetSpinType(sptDate);
    dated.SetDateValue(march5);
    dated.SetEditMask("99/99/9999;1;_");
    EXPECT_EQ(dated.GetWindowText(), "05/03/2024");
    // A new mask that cannot hold the value shows none of it, never the value cut short.
    Typedspin::TTypedMaskSpinEdit cut(nullptr);
    cut.MaxValue = 9999;
    cut.SetEditMask("9999;1;_");
    cut.SetValue(1234);
    cut.SetEditMask("99;1;_");
    EXPECT_EQ(cut.GetWindowText(), "__");
    EXPECT_EQ(cut.GetValue(), 0);
    LongTimeFormat = longTime;
}

TEST(TypedSpinEdit, AMaskSpinHoldsNumbersInItsPlacesWithoutItsLiterals) {
    ExpectMaskSpinsHoldNumbersInTheirPlaces<Typedspin::TTypedMaskSpinEdit, sptNormal, sptFloat>();
}

TEST(TypedSpinEdit, AStepByKeyOrButtonIsOneEditToUndo) {
    ExpectUserStepsUndoOneByOne<TTypedSpinEdit>(
        [](TTypedSpinEdit& spin) -> TTypedSpinButton& { return *spin.Button(); }, true);
}

} // namespace

TEST(TypedSpinEdit, FloatValuesAreKeptInRangeAndShownWithTheirDecimals) {
    const LocaleSeparators separators('.', ',');
    SpinForm form;
    TTypedSpinEdit& spin = *form.Spin;
    const struct {
        double value;
        const char* shown;
    } rows[] = {
        {12.5, "12.50"}, {0.492, "0.49"}, {123.456, "100.00"}, {-3, "0.00"}, {0.125, "0.13"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.value);
        form.Changes = 0;
        spin.SetFloatValue(row.value);
        EXPECT_EQ(spin.GetWindowText(), row.shown);
        EXPECT_EQ(form.Changes, 1);
    }
    // Read as it stands, unlimited; a text that is no number reads as the least value.
    spin.SetWindowText("250.5");
    EXPECT_DOUBLE_EQ(spin.GetFloatValue(), 250.5);
    spin.SetWindowText("");
    EXPECT_DOUBLE_EQ(spin.GetFloatValue(), 0);
    spin.MinFloatValue = 1;
    spin.SetWindowText("abc");
    EXPECT_DOUBLE_EQ(spin.GetFloatValue(), 1);
    // A new precision writes the value again.
    spin.SetWindowText("2.5");
    spin.SetPrecision(3);
    EXPECT_EQ(spin.GetWindowText(), "2.500");
}

// A step stops at the range, or where no range is set, at the ends of the int range.
TEST(TypedSpinEdit, WholeNumbersStepWithinTheirRangeOrTheIntRange) {
    SpinForm form;
    TTypedSpinEdit& spin = *form.Other;
    const struct {
        const char* label;
        int min, max;
        const char* typed;
        int sign;
        const char* shown;
    } rows[] = {
        {"up at the most", 0, 100, "100", 1, "100"},
        {"up, no range", 0, 0, "100", 1, "101"},
        {"up from the largest, in range", 0, 100, "2147483647", 1, "100"},
        {"up from the largest, no range", 0, 0, "2147483647", 1, "2147483647"},
        {"down, no range", 0, 0, "-2147483648", -1, "-2147483648"},
        {"down, in range", -5, 5, "-2147483648", -1, "-5"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        spin.MinValue = row.min;
        spin.MaxValue = row.max;
        spin.SetWindowText(row.typed);
        if (row.sign > 0)
            spin.UpClick(&spin);
        else
            spin.DownClick(&spin);
        EXPECT_EQ(spin.GetWindowText(), row.shown);
    }
    // A text that is no number reads as the least value.
    spin.SetWindowText("x");
    EXPECT_EQ(spin.GetValue(), -5);
}

TEST_F(ShownSpin, ButtonsAndKeysStepTheValue) {
    spin.SetFloatValue(0.95);
    const struct {
        const char* label;
        std::function<void()> act;
        const char* shown;
    } rows[] = {
        {"up button", [&] { Click(0); }, "1.05"},
        {"down button", [&] { Click(1); }, "0.95"},
        {"up key", [&] { QTest::keyClick(spin.View(), Qt::Key_Up); }, "1.05"},
        {"page up", [&] { QTest::keyClick(spin.View(), Qt::Key_PageUp); }, "2.05"},
        {"down key", [&] { QTest::keyClick(spin.View(), Qt::Key_Down); }, "1.95"},
        {"page down below the least",
         [&] {
             QTest::keyClick(spin.View(), Qt::Key_PageDown);
             QTest::keyClick(spin.View(), Qt::Key_PageDown);
             QTest::keyClick(spin.View(), Qt::Key_PageDown);
         },
         "0.00"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        row.act();
        QApplication::processEvents();
        EXPECT_EQ(spin.GetWindowText(), row.shown);
    }
    spin.SetReadOnly(true);
    spin.UpClick(&spin);
    EXPECT_EQ(spin.GetWindowText(), "0.00");
}

TEST_F(ShownSpin, TypingTakesOnlyWhatAFloatOfItsDecimalsHolds) {
    const struct {
        const char* before;
        const char* typed;
        const char* after;
    } rows[] = {
        {"1.25|", "7", "1.25"},  // two decimals already stand after the caret's separator
        {"1|.25", "7", "17.25"}, // before the separator there is room
        {"12|", ".", "12."},     // a first separator
        {"1.2|", ".", "1.2"},    // a second one is refused
        {"12|", ",", "12."},     // the thousand separator stands for the decimal one
        {"12|", "a", "12"},      // letters never
        {"|12", "-", "-12"},     // signs may be typed
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.before) + " + " + row.typed);
        Show(row.before);
        QTest::keyClicks(spin.View(), row.typed);
        EXPECT_EQ(spin.GetWindowText(), row.after);
    }
}

TEST_F(ShownSpin, LeavingBringsTheValueIntoRange) {
    Show("150|");
    form->Other->SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(spin.GetWindowText(), "100.00");
    // A value within the range is left as typed.
    spin.SetFocus();
    Show("7.5|");
    form->Other->SetFocus();
    QApplication::processEvents();
    EXPECT_EQ(spin.GetWindowText(), "7.5");
}

TEST_F(ShownSpin, EnterMovesOnWhenReturnIsTab) {
    spin.ReturnIsTab = true;
    QTest::keyClick(spin.View(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_TRUE(form->Other->Focused());
}

// Mended: a spin left holding a sign, a separator without figures, a date or time half typed or
// "0x" without digits was read as its least value (a time as 0) without a word. It keeps the
// focus and its text, beeps, and says why once for each try to leave it by the keyboard or from
// code (a click is its window's to answer), until the text reads; an empty text is left, and so
// is a date's "0", which reads as now.
TEST_F(ShownSpin, AValueNotYetTypedKeepsTheFocus) {
    spin.ReturnIsTab = true;
    const struct {
        const char* label;
        std::function<void()> leave;
        bool told;
        // Beeps of the way itself: the spin takes no Enter character.
        int beeps;
    } ways[] = {
        {"Tab", [&] { QTest::keyClick(spin.View(), Qt::Key_Tab); }, true, 0},
        {"Shift+Tab", [&] { QTest::keyClick(spin.View(), Qt::Key_Backtab, Qt::ShiftModifier); }, true, 0},
        {"Enter",
         [&] {
             QTest::keyClick(spin.View(), Qt::Key_Return);
             // The Tab it posts.
             QApplication::processEvents();
         },
         true, 1},
        {"the focus moved from code", [&] { form->Other->SetFocus(); }, true, 0},
        {"a click on the other spin", [&] { QTest::mouseClick(form->Other->View(), Qt::LeftButton); }, false,
         0},
    };
    const DateSettings dates("dd/mm/yyyy", '/');
    const struct {
        TTypedSpinType type;
        const char* mask;
        // Shown with the caret at '|' before the keys are typed.
        const char* before;
        const char* typed;
        const char* shown;
        const char* why;
        // Typed next, and the text the spin is left with then, within 0..100 for a number.
        const char* rest = "";
        const char* left = "";
    } texts[] = {
        {sptFloat, "", "|", "-", "-", "'-' is not a valid floating point value", "7", "0.00"},
        {sptFloat, "", "|", "+", "+", "'+' is not a valid floating point value", "7", "+7"},
        {sptFloat, "", "|", "-.", "-.", "'-.' is not a valid floating point value", "5", "0.00"},
        {sptFloat, "", "|", ".", ".", "'.' is not a valid floating point value", "5", ".5"},
        {sptNormal, "", "|", "-", "-", "'-' is not a valid integer value", "7", "0"},
        {sptFloat, "", "|", "", "", nullptr},
        {sptDate, "", "|", "12/", "12/", "'12/' is not a valid date", "01/2024", "12/01/2024"},
        {sptDate, "", "|", "0", "0", nullptr},
        {sptDate, "", "|", "", "", nullptr},
        {sptTime, "", "|", "1:", "1:", "'1:' is not a valid time", "30:00", "1:30:00"},
        {sptTime, "", "|", "", "", nullptr},
        {sptHex, "", "0x1|", "\b", "0x", "'0x' is not a valid integer value", "1F", "0x1F"},
        {sptDate, "99/99/9999;1;_", "|__/__/____", "12", "12/__/____", "'12/  /' is not a valid date",
         "012024", "12/01/2024"},
        {sptTime, "99:99:99;1;_", "|__:__:__", "10", "10:__:__", "'10:  :' is not a valid time", "3000",
         "10:30:00"},
        {sptHex, "\\0xAA;1;_", "0x|__", "", "0x__", "'0x' is not a valid integer value", "1F", "0x1F"},
    };
    int exits = 0;
    spin.OnExit = [&](TObject*) { ++exits; };
    for (const auto& way : ways)
        for (const auto& text : texts) {
            SCOPED_TRACE(std::string(way.label) + " over '" + text.shown + "'");
            spin.SetFocus();
            QApplication::processEvents();
            form->Spin->SetEditMask(text.mask);
            spin.SetSpinType(text.type);
            Show(text.before);
            QTest::keyClicks(spin.View(), text.typed);
            ASSERT_EQ(spin.GetWindowText(), text.shown);
            const int caret = spin.GetSelStart();
            exits = 0;
            const bool held = text.why != nullptr;
            for (const int attempt : {1, 2}) {
                SCOPED_TRACE(attempt);
                Responder().Clear();
                const int beeps = MessageBeeps();
                way.leave();
                QApplication::processEvents();
                const std::vector<std::string> why =
                    held && way.told ? std::vector<std::string>{text.why} : std::vector<std::string>{};
                EXPECT_EQ(Responder().AskedTexts(), why);
                EXPECT_EQ(spin.GetWindowText(), text.shown);
                EXPECT_EQ(spin.Focused(), held);
                EXPECT_EQ(MessageBeeps() - beeps, way.beeps + (held ? 1 : 0));
                EXPECT_EQ(exits, held ? 0 : 1);
                if (!held)
                    break;
            }
            if (!held)
                continue;
            // A value at last, the spin is left as any other.
            spin.SetSelStart(caret);
            spin.SetSelLength(0);
            QTest::keyClicks(spin.View(), text.rest);
            way.leave();
            QApplication::processEvents();
            EXPECT_FALSE(spin.Focused());
            EXPECT_EQ(exits, 1);
            EXPECT_EQ(spin.GetWindowText(), text.left);
        }
}

// A spin no one can type into is left over any text set from code: nothing typed could mend it.
TEST_F(ShownSpin, ASpinNoOneTypesIntoIsLeftOverAnyText) {
    const struct {
        const char* label;
        std::function<void()> lock;
    } rows[] = {
        {"read-only", [&] { spin.SetReadOnly(true); }},
        {"typing not allowed", [&] { spin.EditorEnabled = false; }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        spin.SetReadOnly(false);
        spin.EditorEnabled = true;
        spin.SetFocus();
        QApplication::processEvents();
        row.lock();
        spin.SetWindowText("-");
        Responder().Clear();
        QTest::keyClick(spin.View(), Qt::Key_Tab);
        QApplication::processEvents();
        EXPECT_FALSE(spin.Focused());
        EXPECT_TRUE(Responder().AskedTexts().empty());
        EXPECT_EQ(spin.GetWindowText(), "-");
    }
}
