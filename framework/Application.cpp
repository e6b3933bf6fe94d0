#include "framework/Application.h"

#include "framework/Dialogs.h"
#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "framework/VectorState.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>

#include <vector>

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

TApplication::~TApplication() {
    // Run frees the windows; any still here mean the program is ending through exit(), as Qt
    // does when the display goes away. Qt's own statics may be gone by now and freeing a window
    // would crash: the system takes them back. Kept reachable, so leak checkers see no leak.
    static auto* const leftAtExit = new std::vector<TComponent*>;
    *leftAtExit = ReleaseComponents();
}

void TApplication::Run() {
    QApplication::setQuitOnLastWindowClosed(false);
    if (mainForm && !terminated) {
        mainForm->Show();
        if (!terminated)
            QApplication::exec();
    }
    mainForm = nullptr;
    while (!Components().empty())
        delete Components().back();
    terminated = false;
}

void TApplication::Terminate() {
    terminated = true;
    // Not quit(): that asks every window to close first, and the main window's close is what
    // called this.
    QCoreApplication::exit(0);
}

void TApplication::SetHint(const AnsiString& value) {
    if (value == hint)
        return;
    hint = value;
    if (OnHint)
        OnHint(this);
}

AnsiString TApplication::HelpPage() const {
    return ExeDir() + QFileInfo(QString::fromStdString(HelpFile.str())).completeBaseName().toStdString() +
           ".html";
}

bool TApplication::HelpCommand(int command, int data) {
    const QString page = QString::fromStdString(HelpPage().str());
    // The desktop would start a browser on a missing page and tell nobody.
    if (!QFileInfo::exists(page))
        return false;
    if (command != HELP_CONTEXT)
        return CurrentDialogResponder().OpenDocument(page.toStdString());
    QUrl topic = QUrl::fromLocalFile(page);
    topic.setFragment(QString::number(data));
    return CurrentDialogResponder().OpenDocument(topic.toString().toStdString());
}

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
    if (!exeDir.IsEmpty())
        return exeDir;
    return (QCoreApplication::applicationDirPath() + "/").toStdString();
}

AnsiString GetShortHint(const AnsiString& hint) {
    const int bar = hint.Pos("|");
    return bar == 0 ? hint : hint.SubString(1, bar - 1);
}

AnsiString GetLongHint(const AnsiString& hint) {
    const int bar = hint.Pos("|");
    return bar == 0 ? hint : hint.SubString(bar + 1, hint.Length());
}

int ShellExecute(const AnsiString& verb, const AnsiString& file) {
    constexpr int NoAssociation = 31;
    constexpr int FileNotFound = 2;
    if (verb != "open")
        return NoAssociation;
    if (file.str().starts_with('/') && !QFileInfo::exists(QString::fromStdString(file.str())))
        return FileNotFound;
    return CurrentDialogResponder().OpenDocument(file) ? 33 : FileNotFound;
}

void CallGuarded(const std::function<void()>& handler) {
    ClearUpperVectorState();
    try {
        handler();
    } catch (const std::exception& error) {
        Application->HandleException(error);
    } catch (...) {
        Application->HandleException(Exception("Unknown exception"));
    }
}
