#include "controls/AttachedLabel.h"

#include "framework/Label.h"

#include <QFontMetrics>

TAttachedLabel::TAttachedLabel(TWinControl& box) : box(box) {
    font.OnChange = [this](TObject*) { Place(); };
}

AnsiString TAttachedLabel::GetCaption() const {
    return label ? label->GetCaption() : AnsiString();
}

void TAttachedLabel::SetCaption(const AnsiString& value) {
    if (!label) {
        label = new TLabel(&box);
        label->SetParent(box.Parent());
        label->FocusControl = &box;
        label->SetVisible(box.GetVisible());
        label->SetEnabled(box.GetEnabled());
    }
    label->SetCaption(value);
    Place();
}

void TAttachedLabel::SetPosition(TLabelPosition value) {
    position = value;
    Place();
}

void TAttachedLabel::SetMargin(int value) {
    margin = value;
    Place();
}

void TAttachedLabel::SetTransparent(bool value) {
    transparent = value;
    Place();
}

void TAttachedLabel::SetParent(TWinControl* parent) {
    if (label)
        label->SetParent(parent);
}

void TAttachedLabel::SetVisible(bool value) {
    if (label)
        label->SetVisible(value);
}

void TAttachedLabel::SetEnabled(bool value) {
    if (label)
        label->SetEnabled(value);
}

void TAttachedLabel::SetBold(bool value) {
    bold = value;
    Place();
}

void TAttachedLabel::Place() {
    if (!label)
        return;
    if (MaskEditRules && (position == lpTopCenter || position == lpBottomCenter))
        return;
    label->Font.Assign(MaskEditRules ? box.Font : font);
    if (bold)
        label->Font.SetStyle(label->Font.Style | fsBold);
    if (!MaskEditRules)
        label->SetTransparent(transparent);
    // The label is its caption's size, measured here so that it need not have sized itself yet.
    const QFontMetrics metrics(label->Font.ToQFont());
    const int lw = metrics.horizontalAdvance(QString::fromStdString(label->GetCaption().str()).remove('&'));
    const int lh = metrics.height();
    const int l = box.Left(), t = box.Top(), w = box.Width(), h = box.Height(), m = margin;
    // Signed halves: a label taller or wider than the box stands partly above or left of it.
    const int middleTop = t + (h - lh) / 2;
    const int middleLeft = l + (w - lw) / 2;
    struct Spot {
        int top, left;
    };
    const Spot spots[] = {
        {t, l - lw - m},         {middleTop, l - lw - m}, {t + h - lh, l - lw - m},
        {t - lh - m, l},         {t + h + m, l},          {t, l - m},
        {middleTop, l - m},      {t + h - lh, l - m},     {t - lh - m, middleLeft},
        {t + h + m, middleLeft},
    };
    const Spot& spot = spots[position];
    label->SetBounds(spot.left, spot.top, lw, lh);
}
