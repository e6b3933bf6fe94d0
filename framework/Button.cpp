#include "framework/Button.h"

#include "framework/ControlView.h"
#include "framework/Form.h"

#include <QApplication>
#include <QPushButton>

TButton::TButton(TComponent* owner) : TWinControl(owner) {
    auto* view = new ControlView<QPushButton>(*this);
    QObject::connect(view, &QPushButton::clicked, view, [this] { CallFromView(*this, [this] { Click(); }); });
    SetView(view);
    SetBounds(0, 0, 75, 25);
    TabStop = true;
}

void TButton::SetCaption(const AnsiString& value) {
    caption = value;
    ViewChanged();
}

void TButton::Click() {
    TWinControl::Click();
    if (ModalResult == 0)
        return;
    for (TComponent* owner = Owner(); owner; owner = owner->Owner())
        if (auto* form = dynamic_cast<TForm*>(owner)) {
            form->SetModalResult(ModalResult);
            return;
        }
}

bool TButton::CMDialogKey(WORD key) {
    const QWidget* focused = QApplication::focusWidget();
    const bool active = Focused() || (Default && !qobject_cast<const QPushButton*>(focused));
    if ((key == VK_RETURN && active) || (key == VK_ESCAPE && Cancel)) {
        Click();
        return true;
    }
    return false;
}

void TButton::UpdateView() {
    TWinControl::UpdateView();
    auto* view = static_cast<QPushButton*>(View());
    view->setText(QString::fromStdString(caption.str()));
    view->setDefault(Default);
}
