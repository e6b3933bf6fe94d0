#include "framework/RadioButton.h"

#include "framework/ControlView.h"

#include <QRadioButton>

TRadioButton::TRadioButton(TComponent* owner) : TWinControl(owner) {
    auto* view = new ControlView<QRadioButton>(*this);
    // The buttons exclude each other here, by their parent, not by Qt's rule.
    view->setAutoExclusive(false);
    QObject::connect(view, &QRadioButton::clicked, view, [this](bool) {
        CallFromView(*this, [this] {
            SetChecked(true);
            ViewChanged();
        });
    });
    SetView(view);
    SetBounds(0, 0, 113, 17);
    TabStop = true;
}

void TRadioButton::SetCaption(const AnsiString& value) {
    caption = value;
    ViewChanged();
}

void TRadioButton::SetChecked(bool value) {
    if (checked == value)
        return;
    checked = value;
    ViewChanged();
    if (!checked)
        return;
    if (TWinControl* parent = Parent())
        for (int i = 0; i < parent->ControlCount(); ++i)
            if (auto* other = dynamic_cast<TRadioButton*>(parent->Controls(i)); other && other != this)
                other->SetChecked(false);
    if (!Loading())
        Click();
}

void TRadioButton::UpdateView() {
    TWinControl::UpdateView();
    auto* view = static_cast<QRadioButton*>(View());
    view->setText(QString::fromStdString(caption.str()));
    view->setChecked(checked);
}
