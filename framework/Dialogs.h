#pragma once

#include "framework/AnsiString.h"

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

class TForm;

// Everything a person answers goes through one responder: Qt dialogs in the program,
// a scripted one in tests.
class DialogResponder {
public:
    virtual ~DialogResponder() = default;
    // Returns IDOK, IDCANCEL, IDYES or IDNO.
    virtual int MessageBox(const MessageRequest& request) = 0;
    // Runs a modal window until it has a ModalResult, and returns it.
    virtual int ShowModal(TForm& form) = 0;
};

// Installs the responder every dialog goes through; null restores the Qt dialogs.
void SetDialogResponder(DialogResponder* responder);
DialogResponder& CurrentDialogResponder();

// A plain message with the application's title as caption.
void ShowMessage(const AnsiString& text);
