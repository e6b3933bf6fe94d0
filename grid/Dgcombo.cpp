#include "grid/Dgcombo.h"

#include "grid/Gridxpvs.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionComboBox>
#include <qdrawutil.h>

namespace {

// The edit field ends 4 pixels short of the button, inside the 3-pixel borders.
QRect EditField(const QRect& client, int buttonWidth) {
    return QRect(3, 3, client.width() - buttonWidth - 7, client.height() - 6);
}

// Lays a flat box out with its own button width, and draws it flat; a box that is not flat is
// the style's.
class TFlatComboStyle : public QProxyStyle {
public:
    explicit TFlatComboStyle(const TDGCustomCombo& combo) : combo(combo) {}

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override {
        if (control != CC_ComboBox || !combo.GetFlat())
            return QProxyStyle::subControlRect(control, option, part, widget);
        const QRect& client = option->rect;
        const int width = combo.Style == csSimple ? 0 : combo.GetButtonWidth();
        switch (part) {
        case SC_ComboBoxArrow:
            return QRect(client.width() - width, 0, width, client.height());
        case SC_ComboBoxEditField:
            return EditField(client, width);
        default:
            return client;
        }
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override {
        if (control != CC_ComboBox || !combo.GetFlat()) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            return;
        }
        combo.DrawFlat(*painter, option->rect, option->state.testAnyFlags(State_Sunken | State_On));
    }

private:
    const TDGCustomCombo& combo;
};

} // namespace

TDGCustomCombo::TDGCustomCombo(TComponent* owner)
    : TComboBox(owner), buttonWidth(QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2) {
    SetColor(clWindow);
    auto* style = new TFlatComboStyle(*this);
    style->setParent(View());
    View()->setStyle(style);
}

void TDGCustomCombo::SetButtonWidth(int value) {
    if (value < 14 || value > 32)
        return;
    buttonWidth = value;
    ViewChanged();
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
    if (flat && value != GetEnabled()) {
        if (!value) {
            savedColor = GetColor();
            savedParentColor = parentColor;
            SetParentColor(true);
        } else {
            SetColor(savedColor);
            SetParentColor(savedParentColor);
        }
    }
    TComboBox::SetEnabled(value);
}

void TDGCustomCombo::SetColor(TColor value) {
    parentColor = false;
    TComboBox::SetColor(value);
}

void TDGCustomCombo::SetParentColor(bool value) {
    parentColor = value;
    ParentColorChanged();
}

void TDGCustomCombo::ParentColorChanged() {
    if (parentColor && Parent())
        TComboBox::SetColor(Parent()->GetColor());
}

bool TDGCustomCombo::IsHot() const {
    return mouseIn || Focused();
}

bool TDGCustomCombo::Is3DBorderControl() const {
    return IsHot() && FocusBorder;
}

bool TDGCustomCombo::Is3DBorderButton() const {
    return IsHot();
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
    view->setFrame(!flat);
    if (QLineEdit* edit = view->lineEdit(); edit && flat) {
        // The box lays its edit field out again only when resized.
        edit->setGeometry(EditField(view->rect(), Style == csSimple ? 0 : buttonWidth));
        // The text lies on the face, enabled or not.
        QPalette palette = edit->palette();
        palette.setColor(QPalette::All, QPalette::Base, ToQColor(GetColor()));
        edit->setPalette(palette);
    }
    view->update();
}

void TDGCustomCombo::DrawFlat(QPainter& painter, const QRect& client, bool pressed) const {
    painter.fillRect(client, ToQColor(GetColor()));
    // A simple box has neither the button nor its border.
    if (Style != csSimple) {
        const QRect button(client.width() - buttonWidth + 1, 1, buttonWidth - 2, client.height() - 2);
        DrawThemedArrowButton(painter, button, taComboDrop, pressed, GetEnabled(), Themed, true);
    }
    DrawBorders(painter, client);
}

void TDGCustomCombo::DrawBorders(QPainter& painter, const QRect& client) const {
    DrawControlBorder(painter, client);
    if (Style != csSimple)
        DrawButtonBorder(painter, client);
}

void TDGCustomCombo::DrawControlBorder(QPainter& painter, const QRect& client) const {
    const QColor face = ToQColor(GetColor());
    if (Is3DBorderControl()) {
        const QPalette& palette = QApplication::palette();
        qDrawShadeRect(&painter, client, palette, true, 1, 0);
        qDrawPlainRect(&painter, client.adjusted(1, 1, -1, -1), ToQColor(clBtnFace));
    } else {
        const QColor parent = Parent() ? ToQColor(Parent()->GetColor()) : face;
        qDrawPlainRect(&painter, client, parent);
        qDrawPlainRect(&painter, client.adjusted(1, 1, -1, -1), parent);
    }
    qDrawPlainRect(&painter, client.adjusted(2, 2, -2, -2), face);
}

void TDGCustomCombo::DrawButtonBorder(QPainter& painter, const QRect& client) const {
    const int w = client.width();
    const int h = client.height();
    painter.save();
    // The button's own face inside stays as drawn.
    painter.setClipRegion(
        QRegion(client).subtracted(QRegion(w - buttonWidth + 4, 4, buttonWidth - 8, h - 8)));
    const QRect edge(w - buttonWidth, 2, buttonWidth - 2, h - 4);
    const QPalette& palette = QApplication::palette();
    if (Is3DBorderButton()) {
        if (GetDroppedDown())
            qDrawPlainRect(&painter, edge, palette.shadow().color());
        else if (etched)
            qDrawShadeRect(&painter, edge, palette, true, 1, 0);
        else
            qDrawWinPanel(&painter, edge, palette, false);
    } else {
        painter.fillRect(edge.adjusted(0, 1, -1, -1), ToQColor(clBtnFace));
    }
    painter.restore();
}
