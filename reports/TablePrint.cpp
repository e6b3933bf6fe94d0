// The results table's print buttons.
#include "reports/Printcontrol.h"
#include "reports/Table.h"

void TTableForm::PrintLayoutButtonClick(TObject*) {
    PrintSetupForm->ShowSettings(*DataGrid1->PrintSettings);
    PrintSetupForm->TitleEdit->SetText(Title());
    PrintSetupForm->ShowModal();
}

void TTableForm::PrintPreviewButtonClick(TObject*) {
    GridPreviewDialog1->Execute();
}
