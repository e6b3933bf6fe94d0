#include "reports/Table.h"

#include "network/WindowLayout.h"
#include "resources/StringTable.h"

TTableForm* TableForm = nullptr;

namespace {

constexpr int ColumnCount = 26;
// The settings stand in rows this far apart.
constexpr int RowStep = 24;

// A box of the settings, label on its left.
TTypedEdit* NewSetting(TTableForm* form, TLabel*& label, int labelLeft, int boxLeft, int row,
                       TTypedEditType type, std::int16_t precision, const AnsiString& text) {
    const int top = 8 + row * RowStep;
    label = NewLabel(form, form->Panel1, labelLeft, top + 3);
    TTypedEdit* box = NewTypedEdit(form, form->Panel1, boxLeft, top, type, precision, text);
    box->SetWidth(57);
    return box;
}

TCheckBox* NewLimit(TTableForm* form, int row) {
    auto* box = new TCheckBox(form);
    box->SetParent(form->Panel1);
    box->SetBounds(568, 10 + row * RowStep, 161, 17);
    box->SetChecked(true);
    return box;
}

// A choice of items in as many columns, captioned by LoadCaptions.
TRadioGroup* NewChoice(TTableForm* form, int left, int width, int items, int itemIndex) {
    auto* group = new TRadioGroup(form);
    group->SetParent(form->Panel1);
    group->SetBounds(left, 78, width, 51);
    group->SetColumns(items);
    for (int item = 0; item < items; ++item)
        group->Items.Add("");
    group->SetItemIndex(itemIndex);
    return group;
}

TButton* NewButton(TTableForm* form, int left) {
    auto* button = new TButton(form);
    button->SetParent(form->Panel2);
    button->SetBounds(left, 8, 121, 25);
    return button;
}

} // namespace

TTableForm::TTableForm(TComponent* Owner) : TForm(Owner) {
    SetBounds(0, 0, 866, 500);
    HelpContext = 70;

    Panel1 = NewAlignedPanel(this, this, alTop, 137);
    InitialLCDTypedEdit = NewSetting(this, InitialLCDLabel, 8, 232, 0, etNumeric, 0, "50");
    FinalLCDTypedEdit = NewSetting(this, FinalLCDLabel, 8, 232, 1, etNumeric, 0, "120");
    InitialPeopleTypedEdit = NewSetting(this, InitialPeopleLabel, 8, 232, 2, etNumeric, 0, "5");
    FinalPeopleTypedEdit = NewSetting(this, FinalPeopleLabel, 8, 232, 3, etNumeric, 0, "5");
    returnTypedEdit = NewSetting(this, returnLabel, 8, 232, 4, etNumeric, 0, "80");
    peakTypedEdit = NewSetting(this, peakLabel, 304, 496, 0, etFloat, 2, "2.40");
    vscTypedEdit = NewSetting(this, vscLabel, 304, 496, 1, etFloat, 2, "0.50");
    tauTypedEdit = NewSetting(this, tauLabel, 304, 496, 2, etFloat, 2, "1.00");
    nTypedEdit = NewSetting(this, nLabel, 304, 496, 3, etFloat, 4, "0.0130");
    MinDepthTypedEdit = NewSetting(this, MinDepthLabel, 304, 496, 4, etFloat, 2, "0.40");
    FlowLimitCheckBox = NewLimit(this, 0);
    MinQTypedEdit = NewTypedEdit(this, Panel1, 736, 8, etFloat, 2, "1.50");
    MinQTypedEdit->SetWidth(57);
    DiameterLimitCheckBox = NewLimit(this, 1);
    MinDTypedEdit = NewTypedEdit(this, Panel1, 736, 8 + RowStep, etNumeric, 0, "100");
    MinDTypedEdit->SetWidth(57);
    GroundSlopeCheckBox = NewLimit(this, 2);
    CalcTypeRadioGroup = NewChoice(this, 568, 105, 2, 1);
    FrictionFormulaRadioGroup = NewChoice(this, 680, 177, 3, 0);

    Panel2 = NewAlignedPanel(this, this, alBottom, 40);
    SaveToCSVButton = NewButton(this, 8);
    AppendToCSVButton = NewButton(this, 136);
    PrintLayoutButton = NewButton(this, 264);
    PrintPreviewButton = NewButton(this, 392);
    UpdateTableFromNetworkButton = NewButton(this, 520);
    // Printing comes with the grid's printing.
    PrintLayoutButton->SetEnabled(false);
    PrintPreviewButton->SetEnabled(false);
    for (TButton** batch : {&Button1, &CalcAllButton, &Button2, &Button7, &Button9}) {
        *batch = NewButton(this, 648);
        (*batch)->SetVisible(false);
    }

    DataGrid1 = new TDataGrid(this);
    DataGrid1->SetParent(this);
    DataGrid1->SetAlign(alClient);
    DataGrid1->SetColCount(ColumnCount);
    DataGrid1->SetRowCount(2);
    DataGrid1->SetFixedRows(1);
    DataGrid1->SetFixedCols(1);
    DataGrid1->SetDefaultRowHeight(16);
    DataGrid1->SetRowHeights(0, 48);
    DataGrid1->SetColWidths(3, 65);
    DataGrid1->Font.SetName("Tahoma");
    DataGrid1->Font.SetHeight(-11);
    DataGrid1->SetGridLineColor(clSilver);
    DataGrid1->SetWordWrap(true);
    DataGrid1->SetOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goColSizing);
    DataGrid1->SizeWithForm = true;
    TPrintSettings& print = *DataGrid1->PrintSettings;
    print.Borders = pbNoborder;
    print.Centered = true;
    print.Orientation = poPortrait;
    print.FitToPage = fpShrink;
    print.NoAutoSize = true;
    print.Font.SetName("Arial");
    print.Font.SetHeight(-11);

    SaveDialog1 = new TSaveDialog(this);
    SaveDialog1->DefaultExt = "csv";
    SaveDialog1->Filter = "CSV files (*.csv)|*.csv|All files (*.*)|*.*";
    SaveDialog1->Options = ofOverwritePrompt | ofHideReadOnly | ofEnableSizing;

    SaveToCSVButton->OnClick = [this](TObject* sender) { SaveToCSVButtonClick(sender); };
    AppendToCSVButton->OnClick = [this](TObject* sender) { AppendToCSVButtonClick(sender); };
    UpdateTableFromNetworkButton->OnClick = [this](TObject* sender) {
        UpdateTableFromNetworkButtonClick(sender);
    };
    EndLayout();
    DataGrid1->Delimiter = ',';
    LoadCaptions();
}

