#include "framework/Clipboard.h"
#include "tests/controls/TypedEditSupport.h"

#include <string>
#include <vector>

namespace {

TEST(TypedEditClipboard, PasteByType) {
    const struct {
        const char* label;
        BoxSetup box;
        const char* start;
        const char* clipboard;
        const char* shown;
        bool modified;
    } rows[] = {
        {"text at the caret", {}, "a|bc", "XY", "aXY|bc", true},
        {"text over a selection stays selected", {}, "a[b]c", "XY", "a[XY]c", true},
        {"first line only", {}, "|", "one\ntwo", "one|", true},
        {"after a prefix", {etString, 0, "$"}, "$ab|", "c", "$abc|", true},
        {"digits into an integer", {etNumeric}, "12|", "34", "1234|", true},
        {"decimals refused by an integer", {etNumeric}, "12|", "3.5", "12|", false},
        {"float rounds to its decimals", {etFloat, 2}, "[1.00]", "3.14159", "[3.14]", true},
        {"no decimals: a decimal is refused", {etFloat}, "12|", ".5", "12|", false},
        {"float refuses words", {etFloat, 2}, "|", "abc", "|", false},
        {"money selects the whole value", {etMoney, 2}, "|", "1234.5", "[1,234.50]", true},
        {"upper case", {etUppercase}, "|", "abc", "ABC|", true},
        {"lower case", {etLowerCase}, "|", "ABC", "abc|", true},
        {"mixed case", {etMixedCase}, "|", "john smith", "John Smith|", true},
        {"range takes nothing", {etRange}, "1|", ",2", "1|", false},
        {"hex takes nothing", {etHex}, "1|", "F", "1|", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        TTypedEdit box(nullptr);
        Apply(box, row.box);
        const Marked start = SetShown(box, row.start);
        box.SetSelection(start.start, start.end);
        Clipboard().SetAsText(row.clipboard);
        box.PasteFromClipboard();
        ExpectShown(box, row.shown);
        EXPECT_EQ(box.GetModified(), row.modified);
    }
}

TEST(TypedEditClipboard, EventsSeeTheSelectedValueAndMayRefuse) {
    TTypedEdit box(nullptr);
    Apply(box, {etFloat, 2, "L=", " m"});
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
    EXPECT_EQ(seen, (std::vector<std::string>{"copy 2.5", "cut 2.5", "paste 2.5"}));

    allow = true;
    box.CopyToClipboard();
    EXPECT_EQ(Clipboard().GetAsText(), "2.5");
    box.CutToClipboard();
    EXPECT_EQ(box.GetWindowText(), "L=10 m");
}

using TypedEditClipboardKeys = ShownBox;

TEST_F(TypedEditClipboardKeys, ControlKeysStillCopyInAnIntegerBox) {
    box.SetEditType(etNumeric);
    box.SetText("1234");
    FocusOn(box);
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
