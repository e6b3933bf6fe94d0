#pragma once

#include "framework/Component.h"
#include "framework/Graphics.h"

enum TOpenOption : unsigned {
    ofReadOnly = 1u << 0,
    ofOverwritePrompt = 1u << 1,
    ofHideReadOnly = 1u << 2,
    ofNoChangeDir = 1u << 3,
    ofPathMustExist = 1u << 11,
    ofFileMustExist = 1u << 12,
    ofEnableSizing = 1u << 19
};

// A dialog that a person answers: Execute shows it and returns true when it was accepted.
class TCommonDialog : public TComponent {
public:
    using TComponent::TComponent;

    virtual bool Execute() = 0;
};

// The file dialogs. Execute asks through the dialog seam; on OK it returns true with FileName
// (and FilterIndex) as chosen. A name chosen without an extension gets DefaultExt, or when
// saving the extension the chosen filter names (SaveExtension).
class TOpenDialog : public TCommonDialog {
public:
    using TCommonDialog::TCommonDialog;

    bool Execute() override;

    AnsiString FileName;
    // "Text|*.x|Text|*.y;*.z"; FilterIndex counts the pairs from 1.
    AnsiString Filter;
    int FilterIndex = 1;
    AnsiString DefaultExt;
    AnsiString InitialDir;
    AnsiString Title;
    unsigned Options = ofHideReadOnly | ofEnableSizing;

protected:
    bool Ask(bool saving);
};

class TSaveDialog : public TOpenDialog {
public:
    using TOpenDialog::TOpenDialog;

    bool Execute() override;
};

// Chooses a font; on OK Font holds it.
class TFontDialog : public TCommonDialog {
public:
    using TCommonDialog::TCommonDialog;

    bool Execute() override;

    TFont Font;
};

// Chooses the printer and its settings, which the program's printer keeps.
class TPrinterSetupDialog : public TCommonDialog {
public:
    using TCommonDialog::TCommonDialog;

    bool Execute() override;
};