void TTableForm::LoadCaptions() {
    SetCaption(LoadStr(1200));
    int id = 1201;
    for (TLabel* label : {InitialLCDLabel, returnLabel, peakLabel, vscLabel, tauLabel, nLabel, FinalLCDLabel,
                          InitialPeopleLabel, MinDepthLabel, FinalPeopleLabel})
        label->SetCaption(LoadStr(id++));
    FlowLimitCheckBox->SetCaption(LoadStr(1212));
    DiameterLimitCheckBox->SetCaption(LoadStr(1213));
    GroundSlopeCheckBox->SetCaption(LoadStr(1214));
    id = 1215;
    for (TButton* button :
         {Button1, CalcAllButton, Button2, SaveToCSVButton, PrintLayoutButton, PrintPreviewButton, Button7,
          AppendToCSVButton, Button9, UpdateTableFromNetworkButton})
        button->SetCaption(LoadStr(id++));
    DataGrid1->Hint = LoadStr(1225);
    // The refilled groups keep the choices the layout gave them.
    const auto refill = [](TRadioGroup* group, int firstId, int lastId) {
        const int chosen = group->GetItemIndex();
        group->Items.Clear();
        for (int item = firstId; item <= lastId; ++item)
            group->Items.Add(LoadStr(item));
        group->SetItemIndex(chosen);
    };
    refill(FrictionFormulaRadioGroup, 1226, 1228);
    refill(CalcTypeRadioGroup, 1229, 1230);
    DataGrid1->ColumnHeaders.Clear();
    for (int header = 1231; header <= 1249; ++header)
        DataGrid1->ColumnHeaders.Add(LoadStr(header));
    for (const int header : {2250, 2252, 2253, 2254, 2255, 2256, 2257})
        DataGrid1->ColumnHeaders.Add(LoadStr(header));
}
