#include "framework/Clipboard.h"
#include "tests/controls/TypedEditSupport.h"

#include <string>
#include <vector>

namespace {

struct PasteRow {
    const char* label;
    TTypedEditType type;
    std::int16_t precision;
    const char* prefix;
    const char* start;
    int selStart;
    int selLength;
    const char* clipboard;
    const char* shown;
    const char* selected;
    int caret; // checked when nothing is left selected
    bool modified;
};

TEST(TypedEditClipboard, PasteByType) {
    const PasteRow rows[] = {
        {"text at the caret", etString, 0, "", "abc", 1, 0, "XY", "aXYbc", "", 3, true},
        {"text over a selection stays selected", etString, 0, "", "abc", 1, 1, "XY", "aXYc", "XY", 0, true},
        {"first line only", etString, 0, "", "", 0, 0, "one\ntwo", "one", "", 3, true},
        {"after a prefix", etString, 0, "$", "ab", 3, 0, "c", "$abc", "", 4, true},
        {"digits into an integer", etNumeric, 0, "", "12", 2, 0, "34", "1234", "", 4, true},
        {"decimals refused by an integer", etNumeric, 0, "", "12", 2, 0, "3.5", "12", "", 2, false},
        {"float rounds to its decimals", etFloat, 2, "", "1.00", 0, 4, "3.14159", "3.14", "3.14", 0, true},
        {"no decimals: a decimal is refused", etFloat, 0, "", "12", 2, 0, ".5", "12", "", 2, false},
        {"float refuses words", etFloat, 2, "", "", 0, 0, "abc", "", "", 0, false},
        {"money selects the whole value", etMoney, 2, "", "", 0, 0, "1234.5", "1,234.50", "1,234.50", 0,
         true},
        {"upper case", etUppercase, 0, "", "", 0, 0, "abc", "ABC", "", 3, true},
        {"lower case", etLowerCase, 0, "", "", 0, 0, "ABC", "abc", "", 3, true},
        {"mixed case", etMixedCase, 0, "", "", 0, 0, "john smith", "John Smith", "", 10, true},
        {"range takes nothing", etRange, 0, "", "1", 1, 0, ",2", "1", "", 1, false},
        {"hex takes nothing", etHex, 0, "", "1", 1, 0, "F", "1", "", 1, false},
    };
    for (const PasteRow& row : rows) {
        SCOPED_TRACE(row.label);
        TTypedEdit box(nullptr);
        box.SetEditType(row.type);
        box.SetPrecision(row.precision);
        box.SetPrefix(row.prefix);
        box.SetText(row.start);
        box.SetSelection(row.selStart, row.selStart + row.selLength);
        Clipboard().SetAsText(row.clipboard);
        box.PasteFromClipboard();
        EXPECT_EQ(box.GetWindowText(), row.shown);
        EXPECT_EQ(box.GetSelText(), row.selected);
        if (box.GetSelLength() == 0) {
            EXPECT_EQ(box.GetSelStart(), row.caret);
        }
        EXPECT_EQ(box.GetModified(), row.modified);
    }
}

TEST(TypedEditClipboard, EventsSeeTheSelectedValueAndMayRefuse) {
    TTypedEdit box(nullptr);
    box.SetEditType(etFloat);
    box.SetPrecision(2);
    box.SetPrefix("L=");
    box.SetSuffix(" m");
    box.SetText("12.5");
    std::vector<std::string> seen;
    bool allow = false;
    const auto record = [&](const char* name) {
        return [&, name](TObject*, const AnsiString& value, bool& allowed) {
            seen.push_back(std::string(name) + " " + value.str());
            allowed = allow;
        };
    };
    box.OnClipboardCopy = record("copy");
    box.OnClipboardCut = record("cut");
    box.OnClipboardPaste = record("paste");
    box.SetSelection(3, 6);

    Clipboard().SetAsText("before");
    box.CopyToClipboard();
    box.CutToClipboard();
    box.PasteFromClipboard();
    EXPECT_EQ(Clipboard().GetAsText(), "before");
    EXPECT_EQ(box.GetWindowText(), "L=12.50 m");
    const std::vector<std::string> expected{"copy 2.5", "cut 2.5", "paste 2.5"};
    EXPECT_EQ(seen, expected);

    allow = true;
    box.CopyToClipboard();
    EXPECT_EQ(Clipboard().GetAsText(), "2.5");
    box.CutToClipboard();
    EXPECT_EQ(box.GetWindowText(), "L=10 m");
}

TEST(TypedEditClipboard, ControlKeysStillCopyInAnIntegerBox) {
    auto form = ShownTypedEditForm();
    TTypedEdit& box = *form->Box;
    box.SetEditType(etNumeric);
    box.SetText("1234");
    FocusBox(box);
    Clipboard().SetAsText("");
    Press(box, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard().GetAsText(), "1234");
    Type(box, "x");
    EXPECT_EQ(box.GetText(), "1234");
    box.SetSelStart(4);
    Press(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box.GetText(), "12341234");
}

} // namespace
