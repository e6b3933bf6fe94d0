#include "controls/Typedspin.h"
#include "framework/Clipboard.h"
#include "framework/DragDrop.h"
#include "framework/MessageBeep.h"
#include "tests/controls/TypedEditSupport.h"
#include "tests/support/ScriptedResponder.h"

#include <QDropEvent>
#include <QMimeData>

// Text comes into a box by a key, a paste, a drop or from code; each rule of what the box takes
// holds on every way in.

namespace {

// A paste by Ctrl+V, or by the call a window's menu makes, which keeps a selection made from code.
enum class Way { Key, Paste, PasteCall, Drop, Code };

const char* WayName(Way way) {
    static const char* const names[] = {"key", "paste", "paste call", "drop", "code"};
    return names[static_cast<int>(way)];
}

// Types each character as the keyboard does, beyond ASCII too.
void TypeEach(TCustomEdit& edit, const char* text) {
    for (const QChar character : QString::fromUtf8(text)) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(character));
        QApplication::sendEvent(edit.View(), &press);
    }
}

// Drops text at the caret's place as another program's drag does; the effect it answers.
int DropAtCaret(TTypedEdit& box, const char* text) {
    QMimeData data;
    data.setText(QString::fromUtf8(text));
    const QPoint at = Over(box, box.GetSelStart());
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, {});
    QApplication::sendEvent(box.View(), &enter);
    QDragMoveEvent move(at, actions, &data, Qt::LeftButton, {});
    QApplication::sendEvent(box.View(), &move);
    QDropEvent drop(QPointF(at), actions, &data, Qt::NoButton, {});
    QApplication::sendEvent(box.View(), &drop);
    if (!drop.isAccepted())
        return DROPEFFECT_NONE;
    return drop.dropAction() == Qt::CopyAction ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

} // namespace

