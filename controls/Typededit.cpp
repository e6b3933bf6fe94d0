#include "controls/Typededit.h"

#include "controls/EditDropTarget.h"
#include "controls/TypedText.h"
#include "framework/Exceptions.h"
#include "framework/NumberFormat.h"
#include "framework/TextEncoding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>
#include <utility>

namespace {

TAlignment AlignmentOf(TEditAlign align) {
    switch (align) {
    case eaRight:
        return taRightJustify;
    case eaCenter:
        return taCenter;
    default:
        return taLeftJustify;
    }
}

AnsiString FixedFormat(int decimals, char conversion) {
    return "%." + IntToStr(decimals) + AnsiString(conversion);
}

// Format("%.<decimals>f", value), without a format to build and read at each call: the design
// loop writes boxes by the million.
AnsiString FixedText(double value, int decimals) {
    return FixedWidthText(value, 0, decimals, DecimalSeparator);
}

} // namespace

TTypedEdit::TTypedEdit(TComponent* owner)
    : TCustomEdit(owner), TUnreadTextBox(static_cast<TCustomEdit&>(*this)), normalColor(GetColor()),
      normalFontColor(Font.Color) {
    // While the window is being laid out the label takes the box's font; later it keeps its own.
    Font.OnChange = [this, viewChanged = Font.OnChange](TObject* sender) {
        if (viewChanged)
            viewChanged(sender);
        if (ComponentState & (csLoading | csDesigning))
            attached.SetFont(Font);
    };
}

void TTypedEdit::Loaded() {
    TCustomEdit::Loaded();
    normalColor = GetColor();
    normalFontColor = Font.Color;
    savedBorderStyle = GetBorderStyle();
    // A box disabled while its window was being laid out looks disabled from its first showing.
    if (!GetEnabled()) {
        TCustomEdit::SetColor(disabledColor);
        attached.SetEnabled(false);
    }
    if (flat)
        SetFlat(true);
    attached.Place();
    if (!(ComponentState & csDesigning))
        LoadPersist();
}

AnsiString TTypedEdit::GetText() const {
    const AnsiString& shown = GetWindowText();
    int start = 1;
    int end = shown.Length();
    if (!prefix.IsEmpty() && shown.view().starts_with(prefix.view()))
        start += prefix.Length();
    if (!suffix.IsEmpty() &&
        shown.view().substr(static_cast<std::size_t>(start - 1)).ends_with(suffix.view()))
        end -= suffix.Length();
    return shown.SubString(start, end - start + 1);
}

bool TTypedEdit::TakesValue(const AnsiString& value) const {
    // A number no double holds could not be read back either.
    if (NumberBox() && !NumberFits(value.view()))
        return false;
    const TNumberShape shape = ScanNumber(value.view());
    switch (editType) {
    case etNumeric:
        return shape.Plain && shape.Digits > 0 && shape.Decimals == 0 && shape.Thousands == 0;
    case etFloat:
        if (!shape.Plain || shape.Digits == 0 || shape.Decimals > 1)
            return false;
        if (shape.Thousands == 0)
            return true;
        if (precision == 0)
            return ThousandsInThrees(value.view());
        // With decimals the only thousand separator read is one standing for the decimal one.
        return precision > 0 && shape.Thousands == 1 && shape.Decimals == 0 &&
               shape.LastThousand == value.Length() - precision;
    case etMoney: {
        // Its thousand separators are the box's own: read past wherever they stand in the
        // integer part, and regrouped as the box is typed in and left.
        const std::size_t point = value.view().find(DecimalSeparator);
        return shape.Plain && shape.Decimals <= 1 &&
               (point == std::string_view::npos ||
                value.view().find(ThousandSeparator, point) == std::string_view::npos);
    }
    case etHex: {
        const TTextClass kind = ClassifyText(value);
        return kind == tcNumeric || kind == tcHex;
    }
    default:
        return true;
    }
}

double TTypedEdit::MoneyValue(const AnsiString& value) const {
    AnsiString digits = WithoutChar(value, ThousandSeparator);
    if (!digits.IsEmpty() && digits[digits.Length()] == DecimalSeparator)
        digits.Delete(digits.Length(), 1);
    return digits.IsEmpty() || digits == "-" ? 0 : EStrToFloat(digits);
}

void TTypedEdit::SetText(const AnsiString& value) {
    // The value is copied only where the box changes it: boxes are written by the million.
    AnsiString changed;
    const AnsiString* shown = &value;
    const auto show = [&](AnsiString text) {
        changed = std::move(text);
        shown = &changed;
    };
    if (!value.IsEmpty()) {
        if (!TakesValue(value))
            show("0");
        if (precision >= 1 && editType == etMoney)
            show(Format(FixedFormat(precision, 'n'), MoneyValue(*shown)));
        else if (precision >= 1 && editType == etFloat)
            show(FixedText(EStrToFloat(*shown), precision));
    }
    if (editType == etHex)
        show(shown->UpperCase());
    if (prefix.IsEmpty() && suffix.IsEmpty())
        SetWindowText(*shown);
    else
        SetWindowText(prefix + *shown + suffix);
    SetModified(false);
    if (showURL)
        ApplyURL(TestURL());
    // Focus gained takes the undo value of a box written while it had none.
    if (!entering && Focused())
        undoValue = GetText();
}

