#include "reports/Tablecontrol.h"

#include "network/WindowLayout.h"
#include "reports/Table.h"
#include "resources/StringTable.h"

#include <QFontMetrics>

#include <algorithm>

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
    FitToCaptions();
    for (int i = 0; i < TableColumnsCheckListBox->Items.Count(); ++i)
        TableColumnsCheckListBox->SetChecked(i, true);
}

// Widens the window, never narrows it, so that the title bar shows the whole caption beside the
// window manager's icon and buttons, and the list its longest column name beside the check box
// and scroll bar; the buttons and the note follow the width.
void TTableColumnsEditorForm::FitToCaptions() {
    QFont titleFont = Font.ToQFont();
    titleFont.setBold(true);
    int width = QFontMetrics(titleFont).horizontalAdvance(QString::fromStdString(GetCaption().str())) +
                TitleBarAllowance;
    const QFontMetrics itemMetrics(TableColumnsCheckListBox->Font.ToQFont());
    for (int i = 0; i < TableColumnsCheckListBox->Items.Count(); ++i)
        width = std::max(width, itemMetrics.horizontalAdvance(
                                    QString::fromStdString(TableColumnsCheckListBox->Items.Get(i).str())) +
                                    ListItemAllowance);
    const int wider = width - Width();
    if (wider <= 0)
        return;
    SetBounds(Left(), Top(), width, Height());
    Label1->SetBounds(Label1->Left(), Label1->Top(), Label1->Width() + wider, Label1->Height());
    Button1->SetBounds(Button1->Left() + wider, Button1->Top(), Button1->Width(), Button1->Height());
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
