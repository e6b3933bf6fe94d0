#pragma once

#include "framework/AnsiString.h"

#include <memory>

// Message box flags and answers, with the values the program's messages are written with.
constexpr int MB_OK = 0x00;
constexpr int MB_OKCANCEL = 0x01;
constexpr int MB_YESNOCANCEL = 0x03;
constexpr int MB_YESNO = 0x04;
constexpr int MB_ICONERROR = 0x10;
constexpr int MB_ICONQUESTION = 0x20;
constexpr int MB_ICONEXCLAMATION = 0x30;
constexpr int MB_ICONINFORMATION = 0x40;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

struct MessageRequest {
    AnsiString Text;
    AnsiString Caption;
    int Flags = MB_OK;
};

// What a file dialog asks, and on an answer the file chosen. Filter is "Text|*.x|Text|*.y;*.z";
// FilterIndex counts its pairs from 1.
struct FileRequest {
    bool Saving = false;
    AnsiString Title;
    AnsiString FileName;
    AnsiString Filter;
    int FilterIndex = 1;
    AnsiString InitialDir;
    bool OverwritePrompt = false;
    // Given to a name saved without an extension where the chosen filter names none.
    AnsiString DefaultExt;
};

// The extension a name saved without one gets: the first one the filter's filterIndex-th entry
// names ("*.csv" gives "csv"), else defaultExt (for "*.*" or "*.?mf").
AnsiString SaveExtension(const AnsiString& filter, int filterIndex, const AnsiString& defaultExt);

class QMimeData;
class QObject;
class QPixmap;
class TForm;
class TFont;
class TPopupMenu;

// Everything a person answers goes through one responder: Qt dialogs in the program,
// a scripted one in tests.
class DialogResponder {
public:
    virtual ~DialogResponder() = default;
    // Returns IDOK, IDCANCEL, IDYES or IDNO.
    virtual int MessageBox(const MessageRequest& request) = 0;
    // Runs a modal window until it has a ModalResult, and returns it.
    virtual int ShowModal(TForm& form) = 0;
    // A file to open or save: true with FileName and FilterIndex set, false when cancelled.
    virtual bool ChooseFile(FileRequest&) { return false; }
    // A font: true with font changed, false when cancelled.
    virtual bool ChooseFont(TFont&) { return false; }
    // The printer and its settings: true when accepted.
    virtual bool SetUpPrinter() { return false; }
    // Opens a file or web address with what the desktop has for it; true when it could.
    virtual bool OpenDocument(const AnsiString&) { return false; }
    // Shows a pop-up menu with its top-left corner at (x, y) on the screen until the user runs
    // one of its items or leaves it.
    virtual void TrackPopupMenu(TPopupMenu&, int, int) {}
    // Runs a drag of data from source, offering the allowed effects (DROPEFFECT_COPY and
    // DROPEFFECT_MOVE), with label (unless null) following the pointer by its bottom-left corner;
    // returns the effect of the drop, DROPEFFECT_NONE when it was given up.
    virtual int DoDragDrop(QObject& source, std::unique_ptr<QMimeData> data, int allowedEffects,
                           const QPixmap& label);
};

// Installs the responder every dialog goes through; null restores the Qt dialogs.
void SetDialogResponder(DialogResponder* responder);
DialogResponder& CurrentDialogResponder();

// A plain message with the application's title as caption.
void ShowMessage(const AnsiString& text);
