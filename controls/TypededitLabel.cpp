#include "controls/Typededit.h"

#include "framework/Label.h"

#include <QFontMetrics>

// The caption label attached to the typed edit box.

AnsiString TTypedEdit::GetLabelCaption() const {
    return label ? label->GetCaption() : AnsiString();
}

void TTypedEdit::SetLabelCaption(const AnsiString& value) {
    if (!label) {
        label = new TLabel(this);
        label->SetParent(Parent());
        label->FocusControl = this;
        label->SetVisible(GetVisible());
        label->SetEnabled(GetEnabled());
    }
    label->SetCaption(value);
    UpdateLabel();
}

void TTypedEdit::SetLabelPosition(TLabelPosition value) {
    labelPosition = value;
    UpdateLabel();
}

void TTypedEdit::SetLabelMargin(int value) {
    labelMargin = value;
    UpdateLabel();
}

void TTypedEdit::SetBounds(int left, int top, int width, int height) {
    TCustomEdit::SetBounds(left, top, width, height);
    UpdateLabel();
}

void TTypedEdit::SetParent(TWinControl* newParent) {
    TCustomEdit::SetParent(newParent);
    if (label)
        label->SetParent(newParent);
}

void TTypedEdit::SetVisible(bool value) {
    TCustomEdit::SetVisible(value);
    if (label)
        label->SetVisible(value);
}

void TTypedEdit::UpdateLabel() {
    if (!label)
        return;
    // The label is its caption's size, measured here so that it need not have sized itself yet.
    const QFontMetrics metrics(label->Font.ToQFont());
    const int lw = metrics.horizontalAdvance(QString::fromStdString(label->GetCaption().str()).remove('&'));
    const int lh = metrics.height();
    const int l = Left(), t = Top(), w = Width(), h = Height(), m = labelMargin;
    // Signed halves: a label taller or wider than the box stands partly above or left of it.
    const int middleTop = t + (h - lh) / 2;
    const int middleLeft = l + (w - lw) / 2;
    struct Place {
        int top, left;
    };
    const Place places[] = {
        {t, l - lw - m},         {middleTop, l - lw - m}, {t + h - lh, l - lw - m},
        {t - lh - m, l},         {t + h + m, l},          {t, l - m},
        {middleTop, l - m},      {t + h - lh, l - m},     {t - lh - m, middleLeft},
        {t + h + m, middleLeft},
    };
    const Place& place = places[labelPosition];
    label->SetBounds(place.left, place.top, lw, lh);
}
