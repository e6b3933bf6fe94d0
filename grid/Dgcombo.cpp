#include "grid/Dgcombo.h"

#include <QApplication>
#include <QComboBox>
#include <QStyle>

TDGCustomCombo::TDGCustomCombo(TComponent* owner)
    : TComboBox(owner), buttonWidth(QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2) {
    SetColor(clWindow);
}

void TDGCustomCombo::SetButtonWidth(int value) {
    if (value < 14 || value > 32)
        return;
    buttonWidth = value;
    Invalidate();
}

void TDGCustomCombo::SetFlat(bool value) {
    if (flat == value)
        return;
    flat = value;
    ViewChanged();
}

void TDGCustomCombo::SetEtched(bool value) {
    if (etched == value)
        return;
    etched = value;
    Invalidate();
}

void TDGCustomCombo::SetDropWidth(int value) {
    dropWidth = value;
    SetDroppedWidth(value);
}

void TDGCustomCombo::SetEnabled(bool value) {
    // A disabled flat face shows the parent through; enabled again it has its own colour back.
    if (flat && value != GetEnabled()) {
        if (!value) {
            savedColor = GetColor();
            if (Parent())
                SetColor(Parent()->GetColor());
        } else {
            SetColor(savedColor);
        }
    }
    TComboBox::SetEnabled(value);
}

bool TDGCustomCombo::IsHot() const {
    return mouseIn || Focused();
}

void TDGCustomCombo::MouseEnter() {
    TComboBox::MouseEnter();
    if (!GetEnabled())
        return;
    mouseIn = true;
    ViewChanged();
    if (AutoFocus && CanFocus())
        SetFocus();
}

void TDGCustomCombo::MouseLeave() {
    TComboBox::MouseLeave();
    mouseIn = false;
    ViewChanged();
}

void TDGCustomCombo::UpdateView() {
    TComboBox::UpdateView();
    auto* view = static_cast<QComboBox*>(View());
    view->setFrame(!flat || (FocusBorder && IsHot()));
}
