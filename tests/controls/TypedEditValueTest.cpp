#include "controls/TypedText.h"
#include "framework/Clipboard.h"
#include "tests/controls/TypedEditSupport.h"

#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

std::unique_ptr<TTypedEdit> MakeBox(const BoxSetup& setup, const char* text = "") {
    auto box = std::make_unique<TTypedEdit>(nullptr);
    Apply(*box, setup);
    box->SetText(text);
    return box;
}

struct TextRow {
    const char* label;
    BoxSetup box;
    const char* input;
    const char* text; // shown between the prefix and the suffix
    double value;
};

void CheckSetText(const std::vector<TextRow>& rows) {
    for (const TextRow& row : rows) {
        SCOPED_TRACE(row.label);
        auto box = MakeBox(row.box, row.input);
        EXPECT_EQ(box->GetWindowText(), row.box.prefix + AnsiString(row.text) + row.box.suffix);
        EXPECT_EQ(box->GetText(), row.text);
        EXPECT_DOUBLE_EQ(box->GetFloat(), row.value);
        EXPECT_FALSE(box->GetModified());
    }
}

TEST(TypedEditValue, SetTextChecksAndFormatsByTypeAndPrecision) {
    CheckSetText({
        {"string keeps letters", {}, "abc", "abc", 0},
        {"upper-case box does not convert set text", {etUppercase}, "abc", "abc", 0},
        {"float with two decimals turns letters into 0.00", {etFloat, 2}, "abc", "0.00", 0},
        {"float with suffix", {etFloat, 2, "", " m"}, "12.5", "12.50", 12.5},
        {"empty shows prefix and suffix only", {etFloat, 2, "L=", " m"}, "", "", 0},
        {"a tie rounds away from zero", {etFloat, 2}, "0.125", "0.13", 0.13},
        {"three decimals", {etFloat, 3}, "2", "2.000", 2},
        {"exponent text is hex-like, so 0", {etFloat, 2}, "1e3", "0.00", 0},
        {"no decimals: text kept as given", {etFloat}, "12.5", "12.5", 12.5},
        {"grouped with a fraction, no decimals", {etFloat}, "1,234.5", "1,234.5", 1234.5},
        {"separator groups of two are no number", {etFloat}, "1,2,3", "0", 0},
        {"integer refuses decimals", {etNumeric}, "12.5", "0", 0},
        {"leading zeros kept", {etNumeric}, "007", "007", 7},
        {"money groups thousands", {etMoney, 2}, "1234.5", "1,234.50", 1234.5},
        {"money without decimals keeps the text", {etMoney}, "1234", "1234", 1234},
        {"money reads past its separators", {etMoney}, "-1,234,567", "-1,234,567", -1234567},
        {"money with a trailing separator", {etMoney}, "1,234.", "1,234.", 1234},
        {"money minus alone", {etMoney}, "-", "-", 0},
        {"prefix and suffix around money", {etMoney, 2, "$", " net"}, "5", "5.00", 5},
        {"hex is upper-cased", {etHex}, "1f", "1F", 31},
        {"hex refuses other letters", {etHex}, "G1", "0", 0},
        {"hex minus counts nothing", {etHex}, "-1f", "-1F", 31},
    });
}

TEST(TypedEditValue, GetIntReadsTheLeadingInteger) {
    const std::tuple<BoxSetup, const char*, std::int32_t> rows[] = {
        {{etNumeric}, "42", 42}, {{etFloat, 2}, "12.75", 12}, {{etMoney}, "1,234", 1234}, {{etHex}, "1F", 31},
        {{}, "42", 0},           {{etNumeric}, "-7", -7}};
    for (const auto& [setup, text, whole] : rows)
        EXPECT_EQ(MakeBox(setup, text)->GetInt(), whole) << text;
}

TEST(TypedEditValue, LocaleSeparatorsAreTheBoxs) {
    const LocaleSeparators comma(',', '.');
    CheckSetText({
        {"decimal comma", {etFloat, 2}, "12,5", "12,50", 12.5},
        {"money groups with points", {etMoney, 2}, "1234,5", "1.234,50", 1234.5},
        // The thousand separator two places from the end reads as the decimal one.
        {"point two from the end is decimal", {etFloat, 2}, "3.14", "3,14", 3.14},
        {"integer refuses a decimal comma", {etNumeric}, "12,5", "0", 0},
        {"grouped with points, no decimals", {etFloat}, "1.234", "1.234", 1234},
    });
}

