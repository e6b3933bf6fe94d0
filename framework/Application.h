#pragma once

#include "framework/AnsiString.h"

#include <exception>
#include <functional>

// The application object: title, help file, message boxes and the last word on exceptions.
class TApplication {
public:
    AnsiString Title = "Drenvala";
    AnsiString HelpFile;

    int MessageBox(const AnsiString& text, const AnsiString& caption, int flags);
    // Shows the message of an exception that escaped an event handler.
    void HandleException(const std::exception& error);
    // The same for an exception from painting: a box cannot open inside a paint, so it shows once
    // the paint is over, and a paint that keeps failing the same way shows it only once.
    void HandlePaintException(std::exception_ptr error);
    void ProcessMessages();
    // Folder of the running program, with a trailing '/'.
    AnsiString ExeDir() const;

private:
    bool paintErrorQueued = false;
    AnsiString lastPaintError;
};

extern TApplication* Application;

// Calls an event handler from a Qt event: no exception may cross Qt's dispatch, so one that
// escapes is shown through the application object.
void CallGuarded(const std::function<void()>& handler);