void TTypedEdit::Show(const AnsiString& value) {
    const bool nativeModified = GetNativeModified();
    SetWindowText(prefix + value + suffix);
    SetNativeModified(nativeModified);
}

double TTypedEdit::EStrToFloat(const AnsiString& text) const {
    return NumberOf(text, precision);
}

double TTypedEdit::NumberOf(const AnsiString& text, int decimals) {
    // Read where it stands unless a separator has to change.
    const int point = text.Length() - decimals;
    if (decimals == 0 && text.view().find(ThousandSeparator) != std::string_view::npos) {
        // "2,5" is no 25: only separators in their groups of three are read past.
        if (!ThousandsInThrees(text.view()))
            throw EConvertError("'" + text + "' is not a valid floating point value");
        return StrToFloat(WithoutChar(text, ThousandSeparator));
    }
    if (decimals > 0 && point > 0 && text[point] == ThousandSeparator) {
        AnsiString s = text;
        s[point] = DecimalSeparator;
        return StrToFloat(s);
    }
    return StrToFloat(text);
}

double TTypedEdit::GetFloat() const {
    if (!prefix.IsEmpty() || !suffix.IsEmpty())
        return FloatOf(GetText());
    // Most boxes show no prefix or suffix: their text is read where it stands, once for each text.
    const FloatRead read{TextChanges(), DecimalSeparator, ThousandSeparator, precision, editType};
    if (lastReadKept && read == lastRead)
        return lastReadValue;
    lastReadValue = FloatOf(GetWindowText());
    lastRead = read;
    lastReadKept = true;
    return lastReadValue;
}

double TTypedEdit::FloatOf(const AnsiString& value) const {
    if (value.IsEmpty())
        return 0;
    switch (editType) {
    case etNumeric:
    case etFloat:
        return EStrToFloat(value);
    case etMoney:
        return MoneyValue(value);
    case etHex:
        return HexToInt(value);
    default:
        return 0;
    }
}

void TTypedEdit::SetFloat(double value) {
    switch (editType) {
    case etNumeric:
        // A whole number without separators, the only text an integer box takes.
        SetText(Format("%.0f", value));
        break;
    case etFloat:
        SetText(precision < 0 ? Format("%g", value) : FixedText(value, precision));
        break;
    case etMoney:
        SetText(precision < 1 ? Format("%g", value) : Format(FixedFormat(precision, 'f'), value));
        AutoSeparators();
        break;
    case etHex:
        SetText(IntToHex(static_cast<std::uint64_t>(std::llround(value)), 0));
        break;
    default:
        break;
    }
    SetModified(true);
}

std::int32_t TTypedEdit::GetInt() const {
    switch (editType) {
    case etNumeric:
    case etFloat:
        return LeadingInteger(GetText());
    case etMoney:
        return LeadingInteger(WithoutChar(GetText(), ThousandSeparator));
    case etHex:
        return HexToInt(GetText());
    default:
        return 0;
    }
}

void TTypedEdit::SetInt(std::int32_t value) {
    switch (editType) {
    case etNumeric:
    case etFloat:
        SetText(IntToStr(value));
        break;
    case etMoney:
        SetText(IntToStr(value));
        AutoSeparators();
        break;
    case etHex:
        SetText(IntToHex(static_cast<std::uint32_t>(value), 0));
        break;
    default:
        break;
    }
    SetModified(true);
}

void TTypedEdit::SetModified(bool value) {
    if (Loading())
        return;
    if (ShowModified && !ShowsError())
        Font.SetColor(value ? ModifiedColor : normalFontColor);
    SetNativeModified(value);
    modified = value;
}

TColor TTypedEdit::RestingFontColor() const {
    return ShowModified && modified ? ModifiedColor : normalFontColor;
}

void TTypedEdit::SetEditType(TTypedEditType value) {
    if (value == editType)
        return;
    editType = value;
    if (value == etPassword) {
        SetPasswordChar('*');
        SetCanUndo(false);
        SetEditAlign(eaLeft);
    } else {
        SetPasswordChar(0);
    }
    const TTextClass kind = ClassifyText(GetText());
    if (value == etNumeric && kind != tcNumeric)
        SetInt(0);
    else if ((value == etFloat || value == etMoney) && (kind == tcOther || kind == tcHex))
        SetFloat(0);
    else if (value == etHex && kind != tcNumeric && kind != tcHex)
        SetInt(0);
}

void TTypedEdit::SetPrecision(std::int16_t value) {
    if (value == precision || (editType != etFloat && editType != etMoney))
        return;
    const std::int16_t old = std::exchange(precision, value);
    const TTextClass kind = ClassifyText(GetText());
    SetFloat(kind == tcNumeric || kind == tcFloat ? ValueForPrecision(old) : 0);
}

