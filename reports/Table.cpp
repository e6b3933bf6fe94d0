#include "reports/Table.h"

#include "network/WindowLayout.h"

TTableForm* TableForm = nullptr;

TTableForm::TTableForm(TComponent* Owner) : TForm(Owner) {
    SetBounds(0, 0, 799, 500);
    HelpContext = 70;
    InitialLCDTypedEdit = NewTypedEdit(this, this, 224, 8, etNumeric, 0, "50");
    FinalLCDTypedEdit = NewTypedEdit(this, this, 224, 32, etNumeric, 0, "120");
    InitialPeopleTypedEdit = NewTypedEdit(this, this, 224, 56, etNumeric, 0, "5");
    FinalPeopleTypedEdit = NewTypedEdit(this, this, 224, 80, etNumeric, 0, "5");
    EndLayout();
}
