#include "framework/Form.h"

#include "framework/Dialogs.h"

#include <QWidget>

TForm::TForm(TComponent* owner) : TWinControl(owner) {
    ComponentState |= csLoading;
    SetView(new QWidget);
    SetBounds(0, 0, 320, 240);
    SetVisible(false);
}

void TForm::SetCaption(const AnsiString& value) {
    caption = value;
    ViewChanged();
}

void TForm::SetVisible(bool value) {
    TWinControl::SetVisible(value);
    if (!value) {
        View()->hide();
        return;
    }
    UpdateView();
    View()->show();
    if (ActiveControl)
        ActiveControl->SetFocus();
    if (OnShow)
        OnShow(this);
}

int TForm::ShowModal() {
    modalResult = mrNone;
    const int result = CurrentDialogResponder().ShowModal(*this);
    modalResult = result;
    return result;
}

void TForm::SetModalResult(int value) {
    modalResult = value;
}

void TForm::Close() {
    TCloseAction action = caHide;
    if (OnClose)
        OnClose(this, action);
    if (action == caNone)
        return;
    if (modalResult == mrNone)
        modalResult = mrCancel;
    Hide();
}

void TForm::UpdateView() {
    TWinControl::UpdateView();
    View()->setWindowTitle(QString::fromStdString(caption.str()));
    QPalette palette = View()->palette();
    palette.setColor(QPalette::Window, ToQColor(GetColor()));
    View()->setPalette(palette);
    View()->setAutoFillBackground(true);
}
