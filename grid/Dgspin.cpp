#include "grid/Dgspin.h"

#include "controls/SpinStep.h"
#include "framework/Clipboard.h"
#include "framework/DateStep.h"
#include "framework/MessageBeep.h"
#include "framework/NumberFormat.h"
#include "grid/Gridxpvs.h"

#include <QLineEdit>
#include <QRect>

#include <algorithm>

namespace {

TThemedArrow ArrowOf(TButtonDirection direction) {
    switch (direction) {
    case bdLeft:
        return taSpinLeft;
    case bdRight:
        return taSpinRight;
    case bdDown:
        return taSpinDown;
    case bdUp:
        break;
    }
    return taSpinUp;
}

Typedspin::TTimerSpeedButton* MakeButton(TTypedSpinButton& pair, TButtonDirection direction) {
    auto* button = new TTimerSpeedButton(&pair);
    SetSpinGlyph(*button, direction);
    return button;
}

} // namespace

void TTimerSpeedButton::SetIsWinXP(bool value) {
    isWinXP = value;
    Invalidate();
}

void TTimerSpeedButton::ViewPaint(QPainter& painter) {
    Typedspin::TTimerSpeedButton::ViewPaint(painter);
    const bool sideways = ButtonDirection == bdLeft || ButtonDirection == bdRight;
    if (isWinXP || sideways)
        DrawThemedArrowButton(painter, QRect(0, 0, Width(), Height()), ArrowOf(ButtonDirection), Pressed(),
                              GetEnabled(), isWinXP, GetFlat());
}

TDgSpinButton::TDgSpinButton(TComponent* owner) : TTypedSpinButton(owner, MakeButton) {}

TTimerSpeedButton* TDgSpinButton::UpButton() const {
    return static_cast<TTimerSpeedButton*>(TTypedSpinButton::UpButton());
}

TTimerSpeedButton* TDgSpinButton::DownButton() const {
    return static_cast<TTimerSpeedButton*>(TTypedSpinButton::DownButton());
}

void TDgSpinButton::SetIsWinXP(bool value) {
    UpButton()->SetIsWinXP(value);
    DownButton()->SetIsWinXP(value);
}

TDgSpinEdit::TDgSpinEdit(TComponent* owner) : TCustomMaskEdit(owner), Button(new TDgSpinButton(this)) {
    Button->SetParent(this);
    Button->SetFocusControl(this);
    Button->OnUpClick = [this](TObject* sender) { UpClick(sender); };
    Button->OnDownClick = [this](TObject* sender) { DownClick(sender); };
    Button->SetBounds(0, 0, 15, 17);
    SetWindowText("0");
}

void TDgSpinEdit::SetSpinType(TDgSpinType value) {
    spinType = value;
    RewriteValue([] {});
}

void TDgSpinEdit::RewriteValue(const std::function<void()>& change) {
    switch (spinType) {
    case TDgSpinType::sptNormal: {
        const int value = GetValue();
        change();
        SetValue(value);
        break;
    }
    case TDgSpinType::sptFloat: {
        const double value = GetFloatValue();
        change();
        SetFloatValue(value);
        break;
    }
    case TDgSpinType::sptDate: {
        const TDateTime value = GetDateValue();
        change();
        SetDateValue(value);
        break;
    }
    case TDgSpinType::sptTime: {
        const TDateTime value = GetTimeValue();
        change();
        SetTimeValue(value);
        break;
    }
    }
}

void TTypedMaskSpinEdit::SetEditMask(const AnsiString& value) {
    if (Loading())
        TCustomMaskEdit::SetEditMask(value);
    else
        RewriteValue([&] {
            TCustomMaskEdit::SetEditMask(value);
            // The value goes into the new mask whole or not at all, never cut into another.
            SetWindowText(BlankMaskText(Mask()));
        });
}

int TDgSpinEdit::GetValue() const {
    int value = MinValue;
    return TryStrToInt(SpinNumberText(*this), value) ? value : MinValue;
}

void TDgSpinEdit::SetValue(int value) {
    WriteSpinNumber(*this, IntToStr(CheckValue(value)), ReadSpinInt);
    if (!EditorEnabled)
        SelectAll();
}