// Mended: a paste counted MaxLength in bytes and passed LengthLimit, a drop of a second line
// answered move, a float box refused digits pasted among its own groups, and an upper-case box
// full by bytes refused a letter.
TEST(TypedEditEntryRules, EachRuleHoldsOnEveryWayIn) {
    // A number a double cannot hold: 400 nines; 1e320 typed digit by digit stops at 1e308.
    const std::string nines(400, '9');
    const std::string typedTens = "1" + std::string(320, '0');
    const std::string keptTens = "1" + std::string(308, '0') + "|";
    const BoxSetup signedFloat{etFloat, 2, "", "", true};
    const BoxSetup limited{etString, 0, "", "", false, 3};
    const BoxSetup readOnly{etString, 0, "", "", false, 0, true};
    const struct {
        const char* rule;
        Way way;
        BoxSetup box;
        int maxLength;
        const char* start; // marked as the box shows it
        const char* text;  // typed, pasted or dropped at the caret; from code, put there and set
        const char* shown;
        int effect;         // of a drop
        char decimal = '.'; // the locale's decimal separator; ',' swaps the two
    } rows[] = {
        // What the box reads back: a typed letter is ignored, a paste or drop holding one is
        // refused whole, and code writing it gets "0".
        {"type", Way::Key, {etNumeric}, 0, "12|", "3a", "123|", 0},
        {"type", Way::Paste, {etNumeric}, 0, "12|", "3a", "12|", 0},
        {"type", Way::Drop, {etNumeric}, 0, "12|", "3a", "12|", DROPEFFECT_NONE},
        {"type", Way::Code, {etNumeric}, 0, "12|", "3a", "0", 0},
        {"digits", Way::Paste, {etNumeric}, 0, "12|", "3", "123|", 0},
        {"digits", Way::Drop, {etNumeric}, 0, "12|", "3", "123|", DROPEFFECT_MOVE},
        // The box's own groups give way to digits put among them, and are drawn again; typed, a
        // digit goes in and the box holds the focus until the groups stand in threes.
        {"separators", Way::Key, {etFloat}, 0, "1,2|34", "5", "1,25|34", 0},
        {"separators", Way::Paste, {etFloat}, 0, "1,2|34", "5", "12,5|34", 0},
        {"separators", Way::Drop, {etFloat}, 0, "1,2|34", "5", "12,5|34", DROPEFFECT_MOVE},
        {"separators", Way::Code, {etFloat}, 0, "1,2|34", "5", "0", 0},
        // "2,5" is never read as 25.
        {"separators", Way::Paste, {etFloat}, 0, "|", "2,5", "|", 0},
        {"separators", Way::Drop, {etFloat}, 0, "|", "2,5", "|", DROPEFFECT_NONE},
        {"separators", Way::Code, {etFloat}, 0, "|", "2,5", "0", 0},
        // MaxLength counts characters: "é" is one, though two bytes.
        {"MaxLength", Way::Key, {}, 3, "é|", "éé", "ééé|", 0},
        {"MaxLength", Way::Paste, {}, 3, "é|", "éé", "ééé|", 0},
        {"MaxLength", Way::Drop, {}, 3, "é|", "éé", "ééé|", DROPEFFECT_MOVE},
        {"MaxLength full", Way::Key, {}, 3, "éé|", "éé", "ééé|", 0},
        {"MaxLength full", Way::Paste, {}, 3, "éé|", "éé", "éé|", 0},
        {"MaxLength full", Way::Drop, {}, 3, "éé|", "éé", "éé|", DROPEFFECT_NONE},
        // The program's own text is not held to it.
        {"MaxLength full", Way::Code, {}, 3, "éé|", "éé", "éééé", 0},
        // LengthLimit: the integer part holds at most three digits.
        {"LengthLimit", Way::Key, {etNumeric, 0, "", "", false, 3}, 0, "1|", "123", "112|", 0},
        {"LengthLimit", Way::Paste, {etNumeric, 0, "", "", false, 3}, 0, "1|", "123", "1|", 0},
        {"LengthLimit", Way::Drop, {etNumeric, 0, "", "", false, 3}, 0, "1|", "123", "1|", DROPEFFECT_NONE},
        {"LengthLimit", Way::Paste, {etFloat, 2, "", "", false, 3}, 0, "1|.50", "23", "123|.50", 0},
        {"LengthLimit",
         Way::Drop,
         {etFloat, 2, "", "", false, 3},
         0,
         "1|.50",
         "234",
         "1|.50",
         DROPEFFECT_NONE},
        // Upper case by the locale, within MaxLength as the letters are shown.
        {"case", Way::Key, {etUppercase}, 2, "|", "aé", "AÉ|", 0},
        {"case", Way::Paste, {etUppercase}, 2, "|", "aé", "AÉ|", 0},
        {"case", Way::Drop, {etUppercase}, 2, "|", "aé", "AÉ|", DROPEFFECT_MOVE},
        {"case", Way::Code, {etUppercase}, 2, "|", "aé", "aé", 0},
        // One line goes in; a drop that leaves lines out copies, so the source keeps them.
        {"lines", Way::Paste, {}, 0, "abc|", "XY\nZ", "abcXY|", 0},
        {"lines", Way::Drop, {}, 0, "abc|", "XY\nZ", "abcXY|", DROPEFFECT_COPY},
        {"lines", Way::Drop, {}, 0, "abc|", "22\t32\r\n23\t33\r\n", "abc22\t32|", DROPEFFECT_COPY},
        {"lines", Way::Drop, {}, 0, "abc|", "XY\r\n", "abcXY|", DROPEFFECT_MOVE},
        // Mended: a selection reaching into the prefix took as many characters from the value.
        {"prefix", Way::PasteCall, {etNumeric, 0, "$", " m"}, 0, "[$12]345 m", "9", "$[9]345 m", 0},
        {"suffix", Way::PasteCall, {etNumeric, 0, "$", " m"}, 0, "$123[45 m]", "9", "$123[9] m", 0},
        {"prefix", Way::PasteCall, {etUppercase, 0, "<", ">"}, 0, "[<abc>]", "xé", "<[XÉ]>", 0},
        // Mended: a minus pasted or dropped into a box without a sign went in, though typed it is
        // refused.
        {"sign", Way::Key, {etFloat, 2}, 0, "|", "-3", "3|", 0},
        {"sign", Way::Paste, {etFloat, 2}, 0, "|", "-3", "|", 0},
        {"sign", Way::Drop, {etFloat, 2}, 0, "|", "-3", "|", DROPEFFECT_NONE},
        {"sign", Way::Paste, {etNumeric}, 0, "12|", "-", "12|", 0},
        {"sign", Way::Paste, {etMoney, 2}, 0, "|", "-3,5", "|", 0, ','},
        {"sign", Way::Drop, {etFloat, 2}, 0, "|", "-3,5", "|", DROPEFFECT_NONE, ','},
        // The program's own values may be negative.
        {"sign", Way::Code, {etFloat, 2}, 0, "|", "-3", "-3.00", 0},
        // A signed box takes a minus where a sign stands, first.
        {"sign", Way::Paste, signedFloat, 0, "|", "-3", "-3|.00", 0},
        {"sign", Way::Paste, signedFloat, 0, "|", "5-3", "|", 0},
        {"sign", Way::Drop, signedFloat, 0, "|", "-3,5", "-3,5|0", DROPEFFECT_MOVE, ','},
        // Mended: a number too large for a double went in, and the box could not read it back.
        {"too large", Way::Key, {etFloat, 2}, 0, "|", typedTens.c_str(), keptTens.c_str(), 0},
        {"too large", Way::Paste, {etFloat, 2}, 0, "|", nines.c_str(), "|", 0},
        {"too large", Way::Drop, {etFloat}, 0, "|", nines.c_str(), "|", DROPEFFECT_NONE},
        {"too large", Way::Paste, {etNumeric}, 0, "|", nines.c_str(), "|", 0, ','},
        {"too large", Way::Paste, {etMoney, 2}, 0, "|", nines.c_str(), "|", 0, ','},
        {"too large", Way::Code, {etFloat, 2}, 0, "|", nines.c_str(), "0.00", 0},
        {"too large", Way::Code, {etFloat, 2}, 0, "|", nines.c_str(), "0,00", 0, ','},
        // Mended: LengthLimit counted bytes, so "é" counted two.
        {"LengthLimit in characters", Way::Key, limited, 0, "|", "éééé", "ééé|", 0},
        {"LengthLimit in characters", Way::Paste, limited, 0, "|", "ééé", "ééé|", 0},
        {"LengthLimit in characters", Way::Drop, limited, 0, "é|", "éé", "ééé|", DROPEFFECT_MOVE},
        {"LengthLimit in characters", Way::Paste, limited, 0, "é|", "ééé", "é|", 0},
        // Mended: a read-only box took a drop.
        {"read-only", Way::Key, readOnly, 0, "abc|", "XY", "abc|", 0},
        {"read-only", Way::Paste, readOnly, 0, "abc|", "XY", "abc|", 0},
        {"read-only", Way::Drop, readOnly, 0, "abc|", "XY", "abc|", DROPEFFECT_NONE},
        // Mended: a key typed where a write from code left the caret, before the prefix, went in
        // before it, and the box could no longer read its value.
        {"caret in the prefix", Way::Key, {etFloat, 0, "0"}, 0, "|0-907617", "6", "0-6|907617", 0},
        {"caret in the prefix", Way::Key, {etNumeric, 0, "$"}, 0, "|$12", "3", "$3|12", 0},
        {"caret in the prefix", Way::Paste, {etNumeric, 0, "$"}, 0, "|$12", "3", "$3|12", 0},
        {"caret in the prefix", Way::Drop, {etNumeric, 0, "$"}, 0, "|$12", "3", "$3|12", DROPEFFECT_MOVE},
        {"caret in the suffix", Way::Key, {etNumeric, 0, "", " m"}, 0, "12 m|", "3", "123| m", 0},
        {"caret in the suffix", Way::Paste, {etNumeric, 0, "", " m"}, 0, "12 m|", "3", "123| m", 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.rule) + " by " + WayName(row.way) + " of " +
                     std::string(row.text).substr(0, 20) + " with the decimal " + row.decimal);
        const LocaleSeparators separators(row.decimal, row.decimal == '.' ? ',' : '.');
        auto form = ShownTypedEditForm();
        TTypedEdit& box = *form->Box;
        Responder().Clear();
        Apply(box, row.box);
        box.MaxLength = row.maxLength;
        box.SetOleDropTarget(true);
        const Marked start = SetShown(box, row.start);
        FocusOn(box);
        box.SetSelection(start.start, start.end);
        switch (row.way) {
        case Way::Key:
            TypeEach(box, row.text);
            break;
        case Way::Paste:
            Clipboard().SetAsText(row.text);
            Press(box, Qt::Key_V, Qt::ControlModifier);
            break;
        case Way::PasteCall:
            Clipboard().SetAsText(row.text);
            box.PasteFromClipboard();
            break;
        case Way::Drop:
            EXPECT_EQ(DropAtCaret(box, row.text), row.effect);
            break;
        case Way::Code:
            box.SetText(start.text.substr(0, static_cast<std::size_t>(start.start)) + row.text +
                        start.text.substr(static_cast<std::size_t>(start.start)));
            break;
        }
        ExpectShown(box, row.shown);
        // What the box refuses it refuses quietly: nothing raises.
        for (const MessageRequest& told : Responder().Asked)
            ADD_FAILURE() << told.Text.str().substr(0, 80);
    }
}

