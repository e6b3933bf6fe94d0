#include "controls/TypedText.h"
#include "framework/Exceptions.h"
#include "tests/controls/TypedEditSupport.h"

#include <string>
#include <vector>

namespace {

struct BoxSetup {
    TTypedEditType type;
    std::int16_t precision = 0;
    const char* prefix = "";
    const char* suffix = "";
};

std::unique_ptr<TTypedEdit> MakeBox(const BoxSetup& setup) {
    auto box = std::make_unique<TTypedEdit>(nullptr);
    box->SetEditType(setup.type);
    box->SetPrecision(setup.precision);
    box->SetPrefix(setup.prefix);
    box->SetSuffix(setup.suffix);
    return box;
}

struct TextRow {
    const char* label;
    BoxSetup box;
    const char* input;
    const char* shown;
    const char* text;
    double value;
};

void CheckTextRows(const std::vector<TextRow>& rows) {
    for (const TextRow& row : rows) {
        SCOPED_TRACE(row.label);
        auto box = MakeBox(row.box);
        box->SetText(row.input);
        EXPECT_EQ(box->GetWindowText(), row.shown);
        EXPECT_EQ(box->GetText(), row.text);
        EXPECT_DOUBLE_EQ(box->GetFloat(), row.value);
        EXPECT_FALSE(box->GetModified());
    }
}

TEST(TypedEditValue, SetTextChecksAndFormatsByTypeAndPrecision) {
    CheckTextRows({
        {"string keeps letters", {etString}, "abc", "abc", "abc", 0},
        {"float without decimals turns letters into 0", {etFloat}, "abc", "0", "0", 0},
        {"float with two decimals turns letters into 0.00", {etFloat, 2}, "abc", "0.00", "0.00", 0},
        {"float with suffix", {etFloat, 2, "", " m"}, "12.5", "12.50 m", "12.50", 12.5},
        {"empty shows prefix and suffix only", {etFloat, 2, "L=", " m"}, "", "L= m", "", 0},
        {"a tie rounds away from zero", {etFloat, 2}, "0.125", "0.13", "0.13", 0.13},
        {"1.875 to two decimals", {etFloat, 2}, "1.875", "1.88", "1.88", 1.88},
        {"negative tie", {etFloat, 2}, "-0.125", "-0.13", "-0.13", -0.13},
        {"negative rounding to zero has no sign", {etFloat, 2}, "-0.001", "0.00", "0.00", 0},
        {"three decimals", {etFloat, 3}, "2", "2.000", "2.000", 2},
        {"exponent text is hex-like, so 0", {etFloat, 2}, "1e3", "0.00", "0.00", 0},
        {"digits then a letter", {etFloat, 2}, "12a", "0.00", "0.00", 0},
        {"no decimals: text kept as given", {etFloat}, "12.5", "12.5", "12.5", 12.5},
        {"grouped digits without decimals", {etFloat}, "1,234", "1,234", "1,234", 1234},
        {"separator groups of two are no number", {etFloat}, "1,2,3", "0", "0", 0},
        {"leading thousand separator", {etFloat}, ",5", "0", "0", 0},
        {"two decimal points", {etFloat}, "1.2.3", "0", "0", 0},
        {"integer refuses decimals", {etNumeric}, "12.5", "0", "0", 0},
        {"integer refuses grouping", {etNumeric}, "1,000", "0", "0", 0},
        {"negative integer", {etNumeric}, "-42", "-42", "-42", -42},
        {"leading zeros kept", {etNumeric}, "007", "007", "007", 7},
        {"two minus signs", {etNumeric}, "--5", "0", "0", 0},
        {"money groups thousands", {etMoney, 2}, "1234.5", "1,234.50", "1,234.50", 1234.5},
        {"money without decimals keeps the text", {etMoney}, "1234", "1234", "1234", 1234},
        {"hex is upper-cased", {etHex}, "1f", "1F", "1F", 31},
        {"hex refuses other letters", {etHex}, "G1", "0", "0", 0},
        {"hex minus counts nothing", {etHex}, "-1f", "-1F", "-1F", 31},
        {"upper-case box does not convert set text", {etUppercase}, "abc", "abc", "abc", 0},
        {"prefix and suffix around money", {etMoney, 2, "$", " net"}, "5", "$5.00 net", "5.00", 5},
    });
}

TEST(TypedEditValue, LocaleSeparatorsAreTheBoxs) {
    const LocaleSeparators comma(',', '.');
    CheckTextRows({
        {"decimal comma", {etFloat, 2}, "12,5", "12,50", "12,50", 12.5},
        {"money groups with points", {etMoney, 2}, "1234,5", "1.234,50", "1.234,50", 1234.5},
        // The thousand separator two places from the end reads as the decimal one.
        {"point two from the end is decimal", {etFloat, 2}, "3.14", "3,14", "3,14", 3.14},
        {"integer refuses a decimal comma", {etNumeric}, "12,5", "0", "0", 0},
        {"grouped with points, no decimals", {etFloat}, "1.234", "1.234", "1.234", 1234},
    });
}

TEST(TypedEditValue, UnreadableNumbersRaiseTheConversionError) {
    struct Row {
        const char* label;
        BoxSetup box;
        const char* input;
    } rows[] = {
        {"minus alone with decimals", {etFloat, 2}, "-"},
        {"grouped digits with decimals", {etFloat, 2}, "1,234"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        auto box = MakeBox(row.box);
        EXPECT_THROW(box->SetText(row.input), EConvertError);
    }
    auto box = MakeBox({etNumeric});
    box->SetText("-");
    EXPECT_EQ(box->GetText(), "-");
    EXPECT_THROW(box->GetFloat(), EConvertError);
}

TEST(TypedEditValue, EStrToFloatReadsTheBoxsOwnNumbers) {
    struct Row {
        const char* label;
        std::int16_t precision;
        const char* text;
        double value;
    } rows[] = {
        {"comma two from the end with two decimals", 2, "3,14", 3.14},
        {"comma dropped without decimals", 0, "3,14", 314},
        {"grouping dropped without decimals", 0, "1,234.5", 1234.5},
        {"one decimal", 1, "2.5", 2.5},
        {"short text left alone", 2, "7", 7},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        auto box = MakeBox({etFloat, row.precision});
        EXPECT_DOUBLE_EQ(box->EStrToFloat(row.text), row.value);
    }
    auto box = MakeBox({etFloat, 1});
    EXPECT_THROW(box->EStrToFloat("1,234.5"), EConvertError);
}

TEST(TypedEditValue, MoneyValueReadsAroundItsSeparators) {
    struct Row {
        const char* text;
        double value;
    } rows[] = {{"1,234.", 1234}, {"-", 0}, {"-1,234,567", -1234567}, {"", 0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        auto box = MakeBox({etMoney});
        box->SetText(row.text);
        EXPECT_DOUBLE_EQ(box->GetFloat(), row.value);
    }
}

TEST(TypedEditValue, TextClassesAndHexDigits) {
    struct ClassRow {
        const char* text;
        TTextClass kind;
    } classes[] = {
        {"", tcOther},      {"123", tcNumeric}, {"-1", tcNumeric},      {"12.5", tcFloat},
        {"1,234", tcFloat}, {",234", tcOther},  {"1,234,567", tcFloat}, {"1,2,34", tcOther},
        {"ab", tcHex},      {"12ab", tcHex},    {"1-2-3", tcOther},     {"1.2.3", tcOther},
        {"12g", tcOther},   {"1 2", tcOther},
    };
    for (const ClassRow& row : classes) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(ClassifyText(row.text), row.kind);
    }
    struct HexRow {
        const char* text;
        std::int32_t value;
    } hex[] = {{"1F", 31}, {"G1", 1}, {"ff", 255}, {"", 0}, {"FFFFFFFF", -1}, {"100000001", 1}};
    for (const HexRow& row : hex) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(HexToInt(row.text), row.value);
    }
}

TEST(TypedEditValue, MixedCaseCapitalisesNames) {
    struct Row {
        const char* text;
        const char* expected;
    } rows[] = {
        {"john mcdonald ii", "John McDonald II"},
        {"JOHN SMITH", "John Smith"},
        {"tomcat", "Tomcat"},
        {"mcdonald", "McDonald"},
        {"o'brien-smith", "O'Brien-Smith"},
        {"louis iii", "Louis III"},
        {"henry viii", "Henry Viii"},
        {"mary mcdonald mcbride", "Mary McDonald Mcbride"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(MixedCase(row.text), row.expected);
    }
}

TEST(TypedEditValue, SetFloatAndSetIntFormatAndMarkModified) {
    struct Row {
        const char* label;
        BoxSetup box;
        double floatValue;
        bool useInt;
        std::int32_t intValue;
        const char* shown;
    } rows[] = {
        {"float to two decimals", {etFloat, 2}, 3, false, 0, "3.00"},
        {"float with negative precision as general", {etFloat, -1}, 3.25, false, 0, "3.25"},
        {"money with decimals grouped", {etMoney, 2}, 1234567.891, false, 0, "1,234,567.89"},
        {"money without decimals regrouped", {etMoney}, 1234.5, false, 0, "1,234.5"},
        {"hex rounds then writes digits", {etHex}, 255.5, false, 0, "100"},
        {"integer box rounds to a whole number", {etNumeric}, 1234.6, false, 0, "1235"},
        {"integer from int", {etNumeric}, 0, true, -5, "-5"},
        {"float from int", {etFloat, 2}, 0, true, 7, "7.00"},
        {"money from int", {etMoney}, 0, true, 1234567, "1,234,567"},
        {"hex from int", {etHex}, 0, true, 255, "FF"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        auto box = MakeBox(row.box);
        if (row.useInt)
            box->SetInt(row.intValue);
        else
            box->SetFloat(row.floatValue);
        EXPECT_EQ(box->GetWindowText(), row.shown);
        EXPECT_TRUE(box->GetModified());
    }
    auto text = MakeBox({etString});
    text->SetText("name");
    text->SetFloat(3);
    EXPECT_EQ(text->GetText(), "name");
    EXPECT_TRUE(text->GetModified());
}

TEST(TypedEditValue, GetIntReadsTheLeadingInteger) {
    struct Row {
        BoxSetup box;
        const char* text;
        std::int32_t value;
    } rows[] = {
        {{etNumeric}, "42", 42}, {{etFloat, 2}, "12.75", 12}, {{etMoney}, "1,234", 1234},
        {{etHex}, "1F", 31},     {{etString}, "42", 0},       {{etNumeric}, "-7", -7},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        auto box = MakeBox(row.box);
        box->SetText(row.text);
        EXPECT_EQ(box->GetInt(), row.value);
    }
}

TEST(TypedEditValue, ChangingTypeRechecksTheValue) {
    struct Row {
        const char* label;
        TTypedEditType from;
        const char* text;
        TTypedEditType to;
        const char* shown;
        bool modified;
    } rows[] = {
        {"hex-like text into float", etString, "12a", etFloat, "0", true},
        {"decimals into integer", etFloat, "12.5", etNumeric, "0", true},
        {"words into hex", etString, "xyz", etHex, "0", true},
        {"a number stays", etString, "12.5", etFloat, "12.5", false},
        {"hex digits stay in hex", etString, "ab", etHex, "ab", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        auto box = MakeBox({row.from});
        box->SetText(row.text);
        box->SetEditType(row.to);
        EXPECT_EQ(box->GetWindowText(), row.shown);
        EXPECT_EQ(box->GetModified(), row.modified);
    }
    auto password = MakeBox({etPassword});
    EXPECT_EQ(password->GetPasswordChar(), '*');
    EXPECT_FALSE(password->GetCanUndo());
    password->SetCanUndo(true);
    EXPECT_FALSE(password->GetCanUndo());
    password->SetEditType(etString);
    EXPECT_EQ(password->GetPasswordChar(), 0);
}

TEST(TypedEditValue, PrecisionOnlyForFloatAndMoney) {
    auto numeric = MakeBox({etNumeric});
    numeric->SetPrecision(2);
    EXPECT_EQ(numeric->GetPrecision(), 0);

    auto real = MakeBox({etFloat});
    real->SetText("12.5");
    real->SetPrecision(2);
    EXPECT_EQ(real->GetPrecision(), 2);
    EXPECT_EQ(real->GetWindowText(), "12.50");
    EXPECT_TRUE(real->GetModified());
    real->SetPrecision(0);
    EXPECT_EQ(real->GetWindowText(), "13");
}

TEST(TypedEditValue, PrefixAndSuffixWrapTheValue) {
    auto box = MakeBox({etFloat, 2});
    box->SetText("12.5");
    box->SetSuffix(" m");
    EXPECT_EQ(box->GetWindowText(), "12.50 m");
    box->SetPrefix("L=");
    EXPECT_EQ(box->GetWindowText(), "L=12.50 m");
    box->SetSuffix(" km");
    EXPECT_EQ(box->GetWindowText(), "L=12.50 km");
    EXPECT_EQ(box->GetText(), "12.50");
    EXPECT_EQ(box->DecimalPos(), 5);
    // A suffix the user broke leaves the rest whole.
    box->SetWindowText("L=12.50 k");
    EXPECT_EQ(box->GetText(), "12.50 k");
    box->SetWindowText("12.50 km");
    EXPECT_EQ(box->GetText(), "12.50");
}

TEST(TypedEditValue, DecimalPositionAndFixedLength) {
    struct Row {
        const char* text;
        int fixedLength;
    } rows[] = {{"1,234.5", 5}, {"123", 4}, {"", 1}, {".5", 1}, {"-12.25", 4}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(TTypedEdit::FixedLength(row.text), row.fixedLength);
    }
    auto box = MakeBox({etFloat, 0, "$", " m"});
    box->SetText("12");
    // No decimal separator: past the prefix, value and suffix, 1 + 2 + 2 + 1.
    EXPECT_EQ(box->DecimalPos(), 6);
}

TEST(TypedEditValue, AutoThousandSeparatorRegroups) {
    auto money = MakeBox({etMoney});
    money->SetText("1234567");
    money->SetAutoThousandSeparator(false);
    EXPECT_EQ(money->GetText(), "1234567");
    money->SetAutoThousandSeparator(true);
    EXPECT_EQ(money->GetText(), "1,234,567");
    money->SetText("-1234.5");
    money->AutoSeparators();
    EXPECT_EQ(money->GetText(), "-1,234.5");

    // Grouping would leave a float box with decimals unable to read its own value.
    auto real = MakeBox({etFloat, 2});
    real->SetText("1234.5");
    real->SetAutoThousandSeparator(true);
    EXPECT_EQ(real->GetText(), "1234.50");
    EXPECT_DOUBLE_EQ(real->GetFloat(), 1234.5);
}

TEST(TypedEditValue, ModifiedStateAndItsColour) {
    auto box = MakeBox({etFloat, 2});
    box->ShowModified = true;
    box->ModifiedColor = clRed;
    box->SetFloat(1);
    EXPECT_TRUE(box->GetModified());
    EXPECT_TRUE(box->GetNativeModified());
    EXPECT_EQ(box->Font.Color, clRed);
    box->SetText("2");
    EXPECT_FALSE(box->GetModified());
    EXPECT_FALSE(box->GetNativeModified());
    EXPECT_EQ(box->Font.Color, clWindowText);
}

TEST(TypedEditValue, EventsFromCodeComeInOrder) {
    auto box = MakeBox({etFloat, 2});
    std::vector<std::string> events;
    box->OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, box.get());
        events.push_back("change " + box->GetText().str());
    };
    box->OnValueValidate = [&](TObject*, const AnsiString& value, bool& valid) {
        events.push_back("validate " + value.str());
        valid = value != "0.00";
    };
    box->ShowError = true;
    box->SetText("1.5");
    box->SetText("1.50");
    box->SetText("0");
    const std::vector<std::string> expected{"change 1.50", "validate 1.50", "change 0.00", "validate 0.00"};
    EXPECT_EQ(events, expected);
    EXPECT_TRUE(box->GetError());
    EXPECT_EQ(box->GetColor(), clRed);
    EXPECT_EQ(box->Font.Color, clWhite);
    box->SetText("3");
    EXPECT_FALSE(box->GetError());
    EXPECT_EQ(box->GetColor(), clWindow);
    EXPECT_EQ(box->Font.Color, clWindowText);
}

// Properties applied in declaration order, as a window's layout does, with the text last.
class LayoutForm : public TForm {
public:
    LayoutForm() : TForm(nullptr) {
        Box = new TTypedEdit(this);
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
    TTypedEdit* Box;
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
