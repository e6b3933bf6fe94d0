#include "controls/Typededit.h"

#include "controls/TypedText.h"
#include "framework/Clipboard.h"
#include "framework/LocaleCase.h"
#include "framework/NumberFormat.h"

#include <string_view>
#include <utility>

// Text that enters the typed edit box whole, by a paste or a drop: one set of rules for both.

namespace {

bool Holds(const AnsiString& text, char c) {
    return text.view().find(c) != std::string_view::npos;
}

} // namespace

AnsiString TTypedEdit::InBoxCase(const AnsiString& value) const {
    switch (editType) {
    case etUppercase:
        return AnsiUpperCase(value);
    case etLowerCase:
        return AnsiLowerCase(value);
    case etMixedCase:
        return MixedCase(value);
    default:
        return value;
    }
}

TTypedEdit::TEntered TTypedEdit::Entered(const AnsiString& value, int start, int length,
                                         const AnsiString& text) const {
    TEntered entered;
    if (GetReadOnly() || editType == etRange || editType == etHex)
        return entered;
    // One line only: a line break has no place in a single-line value.
    const AnsiString line = PastedLine(text);
    entered.Cut = text.view().find_first_not_of("\r\n", line.view().size()) != std::string_view::npos;
    const bool fraction = editType == etFloat || editType == etMoney;
    if (fraction && precision == 0 && Holds(line, DecimalSeparator))
        return entered;
    // A box without a sign takes no minus, as it refuses a typed one.
    if (NumberBox() && !Signed && Holds(line, '-'))
        return entered;
    const AnsiString after = value.SubString(start + length + 1, value.Length());
    AnsiString composed = InBoxCase(value.SubString(1, start) + line + after);
    // Whole, or not at all: a box that could hold only part would lose the rest.
    if (!WithinMaxLength(prefix + composed + suffix))
        return entered;
    // A float box without decimals groups its digits itself: digits put among its separators go
    // in, and the groups are drawn again as a money box draws them.
    entered.Regroup = editType == etFloat && precision == 0 && Holds(value, ThousandSeparator) &&
                      !Holds(line, ThousandSeparator);
    if (entered.Regroup)
        composed = WithoutChar(composed, ThousandSeparator);
    // The integer part keeps to LengthLimit as typing keeps it.
    if (!TakesValue(composed) || (LengthLimit > 0 && FixedLength(composed) - 1 > LengthLimit))
        return entered;
    entered.Taken = true;
    // Counted without thousand separators where the box draws them again.
    const bool grouped = entered.Regroup || editType == etMoney;
    entered.End = grouped ? WithoutChar(composed, ThousandSeparator).Length() -
                                WithoutChar(after, ThousandSeparator).Length()
                          : composed.Length() - after.Length();
    entered.Value = composed;
    return entered;
}

int TTypedEdit::TakeEntered(const TEntered& entered) {
    const bool wasEntering = std::exchange(entering, true);
    SetText(entered.Value);
    if (editType == etFloat || editType == etMoney)
        SetFloat(GetFloat());
    if (entered.Regroup)
        AutoSeparators();
    entering = wasEntering;
    SetModified(true);
    // Regrouped, the text put in ends where as many digits stand before it as before.
    if (editType == etMoney || entered.Regroup)
        return PrefixLength() + PositionPast(GetText().view(), entered.End, ThousandSeparator);
    return PrefixLength() + entered.End;
}