// Mended: a pasted "2,5" went into a float spin as it stood and read as the minimum.
TEST(TypedEditEntryRules, ASpinTakesAPasteAsItTakesTheSameKeys) {
    const LocaleSeparators separators('.', ',');
    const struct {
        const char* label;
        TTypedSpinType type;
        bool paste;
        const char* text;
        const char* shown;
        double value;
        int beeps;
        const char* mask = nullptr;
    } rows[] = {
        {"a comma typed", sptFloat, false, "2,5", "2.5", 2.5, 0},
        {"a comma pasted", sptFloat, true, "2,5", "2.5", 2.5, 0},
        {"a letter typed", sptFloat, false, "2x", "2", 2, 1},
        {"a letter pasted", sptFloat, true, "2x", "12.50", 12.5, 1},
        {"more decimals than kept, pasted", sptFloat, true, "2.555", "12.50", 12.5, 1},
        {"a whole number pasted", sptNormal, true, "42", "42", 42, 0},
        {"a point typed into a whole number", sptNormal, false, "4.2", "42", 42, 1},
        {"a point pasted into a whole number", sptNormal, true, "4.2", "12", 12, 1},
        // Mended: a typed separator of a masked time beeped, its mask already holding two.
        {"a time's separators typed through its mask", sptTime, false, "01:30:15", "01:30:15",
         (3600 + 30 * 60 + 15) / 86400.0, 0, "00:00:00;1;_"},
        {"a time's separators pasted through its mask", sptTime, true, "01:30:15", "01:30:15",
         (3600 + 30 * 60 + 15) / 86400.0, 0, "00:00:00;1;_"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        TForm form(nullptr);
        form.EndLoading();
        TTypedSpinEdit* spin = nullptr;
        if (row.mask) {
            auto* masked = new Typedspin::TTypedMaskSpinEdit(&form);
            masked->SetEditMask(row.mask);
            spin = masked;
        } else {
            spin = new TTypedSpinEdit(&form);
        }
        spin->SetParent(&form);
        spin->SetSpinType(row.type);
        spin->SetPrecision(row.type == sptFloat ? 2 : 0);
        if (row.type == sptFloat)
            spin->SetFloatValue(12.5);
        else if (row.type == sptTime)
            spin->SetTimeValue(0);
        else
            spin->SetValue(12);
        form.Show();
        spin->SetFocus();
        spin->SelectAll();
        const int beeps = MessageBeeps();
        if (row.paste) {
            Clipboard().SetAsText(row.text);
            spin->PasteFromClipboard();
        } else {
            TypeEach(*spin, row.text);
        }
        EXPECT_EQ(spin->GetWindowText(), row.shown);
        EXPECT_EQ(MessageBeeps() - beeps, row.beeps);
        if (row.type == sptFloat)
            EXPECT_DOUBLE_EQ(spin->GetFloatValue(), row.value);
        else if (row.type == sptTime)
            EXPECT_NEAR(spin->GetTimeValue(), row.value, 1e-9);
        else
            EXPECT_EQ(spin->GetValue(), row.value);
    }
}
