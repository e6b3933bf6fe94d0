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

// A multi-line text. A change of its lines, typed or from code, raises OnChange.
class TMemo : public TWinControl {
public:
    explicit TMemo(TComponent* owner);

    TStringList Lines;
    TBorderStyle BorderStyle = bsSingle;
    bool ReadOnly = false;
    TNotifyEvent OnChange;

    // The text the user left in the view.
    void ViewEdited(const AnsiString& text);

protected:
    void UpdateView() override;

private:
    // Set while the lines take the view's text, which the view then need not be given back.
    bool takingEdit = false;
};
