#include "app/Dataentry.h"

#include "app/Front.h"
#include "framework/NumberFormat.h"
#include "network/Sewernetwork.h"
#include "resources/StringTable.h"

#include <memory>

TDataEntryForm* DataEntryForm = nullptr;

TDataEntryForm::TDataEntryForm(TComponent* Owner) : TForm(Owner) {
    SetBounds(0, 0, 780, 520);
    Label1 = new TLabel(this);
    Label1->SetParent(this);
    Label1->SetBounds(24, 12, 0, 0);
    TitleEdit = new TEdit(this);
    TitleEdit->SetParent(this);
    TitleEdit->SetBounds(56, 8, 281, 21);
    TitleEdit->OnChange = [this](TObject* sender) { TitleEditChange(sender); };
    EndLayout();
    LoadCaptions();
}

void TDataEntryForm::LoadCaptions() {
    SetCaption(LoadStr(1000));
    Label1->SetCaption(LoadStr(1001));
}

void TDataEntryForm::TitleEditChange(TObject*) {
    SimpleSewerNetwork* network = FrontForm->Network;
    // Filling the box from a network read gives it the network's own title: no change then.
    if (!network || network->Name == TitleEdit->GetText())
        return;
    network->Name = TitleEdit->GetText();
    NetworkChanged = true;
}

void TDataEntryForm::AddSewerButtonClick(TObject*) {
    if (!FrontForm->Network)
        FrontForm->ReplaceNetwork(std::make_unique<SimpleSewerNetwork>());
    SimpleSewerNetwork& network = *FrontForm->Network;
    int n = 0;
    while (network.SewerIndex("S" + IntToStr(n)) >= 0)
        ++n;
    network.AddSewer("S" + IntToStr(n), "J_up", "J_down", 10.0);
}
