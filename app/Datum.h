#pragma once

#include "controls/Typededit.h"
#include "framework/Button.h"
#include "framework/CheckBox.h"
#include "framework/Edit.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "controls/ShownNumber.h"

class Sewer;

// The modal dialog that makes a sewer's upstream junction the datum of its sub-network, with a
// level the user fixes or one the program works out from the ground level and minimum cover.
class TDatumForm : public TForm {
public:
    explicit TDatumForm(TComponent* Owner);

    // Shows the sewer's upstream-end datum; filling is not an edit, so the network's changed
    // flag stays as it was.
    void Fill(const Sewer& sewer);

    void SetDatumCheckBoxClick(TObject* Sender);
    void FixDatumCheckBoxClick(TObject* Sender);
    void DatumTypedEditChange(TObject* Sender);
    // Writes the dialog's choice into the sewer named in SewerNameEdit and closes; a level that
    // is not a number raises the conversion error and leaves the network and the dialog as they
    // were.
    void ApplyButtonClick(TObject* Sender);
    void CloseButtonClick(TObject* Sender);

    TLabel* Label1;
    TCheckBox* SetDatumCheckBox;
    TLabel* Label3;
    TEdit* SewerNameEdit;
    TLabel* Label4;
    TEdit* JunctionNameEdit;
    TLabel* Label2;
    TCheckBox* FixDatumCheckBox;
    TTypedEdit* DatumTypedEdit;
    TButton* ApplyButton;
    TButton* CloseButton;

private:
    void LoadCaptions();
    // A change the user made marks the network changed; one made by Fill does not.
    void UserChanged();

    bool filling = false;
    // What the level box was filled with.
    ShownNumber shownLevel;
};

extern TDatumForm* DatumForm;
