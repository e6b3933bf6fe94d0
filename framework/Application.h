#pragma once

#include "framework/Component.h"

#include <exception>
#include <functional>
#include <new>

class TForm;

// Help commands of HelpCommand.
constexpr int HELP_CONTEXT = 1;
constexpr int HELP_FINDER = 11;

// The application object: it owns the program's windows, runs the message loop, keeps the title,
// the help file and the current hint, and has the last word on exceptions.
class TApplication : public TComponent {
public:
    TApplication() : TComponent(nullptr) {}
    ~TApplication() override;

    AnsiString Title = "Drenvala";
    // The Windows help file the program names; its contents are the HTML page of the same name
    // beside the program ("Drenvala.hlp": Drenvala.html), a help context its part of that number
    // (Drenvala.html#10).
    AnsiString HelpFile;
    TNotifyEvent OnHint;

    // Creates a window owned by the application. The reference is set before the window's
    // constructor runs, as the program's windows reach each other through such pointers while
    // they are built; the first window created is the main window.
    template <class T> void CreateForm(T*& reference) {
        void* memory = ::operator new(sizeof(T));
        reference = static_cast<T*>(memory);
        try {
            new (memory) T(this);
        } catch (...) {
            reference = nullptr;
            ::operator delete(memory);
            throw;
        }
        if (!mainForm)
            mainForm = reference;
    }
    TForm* MainForm() const { return mainForm; }
    // Shows the main window and handles events until it closes; then frees the windows.
    void Run();
    // Ends Run once the current event is handled.
    void Terminate();
    bool Terminated() const { return terminated; }
    void ProcessMessages();

    // The long part of the hint under the mouse; setting it raises OnHint.
    const AnsiString& GetHint() const { return hint; }
    void SetHint(const AnsiString& value);
    // HELP_FINDER opens the help's contents, HELP_CONTEXT the page of data: false when the page
    // is missing or the desktop could not open it.
    bool HelpCommand(int command, int data);
    // The HTML page that stands for HelpFile.
    AnsiString HelpPage() const;
    bool HelpContext(int context) { return HelpCommand(HELP_CONTEXT, context); }

    int MessageBox(const AnsiString& text, const AnsiString& caption, int flags);
    // Shows the message of an exception that escaped an event handler.
    void HandleException(const std::exception& error);
    // The same for an exception from painting: a box cannot open inside a paint, so it shows once
    // the paint is over, and a paint that keeps failing the same way shows it only once.
    void HandlePaintException(std::exception_ptr error);
    // Folder of the running program, with a trailing '/'. Tests may name another folder for it;
    // an empty name gives the program's own back.
    AnsiString ExeDir() const;
    void SetExeDir(const AnsiString& folder) { exeDir = folder; }

private:
    TForm* mainForm = nullptr;
    bool terminated = false;
    AnsiString hint;
    bool paintErrorQueued = false;
    AnsiString lastPaintError;
    AnsiString exeDir;
};

extern TApplication* Application;

// Calls an event handler from a Qt event: no exception may cross Qt's dispatch, so one that
// escapes is shown through the application object.
void CallGuarded(const std::function<void()>& handler);

// A hint's two parts: "short|long"; without a bar both are the whole hint.
AnsiString GetShortHint(const AnsiString& hint);
AnsiString GetLongHint(const AnsiString& hint);

// Opens file (a document or a web address) with the desktop's program for it; the verb is "open".
// Returns more than 32 on success, as the shell does, and 2 for a local file that does not exist.
int ShellExecute(const AnsiString& verb, const AnsiString& file);
