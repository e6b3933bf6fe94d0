#include "controls/Typedspin.h"

#include "controls/SpinStep.h"
#include "controls/TypedText.h"
#include "framework/DateStep.h"
#include "framework/MessageBeep.h"
#include "framework/NumberFormat.h"

TTypedSpinEdit::TTypedSpinEdit(TComponent* owner)
    : TCustomMaskEdit(owner), TUnreadTextBox(static_cast<TCustomEdit&>(*this)) {
    button = new TTypedSpinButton(this);
    button->SetParent(this);
    button->SetFocusControl(this);
    button->OnUpClick = [this](TObject*) { UpClick(this); };
    button->OnDownClick = [this](TObject*) { DownClick(this); };
    button->SetBounds(0, 0, 15, 17);
    SetWindowText("0");
    SetClearBackground(transparent);
}

void TTypedSpinEdit::SetSpinType(TTypedSpinType value) {
    spinType = value;
    if (!Loading())
        RewriteValue([] {});
}

void TTypedSpinEdit::RewriteValue(const std::function<void()>& change) {
    switch (spinType) {
    case sptFloat: {
        const double value = GetFloatValue();
        change();
        SetFloatValue(value);
        break;
    }
    case sptDate: {
        const TDateTime value = GetDateValue();
        change();
        SetDateValue(value);
        break;
    }
    case sptTime: {
        const TDateTime value = GetTimeValue();
        change();
        SetTimeValue(value);
        break;
    }
    case sptHex: {
        const int value = GetHexValue();
        change();
        SetHexValue(value);
        break;
    }
    default: {
        const int value = GetValue();
        change();
        SetValue(value);
        break;
    }
    }
}

void Typedspin::TTypedMaskSpinEdit::SetEditMask(const AnsiString& value) {
    if (Loading())
        TCustomMaskEdit::SetEditMask(value);
    else
        RewriteValue([&] {
            TCustomMaskEdit::SetEditMask(value);
            // The value goes into the new mask whole or not at all, never cut into another.
            SetWindowText(BlankMaskText(Mask()));
        });
}

AnsiString TTypedSpinEdit::ValueText() const {
    return spinType == sptNormal || spinType == sptFloat ? SpinNumberText(*this) : SpinValueText(*this);
}

bool TTypedSpinEdit::ReadsValue() const {
    double value = 0;
    switch (spinType) {
    case sptFloat:
        return ReadSpinFloat(ValueText(), value);
    case sptDate:
        return ReadDate(value);
    case sptTime:
        return ReadSpinTime(ValueText(), value);
    case sptHex:
        return ReadSpinHex(ValueText(), value);
    case sptNormal:
        break;
    }
    return ReadSpinInt(ValueText(), value);
}

int TTypedSpinEdit::GetValue() const {
    int value = MinValue;
    return TryStrToInt(SpinNumberText(*this), value) ? value : MinValue;
}

void TTypedSpinEdit::SetValue(int value) {
    WriteSpinNumber(*this, IntToStr(WithinLimits(value, MinValue, MaxValue)), ReadSpinInt);
    if (!EditorEnabled)
        SelectAll();
}

double TTypedSpinEdit::GetFloatValue() const {
    double value = MinFloatValue;
    return TryStrToFloat(SpinNumberText(*this), value) ? value : MinFloatValue;
}

void TTypedSpinEdit::SetFloatValue(double value) {
    WriteSpinNumber(*this, FloatTextWithinLimits(value, MinFloatValue, MaxFloatValue, precision),
                    ReadSpinFloat);
}

TDateTime TTypedSpinEdit::GetDateValue() const {
    TDateTime value = MinDateValue;
    return ReadDate(value) ? value : MinDateValue;
}

bool TTypedSpinEdit::ReadDate(TDateTime& value) const {
    const AnsiString text = SpinValueText(*this);
    if (text.IsEmpty() || text == "0") {
        value = Now();
        return true;
    }
    return ReadShownDate(*this, shownDate, value);
}

void TTypedSpinEdit::SetDateValue(TDateTime value) {
    if (Loading()) {
        shownDate = {value, {}};
        return;
    }
    const TDateTime kept = DateWithinLimits(value, MinDateValue, MaxDateValue);
    if (ShowKeepingCaret(DateToStr(kept), ReadSpinDate))
        shownDate = {kept, GetWindowText()};
}

TDateTime TTypedSpinEdit::GetTimeValue() const {
    TDateTime value = 0;
    return ReadSpinTime(SpinValueText(*this), value) ? value : 0;
}

