#include "app/Front.h"

#include "app/AboutUnit.h"
#include "app/Dataentry.h"
#include "app/Visualedit.h"
#include "controls/EditedBox.h"
#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/Clipboard.h"
#include "framework/Dialogs.h"
#include "network/Mingradientform.h"
#include "network/Sectionpropsform.h"
#include "network/Sewermainform.h"
#include "network/Sewernetwork.h"
#include "reports/Costings.h"
#include "reports/Table.h"
#include "reports/Tablecontrol.h"
#include "resources/StringTable.h"

void TFrontForm::FormCreate(TObject*) {
    // The splash stays on top while the main window shows, and goes after two seconds.
    if (AboutBox) {
        splash.reset(AboutBox);
        auto* timer = new TTimer(this);
        timer->SetInterval(2000);
        timer->OnTimer = [this, timer](TObject*) {
            timer->SetEnabled(false);
            splash.reset();
        };
    }
    Application->OnHint = [this](TObject* sender) { ShowHint(sender); };
}

void TFrontForm::ShowHint(TObject*) {
    if (StatusBar->GetSimplePanel())
        StatusBar->SetSimpleText(Application->GetHint());
    else
        StatusBar->Panels->Items(0)->SetText(Application->GetHint());
}

void TFrontForm::FormActivate(TObject*) {
    if (activated)
        return;
    activated = true;
    if (splash)
        splash->BringToFront();
    FormResize(this);
    VisualEditor1Click(this);
    if (!CommandLineFile.IsEmpty())
        OpenCommandLineNetwork();
}

void TFrontForm::ShowChildForm(TForm* form) {
    TForm* const covered = CurrentChildForm;
    CurrentChildForm = form;
    if (form->Parent() != FormPanel) {
        form->SetParent(FormPanel);
        form->OnClose = [this](TObject* sender, TCloseAction& action) { ChildFormClose(sender, action); };
    }
    FormResize(this);
    form->Show();
    form->BringToFront();
    // A covered window does no widget work while a network is designed through it.
    if (covered && covered != form)
        covered->Hide();
}

void TFrontForm::ChildFormClose(TObject*, TCloseAction& Action) {
    CurrentChildForm = nullptr;
    Action = caHide;
}

void TFrontForm::FormResize(TObject*) {
    if (CurrentChildForm)
        CurrentChildForm->SetBounds(0, 0, FormPanel->ClientWidth(), FormPanel->ClientHeight());
}

void TFrontForm::FormClose(TObject*, TCloseAction&) {
    if (CurrentChildForm)
        CurrentChildForm->Close();
}

bool TFrontForm::LeaveEditedBox() {
    return !CurrentChildForm || ::LeaveEditedBox(*CurrentChildForm);
}

void TFrontForm::ReadAppendMenuClick(TObject*) {
    ShowMessage(LoadStr(3024));
}

void TFrontForm::PrintSetup1Click(TObject*) {
    PrinterSetupDialog1->Execute();
}

void TFrontForm::Print1Click(TObject*) {
    ShowMessage(LoadStr(3024));
}

void TFrontForm::Printlayoutoftable1Click(TObject*) {
    TableForm->PrintLayoutButtonClick(this);
}

void TFrontForm::Printtable1Click(TObject*) {
    TableForm->DataGrid1->Print();
}

void TFrontForm::PrintForm1Click(TObject*) {
    if (CurrentChildForm)
        CurrentChildForm->Print();
}

void TFrontForm::SaveformtoClipboard1Click(TObject*) {
    if (CurrentChildForm)
        Clipboard().Assign(*CurrentChildForm->GetFormImage());
}

void TFrontForm::Exit1Click(TObject*) {
    Close();
}

void TFrontForm::DataEntryForm1Click(TObject*) {
    ShowChildForm(DataEntryForm);
    if (Network)
        DataEntryForm->RefreshLists();
}

void TFrontForm::SaveresultstableasCSV1Click(TObject*) {
    TableForm->SaveToCSVButtonClick(this);
}

void TFrontForm::ResultsTable1Click(TObject*) {
    if (!Network) {
        Application->MessageBox(LoadStr(3019), LoadStr(3020), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (Network->CheckNetwork() != 0) {
        Application->MessageBox(LoadStr(3021), LoadStr(3001), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    ShowChildForm(TableForm);
    TableForm->UpdateTableFromNetworkButtonClick(this);
}

void TFrontForm::CostingButtonClick(TObject*) {
    // Read once: a matrix the user loaded, and the costs edited in it, stay.
    if (!CostingsForm->MatrixLoaded())
        CostingsForm->LoadDefaultCostingRates();
    ShowChildForm(CostingsForm);
}

void TFrontForm::SelectColumnstoview1Click(TObject*) {
    TableColumnsEditorForm->Show();
}

void TFrontForm::Calculationform1Click(TObject*) {
    // The sewer of the results table's current row; its header row, 0, gives the first.
    const int row = TableForm->DataGrid1->GetRow();
    const std::size_t index = row >= 1 ? row - 1 : 0;
    // Links left stale by editing would give the sewer wrong flows from upstream.
    if (Network && index < Network->Sewers.size()) {
        Network->BuildConnections();
        Network->DesignSewer(Network->Sewers[index]);
    }
    ShowChildForm(SewerMainForm);
}

void TFrontForm::VisualEditor1Click(TObject*) {
    if (Network) {
        VisualEditForm->PaintBox->Refresh();
        Network->BuildConnections();
    }
    ShowChildForm(VisualEditForm);
}

void TFrontForm::Removehighlights1Click(TObject*) {
    VisualEditForm->ClearSelection();
}

void TFrontForm::DeleteUnusedJunctionsMenuClick(TObject*) {
    DeleteUnusedJunctionsMenu->SetChecked(!DeleteUnusedJunctionsMenu->GetChecked());
}

void TFrontForm::SectionPropsMenuItemClick(TObject*) {
    SectionPropsForm->ShowModal();
}

void TFrontForm::MinimumGradientCalc1Click(TObject*) {
    MinimumGradientForm->CalculateHouses();
    MinimumGradientForm->ShowModal();
}

void TFrontForm::Contents1Click(TObject*) {
    if (!Application->HelpCommand(HELP_FINDER, 0))
        PageNotOpened(Application->HelpPage());
}

void TFrontForm::Webpage1Click(TObject*) {
    const AnsiString page = Application->ExeDir() + HomePage;
    if (ShellExecute("open", page) <= 32)
        PageNotOpened(page);
}

void TFrontForm::PageNotOpened(const AnsiString& page) {
    Application->MessageBox("Could not open " + page + ".", LoadStr(3001), MB_OK | MB_ICONEXCLAMATION);
}

void TFrontForm::About1Click(TObject*) {
    AboutBox->ShowModal();
}