// A box read again and again reads the text it shows now, by the separators and the type in use
// now: typing, text set from code, other separators and another type each read anew.
TEST(TypedEditValue, ReadingAgainReadsTheTextShownNow) {
    const auto form = ShownTypedEditForm();
    TTypedEdit& box = *form->Box;
    Apply(box, {etFloat});
    box.SetText("1,234");
    const auto read = [&box](const char* step, double expected) {
        SCOPED_TRACE(step);
        EXPECT_DOUBLE_EQ(box.GetFloat(), expected);
        EXPECT_DOUBLE_EQ(box.GetFloat(), expected);
    };
    read("grouped digits", 1234);
    {
        const LocaleSeparators comma(',', '.');
        // 1,234 with a decimal comma.
        read("the same text, a decimal comma", 1.234);
    }
    read("the point again", 1234);
    FocusOn(box);
    box.SetSelStart(0);
    Type(box, "5");
    read("a digit typed", 51234);
    box.SetText("7.5");
    read("text set from code", 7.5);
    box.SetEditType(etHex);
    // 7.5 is no hex text: the box shows 0.
    read("a hex box", 0);
}

// Text set from code passes what typing passes; what the box could not read back shows as 0.
TEST(TypedEditValue, SetTextTakesOnlyNumbersTheBoxReadsBack) {
    CheckSetText({
        {"float minus alone", {etFloat, 2}, "-", "0.00", 0},
        {"grouped in a float with decimals", {etFloat, 2}, "1,234", "0.00", 0},
        {"a comma one place from the end", {etFloat, 2}, "1,5", "0.00", 0},
        {"a comma two places from the end is decimal", {etFloat, 2}, "3,14", "3.14", 3.14},
        {"minus inside a float", {etFloat, 2}, "1-2", "0.00", 0},
        {"minus after the digits, no decimals", {etFloat}, "12-", "0", 0},
        {"separator alone", {etFloat}, ".", "0", 0},
        {"grouped in a general float", {etFloat, -1}, "1,234", "0", 0},
        {"grouped, no decimals", {etFloat}, "12,345", "12,345", 12345},
        {"a comma out of its group, no decimals", {etFloat}, "2,5", "0", 0},
        // The separators of money are the box's own: it reads past them wherever they stand.
        {"four digits before a comma, money", {etMoney}, "1234,567", "1234,567", 1234567},
        {"money with a comma after its decimal separator", {etMoney}, "1.2,3", "0", 0},
        {"negative float from code", {etFloat, 2}, "-1.5", "-1.50", -1.5},
        {"decimal separator first", {etFloat, 2}, ".5", "0.50", 0.5},
        {"decimal separator last", {etFloat, 2}, "12.", "12.00", 12},
        {"integer minus alone", {etNumeric}, "-", "0", 0},
        {"minus inside an integer", {etNumeric}, "1-2", "0", 0},
        {"grouped integer", {etNumeric}, "1,234", "0", 0},
        {"money minus inside", {etMoney}, "1-2", "0", 0},
        {"money grouped with decimals", {etMoney, 2}, "1,234.5", "1,234.50", 1234.5},
        {"money minus alone with decimals", {etMoney, 2}, "-", "0.00", 0},
    });
    const LocaleSeparators comma(',', '.');
    CheckSetText({{"decimal comma, a point one place from the end", {etFloat, 2}, "1.5", "0,00", 0}});
}

using Action = void (*)(TTypedEdit&);

void Paste(TTypedEdit& box, const char* text) {
    Clipboard().SetAsText(text);
    box.PasteFromClipboard();
}

struct ActionRow {
    const char* label;
    BoxSetup box;
    const char* start; // marked as the box shows it
    Action action;
    const char* shown;
    bool modified;
};

