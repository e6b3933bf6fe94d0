#include "controls/Typedspin.h"

#include <QPainter>

#include <algorithm>

// Where the spin edit's buttons, text and label stand, and how it looks.

namespace {

// The text of a flat edit stands this far in from its sides, and from its top and bottom.
constexpr int FlatInsetX = 2;
constexpr int FlatInsetY = 4;

} // namespace

void TTypedSpinEdit::SetBounds(int left, int top, int width, int height) {
    TCustomMaskEdit::SetBounds(left, top, width, std::max(height, SpinEditMinHeight()));
    attached.Place();
}

void TTypedSpinEdit::SetParent(TWinControl* newParent) {
    TCustomMaskEdit::SetParent(newParent);
    attached.SetParent(newParent);
}

void TTypedSpinEdit::SetVisible(bool value) {
    TCustomMaskEdit::SetVisible(value);
    attached.SetVisible(value);
}

void TTypedSpinEdit::SetEnabled(bool value) {
    TCustomMaskEdit::SetEnabled(value);
    attached.SetEnabled(value);
}

void TTypedSpinEdit::SetDirection(TSpinDirection value) {
    button->SetDirection(value);
    PlaceButton();
}

void TTypedSpinEdit::SetSpinFlat(bool value) {
    spinFlat = value;
    button->SetFlat(value);
}

void TTypedSpinEdit::SetSpinTransparent(bool value) {
    spinTransparent = value;
    button->SetTransparent(value);
}

void TTypedSpinEdit::SetFlat(bool value) {
    flat = value;
    if (!Loading())
        ApplyFlat();
}

void TTypedSpinEdit::ApplyFlat() {
    SetBorderStyle(flat ? bsNone : bsSingle);
    PlaceButton();
}

void TTypedSpinEdit::SetFlatLineColor(TColor value) {
    flatLineColor = value;
    Invalidate();
}

void TTypedSpinEdit::SetTransparent(bool value) {
    transparent = value;
    SetClearBackground(value);
}

void TTypedSpinEdit::Resize() {
    TCustomMaskEdit::Resize();
    PlaceButton();
}

// The buttons sit inside the frame at the right edge; the text stops short of them.
void TTypedSpinEdit::PlaceButton() {
    const int inset = GetBorderStyle() == bsSingle ? 2 : 0;
    const int width = button->Width();
    button->SetBounds(Width() - width - inset, inset, width, Height() - 2 * inset);
    const int x = flat ? FlatInsetX : 0;
    const int y = flat ? FlatInsetY : 0;
    SetTextMargins(x, y, width + 2 + x, y);
}

void TTypedSpinEdit::Change() {
    TextChanged();
    TCustomMaskEdit::Change();
    if (transparent)
        Invalidate();
}

void TTypedSpinEdit::WMPaint(QPainter& painter) {
    TCustomMaskEdit::WMPaint(painter);
    if (!flat)
        return;
    painter.setPen(ToQColor(flatLineColor));
    const int bottom = Height() - 1;
    painter.drawLine(0, bottom, Width() - button->Width() - 2, bottom);
}