double TDgSpinEdit::GetFloatValue() const {
    double value = 0;
    return TryStrToFloat(SpinNumberText(*this), value) ? value : MinValue;
}

void TDgSpinEdit::SetFloatValue(double value) {
    WriteSpinNumber(*this, FloatTextWithinLimits(value, MinFloatValue, MaxFloatValue, precision),
                    ReadSpinFloat);
}

TDateTime TDgSpinEdit::GetDateValue() const {
    const AnsiString text = SpinValueText(*this);
    if (text.IsEmpty() || text == "0")
        return Now();
    TDateTime value = MinDateValue;
    return ReadDateValue(value) ? value : MinDateValue;
}

bool TDgSpinEdit::ReadDateValue(TDateTime& value) const {
    return ReadShownDate(*this, shownDate, value);
}

void TDgSpinEdit::SetDateValue(TDateTime value) {
    if (Loading()) {
        shownDate = {value, {}};
        return;
    }
    const TDateTime kept = CheckDateValue(value);
    if (WriteKeepingCaret(DateToStr(kept), ReadSpinDate))
        shownDate = {kept, GetWindowText()};
}

TDateTime TDgSpinEdit::GetTimeValue() const {
    TDateTime value = 0;
    return TryStrToDateTime(SpinValueText(*this), value) ? value : 0;
}

void TDgSpinEdit::SetTimeValue(TDateTime value) {
    if (!Loading())
        WriteKeepingCaret(TimeToStr(value), ReadSpinTime);
    timeValue = value;
}

bool TDgSpinEdit::WriteKeepingCaret(const AnsiString& text, TSpinReader read) {
    const int caret = GetSelStart();
    const bool shown = WriteSpinValue(*this, text, read);
    SetSelStart(std::min(caret, GetWindowText().Length()));
    return shown;
}

int TDgSpinEdit::CheckValue(int value) const {
    return WithinLimits(value, MinValue, MaxValue);
}

double TDgSpinEdit::CheckFloatValue(double value) const {
    return WithinLimits(value, MinFloatValue, MaxFloatValue);
}

TDateTime TDgSpinEdit::CheckDateValue(TDateTime value) const {
    return DateWithinLimits(value, MinDateValue, MaxDateValue);
}

void TDgSpinEdit::SetPrecision(int value) {
    precision = value;
    if (spinType == TDgSpinType::sptFloat)
        SetFloatValue(GetFloatValue());
}

void TDgSpinEdit::Loaded() {
    TCustomMaskEdit::Loaded();
    if (spinType == TDgSpinType::sptDate)
        SetDateValue(shownDate.Value);
    else if (spinType == TDgSpinType::sptTime)
        SetTimeValue(timeValue);
    SetSpinType(spinType);
}

void TDgSpinEdit::UpClick(TObject*) {
    Step(1);
}

void TDgSpinEdit::DownClick(TObject*) {
    Step(-1);
}

void TDgSpinEdit::Step(int sign) {
    if (GetReadOnly()) {
        MessageBeep(0);
        return;
    }
    // A step is one edit to undo, as a key typed is.
    Undoable([&] {
        const std::string_view text = GetWindowText().view();
        switch (spinType) {
        case TDgSpinType::sptNormal:
            SetValue(StepWithinInt(GetValue(), static_cast<double>(sign) * Increment));
            break;
        case TDgSpinType::sptFloat:
            SetFloatValue(GetFloatValue() + sign * IncrementFloat);
            break;
        case TDgSpinType::sptDate: {
            const TDatePart part = DatePartOfField(FieldAtCaret(text, GetSelStart(), DateSeparator));
            SetDateValue(StepDate(GetDateValue(), part, sign));
            break;
        }
        case TDgSpinType::sptTime: {
            const auto part = static_cast<TTimePart>(FieldAtCaret(text, GetSelStart(), TimeSeparator));
            SetTimeValue(StepTime(GetTimeValue(), part, sign));
            break;
        }
        }
    });
}

