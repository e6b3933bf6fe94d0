// The results table's print buttons.
#include "app/Dataentry.h"
#include "reports/Printcontrol.h"
#include "reports/Table.h"

void TTableForm::PrintLayoutButtonClick(TObject*) {
    PrintSetupForm->TitleEdit->SetText(DataEntryForm->TitleEdit->GetText());
    PrintSetupForm->ShowModal();
}

void TTableForm::PrintPreviewButtonClick(TObject*) {
    GridPreviewDialog1->Execute();
}
