#include "framework/Application.h"

#include "framework/Dialogs.h"
#include "framework/Exceptions.h"

#include <QCoreApplication>
#include <QTimer>

namespace {

TApplication theApplication;

// What an escaped exception says to the user.
AnsiString MessageOf(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const Exception& framework) {
        return framework.Message;
    } catch (const std::exception& other) {
        return other.what();
    } catch (...) {
        return "Unknown exception";
    }
}

} // namespace

TApplication* Application = &theApplication;

int TApplication::MessageBox(const AnsiString& text, const AnsiString& caption, int flags) {
    return CurrentDialogResponder().MessageBox({text, caption, flags});
}

void TApplication::HandleException(const std::exception& error) {
    const auto* framework = dynamic_cast<const Exception*>(&error);
    MessageBox(framework ? framework->Message : AnsiString(error.what()), Title, MB_OK | MB_ICONERROR);
}

void TApplication::HandlePaintException(std::exception_ptr error) {
    const AnsiString message = MessageOf(error);
    if (paintErrorQueued || message == lastPaintError)
        return;
    paintErrorQueued = true;
    lastPaintError = message;
    QTimer::singleShot(0, [this, message] {
        MessageBox(message, Title, MB_OK | MB_ICONERROR);
        paintErrorQueued = false;
    });
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
    } catch (...) {
        Application->HandleException(Exception("Unknown exception"));
    }
}