double TTypedEdit::ValueForPrecision(int old) const {
    const AnsiString value = GetText();
    if (editType == etMoney) {
        try {
            return MoneyValue(value);
        } catch (const EConvertError&) {
            return 0;
        }
    }
    // Read with the new decimals, else as the old ones read it, else as grouped whole digits
    // ("12,345,678" left by a box without decimals); a text none of them reads is no number.
    for (const int decimals : {static_cast<int>(precision), old, 0}) {
        try {
            return NumberOf(value, decimals);
        } catch (const EConvertError&) {
        }
    }
    return 0;
}

void TTypedEdit::SetPrefix(const AnsiString& value) {
    const AnsiString current = GetText();
    prefix = value;
    SetWindowText(current);
    SetText(current);
}

void TTypedEdit::SetSuffix(const AnsiString& value) {
    const AnsiString current = GetText();
    suffix = value;
    SetWindowText(current);
    SetText(current);
}

void TTypedEdit::SetAutoThousandSeparator(bool value) {
    autoThousandSeparator = value;
    if (editType == etFloat || editType == etMoney)
        AutoSeparators();
}

void TTypedEdit::AutoSeparators() {
    AnsiString value = GetText();
    if (value.IsEmpty())
        return;
    const int oldLength = value.Length();
    const int caret = GetSelStart();
    const bool negative = value[1] == '-';
    if (negative)
        value.Delete(1, 1);
    const int decimal = value.Pos(AnsiString(DecimalSeparator));
    const AnsiString fraction = decimal > 0 ? value.SubString(decimal, 255) : AnsiString();
    // A float box with decimals could not read its own grouped digits back.
    const bool group = autoThousandSeparator && (editType == etMoney || precision == 0);
    AnsiString integer = Format(group ? "%n" : "%f", std::trunc(std::fabs(GetFloat())));
    integer = integer.SubString(1, integer.Pos(AnsiString(DecimalSeparator)) - 1);
    const AnsiString regrouped = (negative ? AnsiString("-") : AnsiString()) + integer + fraction;
    Show(regrouped);
    SetSelStart(caret + regrouped.Length() - oldLength);
}

int TTypedEdit::DecimalPos() const {
    const AnsiString value = GetText();
    const int decimal = value.Pos(AnsiString(DecimalSeparator));
    if (decimal > 0)
        return PrefixLength() + decimal;
    return PrefixLength() + value.Length() + suffix.Length() + 1;
}

int TTypedEdit::FixedLength(const AnsiString& text) {
    const AnsiString digits = WithoutChar(text, ThousandSeparator);
    const int decimal = digits.Pos(AnsiString(DecimalSeparator));
    // Characters, not bytes: "é" is one.
    return CharacterCount(digits.view().substr(0, decimal > 0 ? decimal - 1 : digits.view().size())) + 1;
}

void TTypedEdit::SelectAll() {
    int start = 0;
    if (showURL) {
        const AnsiString value = GetText();
        if (const int scheme = value.Pos("://"); scheme > 0)
            start = scheme + 2;
        else if (const int mail = value.Pos("mailto:"); mail > 0)
            start = mail + 6;
    }
    SetSelection(PrefixLength() + start, ValueEnd());
}

void TTypedEdit::SelectBeforeDecimal() {
    const int decimal = GetText().Pos(AnsiString(DecimalSeparator));
    SetSelStart(PrefixLength() + (decimal > 0 ? decimal - 1 : 0));
}

void TTypedEdit::SelectAfterDecimal() {
    const int decimal = GetText().Pos(AnsiString(DecimalSeparator));
    SetSelStart(PrefixLength() + decimal);
}

TTypedEdit::TValueRange TTypedEdit::SelectedRange() const {
    const int length = GetText().Length();
    const int start = std::clamp(GetSelStart() - PrefixLength(), 0, length);
    const int end = std::clamp(GetSelStart() + GetSelLength() - PrefixLength(), start, length);
    return {start, end - start};
}

AnsiString TTypedEdit::SelectedValue() const {
    const TValueRange range = SelectedRange();
    return GetText().SubString(range.Start + 1, range.Length);
}

AnsiString TTypedEdit::ValueWithout(int before, int after) const {
    AnsiString value = GetText();
    const TValueRange range = SelectedRange();
    if (GetSelLength() > 0)
        return value.Delete(range.Start + 1, range.Length);
    // Whole characters, as Backspace and Delete take them: "é" is one.
    int start = range.Start;
    int end = range.Start;
    for (int i = 0; i < before; ++i)
        start = PreviousCharacter(value.view(), start);
    for (int i = 0; i < after; ++i)
        end = NextCharacter(value.view(), end);
    return value.Delete(start + 1, end - start);
}

AnsiString TTypedEdit::ValueTyped(char key) const {
    return ValueWithout(0, 0).Insert(CharacterTyped(key), SelectedRange().Start + 1);
}

void TTypedEdit::SetEditAlign(TEditAlign value) {
    if (value == editAlign)
        return;
    editAlign = value;
    SetAlignment(AlignmentOf(value));
}

void TTypedEdit::SetCanUndo(bool value) {
    canUndo = value && editType != etPassword;
}

void TTypedEdit::SetEmptyText(const AnsiString& value) {
    emptyText = value;
    Invalidate();
}
