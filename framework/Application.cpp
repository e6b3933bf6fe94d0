#include "framework/Application.h"

#include "framework/Dialogs.h"
#include "framework/Exceptions.h"

#include <QCoreApplication>

namespace {
TApplication theApplication;
}

TApplication* Application = &theApplication;

int TApplication::MessageBox(const AnsiString& text, const AnsiString& caption, int flags) {
    return CurrentDialogResponder().MessageBox({text, caption, flags});
}

void TApplication::HandleException(const std::exception& error) {
    const auto* framework = dynamic_cast<const Exception*>(&error);
    MessageBox(framework ? framework->Message : AnsiString(error.what()), Title, MB_OK | MB_ICONERROR);
}

void TApplication::ProcessMessages() {
    QCoreApplication::processEvents();
}

AnsiString TApplication::ExeDir() const {
    return (QCoreApplication::applicationDirPath() + "/").toStdString();
}

void CallGuarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        Application->HandleException(error);
    }
}
