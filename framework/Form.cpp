#include "framework/Form.h"

#include "framework/ControlView.h"
#include "framework/Dialogs.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QWidget>

namespace {

// Closing the window from its title bar asks the form, as Close does.
class FormView : public ControlView<QWidget> {
public:
    explicit FormView(TForm& form) : ControlView<QWidget>(form), form(form) {}

protected:
    void closeEvent(QCloseEvent* event) override {
        bool mayClose = true;
        CallFromView(form, [&] { mayClose = form.CloseQuery(); });
        if (!mayClose)
            event->ignore();
    }

private:
    TForm& form;
};

} // namespace

TForm::TForm(TComponent* owner) : TWinControl(owner) {
    ComponentState |= csLoading;
    SetView(new FormView(*this));
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
    if (modalLoop && value != mrNone)
        modalLoop->quit();
}

void TForm::Close() {
    if (CloseQuery())
        Hide();
}

bool TForm::CloseQuery() {
    TCloseAction action = caHide;
    if (OnClose)
        OnClose(this, action);
    if (action == caNone)
        return false;
    SetModalResult(modalResult == mrNone ? static_cast<int>(mrCancel) : modalResult);
    return true;
}

int TForm::RunModalLoop() {
    View()->setWindowModality(Qt::ApplicationModal);
    Show();
    if (modalResult == mrNone) {
        QEventLoop loop;
        modalLoop = &loop;
        loop.exec();
        modalLoop = nullptr;
    }
    Hide();
    return modalResult != mrNone ? modalResult : static_cast<int>(mrCancel);
}

void TForm::UpdateView() {
    TWinControl::UpdateView();
    View()->setWindowTitle(QString::fromStdString(caption.str()));
    QPalette palette = View()->palette();
    palette.setColor(QPalette::Window, ToQColor(GetColor()));
    View()->setPalette(palette);
    View()->setAutoFillBackground(true);
}