TEST(TypedEditValue, ChangesFromCodeReformatTheValue) {
    const ActionRow rows[] = {
        {"float to two decimals", {etFloat, 2}, "", [](auto& b) { b.SetFloat(3); }, "3.00", true},
        {"negative precision as general", {etFloat, -1}, "", [](auto& b) { b.SetFloat(3.25); }, "3.25", true},
        {"money grouped", {etMoney, 2}, "", [](auto& b) { b.SetFloat(1234567.891); }, "1,234,567.89", true},
        {"money without decimals", {etMoney}, "", [](auto& b) { b.SetFloat(1234.5); }, "1,234.5", true},
        {"hex rounds then writes digits", {etHex}, "", [](auto& b) { b.SetFloat(255.5); }, "100", true},
        {"integer rounds", {etNumeric}, "", [](auto& b) { b.SetFloat(1234.6); }, "1235", true},
        {"text box takes no number", {}, "name", [](auto& b) { b.SetFloat(3); }, "name", true},
        {"integer from int", {etNumeric}, "", [](auto& b) { b.SetInt(-5); }, "-5", true},
        {"float from int", {etFloat, 2}, "", [](auto& b) { b.SetInt(7); }, "7.00", true},
        {"money from int", {etMoney}, "", [](auto& b) { b.SetInt(1234567); }, "1,234,567", true},
        {"hex from int", {etHex}, "", [](auto& b) { b.SetInt(255); }, "FF", true},
        {"hex-like text into float", {}, "12a", [](auto& b) { b.SetEditType(etFloat); }, "0", true},
        {"decimals into integer", {etFloat}, "12.5", [](auto& b) { b.SetEditType(etNumeric); }, "0", true},
        {"words into hex", {}, "xyz", [](auto& b) { b.SetEditType(etHex); }, "0", true},
        {"a number stays", {}, "12.5", [](auto& b) { b.SetEditType(etFloat); }, "12.5", false},
        {"hex digits stay in hex", {}, "ab", [](auto& b) { b.SetEditType(etHex); }, "ab", false},
        {"integer takes no decimals", {etNumeric}, "12", [](auto& b) { b.SetPrecision(2); }, "12", false},
        {"decimals added", {etFloat}, "12.5", [](auto& b) { b.SetPrecision(2); }, "12.50", true},
        {"decimals removed", {etFloat, 2}, "12.50", [](auto& b) { b.SetPrecision(0); }, "13", true},
        {"suffix added", {etFloat, 2}, "12.50", [](auto& b) { b.SetSuffix(" m"); }, "12.50 m", false},
        {"prefix", {etFloat, 2, "", " m"}, "1.00 m", [](auto& b) { b.SetPrefix("L="); }, "L=1.00 m", false},
        {"prefix around grouped money",
         {etMoney, 2},
         "1,234.50",
         [](auto& b) { b.SetPrefix("$"); },
         "$1,234.50",
         false},
        {"suffix",
         {etFloat, 2, "L=", " m"},
         "L=1.00 m",
         [](auto& b) { b.SetSuffix(" km"); },
         "L=1.00 km",
         false},
        {"ungrouped", {etMoney}, "12345", [](auto& b) { b.SetAutoThousandSeparator(false); }, "12345", false},
        {"grouped", {etMoney}, "12345", [](auto& b) { b.SetAutoThousandSeparator(true); }, "12,345", false},
        {"negative regrouped", {etMoney}, "-1234.5", [](auto& b) { b.AutoSeparators(); }, "-1,234.5", false},
        // Mended: a float box with decimals could not read its own grouped value back.
        {"float ungrouped", {etFloat, 2}, "1234.00", [](auto& b) { b.AutoSeparators(); }, "1234.00", false},
        {"text pasted at the caret", {}, "a|bc", [](auto& b) { Paste(b, "XY"); }, "aXY|bc", true},
        {"pasted over a selection", {}, "a[b]c", [](auto& b) { Paste(b, "XY"); }, "a[XY]c", true},
        {"first line pasted", {}, "|", [](auto& b) { Paste(b, "one\ntwo"); }, "one|", true},
        {"pasted after a prefix", {etString, 0, "$"}, "$ab|", [](auto& b) { Paste(b, "c"); }, "$abc|", true},
        {"digits pasted", {etNumeric}, "12|", [](auto& b) { Paste(b, "34"); }, "1234|", true},
        {"integer refuses decimals", {etNumeric}, "12|", [](auto& b) { Paste(b, "3.5"); }, "12|", false},
        {"integer refuses a minus inside", {etNumeric}, "12|", [](auto& b) { Paste(b, "-3"); }, "12|", false},
        {"float refuses a minus inside",
         {etFloat, 2},
         "[1.00]",
         [](auto& b) { Paste(b, "1-2"); },
         "[1.00]",
         false},
        {"grouped money pasted", {etMoney, 2}, "|", [](auto& b) { Paste(b, "1,234.5"); }, "[1,234.50]", true},
        {"pasted float rounds", {etFloat, 2}, "[1.00]", [](auto& b) { Paste(b, "3.14159"); }, "[3.14]", true},
        {"no decimals: a decimal refused", {etFloat}, "12|", [](auto& b) { Paste(b, ".5"); }, "12|", false},
        {"float refuses words", {etFloat, 2}, "|", [](auto& b) { Paste(b, "abc"); }, "|", false},
        {"pasted money selected", {etMoney, 2}, "|", [](auto& b) { Paste(b, "1234.5"); }, "[1,234.50]", true},
        // Mended: digits pasted into grouped money were refused.
        {"a digit pasted into grouped money",
         {etMoney},
         "1,2|34",
         [](auto& b) { Paste(b, "5"); },
         "[12,534]",
         true},
        {"digits pasted into grouped money with decimals",
         {etMoney, 2},
         "1,2|34.00",
         [](auto& b) { Paste(b, "56"); },
         "[125,634.00]",
         true},
        {"pasted upper case", {etUppercase}, "|", [](auto& b) { Paste(b, "abc"); }, "ABC|", true},
        {"pasted lower case", {etLowerCase}, "|", [](auto& b) { Paste(b, "ABC"); }, "abc|", true},
        {"pasted mixed case", {etMixedCase}, "|", [](auto& b) { Paste(b, "jo smith"); }, "Jo Smith|", true},
        // A paste MaxLength cannot hold whole goes in not at all, as a drop.
        {"a paste past MaxLength",
         {},
         "abc|",
         [](auto& b) {
             b.MaxLength = 5;
             Paste(b, "XYZ");
         },
         "abc|",
         false},
        {"a paste that just fits",
         {},
         "a[bcd]e",
         [](auto& b) {
             b.MaxLength = 5;
             Paste(b, "XYZ");
         },
         "a[XYZ]e",
         true},
        {"digits past MaxLength",
         {etNumeric},
         "12|",
         [](auto& b) {
             b.MaxLength = 3;
             Paste(b, "34");
         },
         "12|",
         false},
        {"a prefix counts",
         {etUppercase, 0, "$"},
         "$ab|",
         [](auto& b) {
             b.MaxLength = 4;
             Paste(b, "cd");
         },
         "$ab|",
         false},
        {"the letters' case counts", // "ŉ" is one character, "ʼN" two
         {etUppercase},
         "AB|",
         [](auto& b) {
             b.MaxLength = 3;
             Paste(b, "ŉ");
         },
         "AB|",
         false},
        {"range takes no paste", {etRange}, "1|", [](auto& b) { Paste(b, ",2"); }, "1|", false},
        {"hex takes no paste", {etHex}, "1|", [](auto& b) { Paste(b, "F"); }, "1|", false},
    };
    for (const ActionRow& row : rows) {
        SCOPED_TRACE(row.label);
        auto box = MakeBox(row.box);
        const Marked start = SetShown(*box, row.start);
        box->SetSelection(start.start, start.end);
        row.action(*box);
        ExpectShown(*box, row.shown);
        EXPECT_EQ(box->GetModified(), row.modified);
    }
    auto password = MakeBox({etPassword});
    EXPECT_EQ(password->GetPasswordChar(), '*');
    password->SetCanUndo(true);
    EXPECT_FALSE(password->GetCanUndo());
    password->SetEditType(etString);
    EXPECT_EQ(password->GetPasswordChar(), 0);
}

