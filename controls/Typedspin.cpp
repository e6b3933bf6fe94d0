#include "controls/Typedspin.h"

#include "framework/NumberFormat.h"

#include <QApplication>
#include <QLineEdit>
#include <QToolButton>

#include <algorithm>
#include <limits>

namespace {

constexpr int ButtonWidth = 15;

QToolButton* SpinButton(QWidget* edit, Qt::ArrowType arrow) {
    auto* button = new QToolButton(edit);
    button->setArrowType(arrow);
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::ArrowCursor);
    button->setAutoRepeat(true);
    button->setAutoRepeatDelay(400);
    button->setAutoRepeatInterval(100);
    return button;
}

// A typed value may stand at the end of the whole numbers, and a step from it stops there.
int Stepped(int value, int step) {
    const long long stepped = static_cast<long long>(value) + step;
    return static_cast<int>(
        std::clamp<long long>(stepped, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

bool IsControl(char key) {
    return static_cast<unsigned char>(key) < 32;
}

} // namespace

TTypedSpinEdit::TTypedSpinEdit(TComponent* owner) : TCustomEdit(owner) {
    upButton = SpinButton(View(), Qt::UpArrow);
    downButton = SpinButton(View(), Qt::DownArrow);
    QObject::connect(upButton, &QToolButton::clicked, upButton,
                     [this] { CallFromView(*this, [this] { UpClick(this); }); });
    QObject::connect(downButton, &QToolButton::clicked, downButton,
                     [this] { CallFromView(*this, [this] { DownClick(this); }); });
    SetWindowText("0");
}

void TTypedSpinEdit::SetSpinType(TTypedSpinType value) {
    spinType = value;
    if (Loading())
        return;
    if (spinType == sptFloat)
        SetFloatValue(GetFloatValue());
    else
        SetValue(GetValue());
}

int TTypedSpinEdit::GetValue() const {
    int value = MinValue;
    return TryStrToInt(GetWindowText(), value) ? value : MinValue;
}

void TTypedSpinEdit::SetValue(int value) {
    if (MinValue != MaxValue)
        value = std::clamp(value, MinValue, MaxValue);
    SetWindowText(IntToStr(value));
    if (!EditorEnabled)
        SelectAll();
}

double TTypedSpinEdit::GetFloatValue() const {
    double value = MinFloatValue;
    return TryStrToFloat(GetWindowText(), value) ? value : MinFloatValue;
}

void TTypedSpinEdit::SetFloatValue(double value) {
    if (MinFloatValue != MaxFloatValue)
        value = std::clamp(value, MinFloatValue, MaxFloatValue);
    SetWindowText(precision >= 1 ? FloatToStrF(value, ffFixed, 15, precision) : FloatToStr(value));
}

void TTypedSpinEdit::SetPrecision(int value) {
    precision = value;
    if (spinType == sptFloat && !Loading())
        SetFloatValue(GetFloatValue());
}

void TTypedSpinEdit::SetDirection(TSpinDirection value) {
    direction = value;
    ViewChanged();
}

void TTypedSpinEdit::SetSpinFlat(bool value) {
    spinFlat = value;
    ViewChanged();
}

void TTypedSpinEdit::UpClick(TObject*) {
    Step(1, false);
}

void TTypedSpinEdit::DownClick(TObject*) {
    Step(-1, false);
}

void TTypedSpinEdit::Step(int sign, bool page) {
    if (GetReadOnly()) {
        QApplication::beep();
        return;
    }
    const int start = GetSelStart();
    const int length = GetSelLength();
    if (spinType == sptFloat)
        SetFloatValue(GetFloatValue() + sign * (page ? IncrementFloatPage : IncrementFloat));
    else if (spinType == sptNormal)
        SetValue(Stepped(GetValue(), sign * (page ? IncrementPage : Increment)));
    SetSelStart(start);
    SetSelLength(length);
}

void TTypedSpinEdit::WMKeyDown(WORD& key, TShiftState shift) {
    switch (key) {
    case VK_UP:
        UpClick(this);
        key = 0;
        return;
    case VK_DOWN:
        DownClick(this);
        key = 0;
        return;
    case VK_PRIOR:
    case VK_NEXT:
        Step(key == VK_PRIOR ? 1 : -1, true);
        key = 0;
        return;
    case VK_RETURN:
        if (ReturnIsTab) {
            key = 0;
            PostKeyDown(VK_TAB);
            return;
        }
        break;
    case VK_DELETE:
        if (!EditorEnabled) {
            key = 0;
            return;
        }
        break;
    default:
        break;
    }
    TCustomEdit::WMKeyDown(key, shift);
}

void TTypedSpinEdit::WMChar(char& key, int keyData, TShiftState shift) {
    if (!IsValidChar(key)) {
        QApplication::beep();
        return;
    }
    TCustomEdit::WMChar(key, keyData, shift);
}

bool TTypedSpinEdit::IsValidChar(char& Key) {
    if (!EditorEnabled)
        return IsControl(Key) && Key != VK_BACK && Key != VK_RETURN;
    const bool allowed = Key == '+' || Key == '-' || (Key >= '0' && Key <= '9') || Key == DecimalSeparator ||
                         Key == ThousandSeparator || (IsControl(Key) && Key != VK_RETURN);
    if (!allowed)
        return false;
    if (spinType != sptFloat || Key == VK_BACK || Key == VK_RETURN || Key == VK_ESCAPE)
        return true;
    if (Key == ThousandSeparator)
        Key = DecimalSeparator;
    const std::string& text = GetWindowText().str();
    const std::size_t separator = text.find(DecimalSeparator);
    if (Key == DecimalSeparator)
        return separator == std::string::npos && precision > 0;
    // Room for no more decimals once Precision of them stand after the caret's separator.
    if (precision >= 1 && separator != std::string::npos && GetSelLength() == 0 &&
        static_cast<std::size_t>(GetSelStart()) > separator && !IsControl(Key))
        return text.size() - separator - 1 < static_cast<std::size_t>(precision);
    return true;
}

void TTypedSpinEdit::KeepInRange() {
    if (spinType == sptFloat) {
        const double value = GetFloatValue();
        if (MinFloatValue != MaxFloatValue && std::clamp(value, MinFloatValue, MaxFloatValue) != value)
            SetFloatValue(value);
    } else if (spinType == sptNormal) {
        const int value = GetValue();
        if (MinValue != MaxValue && std::clamp(value, MinValue, MaxValue) != value)
            SetValue(value);
    }
}

void TTypedSpinEdit::WMKillFocus() {
    TCustomEdit::WMKillFocus();
    KeepInRange();
}

void TTypedSpinEdit::WMPaste() {
    if (EditorEnabled && !GetReadOnly())
        TCustomEdit::WMPaste();
}

void TTypedSpinEdit::WMCut() {
    if (EditorEnabled && !GetReadOnly())
        TCustomEdit::WMCut();
}

void TTypedSpinEdit::Resize() {
    TCustomEdit::Resize();
    ViewChanged();
}

void TTypedSpinEdit::UpdateView() {
    TCustomEdit::UpdateView();
    auto* view = static_cast<QLineEdit*>(View());
    const bool vertical = direction == spVertical;
    const int width = vertical ? ButtonWidth : 2 * ButtonWidth;
    const int inset = GetBorderStyle() == bsSingle ? 2 : 0;
    const int height = Height() - 2 * inset;
    view->setTextMargins(0, 0, width, 0);
    const int left = Width() - width - inset;
    if (vertical) {
        upButton->setGeometry(left, inset, ButtonWidth, height / 2);
        downButton->setGeometry(left, inset + height / 2, ButtonWidth, height - height / 2);
    } else {
        downButton->setGeometry(left, inset, ButtonWidth, height);
        upButton->setGeometry(left + ButtonWidth, inset, ButtonWidth, height);
    }
    upButton->setArrowType(vertical ? Qt::UpArrow : Qt::RightArrow);
    downButton->setArrowType(vertical ? Qt::DownArrow : Qt::LeftArrow);
    for (QToolButton* button : {upButton, downButton}) {
        button->setAutoRaise(spinFlat);
        button->setEnabled(GetEnabled());
    }
}
