#include "framework/CheckBox.h"

#include "framework/ControlView.h"

#include <QCheckBox>

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
    auto* view = new ControlView<QCheckBox>(*this);
    QObject::connect(view, &QCheckBox::clicked, view,
                     [this](bool state) { CallFromView(*this, [this, state] { SetChecked(state); }); });
    SetView(view);
    SetBounds(0, 0, 97, 17);
    TabStop = true;
}

void TCheckBox::SetCaption(const AnsiString& value) {
    caption = value;
    ViewChanged();
}

void TCheckBox::SetChecked(bool value) {
    if (checked == value)
        return;
    checked = value;
    ViewChanged();
    if (!Loading())
        Click();
}

void TCheckBox::ViewMouseUp(TMouseButton button, TShiftState shift, int x, int y, bool& passOn) {
    auto* view = static_cast<QCheckBox*>(View());
    if (button == mbLeft && view->isDown() && ClientRect().Contains(Point(x, y))) {
        passOn = false;
        view->setDown(false);
        SetChecked(!checked);
    }
    TWinControl::ViewMouseUp(button, shift, x, y, passOn);
}

void TCheckBox::SetAlignment(TAlignment value) {
    alignment = value;
    ViewChanged();
}

void TCheckBox::UpdateView() {
    TWinControl::UpdateView();
    auto* view = static_cast<QCheckBox*>(View());
    view->setText(QString::fromStdString(caption.str()));
    view->setChecked(checked);
    view->setLayoutDirection(alignment == taLeftJustify ? Qt::RightToLeft : Qt::LeftToRight);
}
