#include "framework/Dialogs.h"

#include "framework/Application.h"
#include "framework/Form.h"

#include <QMessageBox>

namespace {

class QtDialogResponder : public DialogResponder {
public:
    int MessageBox(const MessageRequest& request) override {
        QMessageBox box;
        box.setWindowTitle(QString::fromStdString(request.Caption.str()));
        box.setText(QString::fromStdString(request.Text.str()));
        switch (request.Flags & 0xF0) {
        case MB_ICONERROR:
            box.setIcon(QMessageBox::Critical);
            break;
        case MB_ICONQUESTION:
            box.setIcon(QMessageBox::Question);
            break;
        case MB_ICONEXCLAMATION:
            box.setIcon(QMessageBox::Warning);
            break;
        case MB_ICONINFORMATION:
            box.setIcon(QMessageBox::Information);
            break;
        default:
            break;
        }
        switch (request.Flags & 0x0F) {
        case MB_OKCANCEL:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MB_YESNOCANCEL:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
        case MB_YESNO:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        default:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        }
        switch (box.exec()) {
        case QMessageBox::Yes:
            return IDYES;
        case QMessageBox::No:
            return IDNO;
        case QMessageBox::Cancel:
            return IDCANCEL;
        default:
            return IDOK;
        }
    }

    int ShowModal(TForm& form) override { return form.RunModalLoop(); }
};

DialogResponder* installed = nullptr;

} // namespace

void SetDialogResponder(DialogResponder* responder) {
    installed = responder;
}

DialogResponder& CurrentDialogResponder() {
    static QtDialogResponder qtResponder;
    return installed ? *installed : qtResponder;
}

void ShowMessage(const AnsiString& text) {
    CurrentDialogResponder().MessageBox({text, Application->Title, MB_OK});
}
