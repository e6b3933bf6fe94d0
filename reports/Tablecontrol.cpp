#include "reports/Tablecontrol.h"

#include "network/WindowLayout.h"
#include "reports/Table.h"
#include "resources/StringTable.h"

TTableColumnsEditorForm* TableColumnsEditorForm = nullptr;

namespace {

TButton* NewButton(TTableColumnsEditorForm* form, int left) {
    auto* button = new TButton(form);
    button->SetParent(form->Panel1);
    button->SetBounds(left, 4, 73, 25);
    return button;
}

} // namespace

TTableColumnsEditorForm::TTableColumnsEditorForm(TComponent* Owner) : TForm(Owner) {
    SetBorderStyle(bsToolWindow);
    SetFormStyle(fsStayOnTop);
    SetBounds(205, 105, 222, 351);

    Panel2 = NewAlignedPanel(this, this, alTop, 49);
    Label1 = new TLabel(this);
    Label1->SetParent(Panel2);
    Label1->SetAutoSize(false);
    Label1->SetBounds(8, 4, 206, 41);
    Label1->SetAlignment(taCenter);
    Label1->SetLayout(tlCenter);
    Label1->SetWordWrap(true);
    Label1->Font.SetStyle(fsBold);

    TableColumnsCheckListBox = new TCheckListBox(this);
    TableColumnsCheckListBox->SetParent(this);
    TableColumnsCheckListBox->SetAlign(alClient);
    TableColumnsCheckListBox->ItemHeight = 13;

    Panel1 = NewAlignedPanel(this, this, alBottom, 33);
    Button2 = NewButton(this, 8);
    Button1 = NewButton(this, 141);

    Button2->OnClick = [this](TObject* sender) { Button2Click(sender); };
    Button1->OnClick = [this](TObject* sender) { Button1Click(sender); };
    EndLayout();
    LoadCaptions();
    for (int i = 0; i < TableColumnsCheckListBox->Items.Count(); ++i)
        TableColumnsCheckListBox->SetChecked(i, true);
}

void TTableColumnsEditorForm::LoadCaptions() {
    SetCaption(LoadStr(1550));
    Button1->SetCaption(LoadStr(1551));
    Button2->SetCaption(LoadStr(1552));
    Label1->SetCaption(LoadStr(1553));
    TableColumnsCheckListBox->Items.Assign(TableForm->DataGrid1->ColumnHeaders);
}

void TTableColumnsEditorForm::Button2Click(TObject*) {
    TableForm->UpdateTableFromNetworkButtonClick(this);
}

void TTableColumnsEditorForm::Button1Click(TObject*) {
    Close();
}
