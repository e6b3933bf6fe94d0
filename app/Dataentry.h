#pragma once

#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/Label.h"

// The tabular network editor, docked in the main window. It holds the network's title box and
// the program's one record of unsaved edits.
class TDataEntryForm : public TForm {
public:
    explicit TDataEntryForm(TComponent* Owner);

    // Puts the typed title into the network, which then has an unsaved change.
    void TitleEditChange(TObject* Sender);
    // Adds a sewer "S<n>" (the first free n) from "J_up" to "J_down", 10 m long, making a network
    // first if there is none.
    void AddSewerButtonClick(TObject* Sender);

    TLabel* Label1;
    TEdit* TitleEdit;

    // The network has edits that were not saved: set by the editors, cleared by reads and saves.
    bool NetworkChanged = false;

private:
    void LoadCaptions();
};

extern TDataEntryForm* DataEntryForm;
