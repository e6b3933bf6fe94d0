#pragma once

#include "framework/Button.h"
#include "framework/CheckListBox.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "framework/Panel.h"

// A small window beside the results table that lists its 26 columns, each with a check: the
// checked columns are the ones every update of the table shows. The checks last as long as the
// program.
class TTableColumnsEditorForm : public TForm {
public:
    // The results table window must exist: the list takes its column headers.
    explicit TTableColumnsEditorForm(TComponent* Owner);

    // Updates the results table, which then shows the checked columns.
    void Button2Click(TObject* Sender);
    void Button1Click(TObject* Sender);

    TPanel* Panel2;
    TLabel* Label1;
    TCheckListBox* TableColumnsCheckListBox;
    TPanel* Panel1;
    TButton* Button2;
    TButton* Button1;

private:
    // What a title bar takes beside its caption (icon, three buttons, margins), and a list item
    // beside its text (check box, scroll bar, margins).
    static constexpr int TitleBarAllowance = 140;
    static constexpr int ListItemAllowance = 48;

    void LoadCaptions();
    void FitToCaptions();
};

extern TTableColumnsEditorForm* TableColumnsEditorForm;
