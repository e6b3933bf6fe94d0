#include "app/Dataentry.h"
#include "app/Front.h"
#include "app/Visualedit.h"
#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "network/Sewermainform.h"
#include "network/Sewernetwork.h"
#include "reports/Costings.h"
#include "reports/Table.h"
#include "resources/StringTable.h"

#include <utility>

void TFrontForm::ReplaceNetwork(std::unique_ptr<SimpleSewerNetwork> replacement) {
    // The old network goes only once nothing points into it any more.
    const std::unique_ptr<SimpleSewerNetwork> old = std::exchange(ownedNetwork, std::move(replacement));
    network = ownedNetwork.get();
    if (VisualEditForm)
        VisualEditForm->NetworkReplaced();
    if (TableForm)
        TableForm->NetworkReplaced();
    if (CostingsForm)
        CostingsForm->NetworkReplaced();
}

void TFrontForm::ShowReadNetwork() {
    DataEntryForm->RefreshLists();
    TableForm->SettingsFromNetwork();
    DataEntryForm->TitleEdit->SetText(Network->Name);
}

int TFrontForm::ReadNetwork() {
    // The read goes on whatever became of the save.
    OfferToSave(LoadStr(3018), LoadStr(3017), MB_YESNO | MB_ICONEXCLAMATION);
    OpenDialog->FilterIndex = 1;
    if (!OpenDialog->Execute())
        return 1;
    // Read aside: a file that cannot be read leaves the network and its name as they were.
    auto read = std::make_unique<SimpleSewerNetwork>();
    if (read->ReadFromFile(OpenDialog->FileName) != 0)
        return 1;
    ReplaceNetwork(std::move(read));
    NetworkFileName = OpenDialog->FileName;
    ShowReadNetwork();
    // The calculator and the results table show nothing of the new network yet.
    if (CurrentChildForm == SewerMainForm || CurrentChildForm == TableForm)
        VisualEditor1Click(this);
    return 0;
}

bool TFrontForm::TakeNetwork(std::unique_ptr<SimpleSewerNetwork> taken) {
    if (!OfferToSave(LoadStr(3018), LoadStr(3017), MB_YESNO | MB_ICONEXCLAMATION))
        return false;
    ReplaceNetwork(std::move(taken));
    // It comes from no file: a save must not write over the file of the network it replaced.
    NetworkFileName = "";
    DataEntryForm->NetworkChanged = true;
    // The results table's settings stay as the user set them.
    DataEntryForm->RefreshLists();
    DataEntryForm->TitleEdit->SetText(Network->Name);
    VisualEditForm->CentreSpeedButtonClick(this);
    return true;
}

void TFrontForm::OpenCommandLineNetwork() {
    // A file that cannot be read leaves no network and no file name, so no save writes over it.
    auto read = std::make_unique<SimpleSewerNetwork>();
    if (read->ReadFromFile(CommandLineFile) != 0)
        return;
    ReplaceNetwork(std::move(read));
    NetworkFileName = CommandLineFile;
    ShowReadNetwork();
    Network->BuildConnections();
    VisualEditForm->CentreSpeedButtonClick(this);
}

void TFrontForm::ReadNetwork1Click(TObject*) {
    if (ReadNetwork() != 0)
        return;
    DataEntryForm->NetworkChanged = false;
    Network->BuildConnections();
    VisualEditForm->CentreSpeedButtonClick(this);
}

void TFrontForm::SaveNetwork1Click(TObject*) {
    if (!Network)
        return;
    if (NetworkFileName.IsEmpty()) {
        SaveAs();
        return;
    }
    if (WriteNetwork(NetworkFileName) == 0)
        DataEntryForm->NetworkChanged = false;
}

void TFrontForm::Save1Click(TObject*) {
    SaveAs();
}

bool TFrontForm::SaveAs() {
    SaveDialog->FileName = NetworkFileName;
    if (!SaveDialog->Execute() || !Network)
        return false;
    if (WriteNetwork(SaveDialog->FileName) != 0)
        return false;
    NetworkFileName = SaveDialog->FileName;
    DataEntryForm->NetworkChanged = false;
    return true;
}

int TFrontForm::WriteNetwork(const AnsiString& fileName) {
    Network->Name = DataEntryForm->TitleEdit->GetText();
    // The settings typed into the results window go into the file, as a design would take them.
    TableForm->EditedSettingsToNetwork();
    return Network->WriteToFile(fileName);
}

bool TFrontForm::OfferToSave(const AnsiString& text, const AnsiString& caption, int flags) {
    if (!DataEntryForm->NetworkChanged || Application->MessageBox(text, caption, flags) != IDYES)
        return true;
    return SaveAs() || !Network;
}

void TFrontForm::ClearNetwork1Click(TObject*) {
    if (!OfferToSave(LoadStr(3022), LoadStr(3023), MB_YESNO | MB_ICONQUESTION) || !Network)
        return;
    ReplaceNetwork(nullptr);
    // The cleared network came from no file: a save must not write over the one it replaced.
    NetworkFileName = "";
    // The fresh network's one sewer is no edit of the user's: the flag stays as it was.
    const bool changed = DataEntryForm->NetworkChanged;
    DataEntryForm->AddSewerButtonClick(this);
    DataEntryForm->NetworkChanged = changed;
    VisualEditForm->PaintBox->Refresh();
    VisualEditForm->CentreSpeedButtonClick(this);
    Network->BuildConnections();
}

void TFrontForm::FormCloseQuery(TObject*, bool& CanClose) {
    CanClose = false;
    if (!LeaveEditedBox())
        return;
    if (!OfferToSave(LoadStr(3014), LoadStr(3015), MB_YESNO | MB_ICONQUESTION))
        return;
    CanClose = Application->MessageBox(LoadStr(3016), LoadStr(3017), MB_YESNO | MB_ICONQUESTION) == IDYES;
}
