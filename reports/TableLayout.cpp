#include "reports/Table.h"

#include "controls/EditedBox.h"
#include "network/WindowLayout.h"
#include "resources/StringTable.h"

#include <initializer_list>

TTableForm* TableForm = nullptr;

namespace {

// The settings stand in four rows, this far apart, above a row of the two choices.
constexpr int RowStep = 22;
constexpr int ChoiceTop = 96;
// Where the settings' three columns begin, and their boxes.
constexpr int FlowsLeft = 8;
constexpr int FlowBoxesLeft = 254;
constexpr int CriteriaLeft = 312;
constexpr int CriterionBoxesLeft = 528;
constexpr int LimitsLeft = 592;
constexpr int LimitBoxesLeft = 758;
constexpr int BoxWidth = 52;

int RowTop(int row) {
    return 6 + row * RowStep;
}

// A box of the settings with its label on its left; a row below the four stands with the choices.
TTypedEdit* NewSetting(TTableForm* form, TLabel*& label, int labelLeft, int boxLeft, int row,
                       TTypedEditType type, std::int16_t precision, const AnsiString& text) {
    const int top = row < 4 ? RowTop(row) : ChoiceTop + 10;
    label = NewLabel(form, form->Panel1, labelLeft, top + 3);
    TTypedEdit* box = NewTypedEdit(form, form->Panel1, boxLeft, top, type, precision, text);
    box->SetWidth(BoxWidth);
    return box;
}

// A limit's check box, checked, with the limit's box (when it has one) on its right.
TCheckBox* NewLimit(TTableForm* form, int row, TTypedEdit** box, TTypedEditType type, std::int16_t precision,
                    const AnsiString& text) {
    auto* check = new TCheckBox(form);
    check->SetParent(form->Panel1);
    check->SetBounds(LimitsLeft, RowTop(row) + 2, LimitBoxesLeft - LimitsLeft - 4, 17);
    check->SetChecked(true);
    if (box) {
        *box = NewTypedEdit(form, form->Panel1, LimitBoxesLeft, RowTop(row), type, precision, text);
        (*box)->SetWidth(BoxWidth);
    }
    return check;
}

// A choice of items side by side, captioned by LoadCaptions.
TRadioGroup* NewChoice(TTableForm* form, int left, int width, int items, int itemIndex) {
    auto* group = new TRadioGroup(form);
    group->SetParent(form->Panel1);
    group->SetBounds(left, ChoiceTop, width, 39);
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
    InitialLCDTypedEdit = NewSetting(this, InitialLCDLabel, FlowsLeft, FlowBoxesLeft, 0, etNumeric, 0, "50");
    FinalLCDTypedEdit = NewSetting(this, FinalLCDLabel, FlowsLeft, FlowBoxesLeft, 1, etNumeric, 0, "120");
    InitialPeopleTypedEdit =
        NewSetting(this, InitialPeopleLabel, FlowsLeft, FlowBoxesLeft, 2, etNumeric, 0, "5");
    FinalPeopleTypedEdit = NewSetting(this, FinalPeopleLabel, FlowsLeft, FlowBoxesLeft, 3, etNumeric, 0, "5");
    returnTypedEdit = NewSetting(this, returnLabel, FlowsLeft, FlowBoxesLeft, 4, etNumeric, 0, "80");
    peakTypedEdit = NewSetting(this, peakLabel, CriteriaLeft, CriterionBoxesLeft, 0, etFloat, 2, "2.40");
    vscTypedEdit = NewSetting(this, vscLabel, CriteriaLeft, CriterionBoxesLeft, 1, etFloat, 2, "0.50");
    tauTypedEdit = NewSetting(this, tauLabel, CriteriaLeft, CriterionBoxesLeft, 2, etFloat, 2, "1.00");
    nTypedEdit = NewSetting(this, nLabel, CriteriaLeft, CriterionBoxesLeft, 3, etFloat, 4, "0.0130");
    FlowLimitCheckBox = NewLimit(this, 0, &MinQTypedEdit, etFloat, 2, "1.50");
    DiameterLimitCheckBox = NewLimit(this, 1, &MinDTypedEdit, etNumeric, 0, "100");
    GroundSlopeCheckBox = NewLimit(this, 2, nullptr, etNumeric, 0, "");
    MinDepthTypedEdit = NewSetting(this, MinDepthLabel, LimitsLeft, LimitBoxesLeft, 3, etFloat, 2, "0.40");
    CalcTypeRadioGroup = NewChoice(this, CriteriaLeft, 150, 2, 1);
    FrictionFormulaRadioGroup = NewChoice(this, CriteriaLeft + 158, 270, 3, 0);

    Panel2 = NewAlignedPanel(this, this, alBottom, 40);
    SaveToCSVButton = NewButton(this, 8);
    AppendToCSVButton = NewButton(this, 136);
    PrintLayoutButton = NewButton(this, 264);
    PrintPreviewButton = NewButton(this, 392);
    UpdateTableFromNetworkButton = NewButton(this, 520);
    for (TButton** batch : {&Button1, &CalcAllButton, &Button2, &Button7, &Button9}) {
        *batch = NewButton(this, 648);
        (*batch)->SetVisible(false);
    }

    DataGrid1 = new TDataGrid(this);
    DataGrid1->SetParent(this);
    DataGrid1->SetAlign(alClient);
    DataGrid1->SetColCount(ResultColumns);
    DataGrid1->SetRowCount(2);
    DataGrid1->SetFixedRows(1);
    DataGrid1->SetFixedCols(1);
    DataGrid1->SetDefaultRowHeight(16);
    DataGrid1->SetRowHeights(0, 48);
    // Wide enough for the headers' longest words and for "1234568.00" in the program's font.
    DataGrid1->SetDefaultColWidth(80);
    DataGrid1->SetColWidths(3, 81);
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

    OpenDialog1 = new TOpenDialog(this);
    OpenDialog1->Filter = "CSV file (*.csv)|*.csv|All files (*.*)|*.*";

    GridPreviewDialog1 = new TGridPreviewDialog(this);
    GridPreviewDialog1->SetGrid(DataGrid1);
    GridPreviewDialog1->PreviewFast = false;
    GridPreviewDialog1->SetPreviewWidth(350);
    GridPreviewDialog1->SetPreviewHeight(300);
    GridPreviewDialog1->PreviewLeft = 100;
    GridPreviewDialog1->PreviewTop = 100;
    GridPreviewDialog1->PreviewCenter = true;
    DataGridPrintSettingsDialog1 = new TDataGridPrintSettingsDialog(this);
    DataGridPrintSettingsDialog1->SetGrid(DataGrid1);
    DataGridPrintSettingsDialog1->SetOptions(AllPrintSettingsOptions & ~psSaveSettings);
    DataGridPrintSettingsDialog1->SetPrintPreview(true);
    DataGridPrintSettingsDialog1->SetPrintDimensions(pdmm);

    SaveToCSVButton->OnClick = [this](TObject* sender) { SaveToCSVButtonClick(sender); };
    PrintLayoutButton->OnClick = [this](TObject* sender) { PrintLayoutButtonClick(sender); };
    PrintPreviewButton->OnClick = [this](TObject* sender) { PrintPreviewButtonClick(sender); };
    AppendToCSVButton->OnClick = [this](TObject* sender) { AppendToCSVButtonClick(sender); };
    UpdateTableFromNetworkButton->OnClick = [this](TObject* sender) {
        UpdateTableFromNetworkButtonClick(sender);
    };
    Button1->OnClick = [this](TObject* sender) { Button1Click(sender); };
    CalcAllButton->OnClick = [this](TObject* sender) { CalcAllButtonClick(sender); };
    Button2->OnClick = [this](TObject* sender) { Button2Click(sender); };
    Button7->OnClick = [this](TObject* sender) { Button7Click(sender); };
    Button9->OnClick = [this](TObject* sender) { Button9Click(sender); };
    CommandsLeaveEditedBoxFirst(*this, [this] { return ::LeaveEditedBox(*this); });
    EndLayout();
    DataGrid1->Delimiter = ',';
    LoadCaptions();
    // Bound once the layout's own settings stand.
    for (const NumberSetting& setting : NumberSettings()) {
        setting.Box->OnChange = [this](TObject* sender) { SettingTyped(sender); };
        setting.Box->OnExit = [this](TObject* sender) { SettingBoxExit(sender); };
    }
    for (TControl* control :
         std::initializer_list<TControl*>{FlowLimitCheckBox, DiameterLimitCheckBox, GroundSlopeCheckBox,
                                          CalcTypeRadioGroup, FrictionFormulaRadioGroup})
        control->OnClick = [this](TObject* sender) { ChoiceClick(sender); };
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
