#pragma once

#include "framework/CustomEdit.h"
#include "framework/StringList.h"

// A plain single-line edit.
class TEdit : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;

    AnsiString GetText() const { return GetWindowText(); }
    void SetText(const AnsiString& value) { SetWindowText(value); }
};

// A multi-line text; the program only shows fixed lines in it.
class TMemo : public TWinControl {
public:
    explicit TMemo(TComponent* owner);

    TStringList Lines;
    TBorderStyle BorderStyle = bsSingle;
    bool ReadOnly = false;

protected:
    void UpdateView() override;
};