void TTypedSpinEdit::SetTimeValue(TDateTime value) {
    if (!Loading())
        ShowKeepingCaret(TimeToStr(value), ReadSpinTime);
    timeValue = value;
}

int TTypedSpinEdit::GetHexValue() const {
    const AnsiString text = SpinValueText(*this);
    return HexToInt(text.SubString(3, text.Length()));
}

void TTypedSpinEdit::SetHexValue(int value) {
    hexValue = value;
    if (!Loading())
        WriteSpinValue(*this, "0x" + IntToHex(static_cast<std::uint32_t>(value), 0), ReadSpinHex);
}

bool TTypedSpinEdit::ShowKeepingCaret(const AnsiString& text, TSpinReader read) {
    const int caret = GetSelStart();
    const bool shown = WriteSpinValue(*this, text, read);
    SetSelStart(caret);
    return shown;
}

void TTypedSpinEdit::SetPrecision(int value) {
    precision = value;
    if (spinType == sptFloat && !Loading())
        SetFloatValue(GetFloatValue());
}

void TTypedSpinEdit::Loaded() {
    TCustomMaskEdit::Loaded();
    if (spinType == sptDate)
        SetDateValue(shownDate.Value);
    else if (spinType == sptTime)
        SetTimeValue(timeValue);
    else if (spinType == sptHex)
        SetHexValue(hexValue);
    SetSpinType(spinType);
    ApplyFlat();
}

void TTypedSpinEdit::UpClick(TObject*) {
    Step(1, false);
}

void TTypedSpinEdit::DownClick(TObject*) {
    Step(-1, false);
}

bool TTypedSpinEdit::SmartStep(int sign, bool page) {
    // A page step over a selection is a page step; a button's step is smart over one too.
    if (!IncrementSmart || (page && GetSelLength() > 0) || (spinType != sptNormal && spinType != sptFloat))
        return false;
    const bool isFloat = spinType == sptFloat;
    const double step = ::SmartStep(SpinNumberText(*this).view(), SpinNumberCaret(*this), DecimalSeparator,
                                    isFloat, isFloat ? IncrementFloat : Increment);
    if (step == 0)
        return true;
    if (isFloat)
        SetFloatValue(GetFloatValue() + sign * step);
    else
        SetValue(StepWithinInt(GetValue(), sign * step));
    return true;
}

void TTypedSpinEdit::Step(int sign, bool page) {
    if (GetReadOnly()) {
        MessageBeep(0);
        return;
    }
    const int start = GetSelStart();
    const int length = GetSelLength();
    // A step is one edit to undo, as a key typed is.
    Undoable([&] {
        if (!SmartStep(sign, page))
            OrdinaryStep(sign, page);
    });
    SetSelStart(start);
    SetSelLength(length);
}

void TTypedSpinEdit::OrdinaryStep(int sign, bool page) {
    const AnsiString& text = GetWindowText();
    const int start = GetSelStart();
    switch (spinType) {
    case sptNormal:
        SetValue(StepWithinInt(GetValue(), static_cast<double>(sign) * (page ? IncrementPage : Increment)));
        break;
    case sptFloat:
        SetFloatValue(GetFloatValue() + sign * (page ? IncrementFloatPage : IncrementFloat));
        break;
    case sptDate:
        if (!page)
            SetDateValue(StepDate(GetDateValue(), text.view(), start, sign));
        break;
    case sptTime:
        if (!page)
            SetTimeValue(StepTime(GetTimeValue(), text.view(), start, sign));
        break;
    case sptHex:
        if (!page)
            SetHexValue(static_cast<int>(
                sign > 0
                    ? static_cast<std::uint32_t>(GetHexValue()) + static_cast<std::uint32_t>(Increment)
                    : static_cast<std::uint32_t>(GetHexValue()) - static_cast<std::uint32_t>(Increment)));
        break;
    }
}

void TTypedSpinEdit::KeepInRange() {
    switch (spinType) {
    case sptFloat: {
        const double value = GetFloatValue();
        if (WithinLimits(value, MinFloatValue, MaxFloatValue) != value)
            SetFloatValue(value);
        break;
    }
    case sptNormal: {
        const int value = GetValue();
        if (WithinLimits(value, MinValue, MaxValue) != value)
            SetValue(value);
        break;
    }
    case sptDate: {
        const TDateTime value = GetDateValue();
        if (DateWithinLimits(value, MinDateValue, MaxDateValue) != value)
            SetDateValue(value);
        break;
    }
    case sptHex:
        // Hex values are held to the whole-number range.
        SetHexValue(WithinLimits(GetHexValue(), MinValue, MaxValue));
        break;
    case sptTime:
        break;
    }
}