// Mended: a text the new decimals cannot read raised a conversion error from SetPrecision.
TEST(TypedEditValue, ChangingThePrecisionNeverRaises) {
    const struct {
        const char* label;
        BoxSetup box;
        const char* shown;
        std::int16_t precision;
        const char* expected;
    } rows[] = {
        // Grouped by threes in a box without decimals: 12345678.
        {"grouped digits given decimals", {etFloat}, "12,345,678", 2, "12345678.00"},
        {"grouped digits left in a box with decimals", {etFloat, 2}, "12,345,678", 3, "12345678.000"},
        // With two decimals "3,14" was 3.14; with none it shows 3.
        {"decimals taken away", {etFloat, 2}, "3,14", 0, "3"},
        // A thousand separator one place from the end stands for the decimal one: 1.5.
        {"a separator read as the decimal one", {etFloat}, "1,5", 1, "1.5"},
        {"no number", {etFloat}, "1-2", 2, "0.00"},
        {"money that is no number", {etMoney}, "1-2", 2, "0.00"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        auto box = MakeBox(row.box);
        box->SetWindowText(row.shown);
        EXPECT_NO_THROW(box->SetPrecision(row.precision));
        EXPECT_EQ(box->GetWindowText(), row.expected);
        EXPECT_NO_THROW(box->GetFloat());
    }
}

TEST(TypedEditValue, ASuffixTheUserBrokeLeavesTheRestWhole) {
    auto box = MakeBox({etFloat, 2, "L=", " km"}, "12.5");
    box->SetWindowText("L=12.50 k");
    EXPECT_EQ(box->GetText(), "12.50 k");
    box->SetWindowText("12.50 km");
    EXPECT_EQ(box->GetText(), "12.50");
}

TEST(TypedEditValue, TextClassesHexDigitsAndNames) {
    const std::pair<const char*, TTextClass> classes[] = {
        {"", tcOther},      {"123", tcNumeric}, {"-1", tcNumeric},      {"12.5", tcFloat},
        {"1,234", tcFloat}, {",234", tcOther},  {"1,234,567", tcFloat}, {"1,2,34", tcOther},
        {"ab", tcHex},      {"12ab", tcHex},    {"1-2-3", tcOther},     {"1.2.3", tcOther},
        {"12g", tcOther},   {"1 2", tcOther},
    };
    for (const auto& [text, kind] : classes)
        EXPECT_EQ(ClassifyText(text), kind) << text;
    const std::pair<const char*, std::int32_t> hex[] = {{"1F", 31}, {"G1", 1},        {"ff", 255},
                                                        {"", 0},    {"FFFFFFFF", -1}, {"100000001", 1}};
    for (const auto& [text, value] : hex)
        EXPECT_EQ(HexToInt(text), value) << text;
    // clang-format off
    const std::pair<const char*, const char*> names[] = {
        {"john mcdonald ii", "John McDonald II"}, {"JOHN SMITH", "John Smith"}, {"tomcat", "Tomcat"},
        {"mcdonald", "McDonald"}, {"o'brien-smith", "O'Brien-Smith"}, {"louis iii", "Louis III"},
        {"henry viii", "Henry Viii"}, {"mary mcdonald mcbride", "Mary McDonald Mcbride"}};
    // clang-format on
    for (const auto& [text, expected] : names)
        EXPECT_EQ(MixedCase(text), expected) << text;
}

TEST(TypedEditValue, ClipboardEventsSeeTheSelectedValueAndMayRefuse) {
    auto box = MakeBox({etFloat, 2, "L=", " m"}, "12.5");
    std::vector<std::string> seen;
    bool allow = false;
    const auto record = [&](const char* name) {
        return [&, name](TObject*, const AnsiString& value, bool& allowed) {
            seen.push_back(std::string(name) + " " + value.str());
            allowed = allow;
        };
    };
    box->OnClipboardCopy = record("copy");
    box->OnClipboardCut = record("cut");
    box->OnClipboardPaste = record("paste");
    box->SetSelection(3, 6);
    Clipboard().SetAsText("before");
    box->CopyToClipboard();
    box->CutToClipboard();
    box->PasteFromClipboard();
    EXPECT_EQ(Clipboard().GetAsText(), "before");
    EXPECT_EQ(box->GetWindowText(), "L=12.50 m");
    EXPECT_EQ(seen, (std::vector<std::string>{"copy 2.5", "cut 2.5", "paste 2.5"}));
    allow = true;
    box->CopyToClipboard();
    EXPECT_EQ(Clipboard().GetAsText(), "2.5");
    box->CutToClipboard();
    EXPECT_EQ(box->GetWindowText(), "L=10 m");
}

// Properties applied in declaration order, as a window's layout does, with the text last.
struct LayoutForm : TForm {
    LayoutForm() : TForm(nullptr) {
        Box->SetParent(this);
        Box->ModifiedColor = clRed;
        Box->SetEditType(etFloat);
        Box->ShowModified = true;
        Box->SetPrecision(2);
        Box->SetSuffix(" m");
        Box->SetColor(clYellow);
        Box->SetText("0.00");
        EndLayout();
    }
    TTypedEdit* Box = new TTypedEdit(this);
};

TEST(TypedEditValue, ALayoutAppliesPropertiesInOrder) {
    LayoutForm form;
    EXPECT_EQ(form.Box->GetWindowText(), "0.00 m");
    EXPECT_FALSE(form.Box->GetModified());
    EXPECT_EQ(form.Box->Font.Color, clWindowText);
    EXPECT_EQ(form.Box->GetColorEx(), clYellow);
    form.Box->SetText("4");
    EXPECT_EQ(form.Box->GetWindowText(), "4.00 m");
    EXPECT_DOUBLE_EQ(form.Box->GetFloat(), 4);
}

} // namespace