void TDgSpinEdit::WMKeyDown(WORD& key, TShiftState shift) {
    if (IsMasked() && key == VK_DELETE && EditorEnabled) {
        // Delete blanks the mask's places.
        TCustomMaskEdit::WMKeyDown(key, shift);
        return;
    }
    // The key handler hears of the key first, as the native edit's key-down does.
    KeyDown(key, shift);
    switch (key) {
    case VK_UP:
        UpClick(this);
        key = 0;
        break;
    case VK_DOWN:
        DownClick(this);
        key = 0;
        break;
    case VK_RETURN:
        if (ReturnIsTab) {
            key = 0;
            PostKeyDown(VK_TAB);
        }
        break;
    case VK_DELETE:
        if (!EditorEnabled)
            key = 0;
        break;
    default:
        break;
    }
    if (key != 0)
        DefaultKeyDown(key, shift);
}

void TDgSpinEdit::WMChar(char& key, int keyData, TShiftState shift) {
    if (!IsValidChar(key)) {
        MessageBeep(0);
        return;
    }
    TCustomMaskEdit::WMChar(key, keyData, shift);
}

TSpinCharRule TDgSpinEdit::CharRule() const {
    static constexpr TSpinChars kinds[] = {TSpinChars::Integer, TSpinChars::Float, TSpinChars::Date,
                                           TSpinChars::Time};
    return {kinds[static_cast<int>(spinType)], precision, false, EditorEnabled,
            IsMasked() ? &Mask() : nullptr};
}

bool TDgSpinEdit::IsValidChar(char& Key) {
    return SpinTakesChar(CharRule(), {GetWindowText(), GetSelStart(), GetSelLength()}, Key);
}

void TDgSpinEdit::WMKillFocus() {
    TCustomMaskEdit::WMKillFocus();
    // A value out of its limits comes back to the nearest one; a text that does not read stays.
    const AnsiString text = SpinNumberText(*this);
    switch (spinType) {
    case TDgSpinType::sptNormal:
        if (int value = 0; TryStrToInt(text, value) && CheckValue(value) != value)
            SetValue(value);
        break;
    case TDgSpinType::sptFloat:
        if (double value = 0; TryStrToFloat(text, value) && CheckFloatValue(value) != value)
            SetFloatValue(value);
        break;
    case TDgSpinType::sptDate:
        if (TDateTime value = 0; ReadDateValue(value) && CheckDateValue(value) != value)
            SetDateValue(value);
        break;
    case TDgSpinType::sptTime:
        break;
    }
}

void TDgSpinEdit::WMPaste() {
    if (!EditorEnabled || GetReadOnly() || !Clipboard().HasText())
        return;
    // Taken as if typed, or refused whole, as the controls' spin takes it.
    const auto pasted =
        SpinPasted(CharRule(), {GetWindowText(), GetSelStart(), GetSelLength()}, Clipboard().GetAsText());
    if (!pasted || !EnterText(pasted->Text, pasted->SelStart))
        MessageBeep(0);
}

void TDgSpinEdit::WMCut() {
    if (EditorEnabled && !GetReadOnly())
        TCustomMaskEdit::WMCut();
}

void TDgSpinEdit::SetSpinFlat(bool value) {
    spinFlat = value;
    Button->SetFlat(value);
}

void TDgSpinEdit::SetSpinTransparent(bool value) {
    spinTransparent = value;
    Button->SetTransparent(value);
    PlaceButton();
}

void TDgSpinEdit::SetDirection(TSpinDirection value) {
    Button->SetDirection(value);
    PlaceButton();
}

void TDgSpinEdit::SetBounds(int left, int top, int width, int height) {
    TCustomMaskEdit::SetBounds(left, top, width, std::max(height, SpinEditMinHeight()));
}

void TDgSpinEdit::Resize() {
    TCustomMaskEdit::Resize();
    PlaceButton();
}

void TDgSpinEdit::PlaceButton() {
    const int inset = GetBorderStyle() == bsSingle ? 2 : 0;
    const int width = Button->Width();
    Button->SetBounds(Width() - width - inset, inset, width, Height() - 2 * inset);
    ViewChanged();
}

void TDgSpinEdit::UpdateView() {
    TCustomMaskEdit::UpdateView();
    static_cast<QLineEdit*>(View())->setTextMargins(0, 0, Button->Width(), 0);
    Button->SetEnabled(GetEnabled());
}
